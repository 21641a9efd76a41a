#include "map/GridFollower.h"

#include <algorithm>

namespace map {

bool GridFollower::followRows(const jet::RecordSet &records) {
    const std::span<const int> now = records.bookmarks();
    if (std::equal(now.begin(), now.end(), m_rows.rows.begin(), m_rows.rows.end()))
        return false;
    m_rows.rows.assign(now.begin(), now.end());
    return true;
}

GridFollower::Changes GridFollower::look(app::GridPort &grid) {
    Changes changes;
    const jet::RecordSet &records = grid.data1().recordset();
    const bool newTable = !m_rows.index || m_rows.index->table() != records.table().get();
    if (newTable)
        m_rows.index = std::make_shared<TableIndex>(records.table());
    changes.rows = followRows(records) || newTable;
    const int current = grid.currentBookmark();
    changes.current = changes.rows || current != m_current;
    m_current = current;
    const app::ProgramState &s = grid.state();
    if (newTable || s.UTCHHMM != m_minute) {
        m_minute = s.UTCHHMM;
        m_onAir = onAirTimes(m_rows.index->times(), s.UTCHHMM, s.UTCHour);
        changes.minute = true;
    }
    return changes;
}

} // namespace map
