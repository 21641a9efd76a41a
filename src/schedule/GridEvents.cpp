#include "schedule/GridEvents.h"

#include "onair/OnAir.h"

namespace schedule {

void SSDBGrid_SortColumn(SortPort &port, const QString &fieldName) {
    app::ProgramState &s = port.state();
    s.SortBy = fieldName;
    if (s.SortBy != u"Freq")
        s.FindType = 0;
    port.setGridRedraw(false);
    port.setBusyPointer(true);
    port.ReadDB(s.SQLStr);
    port.data1().recordset().findFirst(onair::stationCriterion(s.SelStationID));
    // The station stays in view, as a bound grid shows its current record.
    if (!port.currentRowVisible())
        port.setFirstVisibleRow(port.bookmarkAtOffset(-s.HalfRows));
    port.setGridRedraw(true);
    port.refreshGrid();
    port.setBusyPointer(false);
}

bool stationClicked(app::GridPort &port, int bookmark) {
    if (bookmark < 0)
        return false; // below the last row: no station there
    app::ProgramState &s = port.state();
    s.SelStationID = app::stationIdAt(port, bookmark).value_or(0);
    s.LastStationID = s.SelStationID;
    return true;
}

} // namespace schedule
