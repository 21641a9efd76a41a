#pragma once

#include "logbook/LogPort.h"
#include "logbook/LogWriter.h"

#include <array>

namespace logbook {

// The schedule fields of the record being logged, as texts.
struct LoggedRecord {
    QString freq, station, adm, language, power;
};

// Slots 2 to 5 and 7 of the entry line from the record; 1 and 6 empty.
void fillRecordSlots(std::array<QString, 12> &logRecord, const LoggedRecord &record);
// Slot 6: the mode between the first and second comma of the status reply, three wide.
QString modeSlot(const QString &radioStatus);
// The entry line, logRecord 0 to 7 joined.
QString entryLine(const std::array<QString, 12> &logRecord);
// ".log" appended when the upper-cased name holds ".LOG" nowhere.
QString withLogExtension(const QString &name);
// Splits a chosen full path at the "/" before its first ".LOG": {LogPath, LogFileName}.
std::pair<QString, QString> splitLogPath(const QString &fullPath);
// Tool tip of CmdLog(index); "" when DoTips is not True.
QString cmdLogToolTip(int index, const QString &doTips);

// The reception log: opening and closing entries, the log file choice and the SINPO option.
class ReceptionLog {
public:
    explicit ReceptionLog(LogPort &port)
        : m_port(port), m_writer(port.fileSystem(), [this] { return recoveryFiles(); }) {}

    void CmdLog_Click(int index);
    void KeyF9();
    void KeyF10();
    // Opens an entry; the caller has set LogOn and the buttons. Without a current row or a
    // record for it, says so and leaves no entry open.
    void StartLog();
    // Closes and writes the entry; the caller has cleared LogOn.
    void StopLog();
    // A new frequency while an entry is open: ask to save it, then no entry is open.
    void ReTuneRule();
    // False when the dialog was cancelled.
    bool ChangeLog_Click();
    void Sinpo_Click(int index);
    // At window load: no entry open, LogPath "", the buttons and the SINPO check marks; entries
    // kept from an earlier run go into the log first.
    void Form_Load();
    void setMenuChecks();
    // At exit: entries that could not be written are offered once more; those still not
    // written stay in the recovery file, and the listener is told where.
    void offerPendingAtExit();
    // Where entries not yet written are kept: beside the program, else in the data folder.
    QStringList recoveryFiles() const;

    // The full path of the log file; ".log" is added to LogFileName first when needed.
    QString logFilePath();
    const QStringList &pendingEntries() const { return m_writer.pending(); }
    // The SINPO prefix of the remarks dialog ("SINPO: 54444 " or ""), kept here between entries.
    QString &SINPOStr() { return m_sinpoStr; }

private:
    bool lookUp(qint32 stationId, LoggedRecord &record);
    void refuseEntry(const QString &text);
    void writeEntry();
    QString writePending();
    void takeBackKeptEntries();
    QString chooseOtherFile(const QString &failedPath, const QString &reason);
    QString utcNow(const QString &format);

    LogPort &m_port;
    LogWriter m_writer;
    QString m_sinpoStr;
};

} // namespace logbook
