#include "startup/StartupUi.h"

#include "app/Paths.h"
#include "app/ProgramIconUi.h"
#include "app/PromptsQt.h"
#include "app/ScreenUnitsUi.h"
#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "app/Version.h"
#include "jet/IsolatedTableProvider.h"
#include "mainwindow/DisplayWindow.h"
#include "receiver/WatchedClipboardUi.h"
#include "startup/StartNotices.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <cstdio>
#include <cstring>
#include <optional>

namespace startup {

using namespace app;

namespace {

const char *const Usage =
    "usage: skedwise [--help | --version]\n"
    "Browses a broadcast schedule (ILGDATA.MDB), tunes the receiver through skedwise-rx and\n"
    "keeps a reception log. Beside the program (a build folder) every file is read and\n"
    "written there; installed, your log and imported schedules are kept in\n"
    "$XDG_DATA_HOME/Skedwise (~/.local/share/Skedwise) and the shipped files are read from\n"
    "/usr/share/skedwise. Any other argument is ignored.\n";

// Scripted answers instead of message boxes, for tests that drive the whole program.
std::unique_ptr<Prompts> makePrompts() {
    if (qEnvironmentVariableIsSet("SKEDWISE_SCRIPTED_PROMPTS"))
        return std::make_unique<ScriptedPrompts>(true);
    return std::make_unique<QtPrompts>();
}

ScreenTwips screenTwips() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const double tpp = twipsPerPixel();
    return {screen->geometry().width() * tpp, screen->geometry().height() * tpp};
}

// Each notice once the window shows, over it.
void tellStartNotices(Prompts &prompts, const Paths &paths, OwnSettings &own) {
    for (const QString &notice : startNotices(paths, own))
        prompts.messageBox(notice, QStringLiteral("Skedwise"), Buttons::Ok);
}

} // namespace

bool answerCommandLine(int argc, char **argv) {
    if (app::printVersionIfAsked(argc, argv, "skedwise"))
        return true;
    if (argc != 2 || std::strcmp(argv[1], "--help") != 0)
        return false;
    std::fputs(Usage, stdout);
    return true;
}

int runSkedwise(QApplication &application) {
    const Paths paths = Paths::locate(QCoreApplication::applicationDirPath());
    QApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.skedwise.Skedwise"));
    // A busy pointer for the start-up; the window's activation puts it back.
    std::optional<BusyPointer> busy(std::in_place);
    IniSettingsStore store;
    auto prompts = makePrompts();

    SingleInstance instance(QDir(store.defaultFolder()).filePath(SettingsApplication + ".lock"));
    if (!instance.acquire()) {
        busy.reset();
        prompts->messageBox(QStringLiteral("Program Already Running!"),
                            QStringLiteral("Error Loading"), Buttons::Ok);
        return 1;
    }

    ProgramState state;
    ResetStaleSettings(store);
    state.codes = schedule::buildCodeTables();
    LoadSettings(state, store, screenTwips());

    SystemClock clock;
    receiver::WatchedClipboard clipboard;
    jet::IsolatedTableProvider tables(paths.helperProgram(QStringLiteral("skedwise-jetread")));
    Services services{state, store, *prompts, clock, clipboard, tables, paths};

    mainwindow::DisplayForm form(services);
    if (auto *qtPrompts = dynamic_cast<QtPrompts *>(prompts.get())) {
        qtPrompts->setParent(&form);
        qtPrompts->setFileDialogFolder(paths.listenerFolder());
    }
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&form, &mainwindow::DisplayForm::finished, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    form.Form_Load();
    form.show();
    busy.reset();
    BusyPointer::clearAll();
    tellStartNotices(*prompts, paths, state.own);
    return application.exec();
}

} // namespace startup
