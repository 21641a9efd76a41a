#include "logbook/LogReader.h"

#include "app/TextDecoding.h"
#include "logbook/LogWriter.h"

#include <array>

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

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// "yy/MM/dd HHmm " at the start.
bool startsWithStamp(QStringView line) {
    static constexpr char16_t Pattern[] = u"99/99/99 9999 ";
    if (line.size() < 14)
        return false;
    for (int i = 0; i < 14; ++i)
        if (Pattern[i] == u'9' ? !isDigit(line[i]) : line[i] != QChar(Pattern[i]))
            return false;
    return true;
}

QString isoDate(QStringView yyMMdd) {
    const int yy = yyMMdd.left(2).toInt();
    return QString::number(yy < 70 ? 2000 + yy : 1900 + yy) + u'-' + yyMMdd.mid(3, 2).toString() +
           u'-' + yyMMdd.mid(6, 2).toString();
}

QString fixedColumn(const QString &line, LogColumn column) {
    const Span span = EntrySpans[size_t(column)];
    const QStringView text = QStringView(line).mid(span.from, span.length).trimmed();
    return column == LogColumn::Date ? isoDate(text) : text.toString();
}

// {code, remarks} of a remarks line.
std::pair<QString, QString> splitRemarks(const QString &remarks) {
    if (!remarks.startsWith(SinpoPrefix))
        return {QString(), remarks.trimmed()};
    const QStringView rest = QStringView(remarks).mid(SinpoPrefix.size());
    const qsizetype blank = rest.indexOf(u' ');
    if (blank < 0)
        return {rest.trimmed().toString(), QString()};
    return {rest.left(blank).toString(), rest.mid(blank + 1).trimmed().toString()};
}

QString decodeLine(QByteArrayView bytes) {
    bool ascii = true;
    bool control = false;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        ascii = ascii && b < 0x80;
        control = control || (b < 0x20 && b != '\t') || b == 0x7F;
    }
    QString line = ascii ? QString::fromLatin1(bytes) : app::decodeUtf8OrWindows1252(bytes);
    if (control)
        for (QChar &c : line)
            if ((c < u' ' && c != u'\t') || c == QChar(0x7F))
                c = QChar::ReplacementCharacter;
    return line;
}

} // namespace

QString columnHeading(LogColumn column) {
    static const QStringList headings = {
        QStringLiteral("Date"),     QStringLiteral("On"),      QStringLiteral("Off"),
        QStringLiteral("kHz"),      QStringLiteral("Station"), QStringLiteral("ADM"),
        QStringLiteral("Language"), QStringLiteral("Mode"),    QStringLiteral("kW"),
        QStringLiteral("SINPO"),    QStringLiteral("Remarks")};
    return headings.value(int(column));
}

bool isEntryLine(QStringView line) {
    return line.size() >= ShortestEntry && line.size() <= EntryLength && startsWithStamp(line) &&
           isDigit(line[14]) && isDigit(line[15]) && isDigit(line[16]) && isDigit(line[17]);
}

QString columnText(const LogRow &row, LogColumn column) {
    if (!row.isEntry)
        return column == LogColumn::Remarks ? row.line : QString();
    if (column == LogColumn::Sinpo)
        return splitRemarks(row.remarks).first;
    if (column == LogColumn::Remarks)
        return splitRemarks(row.remarks).second;
    return fixedColumn(row.line, column);
}

qsizetype LogReader::read(QByteArrayView bytes, QList<LogRow> &rows, bool endOfFile) {
    m_lastRowChanged = false;
    m_rowsBefore = rows.size();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0 && !endOfFile)
            break;
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r')
            --end;
        readLine(decodeLine(bytes.sliced(start, end - start)), rows);
        start = next;
    }
    return start;
}

void LogReader::readLine(QString line, QList<LogRow> &rows) {
    if (line.trimmed().isEmpty() || line == LogHeading) {
        m_lastIsBareEntry = false;
        return;
    }
    if (isEntryLine(line)) {
        rows.append({std::move(line), QString(), true});
        m_lastIsBareEntry = true;
        return;
    }
    // A damaged entry line is not the remarks of the one before it.
    if (m_lastIsBareEntry && !startsWithStamp(line) && !rows.isEmpty()) {
        rows.last().remarks = std::move(line);
        m_lastRowChanged = m_lastRowChanged || rows.size() == m_rowsBefore;
        m_lastIsBareEntry = false;
        return;
    }
    rows.append({std::move(line), QString(), false});
    m_lastIsBareEntry = false;
}

} // namespace logbook
