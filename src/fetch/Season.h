#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace fetch {

// A broadcasting season: A (summer) from the last Sunday of March, B (winter) from the last
// Sunday of October to the last Sunday of March of the next year, so B26 runs into 2027.
struct Season {
    bool winter = false;
    int year = 0; // the year it begins in

    QString code() const; // "A26", "B26"
    Season previous() const;
    QDate firstDay() const;
    bool operator==(const Season &) const = default;
    bool isEarlierThan(const Season &other) const;
};

Season seasonOn(QDate utcDay);

// "b26", "B26" and the like; nothing for any other text.
std::optional<Season> parseSeason(const QString &code);

} // namespace fetch
