#pragma once

#include "app/ProgramState.h"
#include "onair/OnAir.h"

#include <functional>
#include <optional>

namespace mainwindow {

// Reads the displayed text of a cell of the row being painted, by grid column.
using CellTextReader = std::function<QString(int column)>;

using onair::isOnAirRow;
using onair::RowTimes;

// Taken from the UTC column, else from the UTCB and UTCE columns; none when neither is shown.
std::optional<RowTimes> rowTimes(const app::ProgramState &state, const CellTextReader &cell);

// The row matches the last find (FindType and SearchStr, or the receiver's frequency).
bool matchesFind(const app::ProgramState &state, const RowTimes &times, const CellTextReader &cell);

// The style set every cell of the row gets; "" leaves the grid's own look.
QString rowStyleSet(const app::ProgramState &state, const CellTextReader &cell);

} // namespace mainwindow
