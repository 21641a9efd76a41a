#pragma once

#include "mainwindow/DisplayOptionsPort.h"

namespace mainwindow {

// Handlers of the "Options" menu's display items and of "Select Method"; each takes the
// item's index and ignores indices the menu does not have.
void TTips_Click(int index, DisplayOptionsPort &port);
void Colors_Click(int index, DisplayOptionsPort &port);
void FontNames_Click(int index, DisplayOptionsPort &port);
void DFonts_Click(int index, DisplayOptionsPort &port);
void WhichFont_Click(int index, DisplayOptionsPort &port);
void FSort_Click(int index, DisplayOptionsPort &port);
void LC_Click(int index, DisplayOptionsPort &port);
void SelectM_Click(int index, DisplayOptionsPort &port);

// The colour dialog's title for a "Colors" item, "" outside 0..5.
QString colourDialogTitle(int index);

// After "Colors" item index changed its colour: the pairs it is part of that read below
// 4.5:1, one line each ("On-Air on Grid BackColor: 3.9:1"); none when all read well.
QStringList lowContrastPairs(const app::ProgramState &state, int index);

} // namespace mainwindow
