#include "logbook/LogReader.h"

#include "app/TextDecoding.h"
#include "logbook/LogWriter.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace logbook {

namespace {

constexpr qsizetype EntryLength = 77;
constexpr qsizetype ShortestEntry = 70; // the kW column may be blank and its blanks cut
const QString SinpoPrefix = QStringLiteral("SINPO: ");

struct Span {
    qsizetype from, length;
};
// Where each fixed column stands in the entry line (Date, On, Off, Freq, ..., Kw).
constexpr std::array<Span, 9> EntrySpans = {
    {{0, 8}, {9, 4}, {14, 4}, {18, 6}, {24, 21}, {45, 4}, {49, 18}, {67, 3}, {70, 7}}};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "yy/MM/dd HHmm " at the start; the separators first, which most other lines fail at once.
bool startsWithStamp(QByteArrayView line) {
    if (line.size() < 14 || line[2] != '/' || line[5] != '/' || line[8] != ' ' || line[13] != ' ')
        return false;
    for (const int i : {0, 1, 3, 4, 6, 7, 9, 10, 11, 12})
        if (!isDigit(line[i]))
            return false;
    return true;
}

// UTF-8's continuation bytes (10xxxxxx), eight at a time: the long lines of a big log are
// counted here.
qsizetype continuationBytes(QByteArrayView s) {
    qsizetype count = 0, i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, s.data() + i, 8);
        const quint64 marks = (word & ~(word << 1) & 0x8080808080808080ULL) >> 7;
        count += qsizetype((marks * 0x0101010101010101ULL) >> 56); // the bytes' sum
    }
    for (; i < s.size(); ++i)
        count += (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80;
    return count;
}

// The stamp, the end time's four digits and 70 to 77 characters.
bool isEntryBytes(QByteArrayView line) {
    if (!startsWithStamp(line) || line.size() < ShortestEntry)
        return false;
    for (int i = 14; i < 18; ++i)
        if (!isDigit(line[i]))
            return false;
    if (line.size() <= EntryLength)
        return true;
    // Longer in bytes: characters of more than one byte may make it 77 characters.
    if (!line.isValidUtf8())
        return false;
    const qsizetype characters = line.size() - continuationBytes(line);
    return characters <= EntryLength;
}

QString isoDate(QStringView yyMMdd) {
    const int yy = yyMMdd.left(2).toInt();
    return QString::number(yy < 70 ? 2000 + yy : 1900 + yy) + u'-' + yyMMdd.mid(3, 2).toString() +
           u'-' + yyMMdd.mid(6, 2).toString();
}

QString fixedColumn(QStringView line, LogColumn column) {
    const Span span = EntrySpans[size_t(column)];
    const QStringView text = line.mid(span.from, span.length).trimmed();
    return column == LogColumn::Date ? isoDate(text) : text.toString();
}

// {code, remarks} of a remarks line.
std::pair<QString, QString> splitRemarks(QStringView remarks) {
    if (!remarks.startsWith(SinpoPrefix))
        return {QString(), remarks.trimmed().toString()};
    const QStringView rest = remarks.mid(SinpoPrefix.size());
    const qsizetype blank = rest.indexOf(u' ');
    if (blank < 0)
        return {rest.trimmed().toString(), QString()};
    return {rest.left(blank).toString(), rest.mid(blank + 1).trimmed().toString()};
}

} // namespace

QString lineText(QByteArrayView bytes) {
    QString text = app::decodeUtf8OrWindows1252(bytes);
    for (QChar &c : text)
        if (c.unicode() < u' ' || c.unicode() == 0x7F)
            c = QChar::ReplacementCharacter;
    return text;
}

QString columnHeading(LogColumn column) {
    static const QStringList headings = {
        QStringLiteral("Date"),     QStringLiteral("On"),      QStringLiteral("Off"),
        QStringLiteral("kHz"),      QStringLiteral("Station"), QStringLiteral("ADM"),
        QStringLiteral("Language"), QStringLiteral("Mode"),    QStringLiteral("kW"),
        QStringLiteral("SINPO"),    QStringLiteral("Remarks")};
    return headings.value(int(column));
}

QByteArrayView LogRows::lineBytes(qsizetype row) const {
    const LogRow &r = rows[row];
    return QByteArrayView(pieces[r.piece]).sliced(r.lineFrom, r.lineLength);
}

QByteArrayView LogRows::remarksBytes(qsizetype row) const {
    const LogRow &r = rows[row];
    if (r.remarksPiece < 0)
        return {};
    return QByteArrayView(pieces[r.remarksPiece]).sliced(r.remarksFrom, r.remarksLength);
}

QString LogRows::line(qsizetype row) const {
    return lineText(lineBytes(row));
}

QString LogRows::remarks(qsizetype row) const {
    return lineText(remarksBytes(row));
}

QString LogRows::text(qsizetype row, LogColumn column) const {
    if (!rows[row].isEntry)
        return column == LogColumn::Remarks ? line(row) : QString();
    if (column == LogColumn::Sinpo)
        return splitRemarks(remarks(row)).first;
    if (column == LogColumn::Remarks)
        return splitRemarks(remarks(row)).second;
    return fixedColumn(line(row), column);
}

LogRows LogRows::subset(const QList<int> &indices) const {
    LogRows chosen{pieces, {}};
    chosen.rows.reserve(indices.size());
    for (const int i : indices)
        chosen.rows << rows[i];
    return chosen;
}

qsizetype LogReader::read(const QByteArray &piece, LogRows &log, bool endOfFile) {
    m_lastRowChanged = false;
    m_rowsBefore = log.rows.size();
    const qsizetype taken = endOfFile ? piece.size() : piece.lastIndexOf('\n') + 1;
    if (taken == 0)
        return 0;
    log.pieces << piece;
    const QByteArrayView bytes = QByteArrayView(piece).first(taken);
    for (qsizetype start = 0; start < taken;) {
        const void *newline = std::memchr(bytes.data() + start, '\n', size_t(taken - start));
        qsizetype end = newline ? static_cast<const char *>(newline) - bytes.data() : taken;
        const qsizetype next = newline ? end + 1 : taken;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        readLine(bytes.sliced(start, end - start), int(start), log);
        start = next;
    }
    return taken;
}

void LogReader::readLine(QByteArrayView line, int from, LogRows &log) {
    static const QByteArray heading = LogHeading.toLatin1();
    if (line.trimmed().isEmpty() || line == heading) {
        m_lastIsBareEntry = false;
        return;
    }
    const int piece = int(log.pieces.size() - 1);
    const int length = int(line.size());
    if (isEntryBytes(line)) {
        log.rows.append({piece, from, length, -1, 0, 0, true});
        ++m_entries;
        m_lastIsBareEntry = true;
        return;
    }
    // A damaged entry line is not the remarks of the one before it.
    if (m_lastIsBareEntry && !startsWithStamp(line) && !log.rows.isEmpty()) {
        LogRow &entry = log.rows.last();
        entry.remarksPiece = piece;
        entry.remarksFrom = from;
        entry.remarksLength = length;
        m_lastRowChanged = m_lastRowChanged || log.rows.size() == m_rowsBefore;
        m_lastIsBareEntry = false;
        return;
    }
    log.rows.append({piece, from, length, -1, 0, 0, false});
    m_lastIsBareEntry = false;
}

} // namespace logbook
