#pragma once

#include "app/FetchSettings.h"

namespace fetch {

// Size and modification time of the database as written: a record whose stamp no longer
// matches describes a schedule that has since been replaced by other means.
QString databaseStamp(const QString &databasePath);

// The command-line update keeps its record in a file beside the database (DB.fetch).
QString stateFileFor(const QString &databasePath);
app::ScheduleRecord readState(const QString &databasePath);
bool writeState(const QString &databasePath, const app::ScheduleRecord &record, QString *error);

} // namespace fetch
