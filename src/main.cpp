#include "app/StartupUi.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    return app::runSkedwise(application);
}
