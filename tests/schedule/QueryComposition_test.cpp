#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "onair/OnAir.h"
#include "schedule/CustomFilters.h"
#include "schedule/QueryComposer.h"
#include "schedule/QueryComposition.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

using namespace schedule;

namespace {

struct RecordingGrid : ResultGrid {
    int rebuilds = 0, refreshes = 0;
    QString caption = "before";
    QMap<int, double> widths;
    void rebuildColumns() override { ++rebuilds; }
    void setColumnWidthTwips(int c, double t) override { widths[c] = t; }
    void refresh() override { ++refreshes; }
    void setCaption(const QString &c) override { caption = c; }
};

using CountingPrompts = app::ScriptedPrompts;

const schedule::FieldLists Defaults{
    "0,9,22,10,18,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
    "0,1,2,3,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
    "StationID,Freq,Station,UTC,Language,,,,,,,,,,,,,,,,,,,,,,,,,"};

app::ProgramState defaultState() {
    app::ProgramState s;
    s.setFieldLists(Defaults);
    ParseFieldLists(s.fieldLists(), s.DisplayFields);
    BuildSQL(s);
    s.CharWidth = 100;
    return s;
}

std::shared_ptr<const jet::Table> smallTable() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language,UTCB,UTCE\r\n"
                      "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"2200\",\"0200\"\r\n"
                      "2,6000,\"Radio B\",\"0600-0900\",\"French\",\"0600\",\"0900\"\r\n"
                      "3,6000,\"Radio C\",\"0000-0000\",\"English/French\",\"0000\",\"0000\"\r\n"));
}

} // namespace

class QueryCompositionTest : public QObject {
    Q_OBJECT
    testsupport::MemoryTables tables;

private slots:
    void initTestCase() { tables.add("db", smallTable()); }

    void orderClause_data() {
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<QString>("fsort");
        QTest::addColumn<QString>("clause");
        addRow("default frequency order", "Freq", "", " Order by Freq ");
        addRow("descending frequency", "Freq", " DESC", " Order by Freq DESC ");
        addRow("lower-case freq is still the frequency sort", "freq", "", " Order by freq ");
        addRow("other field keeps frequency second", "Station", "", " Order by Station, Freq ");
        addRow("descending applies to frequency only", "Country", " DESC",
               " Order by Country, Freq DESC ");
    }
    void orderClause() {
        QFETCH(QString, sortBy);
        QFETCH(QString, fsort);
        QFETCH(QString, clause);
        QCOMPARE(orderByClause(sortBy, fsort), clause);
    }

    void recordSourceJoining_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("text");
        addRow("no condition adds nothing", "", "Select a From T", "Select a From T O");
        addRow("select without Where gets Where", "C", "Select a From T",
               "Select a From T Where (C) O");
        addRow("select with Where gets And, both bracketed", "C", "Select a From T Where x Or y",
               "Select a From T Where (x Or y) And (C) O");
        addRow("lower-case where is the select's condition", "C", "Select a from T where x",
               "Select a from T Where (x) And (C) O");
        addRow("joining word left over from a plain select", " Where C", "Select a From T Where x",
               "Select a From T Where (x) And (C) O");
        addRow("condition holding And is still joined", "a And b", "Select a From T Where x",
               "Select a From T Where (x) And (a And b) O");
        addRow("query dialog's bare Where", "C", "Select a From T Where ",
               "Select a From T Where (C) O");
    }
    void recordSourceJoining() {
        QFETCH(QString, where);
        QFETCH(QString, select);
        QFETCH(QString, text);
        QCOMPARE(recordSource(select, where, " O"), text);
    }

    void buildSqlFindsColumns() {
        app::ProgramState s;
        ParseFieldLists({"0,9,6,6", "0,1,25,26", "StationID,Freq,UTCB,UTCE"}, s.DisplayFields);
        BuildSQL(s);
        QCOMPARE(s.FieldListStr, QString("StationID,Freq,UTCB,UTCE"));
        QCOMPARE(s.UTCBCol, qint16(2));
        QCOMPARE(s.UTCECol, qint16(3));
        QCOMPARE(s.UTCCol, qint16(0));
        QVERIFY(!s.UTCShown);
    }

    void captions_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("captionNot");
        QTest::addColumn<QString>("caption");
        addRow("language named", "English", "", "VAZOdariDATA   2 Records in English");
        addRow("negated language has two blanks before NOT", "English", " NOT ",
               "VAZOdariDATA   2 Records  NOT in English");
    }
    void captions() {
        QFETCH(QString, language);
        QFETCH(QString, captionNot);
        QFETCH(QString, caption);
        app::ProgramState s = defaultState();
        s.Language = language;
        s.CaptionNot = captionNot;
        s.SQLStr = "Select " + s.FieldListStr + " from MyDataTable Where (instr(Language,'" +
                   language + "') > 0)";
        jet::DataSource data1(tables);
        data1.setDatabaseName("db");
        RecordingGrid grid;
        CountingPrompts prompts;
        QVERIFY(ReadDB(s, s.SQLStr, data1, grid, prompts));
        QCOMPARE(grid.caption, caption);
    }

    void emptySortByIsRepairedWithBeep() {
        app::ProgramState s = defaultState();
        s.SortBy = "";
        jet::DataSource data1(tables);
        data1.setDatabaseName("db");
        RecordingGrid grid;
        CountingPrompts prompts;
        QVERIFY(ReadDB(s, "Select StationID From MyDataTable", data1, grid, prompts));
        QCOMPARE(s.SortBy, QString("Freq"));
        QCOMPARE(prompts.beeps, 1);
    }

    void rejectedTextLeavesGridAndColumnsAlone_data() {
        QTest::addColumn<QString>("select");
        addRow("empty text before the first query", "");
        addRow("unknown field", "Select Nonsense From MyDataTable");
        addRow("apostrophe breaks the quoting", "Select StationID From MyDataTable "
                                                "Where Station = 'People's Radio'");
    }
    void rejectedTextLeavesGridAndColumnsAlone() {
        QFETCH(QString, select);
        app::ProgramState s = defaultState();
        s.ColsChanged = true;
        s.QueryNot = " NOT ";
        jet::DataSource data1(tables);
        data1.setDatabaseName("db");
        RecordingGrid grid;
        CountingPrompts prompts;
        QVERIFY(ReadDB(s, "Select StationID From MyDataTable", data1, grid, prompts));
        const int before = data1.recordset().recordCount();
        grid = RecordingGrid{};
        s.ColsChanged = true;
        QVERIFY(!ReadDB(s, select, data1, grid, prompts));
        QCOMPARE(s.QueryNot, QString());
        QVERIFY(s.ColsChanged); // the next good query re-applies the widths
        QCOMPARE(grid.caption, QString("before"));
        QCOMPARE(grid.refreshes, 0);
        QCOMPARE(data1.recordset().recordCount(), before);
    }

    void emptyResultCountsZero() {
        app::ProgramState s = defaultState();
        jet::DataSource data1(tables);
        data1.setDatabaseName("db");
        RecordingGrid grid;
        CountingPrompts prompts;
        QVERIFY(ReadDB(s, "Select StationID,Freq From MyDataTable Where Station = 'none'", data1,
                       grid, prompts));
        QCOMPARE(grid.caption, QString("VAZOdariDATA   0 Records in ALL Languages"));
    }
};

QTEST_GUILESS_MAIN(QueryCompositionTest)
#include "QueryComposition_test.moc"
