#include "jet/CsvRows.h"

#include <QFile>

namespace jet {

namespace {

struct Field {
    QString text;
    bool quoted = false;
};

// Reads one record starting at pos; returns false with a message when malformed.
bool readRecord(const QString &s, qsizetype &pos, int &line, std::vector<Field> &out,
                QString &error) {
    out.clear();
    Field cur;
    bool afterQuote = false;
    while (true) {
        if (pos >= s.size() || s[pos] == u'\n' || s[pos] == u'\r') {
            out.push_back(std::move(cur));
            if (pos < s.size() && s[pos] == u'\r')
                ++pos;
            if (pos < s.size() && s[pos] == u'\n')
                ++pos;
            return true;
        }
        const QChar c = s[pos];
        if (c == u',') {
            out.push_back(std::move(cur));
            cur = Field{};
            afterQuote = false;
            ++pos;
            continue;
        }
        if (afterQuote) {
            error = QStringLiteral("text after a closing quote");
            return false;
        }
        if (c == u'"') {
            if (!cur.text.isEmpty() || cur.quoted) {
                error = QStringLiteral("a quote inside an unquoted field");
                return false;
            }
            cur.quoted = true;
            ++pos;
            while (true) {
                if (pos >= s.size()) {
                    error = QStringLiteral("a quoted text is not closed");
                    return false;
                }
                if (s[pos] == u'"') {
                    if (pos + 1 < s.size() && s[pos + 1] == u'"') {
                        cur.text += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                if (s[pos] == u'\n')
                    ++line;
                cur.text += s[pos++];
            }
            afterQuote = true;
            continue;
        }
        cur.text += c;
        ++pos;
    }
}

bool toCell(const Field &f, Cell &cell) {
    if (f.quoted) {
        cell = Cell::fromText(f.text);
        return true;
    }
    if (f.text.isEmpty()) {
        cell = Cell::null();
        return true;
    }
    bool ok = false;
    const double v = f.text.toDouble(&ok);
    cell = Cell::fromNumber(v);
    return ok;
}

} // namespace

CsvRows parseCsv(const QString &text) {
    CsvRows result;
    qsizetype pos = 0;
    int line = 1;
    std::vector<Field> fields;
    auto fail = [&](int at, const QString &why) {
        result.error = QStringLiteral("line %1: %2").arg(at).arg(why);
        result.errorLine = at;
        result.rows.clear();
        return result;
    };
    if (text.startsWith(QChar(0xFEFF)))
        pos = 1;
    QString error;
    int start = line;
    if (!readRecord(text, pos, line, fields, error))
        return fail(start, error);
    for (const Field &f : fields)
        result.header << f.text;
    while (pos < text.size()) {
        start = ++line;
        if (!readRecord(text, pos, line, fields, error))
            return fail(start, error);
        if (fields.size() == 1 && fields[0].text.isEmpty() && !fields[0].quoted)
            continue; // blank line
        if (fields.size() != size_t(result.header.size()))
            return fail(start, QStringLiteral("%1 fields where the header has %2")
                                   .arg(fields.size())
                                   .arg(result.header.size()));
        std::vector<Cell> row(fields.size());
        for (size_t i = 0; i < fields.size(); ++i)
            if (!toCell(fields[i], row[i]))
                return fail(start, QStringLiteral("field %1 (%2) is neither quoted nor a number")
                                       .arg(i + 1)
                                       .arg(result.header.value(int(i))));
        result.rows.push_back(std::move(row));
    }
    return result;
}

CsvRows readCsvFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        CsvRows r;
        r.error = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
        return r;
    }
    return parseCsv(QString::fromUtf8(f.readAll()));
}

QString csvField(const Cell &c) {
    switch (c.kind) {
    case Cell::Kind::Null:
        return {};
    case Cell::Kind::Number:
        return numberText(c.number);
    case Cell::Kind::Text: {
        QString t = c.text;
        t.replace(u'"', QStringLiteral("\"\""));
        return u'"' + t + u'"';
    }
    }
    return {};
}

} // namespace jet
