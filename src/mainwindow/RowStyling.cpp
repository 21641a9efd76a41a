#include "mainwindow/RowStyling.h"

#include "app/Conversions.h"

namespace mainwindow {

namespace {
constexpr int FreqColumn = 1;

bool sameNumber(const QString &a, const QString &b) {
    return app::leadingNumber(a) == app::leadingNumber(b);
}

// Upper-cased cell text holding the (already upper-case) find value; column 0 means the
// field is not displayed.
bool columnContains(const CellTextReader &cell, int column, const QString &value) {
    return column != 0 && cell(column).toUpper().contains(value);
}
} // namespace

std::optional<RowTimes> rowTimes(const app::ProgramState &s, const CellTextReader &cell) {
    if (s.UTCShown) {
        const QString utc = cell(s.UTCCol);
        return RowTimes{utc.left(4), utc.right(4)};
    }
    if (s.UTCBCol != 0 && s.UTCECol != 0)
        return RowTimes{cell(s.UTCBCol), cell(s.UTCECol)};
    return std::nullopt;
}

bool matchesFind(const app::ProgramState &s, const RowTimes &times, const CellTextReader &cell) {
    switch (s.FindType) {
    case 1:
        return sameNumber(s.SearchStr, cell(FreqColumn));
    case 2:
        return columnContains(cell, s.StationCol, s.SearchStr);
    case 3:
        return columnContains(cell, s.LocCol, s.SearchStr);
    case 4:
        return s.SearchStr == times.begin;
    case 5:
        return columnContains(cell, s.ADMCol, s.SearchStr);
    case 6:
        return columnContains(cell, s.STNCol, s.SearchStr);
    case 7:
        return sameNumber(s.RadioFreq, cell(FreqColumn));
    default:
        return false;
    }
}

QString rowStyleSet(const app::ProgramState &s, const CellTextReader &cell) {
    const std::optional<RowTimes> times = rowTimes(s, cell);
    if (!times)
        return {};
    const bool found = matchesFind(s, *times, cell);
    if (isOnAirRow(*times, s.UTCHHMM, s.UTCHour))
        return found ? s.RedBoldStyle : s.RedNormalStyle;
    return found ? s.BlueBoldStyle : QString();
}

} // namespace mainwindow
