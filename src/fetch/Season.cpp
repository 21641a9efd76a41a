#include "fetch/Season.h"

#include <QRegularExpression>

namespace fetch {

namespace {
QDate lastSunday(int year, int month) {
    QDate d = QDate(year, month, 1).addMonths(1).addDays(-1);
    return d.addDays(-(d.dayOfWeek() % 7)); // dayOfWeek: Monday 1 ... Sunday 7
}
} // namespace

QString Season::code() const {
    return QStringLiteral("%1%2")
        .arg(QChar(winter ? u'B' : u'A'))
        .arg(year % 100, 2, 10, QChar(u'0'));
}

Season Season::previous() const {
    return winter ? Season{false, year} : Season{true, year - 1};
}

QDate Season::firstDay() const {
    return lastSunday(year, winter ? 10 : 3);
}

bool Season::isEarlierThan(const Season &other) const {
    return year * 2 + int(winter) < other.year * 2 + int(other.winter);
}

Season seasonOn(QDate day) {
    const int year = day.year();
    if (day >= lastSunday(year, 10))
        return {true, year};
    if (day >= lastSunday(year, 3))
        return {false, year};
    return {true, year - 1};
}

std::optional<Season> parseSeason(const QString &code) {
    static const QRegularExpression form(QStringLiteral("^([AB])([0-9]{2})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(code.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return Season{m.captured(1).toUpper() == u"B", 2000 + m.captured(2).toInt()};
}

} // namespace fetch
