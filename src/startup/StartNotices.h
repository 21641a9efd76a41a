#pragma once

#include "app/Paths.h"
#include "app/ProgramState.h"

#include <QStringList>

namespace startup {

// What the program says once the window shows: that the listener's folder cannot be written
// (at every start while it is so), and that the schedule is the made-up sample an installed
// program ships (at the first start on it only: own.SampleNoticeShown remembers it).
QStringList startNotices(const app::Paths &paths, app::OwnSettings &own);

} // namespace startup
