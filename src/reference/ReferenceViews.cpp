#include "reference/ReferenceViews.h"

namespace reference {

void ShowSingleRecord(ReferenceWindows &windows, qint32 stationId) {
    if (windows.singleRecordOpen())
        windows.bringSingleRecordToFront();
    else
        windows.openSingleRecord(stationId);
}

void CloseSingleRecord(ReferenceWindows &windows) {
    if (windows.singleRecordOpen())
        windows.closeSingleRecord();
}

void ShowHelp(ReferenceWindows &windows, const QString &helpFile) {
    if (windows.helpOpen())
        windows.bringHelpToFront();
    else
        windows.openHelp(helpFile);
}

} // namespace reference
