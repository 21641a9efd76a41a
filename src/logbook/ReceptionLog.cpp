#include "logbook/ReceptionLog.h"

#include "onair/Clock.h"
#include "receiver/ReceiverMessages.h"
#include "schedule/QueryComposition.h"

namespace logbook {

namespace {

const QString LogExtension = QStringLiteral(".LOG");
const QString LogPattern = QStringLiteral("*.log");
const QString FileTitle = QStringLiteral("Log File");
const QString ProgramTitle = QStringLiteral("Skedwise");
const QString RecoveryFileName = QStringLiteral("Skedwise-unwritten-log.txt");

bool isTrue(const QString &flag) {
    return flag.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

QString beforeFirstPoint(const QString &text) {
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? text : text.left(point);
}

QString oneDecimal(const QString &text) {
    const qsizetype point = text.indexOf(u'.');
    return point < 0 ? text : text.left(point + 2);
}

QString fieldText(const jet::RecordSet &rs, const char *name) {
    return jet::displayText(rs.field(QString::fromLatin1(name)));
}

QString entries(qsizetype count) {
    return count == 1 ? QStringLiteral("1 log entry")
                      : QString::number(count) + QStringLiteral(" log entries");
}

} // namespace

void fillRecordSlots(std::array<QString, 12> &logRecord, const LoggedRecord &r) {
    using schedule::PadB;
    logRecord[1].clear();
    logRecord[2] = PadB(beforeFirstPoint(r.freq), 6);
    logRecord[3] = PadB(r.station, 21);
    logRecord[4] = PadB(r.adm, 4);
    logRecord[5] = PadB(r.language, 18);
    logRecord[6].clear();
    logRecord[7] = PadB(oneDecimal(r.power), 7);
}

QString modeSlot(const QString &radioStatus) {
    return schedule::PadB(receiver::modeOfStatus(radioStatus), 3);
}

QString entryLine(const std::array<QString, 12> &logRecord) {
    QString line;
    for (int i = 0; i <= 7; ++i)
        line += logRecord[size_t(i)];
    return line;
}

QString withLogExtension(const QString &name) {
    return name.toUpper().contains(LogExtension) ? name : name + QStringLiteral(".log");
}

std::pair<QString, QString> splitLogPath(const QString &fullPath) {
    const qsizetype extension = fullPath.toUpper().indexOf(LogExtension);
    const qsizetype slash = fullPath.lastIndexOf(u'/', std::max<qsizetype>(extension, 0));
    return {fullPath.left(slash + 1), fullPath.mid(slash + 1)};
}

QString cmdLogToolTip(int index, const QString &doTips) {
    if (!isTrue(doTips))
        return {};
    return index == 0 ? QStringLiteral(" Click to turn Log Function ON ")
                      : QStringLiteral(" Click to turn Log Function OFF ");
}

void ReceptionLog::CmdLog_Click(int index) {
    app::ProgramState &s = m_port.state();
    if (index == 0 && !s.LogOn) {
        s.LogOn = true;
        m_port.setLogButtons(false, true);
        StartLog();
    } else if (index == 1 && s.LogOn) {
        s.LogOn = false;
        m_port.setLogButtons(false, false);
        StopLog();
    }
}

void ReceptionLog::KeyF9() {
    CmdLog_Click(0);
}

void ReceptionLog::KeyF10() {
    app::ProgramState &s = m_port.state();
    if (!s.LogOn)
        return;
    m_port.setLogButtons(true, false);
    s.LogOn = false;
    StopLog();
}

QString ReceptionLog::utcNow(const QString &format) {
    return onair::utcFromLocal(m_port.clock().localNow(), m_port.state().TimeZone).toString(format);
}

void ReceptionLog::StartLog() {
    app::ProgramState &s = m_port.state();
    s.RadioStatus.clear();
    m_port.clipboard().clear();
    m_port.clipboard().setText(receiver::composeMessage(receiver::MessageKind::StatusRequest));
    s.LogRecord[0] = utcNow(QStringLiteral("yy/MM/dd HHmm")) + u' ';
    const int bookmark = m_port.currentBookmark();
    if (bookmark < 0)
        return refuseEntry(QStringLiteral("No station selected to log!"));
    const jet::Cell id = m_port.firstColumnValue(bookmark);
    LoggedRecord record;
    if (id.kind == jet::Cell::Kind::Null || !lookUp(qint32(id.number), record))
        return refuseEntry(QStringLiteral("The selected station was not found in the schedule!"));
    fillRecordSlots(s.LogRecord, record);
    s.LogNotice = s.LogRecord[2].trimmed() + u' ' + s.LogRecord[3];
    m_port.showLogNotice();
}

bool ReceptionLog::lookUp(qint32 stationId, LoggedRecord &record) {
    jet::DataSource &data2 = m_port.data2();
    data2.setRecordSource(QStringLiteral("Select * From MyDataTable Where StationID = ") +
                          QString::number(stationId) + u' ');
    if (!data2.refresh() || data2.recordset().recordCount() == 0)
        return false;
    const jet::RecordSet &rs = data2.recordset();
    record = {fieldText(rs, "Freq"), fieldText(rs, "Station"), fieldText(rs, "ADM"),
              fieldText(rs, "Language"), fieldText(rs, "Power")};
    return true;
}

void ReceptionLog::refuseEntry(const QString &text) {
    m_port.state().LogOn = false;
    m_port.setLogButtons(true, false);
    m_port.prompts().messageBox(text, FileTitle, app::Buttons::Ok);
}

void ReceptionLog::StopLog() {
    app::ProgramState &s = m_port.state();
    // The reply may have come since the last tick.
    if (s.RadioStatus.isEmpty())
        m_port.lastLookForReply();
    if (s.RadioStatus.isEmpty()) {
        s.Response = m_port.prompts().messageBox(
            QStringLiteral("No data from Radio! Is it running?"), ProgramTitle, app::Buttons::Ok);
        m_port.setLogButtons(true, false);
        return;
    }
    s.LogRecord[1] = utcNow(QStringLiteral("HHmm"));
    s.LogRecord[6] = modeSlot(s.RadioStatus);
    s.LogEntry = entryLine(s.LogRecord);
    m_port.showRemarksDialog();
    m_port.setLogButtons(true, false);
    writeEntry();
}

QString ReceptionLog::logFilePath() {
    app::ProgramState &s = m_port.state();
    s.LogFileName = withLogExtension(s.LogFileName);
    if (!s.LogPath.isEmpty())
        return s.LogPath + s.LogFileName;
    return m_port.logFolder() + u'/' + s.LogFileName;
}

void ReceptionLog::writeEntry() {
    m_writer.write(logFilePath(), m_port.state().LogEntry,
                   [this](const QString &path, const QString &reason) {
                       return chooseOtherFile(path, reason);
                   });
}

QString ReceptionLog::writePending() {
    return m_writer.writePending(logFilePath(), [this](const QString &path, const QString &reason) {
        return chooseOtherFile(path, reason);
    });
}

// Beside the log, else in the listener's folder (the same one when installed).
QStringList ReceptionLog::recoveryFiles() const {
    QStringList files{m_port.logFolder() + u'/' + RecoveryFileName};
    const QString second = m_port.dataDir() + u'/' + RecoveryFileName;
    if (!m_port.dataDir().isEmpty() && !files.contains(second))
        files << second;
    return files;
}

void ReceptionLog::takeBackKeptEntries() {
    const int count = m_writer.recover();
    if (count == 0)
        return;
    const QString written = writePending();
    if (!written.isEmpty())
        m_port.prompts().messageBox(entries(count) +
                                        QStringLiteral(" kept from an earlier run "
                                                       "went into the log ") +
                                        written + u'.',
                                    FileTitle, app::Buttons::Ok);
}

QString ReceptionLog::chooseOtherFile(const QString &failedPath, const QString &reason) {
    const QString text = QStringLiteral("The log file ") + failedPath +
                         QStringLiteral(" cannot be written: ") + reason + CrLf +
                         QStringLiteral("Choose another log file? (No keeps the entry and "
                                        "writes it with the next one.)");
    if (m_port.prompts().messageBox(text, FileTitle, app::Buttons::YesNo) != app::AnswerYes)
        return {};
    return ChangeLog_Click() ? logFilePath() : QString();
}

void ReceptionLog::ReTuneRule() {
    app::ProgramState &s = m_port.state();
    if (!s.LogOn)
        return;
    s.Response = m_port.prompts().messageBox(QStringLiteral("Save Current Log Entry?"),
                                             ProgramTitle, app::Buttons::YesNo);
    s.LogOn = false;
    if (s.Response == app::AnswerYes)
        StopLog();
    m_port.setLogButtons(true, false);
}

bool ReceptionLog::ChangeLog_Click() {
    const QString chosen =
        m_port.prompts().saveFileDialog(QStringLiteral("Log File Name"), LogPattern, LogPattern);
    if (chosen == LogPattern || chosen.isEmpty())
        return false;
    const auto [path, name] = splitLogPath(withLogExtension(chosen));
    m_port.state().LogPath = path;
    m_port.state().LogFileName = name;
    return true;
}

void ReceptionLog::Sinpo_Click(int index) {
    if (index != 0 && index != 1)
        return;
    m_port.state().SINPOPrompt = index == 1;
    setMenuChecks();
}

void ReceptionLog::Form_Load() {
    m_port.state().LogOn = false;
    m_port.state().LogPath.clear();
    m_port.setLogButtons(true, false);
    setMenuChecks();
    takeBackKeptEntries();
}

void ReceptionLog::setMenuChecks() {
    const bool prompt = m_port.state().SINPOPrompt;
    m_port.setSinpoChecks(!prompt, prompt);
}

void ReceptionLog::offerPendingAtExit() {
    const qsizetype count = m_writer.pending().size();
    if (count == 0)
        return;
    const QString question =
        entries(count) + QStringLiteral(" could not be written yet. ") +
        (count == 1 ? QStringLiteral("Write it now?") : QStringLiteral("Write them now?"));
    if (m_port.prompts().messageBox(question, FileTitle, app::Buttons::YesNo) == app::AnswerYes)
        writePending();
    const qsizetype left = m_writer.pending().size();
    if (left == 0)
        return;
    const QString text =
        m_writer.keptIn().isEmpty()
            ? QStringLiteral("%1 could not be kept in a file either (%2).")
                  .arg(entries(left), m_writer.keptError())
            : QStringLiteral("Kept in %1 until Skedwise starts next, then written into the log: "
                             "%2.")
                  .arg(m_writer.keptIn(), entries(left));
    m_port.prompts().messageBox(text, FileTitle, app::Buttons::Ok);
}

} // namespace logbook
