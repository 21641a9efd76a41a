#pragma once

#include "app/ProgramState.h"

#include <functional>
#include <optional>

namespace mainwindow {

// Reads the displayed text of a cell of the row being painted, by grid column.
using CellTextReader = std::function<QString(int column)>;

// Begin and end of a row's broadcast, "HHMM" texts ("...." when the schedule has none).
struct RowTimes {
    QString begin;
    QString end;
};

// Taken from the UTC column, else from the UTCB and UTCE columns; none when neither is shown.
std::optional<RowTimes> rowTimes(const app::ProgramState &state, const CellTextReader &cell);

// The row matches the last find (FindType and SearchStr, or the receiver's frequency).
bool matchesFind(const app::ProgramState &state, const RowTimes &times, const CellTextReader &cell);

// The broadcast runs at the minute utcHHMM of the hour utcHour ("HH"); unknown times never do.
bool isOnAirRow(const RowTimes &times, const QString &utcHHMM, const QString &utcHour);

// The style set every cell of the row gets; "" leaves the grid's own look.
QString rowStyleSet(const app::ProgramState &state, const CellTextReader &cell);

} // namespace mainwindow
