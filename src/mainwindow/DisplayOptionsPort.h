#pragma once

#include "app/GridPort.h"
#include "app/ProgramState.h"
#include "app/Seams.h"

namespace mainwindow {

// The check-marked item groups of the "Options" and "Select Method" menus.
enum class OptionGroup { TTips, FontNames, DFonts, WhichFont, FSort, LC, SelectM };

// What the display-option handlers need from the main window and its grid.
class DisplayOptionsPort : public virtual app::GridPort {
public:
    // The check mark of one menu item.
    virtual void setChecked(OptionGroup group, int index, bool checked) = 0;

    // Grid.
    virtual void setGridFontName(const QString &name) = 0;
    virtual void setGridFontSize(int points) = 0;
    // Columns kept in view from the left, the hidden StationID counted.
    virtual void setLockedColumns(int count) = 0;
    // 1 single record, 2 several records one click each, 3 a contiguous range.
    virtual void setRowSelectionKind(int kind) = 0;
    virtual void setGridToolTips(bool on) = 0;
    virtual void clearGridSelection() = 0;

    // The main window's procedures.
    virtual void SetupGrid() = 0;
    virtual void CheckFontSize() = 0;
    virtual void DisableOnAir() = 0;
    // Label 0, the language selector's list and the query dialog's lists and boxes take
    // BackColor and Forecolor.
    virtual void repaintWindowColours() = 0;
};

} // namespace mainwindow
