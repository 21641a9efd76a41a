#include "startup/StartupUi.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    if (startup::answerCommandLine(argc, argv))
        return 0;
    QApplication application(argc, argv);
    return startup::runSkedwise(application);
}
