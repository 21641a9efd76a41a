// What the map and the band chart make of the grid's rows, and how they move the grid.
#include "map/BandChart.h"
#include "map/MapCommands.h"
#include "map/MapSites.h"
#include "reference/SingleRecord.h"
#include "support/FakeGridWindow.h"

#include "support/TestSupport.h"

using namespace map;
using testsupport::FakeGridWindow;

namespace {

// In the grid's order by Freq: Theta 0, Alpha 1, Beta 2, Gamma 3, Eta 4, Delta 5, Eps 6, Zeta 7.
std::shared_ptr<const jet::Table> sites() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,Location,Lati,Longi,UTCB,UTCE\n"
                      "1,5955,\"Alpha\",\"Nauen\",\"52N38\",\"012E54\",\"1800\",\"1900\"\n"
                      "2,6005,\"Beta\",\"Nauen\",\"52N38\",\"012E54\",\"2200\",\"0200\"\n"
                      "3,6070,\"Gamma\",\"Sines\",\"38N03\",\"008W55\",\"....\",\"....\"\n"
                      "4,9500,\"Delta\",\"Nowhere\",\"\",\"\",\"0600\",\"0900\"\n"
                      "5,9600,\"Eps\",\"Far\",\"99N99\",\"016E22\",\"0000\",\"2400\"\n"
                      "6,9700,\"Zeta\",\"Odd\",\"12X34\",\"016E22\",\"0100\",\"0200\"\n"
                      "7,6200,\"Eta\",\"Tashkent\",\"43N17\",\"077E00\",\"2330\",\"0030\"\n"
                      "8,5899,\"Theta\",\"Moosbrunn\",\"48N15\",\"016E22\",\"1200\",\"1300\"\n"));
}

void setClock(FakeGridWindow &grid, const QString &hhmm) {
    grid.s.UTCHHMM = hhmm;
    grid.s.UTCHour = hhmm.left(2);
}

} // namespace

class MapModelTest : public QObject {
    Q_OBJECT
private slots:
    void sitesComeFromValidCoordinatesOnly() {
        FakeGridWindow grid(sites());
        GridFollower follower;
        follower.look(grid);
        const SiteMap map = collectSites(follower.rows(), follower.timesOnAir());
        QCOMPARE(map.withoutCoordinates, 3); // empty, 99N99 and 12X34
        const struct {
            double lat, lon;
            int rows, first;
        } expected[] = {{48.25, 16 + 22 / 60.0, 1, 0},
                        {52 + 38 / 60.0, 12.9, 2, 1},
                        {38.05, -8 - 55 / 60.0, 1, 3},
                        {43 + 17 / 60.0, 77, 1, 4}};
        QCOMPARE(map.sites.size(), std::size(expected));
        for (std::size_t i = 0; i < map.sites.size(); ++i) {
            const geo::LatLon where = follower.rows().index->places()[map.sites[i].place].where;
            QVERIFY(std::abs(where.lat - expected[i].lat) < 1e-9);
            QVERIFY(std::abs(where.lon - expected[i].lon) < 1e-9);
            QCOMPARE(map.sites[i].rowCount, expected[i].rows);
            QCOMPARE(map.sites[i].firstPosition, expected[i].first);
        }
    }

    void onAirSitesAndBarsFollowTheClock_data() {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QList<bool>>("sitesOnAir"); // Moosbrunn, Nauen, Sines, Tashkent
        QTest::addColumn<QList<int>>("barStates");   // Alpha, Beta, Eta: 0 later, 1 coming, 2 on
        addRow("17:30: Alpha comes up within the hour", "1730",
               QList<bool>{false, false, false, false}, QList<int>{1, 0, 0});
        addRow("18:10: Alpha on the air", "1810", QList<bool>{false, true, false, false},
               QList<int>{2, 0, 0});
        addRow("23:00: Beta over midnight on, Eta coming", "2300",
               QList<bool>{false, true, false, false}, QList<int>{0, 2, 1});
        addRow("00:15: both over midnight on", "0015", QList<bool>{false, true, false, true},
               QList<int>{0, 2, 2});
        addRow("02:00: Beta's end is not on", "0200", QList<bool>{false, false, false, false},
               QList<int>{0, 0, 0});
        addRow("12:00: the site outside the band", "1200", QList<bool>{true, false, false, false},
               QList<int>{0, 0, 0});
    }
    void onAirSitesAndBarsFollowTheClock() {
        QFETCH(QString, now);
        QFETCH(QList<bool>, sitesOnAir);
        QFETCH(QList<int>, barStates);
        FakeGridWindow grid(sites());
        setClock(grid, "1200");
        GridFollower follower;
        follower.look(grid);
        SiteMap map = collectSites(follower.rows(), follower.timesOnAir()); // Moosbrunn on
        setClock(grid, now);
        follower.look(grid);
        const std::vector<int> changed = markOnAir(map, follower.timesOnAir());
        QCOMPARE(changed.empty(), now == "1200");
        for (int i = 0; i < sitesOnAir.size(); ++i)
            QCOMPARE(map.sites[i].onAir, sitesOnAir[i]);
        BandBars bars = collectBars(follower.rows(), geo::broadcastBands()[4]);
        QCOMPARE(bars.withoutTimes, 1); // Gamma's "...."
        markStates(bars, follower.rows(), follower.timesOnAir(), follower.nowMinute());
        QCOMPARE(int(bars.bars.size()), barStates.size());
        for (int i = 0; i < barStates.size(); ++i)
            QCOMPARE(int(bars.bars[i].state), barStates[i]);
    }

