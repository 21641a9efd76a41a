#pragma once

#include <QString>

namespace reference {

// The reference windows as the main window's handlers see them; ReferenceViewsUi is the
// real one.
class ReferenceWindows {
public:
    virtual ~ReferenceWindows() = default;
    virtual bool singleRecordOpen() const = 0;
    virtual void openSingleRecord(qint32 stationId) = 0; // modeless, reads the record
    virtual void bringSingleRecordToFront() = 0;
    virtual void closeSingleRecord() = 0;
    virtual bool helpOpen() const = 0;
    virtual void openHelp(const QString &helpFile) = 0;
    virtual void bringHelpToFront() = 0;
};

// A right click on a row: an open window keeps the record it shows and only comes to the
// front; the new record is read when it is opened again.
void ShowSingleRecord(ReferenceWindows &windows, qint32 stationId);

// "Select All Records".
void CloseSingleRecord(ReferenceWindows &windows);

// "Contents": the help file's first page, or the help window already on view.
void ShowHelp(ReferenceWindows &windows, const QString &helpFile);

} // namespace reference
