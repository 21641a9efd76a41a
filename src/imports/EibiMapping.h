#pragma once

#include "imports/EibiCodes.h"
#include "imports/EibiReader.h"
#include "jet/Cell.h"

#include <set>
#include <vector>

namespace eibi {

// Codes of the schedule that the lists do not have, as "language XX", "site /ABC-x", ...
using UnknownCodes = std::set<QString>;

// The weekday forms ("Mo-Fr", "We-Mo", "Sa,Su", "SaSu", "1245", "" daily) as the digits
// 1 (Monday) to 7 in ascending order; any other text ("irr", "1.Sa", "15Sep") as it stands.
QString daysDigits(const QString &days);

// 48 half-hour steps from 0000 UTC, '#' while on the air; minutes 0..1440, begin == end all day.
QString graphicBar(int beginMinute, int endMinute);

// The row of MyDataTable for one schedule line, in catalogue order; empty when the line has
// no frequency.
std::vector<jet::Cell> scheduleRow(const ScheduleLine &line, int stationId, const EibiCodes &codes,
                                   UnknownCodes &unknown);

} // namespace eibi
