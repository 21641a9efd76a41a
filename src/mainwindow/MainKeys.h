#pragma once

#include <algorithm>

#include <Qt>

namespace mainwindow {

// What a key pressed anywhere in the main window does.
enum class KeyCommand {
    None,
    PageUp,
    PageDown,
    FirstRecord,
    LastRecord,
    QuickFind,
    StartLog,
    StopLog,
    PickRow,
    ContextAction // the menu key: what a right click on the control with the focus does
};

struct KeyDecision {
    KeyCommand command = KeyCommand::None;
    int findIndex = -1;     // QuickFind: FindA item 0..4
    bool jumpToEnd = false; // PageUp/PageDown: also move to the first/last record
    bool consumed = true;   // the key goes no further
};

// Enter picks the current row when the grid has the focus.
KeyDecision decideKey(int key, Qt::KeyboardModifiers modifiers, bool logOn, bool gridHasFocus);

// Rows a page key scrolls: one row of the old page stays in view.
inline int pageRows(int visibleRows) {
    return std::max(visibleRows - 1, 0); // a grid too small for a row does not scroll back
}

} // namespace mainwindow
