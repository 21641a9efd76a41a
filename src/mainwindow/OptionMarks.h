#pragma once

#include "app/ProgramState.h"

#include <optional>

namespace mainwindow {

// Which item of each Options group carries the check mark; -1 leaves a group as it is.
struct OptionMarks {
    int doLink = -1;       // 0 Enabled, 1 Disabled
    int tips = -1;         // 0 No, 1 Yes
    int freqSort = -1;     // 0 Ascending, 1 Descending
    int selectMethod = -1; // among the three selection kinds
    int sinpo = -1;
    int markedRowFont = -1; // 0 Normal, 1 Bold
    int autoUpdate = -1;
    int clock = -1;       // 0 Display OFF, 1 Display ON
    int lockColumns = -1; // 0 Freq, 1 Freq + Next
    bool tipsShown = false;
    int rowSelectionKind = 0; // 1..3, 0 when the setting is out of range
    int lockedColumns = 0;    // 2 or 3, 0 when the setting is out of range
};

// The marks and grid options the settings ask for at start.
OptionMarks optionMarks(const app::ProgramState &state);

// "Auto Update ON-AIR": the item to check, -1 (and nothing changed) for another index.
int SelAutoUpdate_Click(app::ProgramState &state, int index);

// "Clock Display": the item to check and, when the clock goes off, the plain title.
struct ClockChoice {
    int mark = -1;
    std::optional<QString> title;
};
ClockChoice ClockOnOff_Click(app::ProgramState &state, int index);

} // namespace mainwindow
