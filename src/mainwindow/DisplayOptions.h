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

} // namespace mainwindow
