#pragma once

#include "app/ProgramState.h"
#include "app/Seams.h"
#include "jet/DataSource.h"

namespace receiver {

// What the receiver link needs from the main window. The grid methods carry the names of the
// shared grid port, so that this port can derive from it.
class LinkPort {
public:
    virtual ~LinkPort() = default;

    virtual app::ProgramState &state() = 0;
    virtual app::Clipboard &clipboard() = 0;
    // The grid's data source; the grid's current row follows its record set's current record.
    virtual jet::DataSource &data1() = 0;
    // Runs selectText with WhereStr and the ordering on Data1 and refreshes the grid.
    virtual void ReadDB(const QString &selectText) = 0;

    // Grid.
    virtual int visibleRowCount() const = 0;
    virtual void setGridRedraw(bool on) = 0;
    virtual void refreshGrid() = 0;
    virtual void resetGridRows() = 0;
    virtual void resetGridSelection() = 0;
    virtual int bookmarkAtOffset(int offset) const = 0;
    virtual void setFirstVisibleRow(int bookmark) = 0;
    // Drops the blue bold marking of the last find (the repaint after FindType 0 does it).
    virtual void clearFindMarking() = 0;
    virtual void setBusyPointer(bool busy) = 0;

    // Label(0): the frequency last picked.
    virtual void setLabel0(const QString &caption) = 0;
    // The check marks of "RX320 Link" > "Enabled" (DoLink 0) and "Disabled" (DoLink 1).
    virtual void setLinkChecks(bool enabledChecked, bool disabledChecked) = 0;

    // The reception log's re-tune rule: when an entry is open, asks "Save Current Log Entry?"
    // and closes it (the log lives above this folder).
    virtual void reTuneRule() = 0;
};

} // namespace receiver
