#pragma once

#include "app/GridPort.h"

namespace schedule {

// What a click on a column heading needs beyond the grid.
class SortPort : public virtual app::GridPort {
public:
    // Whether the record set's current record is among the visible rows.
    virtual bool currentRowVisible() const = 0;
};

// A click on a column heading: the rows sorted by that field, the remembered station current.
void SSDBGrid_SortColumn(SortPort &port, const QString &fieldName);

// A mouse button on the row with this bookmark: its station is remembered. False when there
// is no row there.
bool stationClicked(app::GridPort &port, int bookmark);

} // namespace schedule
