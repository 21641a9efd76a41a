#pragma once

#include "jet/Cell.h"

#include <vector>

namespace schedule {

// The 27 columns of MyDataTable in catalogue order, with their Access types and sizes
// (StationID Long Integer, Freq Double, the rest Text).
QVector<jet::Column> scheduleColumns();

// A realistic synthetic schedule of the given size; the same seed gives the same rows.
std::vector<std::vector<jet::Cell>> syntheticSchedule(int rows, quint64 seed);

} // namespace schedule
