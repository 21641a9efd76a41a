#include "mainwindow/OptionMarks.h"

#include "app/Conversions.h"

namespace mainwindow {

namespace {

bool flag(const QString &text) {
    return app::parseFlag(text).value_or(false);
}

} // namespace

OptionMarks optionMarks(const app::ProgramState &s) {
    OptionMarks m;
    m.doLink = flag(s.LinkOK) ? 0 : 1;
    m.tipsShown = flag(s.DoTips);
    m.tips = m.tipsShown ? 1 : 0;
    m.freqSort = s.FSortStr.isEmpty() ? 0 : 1;
    if (s.RowSelectType >= 1 && s.RowSelectType <= 3) {
        m.rowSelectionKind = s.RowSelectType;
        m.selectMethod = s.RowSelectType - 1;
    }
    m.sinpo = s.SINPOPrompt ? 1 : 0;
    m.markedRowFont = flag(s.FontIsBold) ? 1 : 0;
    m.autoUpdate = s.AutoOnAir ? 1 : 0;
    m.clock = s.DisplayClock ? 1 : 0;
    if (s.SplitterPosition == 2 || s.SplitterPosition == 3) {
        m.lockedColumns = s.SplitterPosition;
        m.lockColumns = s.SplitterPosition - 2;
    }
    return m;
}

int SelAutoUpdate_Click(app::ProgramState &state, int index) {
    if (index != 0 && index != 1)
        return -1;
    state.AutoOnAir = index == 1;
    return index;
}

ClockChoice ClockOnOff_Click(app::ProgramState &state, int index) {
    if (index == 0) {
        state.DisplayClock = false;
        return {0, QStringLiteral("Skedwise Database Program")};
    }
    if (index == 1) {
        state.DisplayClock = true;
        return {1, std::nullopt};
    }
    return {};
}

} // namespace mainwindow
