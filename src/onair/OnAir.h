#pragma once

#include <QString>

namespace onair {

// Back colours of the "On Air" button (red + 256 * green + 65536 * blue).
constexpr int OnAirOffColor = 0xC0C0C0; // light grey, also at start
constexpr int OnAirOnColor = 0xC0C0FF;  // light red

// Begin and end of a row's broadcast, "HHMM" texts ("...." when the schedule has none).
struct RowTimes {
    QString begin;
    QString end;
};

// The broadcast runs at the minute utcHHMM of the hour utcHour ("HH"); unknown times never
// do. This is the rule the grid colours rows by (a selection uses OnAirCondition).
bool isOnAirRow(const RowTimes &times, const QString &utcHHMM, const QString &utcHour);
// The same for times that are four digits each, as numbers (1830 for "1830"): no texts to
// compare where many rows are looked at every minute.
bool isOnAirAt(int beginHHMM, int endHHMM, int nowHHMM);

// "HHMM" plus 2400 as plain digits: the clock seen past midnight ("0130" gives "2530").
QString timePastMidnight(const QString &utcHHMM);

// The condition selecting the records on the air at utcHHMM, midnight windows included.
QString OnAirCondition(const QString &utcHHMM);

// filterStr with its on-air line (if any) replaced by one for utcHHMM; a description without
// "Filter By" gets that heading first.
QString withOnAirLine(const QString &filterStr, const QString &utcHHMM);

// The grid caption after DisplayOnAir.
QString displayOnAirCaption(const QString &language, int recordCount);

// The grid caption after the button toggled the mode; clears captionNot for "ALL".
QString toggleCaption(const QString &language, QString &captionNot, int recordCount);

// Find criteria of the current station, as the two callers spell them.
QString stationCriterionOnAir(qint32 stationId); // two blanks before "="
QString stationCriterion(qint32 stationId);      // one blank before "="

} // namespace onair
