#pragma once

#include "geo/Coordinates.h"
#include "jet/Table.h"

#include <memory>
#include <optional>
#include <vector>

namespace map {

// "HHMM" from 0000 to 2400 as minutes of the day; nothing for "...." and other non-times.
std::optional<int> minuteOfDay(QStringView hhmm);

// Broadcast times as the schedule gives them, and as minutes when they are times.
struct Times {
    QString begin, end;
    int beginMinute = -1, endMinute = -1;
    int beginHHMM = -1, endHHMM = -1; // the texts as numbers when they are four digits
    bool known() const { return beginMinute >= 0 && endMinute >= 0; }
};

// A transmitter site: the place rows share by their coordinates.
struct Place {
    geo::LatLon where;
    QString location; // of the first row there
};

// What the pictures need of one table, worked out once: each row's place (from Lati and
// Longi), times (UTCB and UTCE, else the halves of UTC) and frequency, as indexes into
// lists of the distinct ones, so that following a grid of many rows costs array look-ups.
class TableIndex {
public:
    explicit TableIndex(std::shared_ptr<const jet::Table> table);

    const jet::Table *table() const { return m_table.get(); }
    int rowCount() const { return int(m_rows.size()); }
    int placeOf(int row) const { return m_rows[row].place; } // -1: no valid coordinates
    int timesOf(int row) const { return m_rows[row].times; }
    double freqOf(int row) const { return m_rows[row].khz; } // NaN when none
    const std::vector<Place> &places() const { return m_places; }
    const std::vector<Times> &times() const { return m_timesList; }
    // A cell's text by field name; "" when the table has no such field.
    QString text(int row, QStringView field) const;

private:
    void indexPlaces();
    void indexTimes();
    void indexFrequencies();

    std::shared_ptr<const jet::Table> m_table;
    struct Row { // side by side, as the pictures read them together
        double khz;
        int place;
        int times;
    };
    std::vector<Row> m_rows;
    std::vector<Place> m_places;
    std::vector<Times> m_timesList;
};

// Which of the distinct times are on the air at the minute utcHHMM of the hour utcHour, by
// the rule the grid colours its rows with.
std::vector<char> onAirTimes(const std::vector<Times> &times, const QString &utcHHMM,
                             const QString &utcHour);

} // namespace map
