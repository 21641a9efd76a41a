#pragma once

#include "onair/OnAirPort.h"

#include <QDateTime>
#include <QLocale>

namespace onair {

// Selects the stations on the air now; the current station stays current when it is among them.
void DisplayOnAir(OnAirPort &port);
// Leaves the on-air selection without a new query.
void DisableOnAir(OnAirPort &port);
// The "On Air" button: on restores nothing and remembers the view, off restores it.
void CmdONAir_Click(OnAirPort &port);
// A right click on the button: refreshes the on-air selection, or only the find marks.
void CmdONAir_MouseDown(OnAirPort &port, bool rightButton);

// One clock tick after the clipboard step: the clock, the full-minute refresh and the
// automatic on-air update, the clock in the title. styledMinute is the UTC minute the row
// colours were worked out for.
void clockTick(ClockPort &port, const QDateTime &localNow, const QLocale &locale,
               QString &styledMinute);

} // namespace onair
