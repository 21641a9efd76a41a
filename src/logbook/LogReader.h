#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace logbook {

// The columns of the log window and of its exports, left to right.
enum class LogColumn { Date, On, Off, Freq, Station, Adm, Language, Mode, Kw, Sinpo, Remarks };
inline constexpr int LogColumnCount = 11;

// "Date", "On", "Off", "kHz", "Station", "ADM", "Language", "Mode", "kW", "SINPO", "Remarks".
QString columnHeading(LogColumn column);

// One entry as the log holds it, or a line of the file that is not one.
struct LogRow {
    QString line;    // the entry line; a line not understood, whole
    QString remarks; // the remarks line written under the entry, or ""
    bool isEntry = false;
};

// Whether a line (without its line end) is one of the entry lines the program writes:
// "yy/MM/dd HHmm HHmm" and the fixed columns, 77 characters (trailing blanks may be cut).
bool isEntryLine(QStringView line);

// A column's text, trimmed. The date as "2024-05-17" (years 00-69 are 20yy, 70-99 19yy). SINPO
// and remarks come from the remarks line ("SINPO: 45444 fair" gives "45444" and "fair"). A row
// that is not an entry has its whole line as remarks and nothing else.
QString columnText(const LogRow &row, LogColumn column);

// Reads a log's bytes into rows, a piece at a time, so that a big file needs no second copy
// and a growing one can be read on from where it was. A line that is not an entry, the heading
// or empty becomes the remarks of the entry just before it when that has none yet, else a row
// of its own; nothing is dropped. Lines are UTF-8, or Windows-1252 where not valid UTF-8 (old
// logs); control characters show as U+FFFD.
class LogReader {
public:
    // Reads the lines of bytes (LF or CR LF ended) onto rows and returns the bytes taken: all of
    // them at the end of the file, else up to the last line end (the rest is read with the next
    // piece).
    qsizetype read(QByteArrayView bytes, QList<LogRow> &rows, bool endOfFile);
    // The row that was last before the last read got its remarks from it, so it changed.
    bool lastRowChanged() const { return m_lastRowChanged; }

private:
    void readLine(QString line, QList<LogRow> &rows);

    bool m_lastIsBareEntry = false;
    bool m_lastRowChanged = false;
    qsizetype m_rowsBefore = 0;
};

} // namespace logbook
