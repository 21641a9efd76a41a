#pragma once

#include "schedule/FilterPort.h"

namespace schedule {

// "Clear Filter": drops every filter, find marking, language choice and on-air selection
// and shows all records by frequency, keeping the same station current.
void SelectAll_Click(FilterPort &port);

// The text of the filter status window: FilterStr and the sort order, one line per CR LF.
QString filterStatusText(const app::ProgramState &state);

} // namespace schedule
