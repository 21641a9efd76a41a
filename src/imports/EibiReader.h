#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace eibi {

// The first line of every EiBi CSV schedule (sked-A26.csv, sked-B26.csv, ...).
inline constexpr char16_t HeaderLine[] =
    u"kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;"
    u"Stop:60;";

// One data line split at its ten semicolons: kHz, time, days, ITU, station, language,
// target, remarks (the transmitter site), persistence, start, stop.
struct ScheduleLine {
    int lineNumber = 0;
    QStringList fields;
};

struct ScheduleFile {
    bool headerOk = false;
    QString foundHeader; // the first line as found, for the message on a wrong one
    std::vector<ScheduleLine> lines;
    std::vector<int> skippedLines; // numbers of lines without exactly ten semicolons
};

// UTF-8 when the whole text is valid UTF-8, else Windows-1252 (the published 8-bit form).
QString decodeScheduleText(const QByteArray &bytes);

// Reads the schedule, lines ended by CR LF or LF; empty lines are passed over.
ScheduleFile readSchedule(const QByteArray &bytes);

} // namespace eibi
