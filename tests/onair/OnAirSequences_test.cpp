#include "onair/OnAir.h"
#include "onair/OnAirSequences.h"
#include "schedule/FakeMainWindow.h"
#include "support/TestSupport.h"

namespace {

// Stations 1..30 in Freq order; the odd ones are on the air from 0100 to 0200, the even
// ones from 0600 to 0700.
std::shared_ptr<const jet::Table> thirtyStations() {
    QString csv = "StationID,Freq,Station,Language,UTCB,UTCE\r\n";
    for (int id = 1; id <= 30; ++id) {
        const bool night = id % 2 == 1;
        csv += QString("%1,%2,\"Radio %1\",\"English\",\"%3\",\"%4\"\r\n")
                   .arg(id)
                   .arg(5000 + 10 * id)
                   .arg(night ? "0100" : "0600", night ? "0200" : "0700");
    }
    return testsupport::tableFromCsv(jet::parseCsv(csv));
}

// The main window as the clock tick sees it, six rows in view; events name ReadDB alone.
struct Port : testsupport::FakeMainWindow, onair::ClockPort {
    Port() : FakeMainWindow(thirtyStations(), "StationID,Freq,Station,Language,UTCB,UTCE") {
        visibleRows = 6;
        s.SortBy = "Freq";
        s.UTCHour = "01";
        s.UTCMin = "30";
        s.Language = "ALL";
        s.FilterStr = "ALL Languages";
    }
    void makeCurrent(int station) { rs().moveTo(station - 1); }
    int currentStation() { return int(rs().value(rs().position(), 0).number); }
    int firstVisibleStation() { return int(rs().value(rs().positionOf(firstVisible), 0).number); }
    void ReadDB(const QString &selectText) override {
        FakeMainWindow::ReadDB(selectText);
        events.last() = "ReadDB";
    }
    void setWindowTitle(const QString &t) override { title = t; }
    QString title;
};

} // namespace

class OnAirSequencesTest : public QObject {
    Q_OBJECT

private slots:
    void toggle_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<int>("currentWhileOn");
        QTest::addColumn<int>("firstVisibleWhileOn");
        QTest::addColumn<int>("firstVisibleAfterOff");
        // HalfRows is 3 with six rows in view.
        addRow("station on the air stays current", 21, 21, 15, 18);
        addRow("station off the air is remembered while on", 20, 1, 1, 17);
    }
    void toggle() {
        QFETCH(int, station);
        QFETCH(int, currentWhileOn);
        QFETCH(int, firstVisibleWhileOn);
        QFETCH(int, firstVisibleAfterOff);
        Port p;
        p.makeCurrent(station);
        const QString sql = p.s.SQLStr;

        onair::CmdONAir_Click(p);
        QVERIFY(p.s.OnAirMode);
        QCOMPARE(p.rs().recordCount(), 15);
        QCOMPARE(p.s.SelStationID, station);
        QCOMPARE(p.currentStation(), currentWhileOn);
        QCOMPARE(p.firstVisibleStation(), firstVisibleWhileOn);
        QCOMPARE(p.onAirColor, 0xC0C0FF);
        QCOMPARE(p.caption, QString("VAZOdariDATA   15 Records in ALL Languages"));
        QCOMPARE(p.s.FilterStr, QString("ALL Languages\r\nFilter By \r\nStations On Air @ 0130 Z"));

        onair::CmdONAir_Click(p);
        QVERIFY(!p.s.OnAirMode);
        QCOMPARE(p.rs().recordCount(), 30);
        QCOMPARE(p.s.SQLStr, sql);
        QCOMPARE(p.s.FilterStr, QString("ALL Languages"));
        QCOMPARE(p.s.SortBy, QString("Freq"));
        QVERIFY(p.s.WhereStr.isEmpty());
        QCOMPARE(p.currentStation(), station);
        QCOMPARE(p.firstVisibleStation(), firstVisibleAfterOff);
        QCOMPARE(p.onAirColor, 0xC0C0C0);
        QCOMPARE(p.caption, QString("VAZOdariDATA   30 Records in ALL Languages"));
        QVERIFY(!p.busy);
    }

    void rightClick_data() {
        QTest::addColumn<bool>("onAir");
        QTest::addColumn<bool>("rightButton");
        QTest::addColumn<QStringList>("events");
        addRow("left button does nothing", true, false, QStringList{});
        addRow("off: only the find marks go", false, true,
               QStringList{"clearFindMarking", "refreshGrid"});
        addRow("on: the on-air rows are read again", true, true, QStringList{"ReadDB"});
    }
    void rightClick() {
        QFETCH(bool, onAir);
        QFETCH(bool, rightButton);
        QFETCH(QStringList, events);
        Port p;
        if (onAir)
            onair::CmdONAir_Click(p);
        p.s.FindType = 1;
        p.events.clear();
        onair::CmdONAir_MouseDown(p, rightButton);
        QCOMPARE(p.events, events);
        QCOMPARE(p.s.OnAirMode, onAir);
        QCOMPARE(p.s.FindType, events.isEmpty() || onAir ? 1 : 0);
    }

    void disableLeavesTheRowsAsTheyAre() {
        Port p;
        onair::CmdONAir_Click(p);
        p.events.clear();
        onair::DisableOnAir(p);
        QVERIFY(!p.s.OnAirMode);
        QVERIFY(p.s.WhereStr.isEmpty());
        QCOMPARE(p.onAirColor, 0xC0C0C0);
        QVERIFY(p.events.isEmpty());
        QCOMPARE(p.rs().recordCount(), 15);
    }

    void clockTick_data() {
        QTest::addColumn<int>("second");
        QTest::addColumn<bool>("autoUpdate");
        QTest::addColumn<QStringList>("events");
        addRow("full minute, auto update on", 0, true, QStringList{"refreshGrid", "ReadDB"});
        addRow("full minute, auto update off", 0, false, QStringList{"refreshGrid"});
        addRow("within the minute", 30, true, QStringList{});
    }
    void clockTick() {
        QFETCH(int, second);
        QFETCH(bool, autoUpdate);
        QFETCH(QStringList, events);
        Port p;
        p.s.TimeZone = 0;
        onair::CmdONAir_Click(p);
        p.s.AutoOnAir = autoUpdate;
        p.s.DisplayClock = true;
        p.events.clear();
        QString styled = "0131";
        const QDateTime now(QDate(2024, 3, 5), QTime(1, 31, second));
        onair::clockTick(p, now, QLocale::c(), styled);
        QCOMPARE(p.events, events);
        QCOMPARE(styled, QString("0131"));
        QVERIFY(p.title.startsWith("Skedwise "));
    }
};

QTEST_GUILESS_MAIN(OnAirSequencesTest)
#include "OnAirSequences_test.moc"
