#include "schedule/ClearFilter.h"

#include "onair/OnAir.h"

namespace schedule {

namespace {

const QString CrLf = QStringLiteral("\r\n");

void rememberCurrentStation(FilterPort &port) {
    if (const std::optional<qint32> id = app::currentStationId(port))
        port.state().SelStationID = *id;
}

void leaveOnAirAndFind(FilterPort &port) {
    port.DisableOnAir();
    port.state().FindType = 0;
}

void showAllLanguages(FilterPort &port) {
    app::ProgramState &s = port.state();
    port.setLanguageSelectorText(QStringLiteral("ALL"));
    s.Language = QStringLiteral("ALL");
    s.SortBy = QStringLiteral("Freq");
    s.SQLStr = QStringLiteral("Select ") + s.FieldListStr + QStringLiteral(" From MyDataTable");
}

void centreRememberedStation(FilterPort &port) {
    app::ProgramState &s = port.state();
    jet::RecordSet &rs = port.data1().recordset();
    if (rs.recordCount() >= 1) {
        rs.findFirst(onair::stationCriterion(s.SelStationID));
        port.setFirstVisibleRow(port.bookmarkAtOffset(-s.HalfRows));
    }
    port.setGridRedraw(true);
}

} // namespace

void SelectAll_Click(FilterPort &port) {
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
