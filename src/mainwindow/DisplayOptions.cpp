#include "mainwindow/DisplayOptions.h"

#include "app/Contrast.h"
#include "app/Conversions.h"
#include "mainwindow/GridSetup.h"
#include "mainwindow/OptionMarks.h"

#include <cmath>

namespace mainwindow {

namespace {

constexpr int ColourCount = 6;
constexpr int FirstGridColour = 2; // items from here on colour the grid

int markOf(OptionGroup group, const OptionMarks &m) {
    switch (group) {
    case OptionGroup::TTips:
        return m.tips;
    case OptionGroup::WhichFont:
        return m.markedRowFont;
    case OptionGroup::FSort:
        return m.freqSort;
    case OptionGroup::LC:
        return m.lockColumns;
    case OptionGroup::SelectM:
        return m.selectMethod;
    default:
        return -1;
    }
}

// The mark follows the stored setting by the same rule as at start, so the two never differ.
void checkStored(DisplayOptionsPort &port, OptionGroup group, int count) {
    const int mark = markOf(group, optionMarks(port.state()));
    for (int i = 0; i < count; ++i)
        port.setChecked(group, i, i == mark);
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

// Text in one colour on another, named after the "Colors" items that set them.
struct ColourPair {
    const char *name;
    int fore;
    int back;
    QList<int> items; // the "Colors" items whose change can spoil it
};

QList<ColourPair> colourPairs(const app::ProgramState &s) {
    return {{"Control ForeColor on Control Backcolor", int(s.Forecolor), int(s.BackColor), {0, 1}},
            {"On-Air on Grid BackColor", s.OnAirNormColor, s.GridBackColor, {3, 4}},
            {"On-Air on Selected Row Backcolor", s.OnAirNormColor, s.MarkedRowBackColor, {2, 4}},
            {"On-Air Select on Selected Row Backcolor",
             s.OnAirSelectColor,
             s.MarkedRowBackColor,
             {2, 5}}};
}

// Rounded down, so that a pair just short of 4.5:1 never reads "4.5:1".
QString ratioText(double ratio) {
    return QString::number(std::floor(ratio * 10) / 10, 'f', 1) + QStringLiteral(":1");
}

// The listener keeps the colours chosen; the message only says which pairs tire the eye.
void warnOnLowContrast(DisplayOptionsPort &port, int index) {
    const QStringList pairs = lowContrastPairs(port.state(), index);
    if (pairs.isEmpty())
        return;
    port.prompts().messageBox(
        QStringLiteral("These colours are hard to read (4.5:1 or more reads well):\n") +
            pairs.join(u'\n') + QStringLiteral("\nThe colours are kept."),
        QStringLiteral("Colors"), app::Buttons::Ok);
}

} // namespace

QStringList lowContrastPairs(const app::ProgramState &state, int index) {
    QStringList lines;
    for (const ColourPair &pair : colourPairs(state)) {
        const double ratio = app::contrastRatio(pair.fore, pair.back);
        if (pair.items.contains(index) && ratio < app::ReadableContrast)
            lines << QLatin1String(pair.name) + QStringLiteral(": ") + ratioText(ratio);
    }
    return lines;
}

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
    checkStored(port, OptionGroup::TTips, 2);
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
    warnOnLowContrast(port, index);
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
    checkStored(port, OptionGroup::WhichFont, 2);
    port.SetupGrid();
}

// The new direction waits for the next query.
void FSort_Click(int index, DisplayOptionsPort &port) {
    if (!isPair(index))
        return;
    port.state().FSortStr = index == 1 ? QStringLiteral(" DESC") : QString();
    checkStored(port, OptionGroup::FSort, 2);
}

void LC_Click(int index, DisplayOptionsPort &port) {
    if (!isPair(index))
        return;
    const qint16 locked = qint16(index + 2);
    port.state().SplitterPosition = locked;
    port.setLockedColumns(locked);
    port.refreshGrid();
    checkStored(port, OptionGroup::LC, 2);
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
    checkStored(port, OptionGroup::SelectM, 3);
}

} // namespace mainwindow
