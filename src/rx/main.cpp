#include "app/ProgramIconUi.h"
#include "app/PromptsQt.h"
#include "app/SingleInstance.h"
#include "app/Version.h"
#include "receiver/ReceiverProgram.h"
#include "receiver/WatchedClipboardUi.h"
#include "rx/ClipboardLink.h"
#include "rx/HamlibRig.h"
#include "rx/RigSession.h"
#include "rx/RxOptions.h"
#include "rx/RxSettingsDialog.h"
#include "rx/RxWindow.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int RigPollMs = 500;
constexpr int RetryMs = 3000;

bool ownCopy(app::SingleInstance &lock) {
    if (lock.acquire())
        return true;
    QMessageBox::information(nullptr, QStringLiteral("Skedwise Receiver"),
                             QStringLiteral("Skedwise Receiver is already running."));
    return false;
}

// Opens on the receiver in use, which the command line may have chosen.
void askSettings(rx::RxWindow &window, rx::RigSession &session, rx::RigChoice &inUse) {
    QSettings settings;
    rx::RxSettingsDialog dialog(inUse, rx::hamlibModels(), &window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    inUse = dialog.choice();
    rx::saveChoice(settings, inUse);
    session.replace(rx::makeRig(inUse, rx::loadLastSet(settings)));
}

} // namespace

int main(int argc, char *argv[]) {
    if (app::printVersionIfAsked(argc, argv, "skedwise-rx"))
        return 0;
    QCoreApplication::setOrganizationName(QStringLiteral("Skedwise"));
    QCoreApplication::setApplicationName(QStringLiteral("skedwise-rx"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Read before the window system is touched, so that --help works without a display.
    QSettings settings;
    const rx::CommandLine options = rx::parseCommandLine(arguments, rx::loadChoice(settings));
    if (options.help || !options.text.isEmpty()) {
        std::fputs(qPrintable(options.text + u'\n'), options.help ? stdout : stderr);
        return options.help ? 0 : 2;
    }
    QApplication application(argc, argv);
    QApplication::setWindowIcon(app::programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.skedwise.SkedwiseReceiver"));
    app::SingleInstance lock(receiver::receiverLockPath()); // the schedule looks at it too
    if (!ownCopy(lock))
        return 1;

    receiver::WatchedClipboard clipboard;
    rx::RigSession session(RigPollMs, RetryMs);
    rx::ClipboardLink link(clipboard, session);
    rx::RxWindow window(link);
    QObject::connect(&session, &rx::RigSession::stateChanged, &link,
                     &rx::ClipboardLink::rigStateChanged);
    QObject::connect(&session, &rx::RigSession::stateChanged, &window, &rx::RxWindow::showState);
    QObject::connect(&session, &rx::RigSession::tuned, &link, &rx::ClipboardLink::rigTuned);
    QObject::connect(&session, &rx::RigSession::rigMoved, &link, &rx::ClipboardLink::rigMoved);
    QObject::connect(&link, &rx::ClipboardLink::problem, &window, &rx::RxWindow::showProblem);
    QObject::connect(&session, &rx::RigSession::modeProblem, &window, &rx::RxWindow::showProblem);
    QObject::connect(&window, &rx::RxWindow::modeChosen, &session, &rx::RigSession::setMode);
    rx::RigChoice inUse = options.choice;
    QObject::connect(&window, &rx::RxWindow::settingsAsked, &window,
                     [&] { askSettings(window, session, inUse); });
    QObject::connect(&session, &rx::RigSession::stateChanged, &window,
                     [&settings](const rx::RigState &state) { rx::keepLastSet(settings, state); });
    session.replace(rx::makeRig(inUse, rx::loadLastSet(settings)));

    // A request is taken as soon as it is read, and looked at again on the poll.
    QObject::connect(&clipboard, &receiver::WatchedClipboard::changed, &link,
                     &rx::ClipboardLink::poll);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &link, &rx::ClipboardLink::poll);
    poll.start(rx::ClipboardLink::PollMs);
    window.show();
    return application.exec();
}
