#pragma once

#include "app/ProgramState.h"

#include <QDateTime>
#include <QLocale>

namespace onair {

// Wall-clock arithmetic as day serial numbers: the fields of a date-time count, never the
// machine's time zone, so an offset of hours is a plain shift of the clock face.
QDateTime wallClock(const QDateTime &dateTime);

// The local time as a day serial number rounded to five decimals (steps of 0.864 s).
QDateTime roundedToDaySerial(const QDateTime &local);

// local minus timeZone hours.
QDateTime utcFromLocal(const QDateTime &local, double timeZone);

// "hh:mm:ss UTC  hh:mm:ss   hh:mm:ss AM Local" with the locale's AM/PM texts.
QString ClockString(const QDateTime &utc, const QDateTime &local, const QLocale &locale);

// The clock part of a tick: LocalNow, UTCTime, ClockStr, UTCHour, UTCMin, UTCSec, UTCHHMM.
void ComputeClock(app::ProgramState &state, const QDateTime &localNow, const QLocale &locale);

// One entry of the time-zone list: its text and its offset in hours.
struct TimeZoneEntry {
    QString text;
    int hours = 0;
};

// "+12" down to "+1", " 0  (UTC)", "-1" to "-12" with the zone names of eight of them.
QList<TimeZoneEntry> timeZoneEntries();

// The entry the list shows for timeZone: the first with that offset, else the last one.
int preselectedTimeZoneRow(const QList<TimeZoneEntry> &entries, double timeZone);

} // namespace onair
