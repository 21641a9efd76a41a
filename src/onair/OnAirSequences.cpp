#include "onair/OnAirSequences.h"

#include "onair/Clock.h"
#include "onair/OnAir.h"

namespace onair {

namespace {

int recordCount(OnAirPort &port) {
    return port.data1().recordset().recordCount();
}

void rememberCurrentStation(OnAirPort &port) {
    if (const std::optional<qint32> id = app::currentStationId(port))
        port.state().SelStationID = *id;
}

// Makes SelStationID current and shows it HalfRows below the top.
void centreCurrentStation(OnAirPort &port) {
    const app::ProgramState &s = port.state();
    jet::RecordSet &records = port.data1().recordset();
    records.moveFirst();
    records.findFirst(stationCriterionOnAir(s.SelStationID));
    port.setFirstVisibleRow(port.bookmarkAtOffset(-s.HalfRows));
}

void halfRows(OnAirPort &port) {
    port.state().HalfRows = qint16(port.visibleRowCount() / 2);
}

void turnOff(OnAirPort &port) {
    app::ProgramState &s = port.state();
    s.OnAirMode = false;
    port.setOnAirButtonColor(OnAirOffColor);
    s.WhereStr.clear();
    s.SortBy = s.SavedSortBy;
    s.FilterStr = s.SavedFilterStr;
    s.SQLStr = s.SavedSQL;
    s.SavedSortBy.clear();
    s.SavedFilterStr.clear();
    s.SavedSQL.clear();
    port.setBusyPointer(true);
    port.setGridRedraw(false);
    port.ReadDB(s.SQLStr);
    centreCurrentStation(port);
    port.setGridRedraw(true);
    port.setBusyPointer(false);
}

void turnOn(OnAirPort &port) {
    app::ProgramState &s = port.state();
    s.SavedSortBy = s.SortBy;
    s.SavedFilterStr = s.FilterStr;
    s.SavedSQL = s.SQLStr;
    DisplayOnAir(port); // it leaves the station current: only the scroll is left to do
    port.setGridRedraw(false);
    port.setFirstVisibleRow(port.bookmarkAtOffset(-s.HalfRows));
    port.setGridRedraw(true);
}

void clearFindMarks(OnAirPort &port) {
    port.state().FindType = 0;
    port.clearFindMarking();
    port.refreshGrid();
}

} // namespace

void DisplayOnAir(OnAirPort &port) {
    app::ProgramState &s = port.state();
    halfRows(port);
    rememberCurrentStation(port);
    s.OnAirMode = true;
    port.setOnAirButtonColor(OnAirOnColor);
    port.setBusyPointer(true);
    port.setGridRedraw(false);
    const QString now = s.UTCHour + s.UTCMin;
    s.SearchStr = now;
    s.WhereStr = OnAirCondition(now);
    port.ReadDB(s.SQLStr);
    s.FilterStr = withOnAirLine(s.FilterStr, now);
    port.setGridCaption(displayOnAirCaption(s.Language, recordCount(port)));
    if (recordCount(port) >= 1) {
        port.data1().recordset().moveFirst();
        port.data1().recordset().findFirst(stationCriterionOnAir(s.SelStationID));
    }
    if (s.SortBy != u"Freq")
        clearFindMarks(port);
    port.setGridRedraw(true);
    port.setBusyPointer(false);
}

void DisableOnAir(OnAirPort &port) {
    app::ProgramState &s = port.state();
    s.WhereStr.clear();
    s.OnAirMode = false;
    port.setOnAirButtonColor(OnAirOffColor);
}

void CmdONAir_Click(OnAirPort &port) {
    app::ProgramState &s = port.state();
    halfRows(port);
    s.OnAirMode ? turnOff(port) : turnOn(port);
    port.setGridCaption(toggleCaption(s.Language, s.CaptionNot, recordCount(port)));
}

void CmdONAir_MouseDown(OnAirPort &port, bool rightButton) {
    if (!rightButton)
        return;
    if (port.state().OnAirMode)
        DisplayOnAir(port);
    else
        clearFindMarks(port);
}

void clockTick(ClockPort &port, const QDateTime &localNow, const QLocale &locale,
               QString &styledMinute) {
    app::ProgramState &s = port.state();
    ComputeClock(s, localNow, locale);
    if (s.UTCSec == u"00") {
        port.refreshGrid();
        if (s.OnAirMode && s.AutoOnAir)
            DisplayOnAir(port);
    } else if (s.UTCHHMM != styledMinute) {
        // A new time zone moves the minute between the full-minute ticks: the rows keep
        // their on-air colours only while the minute they were styled for lasts.
        port.clearFindMarking();
    }
    styledMinute = s.UTCHHMM;
    if (s.DisplayClock)
        port.setWindowTitle(QStringLiteral("Skedwise ") + s.ClockStr);
}

} // namespace onair