    void followerSaysWhatChanged() {
        FakeGridWindow grid(sites());
        setClock(grid, "1200");
        GridFollower follower;
        QVERIFY(follower.look(grid).rows);
        QVERIFY(!follower.look(grid).any());
        setClock(grid, "1201");
        const auto minute = follower.look(grid);
        QVERIFY(minute.minute && !minute.rows && !minute.current);
        grid.s.SortBy = "Station";
        grid.runReadDB(grid.s.SQLStr);
        QVERIFY(follower.look(grid).rows);
        grid.rs().moveTo(3);
        const auto moved = follower.look(grid);
        QVERIFY(moved.current && !moved.rows);
    }

    void barsOverMidnightSplit() {
        const ChartScale scale(QRectF(0, 0, 1440, 300), geo::broadcastBands()[4]); // 5900-6200
        QCOMPARE(scale.y(6000), 100.0);
        QCOMPARE(scale.thickness(), 5.0);
        Times overMidnight{"2200", "0200", 1320, 120};
        const auto [late, early] = scale.barRects(overMidnight, 6000);
        QCOMPARE(late, QRect(1320, 98, 120, 5)); // 97.5 to 102.5 in whole pixels
        QCOMPARE(early, QRect(0, 98, 120, 5));
        const auto [allDay, none] = scale.barRects(Times{"0000", "0000", 0, 0}, 6000);
        QCOMPARE(allDay.width(), 1440);
        QVERIFY(none.isEmpty());
    }

    void overlappingBarsMergeIntoSpans() {
        const ChartScale scale(QRectF(0, 0, 1440, 300), geo::broadcastBands()[4]); // 5900-6200
        const std::vector<Times> times = {{"0050", "0110", 50, 70},
                                          {"2350", "0040", 1430, 40},
                                          {"0030", "0100", 30, 60},
                                          {"0000", "0010", 0, 10}};
        const std::vector<Bar> bars = {{0, 0, 6000, BarState::OnAir},
                                       {1, 1, 6000, BarState::Later}, // over midnight
                                       {2, 2, 6000, BarState::Later}, // overlaps the one before
                                       {3, 3, 6100, BarState::Later}};
        // What shows: the later bars up to where the one on the air begins, and that one.
        const std::vector<Span> spans = mergedSpans(bars, times, scale);
        QCOMPARE(spans.size(), std::size_t(4));
        QCOMPARE(spans[0].rect, QRect(0, 98, 50, 5));
        QCOMPARE(spans[1].rect, QRect(1430, 98, 10, 5));
        QCOMPARE(spans[2].rect, QRect(0, 198, 10, 5));
        QCOMPARE(spans[3].rect, QRect(50, 98, 20, 5)); // on the air, drawn last
        QCOMPARE(spans[3].state, BarState::OnAir);
    }

    void clicksMoveTheGridWithoutANewQuery() {
        FakeGridWindow grid(sites());
        moveGridToSite(grid, 3, "Sines");
        QVERIFY(!grid.events.join('\n').contains("ReadDB"));
        QCOMPARE(grid.currentField("Station"), QString("Gamma"));
        QCOMPARE(grid.s.FindType, qint16(3));
        QCOMPARE(grid.s.SearchStr, QString("SINES"));
        QCOMPARE(grid.firstVisiblePosition(), 1); // mid-window: two rows above it
        QVERIFY(grid.events.endsWith("refreshGrid"));
        moveGridToRow(grid, 6);
        QCOMPARE(grid.currentField("Station"), QString("Eps"));
    }

    void myLocationKeepsTheOldOneOnAWrongAnswer_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("told");
        addRow("a locator, upper-cased", "jo62qm", "JO62QM", false);
        addRow("degrees", "-33.9, 151.2", "-33.9, 151.2", false);
        addRow("longitude out of range", "12.5, 200", "FF44", true);
        addRow("cancel", "", "FF44", false);
    }
    void myLocationKeepsTheOldOneOnAWrongAnswer() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, told);
        app::ProgramState s;
        s.own.MyLocation = "FF44";
        app::ScriptedPrompts prompts;
        prompts.inputs << typed;
        MyLocation_Click(s, prompts);
        QCOMPARE(s.own.MyLocation, kept);
        QCOMPARE(prompts.shown.size(), told ? 2 : 1);
    }

    void singleRecordPathLines() {
        // JO62QM (52.5208 N, 13.375 E) to Sines, haversine: 2354.8 km, 235.8°.
        QCOMPARE(reference::pathLines("JO62QM", "38N03", "008W55"),
                 QStringList({"Distance: 2,355 km", "Bearing: 236°"}));
        QVERIFY(reference::pathLines("", "38N03", "008W55").isEmpty());
        QVERIFY(reference::pathLines("JO62QM", "99N99", "008W55").isEmpty());
    }
};

QTEST_GUILESS_MAIN(MapModelTest)
#include "MapModel_test.moc"
