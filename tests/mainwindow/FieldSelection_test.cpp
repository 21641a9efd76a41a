#include "app/ScriptedPrompts.h"
#include "mainwindow/FieldSelection.h"
#include "schedule/QueryComposition.h"
#include "support/MemoryTables.h"
#include "support/StubGridPort.h"
#include "support/TestSupport.h"

#include <functional>

using namespace mainwindow;

namespace {

const QString DefaultAvailable =
    "ADM,Azi,CIRAF,Country,Days,Graphic,Lati,LC,Location,Longi,Mode,P,Power,Program,Region,"
    "Remarks,Status,STN,Target,TargetALL,UTCB,UTCE";
const QString NoMoreFields = QString(",").repeated(22); // 22 empty slots after five columns

app::ProgramState startState() {
    app::ProgramState s;
    s.codes = schedule::buildCodeTables();
    schedule::ParseFieldLists(s.fieldLists(), s.DisplayFields);
    schedule::BuildSQL(s);
    return s;
}

// Moves a field by name: ">" takes it from the available list, "<" from the displayed one.
void move(FieldSelection &selection, const QString &step) {
    const int index = step.startsWith(u'>') ? 0 : 1;
    const QStringList &from = index == 0 ? selection.sourceList() : selection.displayList();
    const int line = int(from.indexOf(step.mid(1)));
    QVERIFY2(line >= 0, qPrintable(step));
    QVERIFY(selection.CmdSwap_Click(index, line) >= 0);
}

class RecordingPort : public FieldSelectionPort,
                      public testsupport::StubGridPort,
                      private schedule::ResultGrid {
public:
    explicit RecordingPort(std::shared_ptr<const jet::Table> table) : data(tables) {
        tables.add("db", std::move(table));
        data.setDatabaseName("db");
        s = startState();
    }
    app::ProgramState s;
    app::ScriptedPrompts script;
    testsupport::MemoryTables tables;
    jet::DataSource data;
    QStringList events;
    std::function<void(FieldSelection &)> user; // the user's part in the dialog

    app::ProgramState &state() override { return s; }
    app::Prompts &prompts() override { return script; }
    void DisableOnAir() override {
        events << "DisableOnAir";
        s.WhereStr.clear();
        s.OnAirMode = false;
    }
    void showFieldSelection() override {
        events << "showFieldSelection";
        FieldSelection dialog(s, script);
        dialog.Form_Load();
        user(dialog);
    }
    void setGridRedraw(bool on) override { events << (on ? "redraw on" : "redraw off"); }
    void ReadDB(const QString &text) override {
        events << "ReadDB " + text;
        schedule::ReadDB(s, text, data, *this, script);
    }

private:
    void rebuildColumns() override {}
    void setColumnWidthTwips(int, double) override {}
    void refresh() override {}
    void setCaption(const QString &) override {}
};

std::shared_ptr<const jet::Table> languagesTable() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language,Country\r\n"
                      "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"UK\"\r\n"
                      "2,6000,\"Radio B\",\"0600-0900\",\"French\",\"F\"\r\n"
                      "3,7000,\"Radio C\",\"0000-0000\",\"English/French\",\"CAN\"\r\n"
                      "4,5000,\"Radio D\",\"0100-0200\",\"English\",\"USA\"\r\n"));
}

} // namespace

class FieldSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void defaultsShowSortedFields() {
        app::ProgramState s = startState();
        app::ScriptedPrompts prompts;
        FieldSelection selection(s, prompts);
        selection.Form_Load();
        QCOMPARE(selection.sourceList().size(), 22);
        QCOMPARE(selection.sourceList().join(','), DefaultAvailable);
        QCOMPARE(selection.displayList(), QStringList({"Station", "UTC", "Language"}));
        QVERIFY(selection.listsEnabled());
        QVERIFY(!s.DlgCancel);
    }

    void timeCheck_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("displayed");
        addRow("UTC removed, no UTCB or UTCE: refused", QStringList{"<UTC"}, false,
               "Station,Language");
        addRow("UTC removed, UTCB alone: refused", QStringList{"<UTC", ">UTCB"}, false,
               "Station,Language,UTCB");
        addRow("UTCB and UTCE without UTC: accepted", QStringList{"<UTC", ">UTCB", ">UTCE"}, true,
               "Station,Language,UTCB,UTCE");
        addRow("emptied list: refused", QStringList{"<Station", "<UTC", "<Language"}, false, "");
        addRow("UTC as the last column: accepted", QStringList{"<Station", "<Language"}, true,
               "UTC");
    }
    void timeCheck() {
        QFETCH(QStringList, steps);
        QFETCH(bool, accepted);
        QFETCH(QString, displayed);
        app::ProgramState s = startState();
        const QString storedNames = s.FnamesStr;
        app::ScriptedPrompts prompts;
        FieldSelection selection(s, prompts);
        selection.Form_Load();
        for (const QString &step : steps)
            move(selection, step);
        QCOMPARE(selection.CmdDone_Click(), accepted);
        QCOMPARE(selection.displayList().join(','), displayed); // as the user left them
        QCOMPARE(selection.listsEnabled(), !accepted);
        if (accepted) {
            QVERIFY(prompts.shown.isEmpty());
            QCOMPARE(s.DisplayListStr, displayed);
        } else {
            QCOMPARE(
                prompts.shown,
                QStringList{"Skedwise: Time Field Missing. Select either UTC or UTCB AND UTCE"});
            QCOMPARE(s.FnamesStr, storedNames); // nothing stored for the grid yet
        }
    }

    void movedFieldBecomesTheLastColumn() {
        app::ProgramState s = startState();
        app::ScriptedPrompts prompts;
        FieldSelection selection(s, prompts);
        selection.Form_Load();
        QCOMPARE(selection.CmdSwap_Click(0, 3), 3); // "Country", now the fourth displayed
        QVERIFY(!selection.sourceList().contains("Country"));
        QVERIFY(selection.CmdDone_Click());
        QCOMPARE(s.DisplayFields[5], (schedule::DisplayField{19, 17, "Country"}));
        QCOMPARE(s.DisplayFields[6].FieldName, QString());
        QCOMPARE(s.FnamesStr, "StationID,Freq,Station,UTC,Language,Country" + NoMoreFields.mid(1));
        QCOMPARE(s.DisplayListStr, QString("Station,UTC,Language,Country"));
        QCOMPARE(s.SourceListStr.split(',').size(), 21);
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<bool>("failedDoneFirst");
        addRow("fields moved, then Cancel", false);
        addRow("a refused Done, then Cancel", true);
    }
    void cancelChangesNothing() {
        QFETCH(bool, failedDoneFirst);
        app::ProgramState s = startState();
        const app::ProgramState before = s;
        app::ScriptedPrompts prompts;
        FieldSelection selection(s, prompts);
        selection.Form_Load();
        move(selection, ">Country");
        move(selection, "<UTC");
        if (failedDoneFirst)
            QVERIFY(!selection.CmdDone_Click());
        selection.CmdCancel_Click();
        QVERIFY(s.DlgCancel);
        QCOMPARE(s.DisplayFields, before.DisplayFields);
        QCOMPARE(s.FieldListStr, before.FieldListStr);
        QCOMPARE(s.DisplayListStr, before.DisplayListStr);
        QCOMPARE(s.SourceListStr, before.SourceListStr);
        QCOMPARE(s.ColChars, before.ColChars);
        QCOMPARE(s.FieldNums, before.FieldNums);
        QCOMPARE(s.FnamesStr, before.FnamesStr);
    }

    void damagedStoredLists_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("available");
        QTest::addColumn<QString>("displayed");
        addRow("unknown displayed field dropped, lost field offered again", DefaultAvailable,
               "Station,Bogus,UTC",
               "ADM,Azi,CIRAF,Country,Days,Graphic,Language,Lati,LC,Location,Longi,Mode,P,"
               "Power,Program,Region,Remarks,Status,STN,Target,TargetALL,UTCB,UTCE",
               "Station,UTC");
        addRow("empty displayed list takes the defaults", "ADM", "", DefaultAvailable,
               "Station,UTC,Language");
        addRow("names take the catalogue's spelling", DefaultAvailable.toLower(),
               "station, utc ,LANGUAGE", DefaultAvailable, "Station,UTC,Language");
        addRow("the fixed columns are not choosable", "Freq," + DefaultAvailable,
               "StationID,Station,Freq,UTC,Language", DefaultAvailable, "Station,UTC,Language");
        addRow("a field in both lists stays displayed, once", DefaultAvailable,
               "Station,UTC,Language,ADM,UTC", DefaultAvailable.mid(4), "Station,UTC,Language,ADM");
    }
    void damagedStoredLists() {
        QFETCH(QString, source);
        QFETCH(QString, display);
        QFETCH(QString, available);
        QFETCH(QString, displayed);
        app::ProgramState s = startState();
        s.SourceListStr = source;
        s.DisplayListStr = display;
        app::ScriptedPrompts prompts;
        FieldSelection selection(s, prompts);
        selection.Form_Load();
        QCOMPARE(selection.sourceList().join(','), available);
        QCOMPARE(selection.displayList().join(','), displayed);
        QVERIFY(selection.CmdDone_Click());
        QCOMPARE(s.DisplayListStr, displayed);
        QCOMPARE(s.FnamesStr.section(',', 2, 1 + int(selection.displayList().size())), displayed);
    }

    void afterDoneOnlyTheLanguageConditionStays_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QList<int>>("stations");
        const QString fields = "StationID,Freq,Station,UTC,Language,Country";
        addRow("language chosen: equality, two blanks before =", "English",
               "Select " + fields + " from MyDataTable Where Language  = 'English' ",
               "Filter By \r\nLanguage = English", QList<int>{4, 1});
        addRow("all languages: no condition", "ALL", "Select " + fields + " from MyDataTable ",
               "ALL Languages", QList<int>{4, 2, 3, 1});
    }
    void afterDoneOnlyTheLanguageConditionStays() {
        QFETCH(QString, language);
        QFETCH(QString, select);
        QFETCH(QString, filter);
        QFETCH(QList<int>, stations);
        RecordingPort port(languagesTable());
        port.s.Language = language;
        port.s.SQLStr = "Select " + port.s.FieldListStr +
                        " from MyDataTable Where (instr(Station,'Radio B') > 0)";
        port.s.FilterStr = "Filter By \r\nStation = Radio B";
        port.s.WhereStr = " And Freq > ' 5000.00'";
        port.user = [](FieldSelection &dialog) {
            move(dialog, ">Country");
            QVERIFY(dialog.CmdDone_Click());
        };
        SForm_Click(port);
        QCOMPARE(port.events, QStringList({"DisableOnAir", "showFieldSelection", "redraw off",
                                           "ReadDB " + select, "redraw on"}));
        QCOMPARE(port.s.SQLStr, select);
        QCOMPARE(port.s.FilterStr, filter);
        jet::RecordSet &rs = port.data.recordset();
        QList<int> shown;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            shown << int(rs.field(u"StationID").number);
        QCOMPARE(shown, stations);
        QCOMPARE(rs.fieldCount(), 6);
        QCOMPARE(rs.fieldName(5), QString("Country"));
        QVERIFY(!port.s.ColsChanged); // ReadDB rebuilt the columns
    }
};

QTEST_GUILESS_MAIN(FieldSelectionTest)
#include "FieldSelection_test.moc"
