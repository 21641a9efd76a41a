// The receiver link's and the reception log's part of the window's port.
#include "mainwindow/DisplayFormPortUi.h"

#include "logbook/NoticeWindowUi.h"
#include "logbook/ReceptionLog.h"
#include "logbook/RemarksWindowUi.h"
#include "mainwindow/DisplayWindow.h"
#include "receiver/ReceiverLink.h"
#include "receiver/ReceiverMessages.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace mainwindow {

namespace {

void checkPair(const QList<QAction *> &items, bool first, bool second) {
    if (items.size() < 2)
        return;
    items[0]->setChecked(first);
    items[1]->setChecked(second);
}

// How long the last look at the clipboard lets a read in progress finish.
constexpr int LastLookMs = 200;

} // namespace

app::Clipboard &DisplayFormPort::clipboard() {
    return m_form.services().clipboard;
}
void DisplayFormPort::setLabel0(const QString &caption) {
    m_form.label0()->setText(caption);
    m_form.label0()->setAccessibleName(QStringLiteral("Selected frequency ") + caption);
}
void DisplayFormPort::setLinkChecks(bool enabledChecked, bool disabledChecked) {
    checkPair(m_form.linkItems(), enabledChecked, disabledChecked);
}
void DisplayFormPort::reTuneRule() {
    m_form.receptionLog().ReTuneRule();
}

const app::Clock &DisplayFormPort::clock() {
    return m_form.services().clock;
}
app::FileSystem &DisplayFormPort::fileSystem() {
    return m_form.fileSystem();
}
QString DisplayFormPort::logFolder() const {
    return m_form.services().paths.writeFolder();
}
QString DisplayFormPort::dataDir() const {
    return m_form.services().paths.listenerFolder();
}
jet::DataSource &DisplayFormPort::data2() {
    return m_form.data2();
}
void DisplayFormPort::setLogButtons(bool logOnEnabled, bool logOffEnabled) {
    m_form.cmdLog(0)->setEnabled(logOnEnabled);
    m_form.cmdLog(1)->setEnabled(logOffEnabled);
}
void DisplayFormPort::setSinpoChecks(bool noChecked, bool yesChecked) {
    checkPair(m_form.sinpoItems(), noChecked, yesChecked);
}

void DisplayFormPort::showLogNotice() {
    const app::ProgramState &s = m_form.services().state;
    logbook::FrmNotify::showNotice(s.LogNotice, s.LogOn, m_form.frameGeometry(), int(s.BackColor),
                                   int(s.Forecolor), &m_form);
}

void DisplayFormPort::showRemarksDialog() {
    app::ProgramState &s = m_form.services().state;
    logbook::FrmRemarks dialog(s.SINPOPrompt, m_form.receptionLog().SINPOStr(), s.LogEntry,
                               int(s.BackColor), int(s.Forecolor),
                               receiver::signalOfStatus(s.RadioStatus), &m_form);
    dialog.exec();
}

void DisplayFormPort::lastLookForReply() {
    m_form.receiverLink().takeStatusReply(LastLookMs);
}

} // namespace mainwindow
