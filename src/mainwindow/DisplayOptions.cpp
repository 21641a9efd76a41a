#include "mainwindow/DisplayOptions.h"

#include "app/Conversions.h"
#include "mainwindow/GridSetup.h"

namespace mainwindow {

namespace {

constexpr int ColourCount = 6;
constexpr int FirstGridColour = 2; // items from here on colour the grid

void checkOnly(DisplayOptionsPort &port, OptionGroup group, int count, int index) {
    for (int i = 0; i < count; ++i)
        port.setChecked(group, i, i == index);
}

bool isPair(int index) {
    return index == 0 || index == 1;
}

void storeColour(app::ProgramState &s, int index, qint32 rgb24) {
    switch (index) {
    case 0:
        s.BackColor = rgb24;
        break;
    case 1:
        s.Forecolor = rgb24;
        break;
    case 2:
        s.MarkedRowBackColor = rgb24;
        break;
    case 3:
        s.GridBackColor = rgb24;
        break;
    case 4:
        s.OnAirNormColor = rgb24;
        break;
    case 5:
        s.OnAirSelectColor = rgb24;
        break;
    }
}

} // namespace

QString colourDialogTitle(int index) {
    static const char *const titles[ColourCount] = {
        "Control BackColor", "Control ForeColor", "Selected Row BackColor",
        "Grid BackColor",    "On-AirColor",       "On-Air SelectColor"};
    return index >= 0 && index < ColourCount ? QString::fromLatin1(titles[index]) : QString();
}

void TTips_Click(int index, DisplayOptionsPort &port) {
    if (!isPair(index))
        return;
    port.state().DoTips = app::flagText(index == 1);
    port.setGridToolTips(index == 1);
    checkOnly(port, OptionGroup::TTips, 2, index);
}

void Colors_Click(int index, DisplayOptionsPort &port) {
    if (index < 0 || index >= ColourCount)
        return;
    // A cancelled dialog leaves the colour, and everything else, as it was.
    const std::optional<qint32> colour = port.prompts().colorDialog(colourDialogTitle(index));
    if (!colour)
        return;
    storeColour(port.state(), index, *colour);
    if (index >= FirstGridColour) {
        port.DisableOnAir();
        port.SetupGrid();
    }
    port.repaintWindowColours();
}

void FontNames_Click(int index, DisplayOptionsPort &port) {
    if (index < 0 || index >= FontNameChoices.size())
        return;
    const QString &name = FontNameChoices[index];
    port.setGridFontName(name);
    port.refreshGrid();
    port.state().GridFontname = name;
    port.CheckFontSize();
    port.SetupGrid();
}

void DFonts_Click(int index, DisplayOptionsPort &port) {
    if (index < 0 || index >= int(FontSizeChoices.size()))
        return;
    const int points = FontSizeChoices[index];
    port.setGridFontSize(points);
    port.refreshGrid();
    port.state().GridFontSize = QString::number(points);
    port.CheckFontSize();
    port.SetupGrid();
}

void WhichFont_Click(int index, DisplayOptionsPort &port) {
    if (!isPair(index))
        return;
    port.state().FontIsBold = app::flagText(index == 1);
    checkOnly(port, OptionGroup::WhichFont, 2, index);
    port.SetupGrid();
}

// The new direction waits for the next query.
void FSort_Click(int index, DisplayOptionsPort &port) {
    if (!isPair(index))
        return;
    port.state().FSortStr = index == 1 ? QStringLiteral(" DESC") : QString();
    checkOnly(port, OptionGroup::FSort, 2, index);
}

void LC_Click(int index, DisplayOptionsPort &port) {
    if (!isPair(index))
        return;
    const qint16 locked = qint16(index + 2);
    port.state().SplitterPosition = locked;
    port.setLockedColumns(locked);
    port.refreshGrid();
    checkOnly(port, OptionGroup::LC, 2, index);
}

void SelectM_Click(int index, DisplayOptionsPort &port) {
    if (index == 3) {
        port.clearGridSelection();
        return;
    }
    if (index < 0 || index > 2)
        return;
    port.state().RowSelectType = qint16(index + 1);
    port.setRowSelectionKind(index + 1);
    checkOnly(port, OptionGroup::SelectM, 3, index);
}

} // namespace mainwindow
