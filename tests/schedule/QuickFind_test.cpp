#include "FakeMainWindow.h"
#include "schedule/QuickFind.h"
#include "support/TestSupport.h"

using namespace schedule;
using testsupport::FakeMainWindow;

namespace {

const QString AllFields = "StationID,Freq,Station,UTC,Location,ADM,STN";

std::shared_ptr<const jet::Table> smallTable() {
    return testsupport::tableFromCsv(jet::parseCsv(
        "StationID,Freq,Station,UTC,Language,Location,ADM,STN,UTCB,UTCE\r\n"
        "1,9575,\"Radio "
        "Alpha\",\"2200-0200\",\"English\",\"Paris\",\"F\",\"ALP\",\"2200\",\"0200\"\r\n"
        "2,6000,\"Radio "
        "Beta\",\"0600-0900\",\"French\",\"Berlin\",\"D\",\"BET\",\"0600\",\"0900\"\r\n"
        "3,7000,\"Radio "
        "Gamma\",\"0000-0000\",\"English\",\"Rome\",\"I\",\"GAM\",\"0000\",\"0000\"\r\n"));
}

} // namespace

class QuickFindTest : public QObject {
    Q_OBJECT

private slots:

    void criterion_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("utcShown");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("sortField");
        QTest::addColumn<QString>("criterion");
        addRow("frequency: two blanks before =, blank after quote", 0, false, " 6000.0", "Freq",
               "Freq  = ' 6000.0' ");
        addRow("station contains", 1, false, "BBC", "Station", "InStr(Station, 'BBC') > 0");
        addRow("location contains", 2, false, "PARIS", "Location", "InStr(Location, 'PARIS') > 0");
        addRow("start time inside UTCB when UTC hidden", 3, false, "0600", "UTCB",
               "InStr(UTCB, '0600') > 0");
        addRow("start time on left(UTC,4) when UTC shown", 3, true, "0600", "UTC",
               "InStr(left(UTC,4), '0600') > 0");
        addRow("ADM equality with blank after quote", 4, false, "F", "ADM", "ADM = 'F' ");
        addRow("STN in parentheses", 5, false, "ALP", "STN", "(instr(STN, 'ALP') > 0)");
    }
    void criterion() {
        QFETCH(int, index);
        QFETCH(bool, utcShown);
        QFETCH(QString, search);
        QFETCH(QString, sortField);
        QFETCH(QString, criterion);
        QCOMPARE(quickFindSortField(index, utcShown), sortField);
        QCOMPARE(quickFindCriterion(index, search, utcShown), criterion);
    }

    void missAndPrompt_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<QString>("message");
        addRow("station miss reported", 1, "zulu", "Station?: Input Station", "Station",
               "Station Search: Station NOT Found!");
        addRow("location miss reported", 2, "oslo", "Location?: Input Location", "Location",
               "Location Search: Location NOT Found!");
        addRow("start time miss reported (prompt ends in a blank)", 3, "1234",
               "Start Time: Input Start Time (HHMM) ", "UTC",
               "Start Time Search: Start Time NOT Found!");
        addRow("ADM needs the whole code", 4, "FR", "ADM?: Input ADM Designator", "ADM",
               "ADM Search: ADM NOT Found!");
        addRow("STN miss reported", 5, "XYZ", "STN?: Input STN Designator", "STN",
               "STN Search: STN NOT Found!");
        addRow("frequency miss is silent", 0, "99999", "Frequency?: Input Frequency", "Freq", "");
    }
    void missAndPrompt() {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, prompt);
        QFETCH(QString, sortBy);
        QFETCH(QString, message);
        FakeMainWindow w(smallTable(), AllFields);
        w.s.SortBy = "Station";
        w.script.inputs << typed;
        FindA_Click(index, w);
        QStringList expected{prompt};
        if (!message.isEmpty())
            expected << message;
        QCOMPARE(w.script.shown, expected);
        QCOMPARE(w.s.SortBy, sortBy);
        QCOMPARE(w.s.FindType, qint16(index + 1));
        QVERIFY(w.redraw);
        QVERIFY(!w.busy);
    }

    // Only the find's own field is hidden, so a find checking another field's column shows.
    void fieldNotDisplayed_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("fields");
        addRow("station", 1, "StationID,Freq,UTC,Location,ADM,STN");
        addRow("location", 2, "StationID,Freq,Station,UTC,ADM,STN");
        addRow("ADM", 4, "StationID,Freq,Station,UTC,Location,STN");
        addRow("STN", 5, "StationID,Freq,Station,UTC,Location,ADM");
    }
    void fieldNotDisplayed() {
        QFETCH(int, index);
        QFETCH(QString, fields);
        FakeMainWindow w(smallTable(), fields);
        w.s.FindType = 0;
        w.script.inputs << "x";
        FindA_Click(index, w);
        QCOMPARE(w.script.shown, QStringList{"Error with Field Name: This Field NOT Selected!"});
        QCOMPARE(w.s.FindType, qint16(0));
        QVERIFY(w.events.isEmpty());
    }

    void cancelledPrompt_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 6; ++i)
            addRow(qPrintable(QString("entry %1 leaves sort and grid").arg(i)), i);
    }
    void cancelledPrompt() {
        QFETCH(int, index);
        FakeMainWindow w(smallTable(), AllFields);
        w.s.SortBy = "Language";
        w.s.SearchStr = "old";
        FindA_Click(index, w);
        QCOMPARE(w.s.FindType, qint16(index + 1));
        QCOMPARE(w.s.SearchStr, QString());
        QCOMPARE(w.s.SortBy, QString("Language"));
        QVERIFY(w.events.isEmpty());
        QCOMPARE(w.firstVisible, -1);
    }

    void frequencyRequery_data() {
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<int>("readDBs");
        addRow("already by Freq: no re-query", "Freq", 0);
        addRow("other sort: re-query by Freq", "Station", 1);
        addRow("lower-case freq is not Freq: re-query", "freq", 1);
    }
    // A value typed in lower case is kept upper-cased: the find marking compares it so.
    void typedValueIsKeptInCapitals() {
        FakeMainWindow w(smallTable(), AllFields);
        w.script.inputs << "gamma";
        FindA_Click(1, w);
        QCOMPARE(w.s.SearchStr, QString("GAMMA"));
        QCOMPARE(w.currentField("StationID"), QString("3"));
    }

    void frequencyRequery() {
        QFETCH(QString, sortBy);
        QFETCH(int, readDBs);
        FakeMainWindow w(smallTable(), AllFields);
        w.s.SortBy = sortBy;
        w.script.inputs << "7000";
        FindA_Click(0, w);
        QCOMPARE(w.events.filter("ReadDB").size(), readDBs);
        QCOMPARE(w.s.SortBy, readDBs ? QString("Freq") : sortBy);
        QCOMPARE(w.currentField("StationID"), QString("3"));
        QVERIFY(!w.events.contains("refreshGrid"));
        QVERIFY(w.events.contains("resetGridRows") && w.events.contains("resetGridSelection"));
    }

    void missingFrequencyLandsOnNextHigher() {
        auto table = testsupport::fixtureScheduleTable();
        REQUIRE_THAT(table, QStringLiteral("the schedule fixture"));
        FakeMainWindow w(table, AllFields);
        std::vector<double> freqs;
        jet::RecordSet &rs = w.rs();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            if (rs.field(u"Freq").isNumber())
                freqs.push_back(rs.field(u"Freq").number);
        std::sort(freqs.begin(), freqs.end());
        double missing = freqs[freqs.size() / 2] + 0.1;
        while (std::binary_search(freqs.begin(), freqs.end(), missing))
            missing += 0.1;
        const double next = *std::upper_bound(freqs.begin(), freqs.end(), missing);
        w.script.inputs << QString::number(missing, 'f', 1);
        FindA_Click(0, w);
        QCOMPARE(rs.field(u"Freq").number, next);
        const int found = rs.position();
        rs.movePrevious();
        QVERIFY(rs.field(u"Freq").number < next);
        rs.moveTo(found);
        QCOMPARE(w.firstVisiblePosition(), std::max(0, found - w.s.HalfRows));
        QCOMPARE(w.script.shown.size(), 1);
    }
};

QTEST_GUILESS_MAIN(QuickFindTest)
#include "QuickFind_test.moc"
