#include "schedule/ClearFilter.h"

#include "onair/OnAir.h"

namespace schedule {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// The current row's StationID; unchanged when there is no current row.
void rememberCurrentStation(MainWindowPort &port) {
    const int bookmark = port.currentBookmark();
    if (bookmark < 0)
        return;
    const jet::Cell id = port.firstColumnValue(bookmark);
    if (id.isNumber())
        port.state().SelStationID = qint32(id.number);
    else if (bool ok = false; id.isText() && (id.text.toInt(&ok), ok))
        port.state().SelStationID = id.text.toInt();
}

void leaveOnAirAndFind(MainWindowPort &port) {
    app::ProgramState &s = port.state();
    s.OnAirMode = false;
    port.setOnAirButtonColor(onair::OnAirOffColor);
    s.WhereStr.clear();
    s.FindType = 0;
}

void showAllLanguages(MainWindowPort &port) {
    app::ProgramState &s = port.state();
    port.setLanguageSelectorText(QStringLiteral("ALL"));
    s.Language = QStringLiteral("ALL");
    s.SortBy = QStringLiteral("Freq");
    s.SQLStr = QStringLiteral("Select ") + s.FieldListStr + QStringLiteral(" From MyDataTable");
}

void centreRememberedStation(MainWindowPort &port) {
    app::ProgramState &s = port.state();
    jet::RecordSet &rs = port.data1().recordset();
    if (rs.recordCount() >= 1) {
        rs.findFirst(QStringLiteral("StationID = ") + QString::number(s.SelStationID) + u' ');
        port.setFirstVisibleRow(port.bookmarkAtOffset(-s.HalfRows));
    }
    port.setGridRedraw(true);
}

} // namespace

void SelectAll_Click(MainWindowPort &port) {
    app::ProgramState &s = port.state();
    port.closeSingleRecordWindow();
    rememberCurrentStation(port);
    leaveOnAirAndFind(port);
    showAllLanguages(port);
    s.HalfRows = qint16(port.visibleRowCount() / 2);
    port.setGridRedraw(false);
    port.ReadDB(s.SQLStr);
    centreRememberedStation(port);
    s.FilterStr = QStringLiteral("ALL Languages");
}

QString filterStatusText(const app::ProgramState &s) {
    QString text = s.FilterStr + CrLf + QStringLiteral("Sorted By ") + s.SortBy;
    text += s.SortBy == u"Freq" ? CrLf : QStringLiteral(", Frequency") + CrLf;
    if (s.FSortStr == u" DESC")
        text += QStringLiteral("Frequency in Descending Order") + CrLf;
    return text;
}

} // namespace schedule
