#include "onair/OnAir.h"

#include "app/Captions.h"
#include "app/Conversions.h"

namespace onair {

namespace {
const QString OnAirLineStart = QStringLiteral("\r\nStations On Air @ ");
// CR LF, the heading, four digits and " Z".
constexpr int OnAirLineLength = 26;
} // namespace

QString timePastMidnight(const QString &utcHHMM) {
    return QString::number(utcHHMM.toInt() + 2400);
}

QString OnAirCondition(const QString &t) {
    const QString w = timePastMidnight(t);
    return QStringLiteral("((UTCE<UTCB AND '") + w + QStringLiteral("' >= UTCB and '") + w +
           QStringLiteral("' < (val(UTCE)+2400))") + QStringLiteral("OR (UTCE<UTCB AND '") + t +
           QStringLiteral("' >= UTCB and '") + t + QStringLiteral("' < (val(UTCE)+2400)) ") +
           QStringLiteral("OR (UTCE>UTCB AND '") + t + QStringLiteral("' >= UTCB AND '") + t +
           QStringLiteral("' <UTCE)) ");
}

QString withOnAirLine(const QString &filterStr, const QString &t) {
    QString result = filterStr;
    const qsizetype p = result.indexOf(OnAirLineStart);
    if (p >= 0)
        result.remove(p, OnAirLineLength);
    const QString line = OnAirLineStart + t + QStringLiteral(" Z");
    if (result.contains(u"Filter By"))
        return result + line;
    return result + QStringLiteral("\r\nFilter By ") + line;
}

QString displayOnAirCaption(const QString &language, int recordCount) {
    const QString n = QString::number(recordCount);
    if (language == u"ALL")
        return app::CaptionPrefix + n + QStringLiteral(" Records in ALL Languages");
    return app::CaptionPrefix + n + QStringLiteral(" Records in ") + language;
}

QString toggleCaption(const QString &language, QString &captionNot, int recordCount) {
    const QString n = QString::number(recordCount);
    if (language == u"ALL") {
        captionNot.clear();
        return app::CaptionPrefix + n + QStringLiteral(" Records in ALL Languages");
    }
    return app::CaptionPrefix + n + QStringLiteral(" Records ") + captionNot +
           QStringLiteral(" in ") + language;
}

QString stationCriterionOnAir(qint32 stationId) {
    return QStringLiteral("StationID  = ") + QString::number(stationId) + u' ';
}

QString stationCriterion(qint32 stationId) {
    return QStringLiteral("StationID = ") + QString::number(stationId) + u' ';
}

namespace {
// The rule on "HHMM" texts, or on their numbers: four-digit texts compare as numbers do.
template <typename Time>
bool onAirRule(const Time &begin, const Time &end, const Time &now, const Time &hourStart,
               double endNumber, double nowNumber) {
    if (end > begin)
        return now >= begin && now < end;
    // Over midnight, or begin equal to end.
    if (begin <= hourStart && now > end)
        return true;
    if (endNumber + 2400 > nowNumber && now >= begin)
        return true;
    return begin >= hourStart && now < end;
}
} // namespace

bool isOnAirRow(const RowTimes &t, const QString &now, const QString &utcHour) {
    if (t.begin == u"...." || t.end == u"....")
        return false;
    return onAirRule(t.begin, t.end, now, utcHour + QStringLiteral("00"), app::leadingNumber(t.end),
                     app::leadingNumber(now));
}

bool isOnAirAt(int begin, int end, int now) {
    return onAirRule(begin, end, now, now / 100 * 100, end, now);
}

} // namespace onair
