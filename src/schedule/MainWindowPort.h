#pragma once

#include "app/ProgramState.h"
#include "app/Seams.h"
#include "jet/DataSource.h"

namespace schedule {

// What the find, filter and language handlers need from the main window. The main window
// implements it over its grid, its data source Data1 and its companion windows.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;

    virtual app::ProgramState &state() = 0;
    virtual app::Prompts &prompts() = 0;
    // The grid's data source; the grid's current row follows its record set's current record.
    virtual jet::DataSource &data1() = 0;
    // Runs selectText with WhereStr and the ordering on Data1, refreshes the grid, sets the
    // caption; errors are absorbed.
    virtual void ReadDB(const QString &selectText) = 0;

    // Grid.
    virtual int visibleRowCount() const = 0;
    virtual void setGridRedraw(bool on) = 0;
    virtual void refreshGrid() = 0;
    // The two resets run before every re-positioning find: re-read the rows, drop the selection.
    virtual void resetGridRows() = 0;
    virtual void resetGridSelection() = 0;
    // Bookmark of the row offset rows from the record set's current record (kept within the rows).
    virtual int bookmarkAtOffset(int offset) const = 0;
    virtual void setFirstVisibleRow(int bookmark) = 0;
    // Bookmark of the grid's current row, -1 when there is none.
    virtual int currentBookmark() const = 0;
    // Value of grid column 0 (StationID) in the row with this bookmark.
    virtual jet::Cell firstColumnValue(int bookmark) const = 0;
    virtual void setGridCaption(const QString &caption) = 0;

    virtual void setBusyPointer(bool busy) = 0;

    // On-air selection.
    virtual void DisplayOnAir() = 0;
    virtual void DisableOnAir() = 0;
    virtual void setOnAirButtonColor(int bgr) = 0;

    // Companion windows.
    // Shows FrmQuery modally; returns when it is hidden (DlgCancel tells how).
    virtual void showQueryDialog() = 0;
    // Shows FrmLanguage beside the main window, without blocking it.
    virtual void showLanguageSelector() = 0;
    virtual void setLanguageSelectorText(const QString &text) = 0;
    virtual void closeSingleRecordWindow() = 0; // nothing when it is not open
};

} // namespace schedule
