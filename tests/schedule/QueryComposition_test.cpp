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

// At 01:30: rows 1, 3, 5 and 6 are on the air; 2 is not, 4 ("0000-0000") is never selected.
std::shared_ptr<const jet::Table> onAirTable() {
    return testsupport::tableFromCsv(jet::parseCsv(
        "StationID,Freq,Station,UTC,Language,UTCB,UTCE,Country,P\r\n"
        "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"2200\",\"0200\",\"USA\",\"N\"\r\n"
        "2,6000,\"Radio B\",\"0600-0900\",\"French\",\"0600\",\"0900\",\"USA\",\"N\"\r\n"
        "3,6000,\"Radio C\",\"0100-0300\",\"English/French\",\"0100\",\"0300\",\"FRA\",\"N\"\r\n"
        "4,7000,\"Radio D\",\"0000-0000\",\"English\",\"0000\",\"0000\",\"USA\",\"N\"\r\n"
        "5,7100,\"Radio E\",\"0100-0200\",\"French\",\"0100\",\"0200\",\"USA\",\"M\"\r\n"
        "6,7200,\"Radio F\",\"0130-0145\",\"Spanish\",\"0130\",\"0145\",\"ESP\",\"N\"\r\n"));
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
        QTest::newRow("default frequency order") << "Freq"
                                                 << ""
                                                 << " Order by Freq ";
        QTest::newRow("descending frequency") << "Freq"
                                              << " DESC"
                                              << " Order by Freq DESC ";
        QTest::newRow("lower-case freq is still the frequency sort") << "freq"
                                                                     << ""
                                                                     << " Order by freq ";
        QTest::newRow("other field keeps frequency second") << "Station"
                                                            << ""
                                                            << " Order by Station, Freq ";
        QTest::newRow("descending applies to frequency only") << "Country"
                                                              << " DESC"
                                                              << " Order by Country, Freq DESC ";
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
        QTest::newRow("no condition adds nothing") << ""
                                                   << "Select a From T"
                                                   << "Select a From T O";
        QTest::newRow("select without Where gets Where") << "C"
                                                         << "Select a From T"
                                                         << "Select a From T Where (C) O";
        QTest::newRow("select with Where gets And, both bracketed")
            << "C"
            << "Select a From T Where x Or y"
            << "Select a From T Where (x Or y) And (C) O";
        QTest::newRow("lower-case where is the select's condition")
            << "C"
            << "Select a from T where x"
            << "Select a from T Where (x) And (C) O";
        QTest::newRow("joining word left over from a plain select")
            << " Where C"
            << "Select a From T Where x"
            << "Select a From T Where (x) And (C) O";
        QTest::newRow("joining word left over from a filtered select")
            << " And C"
            << "Select a From T"
            << "Select a From T Where (C) O";
        QTest::newRow("condition holding And is still joined")
            << "a And b"
            << "Select a From T Where x"
            << "Select a From T Where (x) And (a And b) O";
        QTest::newRow("query dialog's bare Where") << "C"
                                                   << "Select a From T Where "
                                                   << "Select a From T Where (C) O";
    }
    void recordSourceJoining() {
        QFETCH(QString, where);
        QFETCH(QString, select);
        QFETCH(QString, text);
        QCOMPARE(recordSource(select, where, " O"), text);
    }

    // The on-air condition at 01:30 joined to each kind of select a user can have in force.
    void onAirJoinsEveryQuery_data() {
        QTest::addColumn<QString>("select");
        QTest::addColumn<int>("count");
        const QString fields = defaultState().FieldListStr;
        QTest::newRow("all records") << "Select " + fields + " From MyDataTable" << 4;
        QTest::newRow("language picked") << languageContainsSql(fields, "English") << 2;
        QTest::newRow("language entered") << languageEqualsSql(fields, "English") << 1;
        const OneValueFilter *country = oneValueFilter(5);
        QTest::newRow("country filter")
            << "Select " + fields + country->tailHead + "USA" + country->tailEnd << 2;
        QTest::newRow("program type")
            << "Select " + fields + " From MyDataTable Where P = 'N' " << 3;
        app::ProgramState dialog = defaultState();
        QueryForm form;
        form.combo[LanguageField] = "French";
        form.combo[CountryField] = "USA";
        app::ScriptedPrompts prompts;
        CmdDone_Click(dialog, form, prompts, {});
        QTest::newRow("query dialog") << dialog.SQLStr << 1;
        form.negated[LanguageField] = true;
        CmdDone_Click(dialog, form, prompts, {});
        QTest::newRow("query dialog with NOT") << dialog.SQLStr << 1;
    }
    void onAirJoinsEveryQuery() {
        QFETCH(QString, select);
        QFETCH(int, count);
        testsupport::MemoryTables onAirTables;
        onAirTables.add("db", onAirTable());
        app::ProgramState s = defaultState();
        s.WhereStr = onair::OnAirCondition("0130");
        jet::DataSource data1(onAirTables);
        data1.setDatabaseName("db");
        RecordingGrid grid;
        CountingPrompts prompts;
        // On Air switched on over all records first, then the select in force changes.
        QVERIFY(ReadDB(s, "Select " + s.FieldListStr + " From MyDataTable", data1, grid, prompts));
        QVERIFY2(ReadDB(s, select, data1, grid, prompts), qPrintable(data1.recordSource()));
        QCOMPARE(data1.recordset().recordCount(), count);
    }

    void padB_data() {
        QTest::addColumn<QString>("z");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("padded");
        QTest::newRow("four digits right-aligned") << "6000" << 7 << "   6000";
        QTest::newRow("long text cut") << "12345678" << 7 << "1234567";
        QTest::newRow("exact width unchanged") << "15100.0" << 7 << "15100.0";
        QTest::newRow("at most 31 blanks") << "x" << 40 << QString(31, ' ') + "x";
    }
    void padB() {
        QFETCH(QString, z);
        QFETCH(int, p);
        QFETCH(QString, padded);
        QCOMPARE(PadB(z, qint16(p)), padded);
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

    void defaultsRunTheDocumentedText() {
        app::ProgramState s = defaultState();
        s.SQLStr = "Select " + s.FieldListStr + " From MyDataTable";
        s.ColsChanged = true;
        jet::DataSource data1(tables);
        data1.setDatabaseName("db");
        RecordingGrid grid;
        CountingPrompts prompts;
        QVERIFY(ReadDB(s, s.SQLStr, data1, grid, prompts));
        QCOMPARE(
            data1.recordSource(),
            QString("Select StationID,Freq,Station,UTC,Language From MyDataTable Order by Freq "));
        QCOMPARE(grid.caption, QString("VAZOdariDATA   3 Records in ALL Languages"));
        QCOMPARE(grid.rebuilds, 1);
        QCOMPARE(grid.widths.value(2), 2200.0);
        QVERIFY(!s.ColsChanged);
        QCOMPARE(prompts.beeps, 0);
    }

    void captions_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("captionNot");
        QTest::addColumn<QString>("caption");
        QTest::newRow("language named") << "English"
                                        << ""
                                        << "VAZOdariDATA   2 Records in English";
        QTest::newRow("negated language has two blanks before NOT")
            << "English"
            << " NOT "
            << "VAZOdariDATA   2 Records  NOT in English";
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

    void storedSortNamingNoFieldOrdersByFreqOnce() {
        QTemporaryDir dir;
        app::IniSettingsStore store(dir.path());
        store.write(app::SettingsApplication, app::SettingsSection, "SortBy", "Nonsense");
        app::ProgramState s = defaultState();
        app::LoadSettings(s, store, {19200, 14400});
        ParseFieldLists(s.fieldLists(), s.DisplayFields);
        BuildSQL(s);
        jet::DataSource data1(tables);
        data1.setDatabaseName("db");
        RecordingGrid grid;
        CountingPrompts prompts;
        for (int run = 0; run < 2; ++run)
            QVERIFY(ReadDB(s, "Select StationID From MyDataTable", data1, grid, prompts));
        QCOMPARE(data1.recordSource(), "Select StationID From MyDataTable Order by Freq ");
        QCOMPARE(grid.caption, "VAZOdariDATA   3 Records in ALL Languages");
        QCOMPARE(s.SortBy, "Freq");
        QCOMPARE(prompts.beeps, 1);
    }

    void rejectedTextLeavesGridAndColumnsAlone_data() {
        QTest::addColumn<QString>("select");
        QTest::newRow("empty text before the first query") << "";
        QTest::newRow("unknown field") << "Select Nonsense From MyDataTable";
        QTest::newRow("apostrophe breaks the quoting") << "Select StationID From MyDataTable "
                                                          "Where Station = 'People's Radio'";
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
