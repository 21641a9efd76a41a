#include "imports/EibiReader.h"

#include <QStringDecoder>

#include <array>

namespace eibi {

namespace {

constexpr int FieldCount = 11;

// Windows-1252 at 0x80..0x9F; the other bytes are Latin-1. 0 marks the five unassigned bytes,
// kept as their C1 control character.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString fromWindows1252(const QByteArray &bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const char16_t high = b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : 0;
        *out++ = QChar(high != 0 ? high : char16_t(b));
    }
    return text;
}

} // namespace

QString decodeScheduleText(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fromWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

ScheduleFile readSchedule(const QByteArray &bytes) {
    ScheduleFile file;
    const QString text = decodeScheduleText(bytes);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const int number = int(i + 1);
        if (i == 0) {
            file.foundHeader = line;
            file.headerOk = line == QStringView(HeaderLine);
            if (!file.headerOk)
                return file;
            continue;
        }
        if (line.isEmpty())
            continue;
        QStringList fields = line.split(u';');
        if (fields.size() != FieldCount)
            file.skippedLines.push_back(number);
        else
            file.lines.push_back({number, std::move(fields)});
    }
    return file;
}

} // namespace eibi
