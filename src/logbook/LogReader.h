#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace logbook {

// The columns of the log window and of its exports, left to right.
enum class LogColumn { Date, On, Off, Freq, Station, Adm, Language, Mode, Kw, Sinpo, Remarks };
inline constexpr int LogColumnCount = 11;

// "Date", "On", "Off", "kHz", "Station", "ADM", "Language", "Mode", "kW", "SINPO", "Remarks".
QString columnHeading(LogColumn column);

// A line's bytes as text: UTF-8, or Windows-1252 where it is not valid UTF-8 (old logs);
// control characters show as U+FFFD.
QString lineText(QByteArrayView bytes);

// One entry as the log holds it, or a line of the file that is not one, as places in the
// pieces of the file it was read in: a big log is kept once, as its bytes, and only what is
// shown is turned into text.
struct LogRow {
    int piece = 0, lineFrom = 0, lineLength = 0;
    int remarksPiece = -1, remarksFrom = 0, remarksLength = 0; // the remarks may come later
    bool isEntry = false;
};

} // namespace logbook

Q_DECLARE_TYPEINFO(logbook::LogRow, Q_PRIMITIVE_TYPE);

namespace logbook {

// A log read into rows: the file's bytes in pieces and the rows as places in them.
struct LogRows {
    QList<QByteArray> pieces;
    QList<LogRow> rows;

    qsizetype size() const { return rows.size(); }
    // The line's and the remarks' bytes as the file holds them.
    QByteArrayView lineBytes(qsizetype row) const;
    QByteArrayView remarksBytes(qsizetype row) const;
    // The entry line; a line not understood, whole.
    QString line(qsizetype row) const;
    // The remarks line written under the entry, or "".
    QString remarks(qsizetype row) const;
    // A column's text, trimmed. The date as "2024-05-17" (years 00-69 are 20yy, 70-99 19yy).
    // SINPO and remarks come from the remarks line ("SINPO: 45444 fair" gives "45444" and
    // "fair"). A row that is not an entry has its whole line as remarks and nothing else.
    QString text(qsizetype row, LogColumn column) const;
    // These rows, in this order, on the same pieces.
    LogRows subset(const QList<int> &indices) const;
};

// Reads a log's bytes into rows, a piece at a time, so that a growing file can be read on from
// where it was. A line that is not an entry, the heading or empty becomes the remarks of the
// entry just before it when that has none yet, else a row of its own; nothing is dropped.
class LogReader {
public:
    // Reads the lines of piece (LF or CR LF ended) onto the log and returns the bytes taken: all
    // of them at the end of the file, else up to the last line end (the rest is read with the
    // next piece).
    qsizetype read(const QByteArray &piece, LogRows &log, bool endOfFile);
    // The row that was last before the last read got its remarks from it, so it changed.
    bool lastRowChanged() const { return m_lastRowChanged; }
    // The entries read so far, of all rows.
    qsizetype entryCount() const { return m_entries; }

private:
    void readLine(QByteArrayView line, int from, LogRows &log);

    bool m_lastIsBareEntry = false;
    bool m_lastRowChanged = false;
    qsizetype m_rowsBefore = 0;
    qsizetype m_entries = 0;
};

} // namespace logbook
