#include "app/GridPort.h"

#include "app/Conversions.h"
#include "jet/Table.h"

#include <cmath>

namespace app {

std::optional<qint32> stationIdAt(const GridPort &grid, int bookmark) {
    if (bookmark < 0)
        return std::nullopt;
    const jet::Cell id = grid.firstColumnValue(bookmark);
    if (id.isNull())
        return std::nullopt;
    return roundToInt32(leadingNumber(jet::displayText(id))).value_or(0);
}

std::optional<qint32> currentStationId(const GridPort &grid) {
    return stationIdAt(grid, grid.currentBookmark());
}

QString rowFieldText(GridPort &grid, int bookmark, QStringView field) {
    // A bookmark is a row of the whole table, which holds every field.
    const std::shared_ptr<const jet::Table> table = grid.data1().recordset().table();
    if (!table || bookmark < 0 || bookmark >= table->rowCount())
        return {};
    const int column = table->columnIndex(field);
    return column < 0 ? QString() : jet::displayText(table->cell(bookmark, column));
}

} // namespace app
