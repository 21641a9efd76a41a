#include "startup/StartupUi.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    return startup::runSkedwise(application);
}
