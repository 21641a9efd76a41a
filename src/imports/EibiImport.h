#pragma once

#include "imports/EibiCodes.h"
#include "imports/ImportMachine.h"

namespace eibi {

// The EiBi CSV schedule (sked-B26.csv) as a source of the import machine: its lines mapped
// with codes, entries with start and end dates kept only when valid as asked.
imports::ScheduleReader scheduleReader(const EibiCodes &codes);

// "B26" from a file name such as sked-b26.csv; empty when the name does not tell.
QString seasonOfFileName(const QString &path);

} // namespace eibi
