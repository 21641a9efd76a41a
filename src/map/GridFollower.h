#pragma once

#include "app/GridPort.h"
#include "map/TableIndex.h"

namespace map {

// "1 row", "12 rows".
inline QString rowsText(int n) {
    return n == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(n);
}

// The grid's rows at one look: table rows (bookmarks) in grid order, and their table's index.
struct GridRows {
    std::shared_ptr<const TableIndex> index;
    std::vector<int> rows;
    int count() const { return int(rows.size()); }
};

// Follows the grid for the pictures: each look says what changed since the last one, so
// that a window redoes only that.
class GridFollower {
public:
    struct Changes {
        bool rows = false;    // a re-query, a new order or another table
        bool current = false; // the grid's current row
        bool minute = false;  // the UTC minute, and with it what is on the air
        bool any() const { return rows || current || minute; }
    };

    Changes look(app::GridPort &grid);
    void forget() { *this = GridFollower(); }

    const GridRows &rows() const { return m_rows; }
    int currentBookmark() const { return m_current; }
    // By index of the table's distinct times.
    const std::vector<char> &timesOnAir() const { return m_onAir; }
    int nowMinute() const { return minuteOfDay(m_minute).value_or(0); }
    const QString &minute() const { return m_minute; } // the UTC "HHMM" of the last look

private:
    bool followRows(const jet::RecordSet &records); // whether they differ from the last look

    GridRows m_rows;
    int m_current = -2; // never a bookmark, so the first look reports the current row
    QString m_minute;
    std::vector<char> m_onAir;
};

} // namespace map
