#include "imports/EibiReader.h"

#include "app/TextDecoding.h"

namespace eibi {

namespace {

constexpr int FieldCount = 11;

} // namespace

QString decodeScheduleText(const QByteArray &bytes) {
    return app::decodeUtf8OrWindows1252(bytes);
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
