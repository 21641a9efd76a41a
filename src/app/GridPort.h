#pragma once

#include "app/ProgramState.h"
#include "app/Seams.h"
#include "jet/DataSource.h"

#include <optional>

namespace app {

// The schedule grid as every subsystem sees it: the grid shows Data1's record set and its
// current row follows that record set's current record. The main window implements it; each
// subsystem's own port derives from it (virtually, so the window implements it once).
class GridPort {
public:
    virtual ~GridPort() = default;

    virtual ProgramState &state() = 0;
    virtual Prompts &prompts() = 0;
    virtual jet::DataSource &data1() = 0;
    // Runs selectText with WhereStr and the ordering on Data1, refreshes the grid, sets the
    // caption; errors are absorbed.
    virtual void ReadDB(const QString &selectText) = 0;

    virtual int visibleRowCount() const = 0;
    virtual void setGridRedraw(bool on) = 0;
    virtual void refreshGrid() = 0;
    // The two resets run before every re-positioning find: re-read the rows, drop the selection.
    virtual void resetGridRows() = 0;
    virtual void resetGridSelection() = 0;
    // Bookmark of the row offset rows from the record set's current record (kept within the rows).
    virtual int bookmarkAtOffset(int offset) const = 0;
    virtual void setFirstVisibleRow(int bookmark) = 0;
    // Bookmark of the grid's current row, -1 when there is none.
    virtual int currentBookmark() const = 0;
    // Value of grid column 0 (StationID) in the row with this bookmark.
    virtual jet::Cell firstColumnValue(int bookmark) const = 0;
    virtual void setGridCaption(const QString &caption) = 0;
    // Forgets which rows the find rule marked, so they are styled afresh.
    virtual void clearFindMarking() = 0;

    // The hourglass; busy and default may come unpaired, the pointer keeps one level.
    virtual void setBusyPointer(bool busy) = 0;
};

// StationID in the row with this bookmark (column 0); nothing when there is no such row.
std::optional<qint32> stationIdAt(const GridPort &grid, int bookmark);
// StationID of the grid's current row.
std::optional<qint32> currentStationId(const GridPort &grid);
// Any field of the schedule row with this bookmark, shown in the grid or not; "" when there is
// no such row or field.
QString rowFieldText(GridPort &grid, int bookmark, QStringView field);

} // namespace app
