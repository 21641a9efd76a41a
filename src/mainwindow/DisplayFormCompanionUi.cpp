// The windows and programs the main window opens beside itself: the log window and the
// receiver program.
#include "app/Settings.h"
#include "app/Version.h"
#include "export/LogWindowUi.h"
#include "logbook/ReceptionLog.h"
#include "mainwindow/DisplayWindow.h"
#include "receiver/ReceiverProgram.h"

#include <QMenu>

namespace mainwindow {

namespace {
const QString StartCaption = QStringLiteral("Start Receiver Program");
const QString RunningCaption = QStringLiteral("Receiver Program Is Running");
} // namespace

void DisplayForm::ShowLog_Click() {
    const QString path = m_log->logFilePath();
    if (auto *open = findChild<exporting::LogWindow *>()) {
        if (open->model().path() == path) {
            open->raise();
            open->activateWindow();
            return;
        }
        open->close(); // the log file was changed meanwhile
    }
    auto *window =
        new exporting::LogWindow({path, m_services.paths.fileToRead(QStringLiteral("Codes.txt")),
                                  m_fileDialogFolder, app::programVersion()},
                                 m_services.prompts, this);
    window->show();
}

// Off, a row pick sends the frequency alone, for receiver programs that know no mode.
void DisplayForm::addReceiverModeItem(QMenu *linkMenu) {
    m_setReceiverMode =
        addItem(linkMenu, QStringLiteral("Set Receiver Mode"), QStringLiteral("SetReceiverMode"),
                [this] { SetReceiverMode_Click(); });
    m_setReceiverMode->setCheckable(true);
    m_setReceiverMode->setChecked(m_state.own.SetReceiverMode);
}

void DisplayForm::SetReceiverMode_Click() {
    m_state.own.SetReceiverMode = !m_state.own.SetReceiverMode;
    m_setReceiverMode->setChecked(m_state.own.SetReceiverMode);
    app::SaveOwnSettings(m_state.own, m_services.store);
}

// The item tells, each time the menu opens, whether a copy already runs.
void DisplayForm::addReceiverProgramItem(QMenu *linkMenu) {
    linkMenu->addSeparator();
    QAction *item =
        addItem(linkMenu, StartCaption, QStringLiteral("StartRx"), [this] { StartRx_Click(); });
    connect(linkMenu, &QMenu::aboutToShow, item, [item] {
        const bool running = receiver::receiverProgramRunning(receiver::receiverLockPath());
        item->setText(running ? RunningCaption : StartCaption);
        item->setEnabled(!running);
    });
}

void DisplayForm::StartRx_Click() {
    const receiver::ReceiverStart start = receiver::startReceiverProgram(
        receiver::ReceiverPlaces::ofThisProgram(m_services.paths.programDir()));
    if (!start.message.isEmpty())
        m_services.prompts.messageBox(start.message, QStringLiteral("RX320 Link"),
                                      app::Buttons::Ok);
}

} // namespace mainwindow
