#include "startup/StartupUi.h"

#include "app/PromptsQt.h"
#include "app/ScreenUnitsUi.h"
#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "jet/IsolatedTableProvider.h"
#include "mainwindow/DisplayWindow.h"
#include "receiver/WatchedClipboardUi.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <optional>

namespace startup {

using namespace app;

namespace {

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

} // namespace

int runSkedwise(QApplication &application) {
    const QString programDir = QCoreApplication::applicationDirPath();
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
    jet::IsolatedTableProvider tables(programDir + QStringLiteral("/skedwise-jetread"));
    Services services{state, store, *prompts, clock, clipboard, tables, programDir};

    mainwindow::DisplayForm form(services);
    if (auto *qtPrompts = dynamic_cast<QtPrompts *>(prompts.get()))
        qtPrompts->setParent(&form);
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&form, &mainwindow::DisplayForm::finished, &application,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    form.Form_Load();
    form.show();
    busy.reset();
    BusyPointer::clearAll();
    return application.exec();
}

} // namespace startup
