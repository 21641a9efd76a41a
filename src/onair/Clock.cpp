#include "onair/Clock.h"

#include <cmath>

namespace onair {

namespace {
constexpr qint64 MsPerDay = 86400000;
constexpr qint64 MsPerSerialStep = 864; // 0.00001 day

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// hh:mm:ss of a time rounded to the whole second.
QTime wholeSecond(const QDateTime &dateTime) {
    const QTime t = dateTime.addMSecs(500).time();
    return QTime(t.hour(), t.minute(), t.second());
}

QString twentyFourHour(const QTime &t) {
    return twoDigits(t.hour()) + u':' + twoDigits(t.minute()) + u':' + twoDigits(t.second());
}

QString twelveHour(const QTime &t, const QLocale &locale) {
    const int hour = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    const QString designator = t.hour() < 12 ? locale.amText() : locale.pmText();
    return twoDigits(hour) + u':' + twoDigits(t.minute()) + u':' + twoDigits(t.second()) + u' ' +
           designator;
}
} // namespace

QDateTime wallClock(const QDateTime &dateTime) {
    return QDateTime(dateTime.date(), dateTime.time(), Qt::UTC);
}

// From the platform clock's whole seconds: with its milliseconds kept, rounding to the
// day-serial steps could make a second shorter than the timer's tick, and the "00" tick
// of a minute be missed.
QDateTime roundedToDaySerial(const QDateTime &local) {
    const QTime t = local.time();
    const QDateTime wall(local.date(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC);
    const QDateTime start(wall.date(), QTime(0, 0), Qt::UTC);
    const qint64 ms = start.msecsTo(wall);
    const qint64 steps = qint64(std::llround(double(ms) / MsPerSerialStep));
    return start.addMSecs(steps * MsPerSerialStep);
}

QDateTime utcFromLocal(const QDateTime &local, double timeZone) {
    return wallClock(local).addMSecs(std::llround(-timeZone / 24.0 * MsPerDay));
}

QString ClockString(const QDateTime &utc, const QDateTime &local, const QLocale &locale) {
    const QTime u = wholeSecond(utc);
    const QTime l = wholeSecond(local);
    return twentyFourHour(u) + QStringLiteral(" UTC  ") + twentyFourHour(l) +
           QStringLiteral("   ") + twelveHour(l, locale) + QStringLiteral(" Local");
}

void ComputeClock(app::ProgramState &s, const QDateTime &localNow, const QLocale &locale) {
    s.LocalNow = roundedToDaySerial(localNow);
    s.UTCTime = utcFromLocal(s.LocalNow, s.TimeZone);
    s.ClockStr = ClockString(s.UTCTime, s.LocalNow, locale);
    s.UTCHour = s.ClockStr.mid(0, 2);
    s.UTCMin = s.ClockStr.mid(3, 2);
    s.UTCSec = s.ClockStr.mid(6, 2);
    s.UTCHHMM = s.UTCHour + s.UTCMin;
}

QList<TimeZoneEntry> timeZoneEntries() {
    QList<TimeZoneEntry> entries;
    for (int h = 12; h >= 1; --h)
        entries.append({u'+' + QString::number(h), h});
    entries.append({QStringLiteral(" 0  (UTC)"), 0});
    const QString suffixes[] = {{},
                                {},
                                {},
                                {},
                                QStringLiteral("  (AST/EDT)"),
                                QStringLiteral("  (EST/CDT)"),
                                QStringLiteral("  (CST/MDT"),
                                QStringLiteral("  (MST/PDT)"),
                                QStringLiteral("  (PST)"),
                                QStringLiteral("  (Alaska)"),
                                QStringLiteral("  (Hawaii)"),
                                QStringLiteral("  (Midway Is.)"),
                                {}};
    for (int h = 1; h <= 12; ++h)
        entries.append({u'-' + QString::number(h) + suffixes[h], -h});
    return entries;
}

int preselectedTimeZoneRow(const QList<TimeZoneEntry> &entries, double timeZone) {
    for (int row = 0; row < entries.size(); ++row)
        if (entries[row].hours == timeZone)
            return row;
    return int(entries.size()) - 1;
}

} // namespace onair
