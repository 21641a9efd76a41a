#include "app/GridPort.h"

#include "app/Conversions.h"

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

} // namespace app
