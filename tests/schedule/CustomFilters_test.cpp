#include "FakeMainWindow.h"
#include "schedule/ClearFilter.h"
#include "schedule/CustomFilters.h"
#include "support/TestSupport.h"

using namespace schedule;
using testsupport::FakeMainWindow;

namespace {

const QString Fields = "StationID,Freq,Station,UTC,Language";
const QString Head = "Filter By \r\n";

std::shared_ptr<const jet::Table> smallTable() {
    return testsupport::tableFromCsv(jet::parseCsv(
        "StationID,Freq,Station,UTC,Language,Country,Location,ADM,TargetALL,P,UTCB,UTCE\r\n"
        "1,6000,\"Radio Val d'Oise\",\"0600-0900\",\"French\",\"FRANCE\",\"Paris\",\"F\",\"EU\","
        "\"P\",\"0600\",\"0900\"\r\n"
        "2,15100,\"Radio Beta\",\"2200-0200\",\"English/French\",\"GERMANY\",\"Berlin\",\"D\","
        "\"EU,AF\",\"N\",\"2200\",\"0200\"\r\n"
        "3,600,\"Radio Gamma\",\"0600-0700\",\"English\",\"ITALY\",\"Rome\",\"I\",\"AF\",\"=\","
        "\"0600\",\"0700\"\r\n"));
}

QString allCaption(int n) {
    return "VAZOdariDATA   " + QString::number(n) + " Records in ALL Languages";
}

} // namespace

class CustomFiltersTest : public QObject {
    Q_OBJECT

private slots:
    void oneValue_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("records");
        addRow("frequency: 8 characters with a leading blank", 3, "6000",
               "Frequency?: Input Frequency", " From MyDataTable Where Freq = ' 6000.00' ",
               "Frequency =  6000.00 kHz", 1);
        addRow("frequency: 5 digits, no blank", 3, "15100", "Frequency?: Input Frequency",
               " From MyDataTable Where Freq = '15100.00' ", "Frequency = 15100.00 kHz", 1);
        addRow("frequency: leading zero then blank", 3, "600", "Frequency?: Input Frequency",
               " From MyDataTable Where Freq = ' 0600.00' ", "Frequency =  0600.00 kHz", 1);
        addRow("frequency: decimal rounded to two places", 3, "9.5", "Frequency?: Input Frequency",
               " From MyDataTable Where Freq = ' 0009.50' ", "Frequency =  0009.50 kHz", 0);
        addRow("country upper-cased, whole field", 5, "germany", "Country?: Input Country",
               " From MyDataTable Where Country = 'GERMANY' ", "Country = GERMANY", 1);
        addRow("location contained, no blank at the end", 6, "i", "Location?: Input Location",
               " From MyDataTable Where (instr(Location,'I') > 0)", "Location = I", 2);
        addRow("start time on UTCB", 7, "0600", "Start Time?: Input Program Start Time",
               " From MyDataTable Where UTCB = '0600' ", "Program Start Time = 0600", 2);
        addRow("ADM whole code", 9, "d", "ADM (3 letter)?: Input ADM Designation",
               " From MyDataTable Where ADM = 'D' ", "ADM = D", 1);
        addRow("station name contained, blank at the end", 10, "radio",
               "Station Name?: Input Station Name",
               " From MyDataTable Where (instr(STATION,'RADIO') > 0) ", "Station = RADIO", 3);
        addRow("target on TargetAll", 11, "af", "Target Name?: Input Target Name",
               " From MyDataTable Where (instr(TargetAll,'AF') > 0) ", "Target = AF", 2);
        addRow("apostrophe doubled in SQL, shown once", 10, "val d'oise",
               "Station Name?: Input Station Name",
               " From MyDataTable Where (instr(STATION,'VAL D''OISE') > 0) ",
               "Station = VAL D'OISE", 1);
    }
    void oneValue() {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, prompt);
        QFETCH(QString, tail);
        QFETCH(QString, description);
        QFETCH(int, records);
        FakeMainWindow w(smallTable(), Fields);
        w.s.OnAirMode = true;
        w.s.WhereStr = "on air";
        w.script.inputs << typed;
        FindNow_Click(index, w);
        QCOMPARE(w.script.shown, QStringList{prompt});
        QCOMPARE(w.s.SQLStr, "Select " + w.s.FieldListStr + tail);
        QCOMPARE(w.s.FilterStr, Head + description);
        QCOMPARE(w.events.first(), QString("DisableOnAir"));
        QCOMPARE(w.events.at(1), "ReadDB " + w.s.SQLStr);
        QCOMPARE(w.rs().recordCount(), records);
        QVERIFY(!w.s.OnAirMode);
    }

    void twoValues_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("utcShown");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("prompts");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("description");
        addRow("range: values trimmed in the description", 4, false, QStringList{"6000", "15100"},
               QStringList{"Low Frequency?: Input Low Frequency",
                           "High Frequency?: Input High Frequency"},
               " From MyDataTable Where Freq >= ' 6000.00' AND Freq <= '15100.00' ",
               "Frequency Range \r\n6000.00 kHz To 15100.00 kHz");
        addRow("times on UTCB/UTCE when UTC hidden", 8, false, QStringList{"0600", "0900"},
               QStringList{"Start Time?: Input Program Start Time",
                           "End Time?: Input Program End Time"},
               " From MyDataTable Where UTCB >= '0600' AND UTCE <= '0900' ",
               "Program Time Span \r\n0600Z to 0900 Z");
        addRow("times on Left/Right(UTC,4) when UTC shown", 8, true, QStringList{"0600", "0900"},
               QStringList{"Start Time?: Input Program Start Time",
                           "End Time?: Input Program End Time"},
               " From MyDataTable Where Left(UTC,4) >= '0600' AND Right(UTC,4) <= '0900' ",
               "Program Time Span \r\n0600Z to 0900 Z");
    }
    void twoValues() {
        QFETCH(int, index);
        QFETCH(bool, utcShown);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, prompts);
        QFETCH(QString, tail);
        QFETCH(QString, description);
        FakeMainWindow w(smallTable(), utcShown ? Fields : "StationID,Freq,Station,UTCB,UTCE");
        w.script.inputs = typed;
        FindNow_Click(index, w);
        QCOMPARE(w.script.shown, prompts);
        QCOMPARE(w.s.SQLStr, "Select " + w.s.FieldListStr + tail);
        QCOMPARE(w.s.FilterStr, Head + description);
        QCOMPARE(w.caption, allCaption(w.rs().recordCount()));
        QCOMPARE(w.events.first(), QString("DisableOnAir"));
    }

    void valueMissing_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("typed");
        addRow("range without low", 4, QStringList{"", "7000"});
        addRow("times with second prompt cancelled", 8, QStringList{"0600"});
    }
    void valueMissing() {
        QFETCH(int, index);
        QFETCH(QStringList, typed);
        FakeMainWindow w(smallTable(), Fields);
        w.s.OnAirMode = true;
        w.s.SQLStr = "before";
        w.s.FilterStr = "before";
        w.script.inputs = typed;
        FindNow_Click(index, w);
        QCOMPARE(w.script.shown.size(), 3); // both prompts always shown
        QCOMPARE(w.script.shown.last(), QString(": Value Missing!"));
        QVERIFY(w.events.isEmpty());
        QVERIFY(w.s.OnAirMode);
        QCOMPARE(w.s.SQLStr, QString("before"));
        QCOMPARE(w.s.FilterStr, QString("before"));
    }

    void programs_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("records");
        addRow("entry 1 named from the table, not the menu", 1, "C", "Classical Music", 0);
        addRow("entry 8 described as Pop Music", 8, "P", "Pop Music", 1);
        addRow("entry 13 code =", 13, "=", "Time Signal", 1);
    }
    void programs() {
        QFETCH(int, index);
        QFETCH(QString, code);
        QFETCH(QString, description);
        QFETCH(int, records);
        FakeMainWindow w(smallTable(), Fields);
        Progs_Click(index, w);
        QCOMPARE(w.s.SearchStr, code);
        QCOMPARE(w.s.SQLStr,
                 "Select " + w.s.FieldListStr + " From MyDataTable Where P = '" + code + "' ");
        QCOMPARE(w.s.FilterStr, Head + "Program = " + description);
        QCOMPARE(w.caption, allCaption(records));
        QCOMPARE(w.events.first(), QString("DisableOnAir"));
    }

    void queryDialogResult_data() {
        QTest::addColumn<QString>("composed");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<bool>("onAir");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("calls");
        const QString sql = "ReadDB Select X From MyDataTable ";
        addRow("cancel: nothing happens", "Filter By\r\n", true, false, "Filter By\r\n",
               QStringList{"showQueryDialog"});
        addRow("no condition: NO Filter", "Filter By\r\n", false, false, "NO Filter",
               QStringList{"showQueryDialog", "DisableOnAir", sql});
        addRow("final line break removed whole", "Filter By\r\nLanguage = X\r\n", false, false,
               "Filter By\r\nLanguage = X", QStringList{"showQueryDialog", "DisableOnAir", sql});
        addRow("on-air: saved copies, then both queries", "Filter By\r\nADM = D\r\n", false, true,
               "Filter By\r\nADM = D", QStringList{"showQueryDialog", "DisplayOnAir", sql});
    }
    void queryDialogResult() {
        QFETCH(QString, composed);
        QFETCH(bool, cancelled);
        QFETCH(bool, onAir);
        QFETCH(QString, filter);
        QFETCH(QStringList, calls);
        FakeMainWindow w(smallTable(), Fields);
        w.s.QueryOnAir = onAir;
        w.queryDialog = [&] {
            w.s.DlgCancel = cancelled;
            w.s.FilterStr = composed;
            w.s.SQLStr = "Select X From MyDataTable ";
        };
        FindNow_Click(0, w);
        QCOMPARE(w.s.FilterStr, filter);
        QCOMPARE(w.events, calls);
        QCOMPARE(w.s.SavedFilterStr, onAir ? filter : QString());
        QCOMPARE(w.s.SavedSQL, onAir ? w.s.SQLStr : QString());
    }

    void languagePaths_data() {
        QTest::addColumn<bool>("entered");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("tail");
        addRow("picked: contained", false, "English",
               " from MyDataTable Where (instr(Language,'English') > 0)");
        addRow("picked ALL in any case: no condition", false, "all", " from MyDataTable");
        addRow("entered: equality with two blanks before =", true, "English",
               " from MyDataTable Where Language  = 'English' ");
    }
    void languagePaths() {
        QFETCH(bool, entered);
        QFETCH(QString, language);
        QFETCH(QString, tail);
        FakeMainWindow w(smallTable(), Fields);
        w.s.CaptionNot = " NOT ";
        w.s.QueryNot = " NOT ";
        entered ? languageEntered(w, language) : languagePicked(w, language);
        QCOMPARE(w.s.SQLStr, "Select " + w.s.FieldListStr + tail);
        QCOMPARE(w.s.Language, language);
        QCOMPARE(w.s.FilterStr, Head + "Language = " + language);
        QCOMPARE(w.s.CaptionNot, QString());
        QVERIFY(!w.caption.contains("NOT"));
    }

    void filterStatus_data() {
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<QString>("fsort");
        QTest::addColumn<QString>("text");
        addRow("by frequency", "Freq", "", "ALL Languages\r\nSorted By Freq\r\n");
        addRow("descending adds a line", "Freq", " DESC",
               "ALL Languages\r\nSorted By Freq\r\nFrequency in Descending Order\r\n");
        addRow("other field names frequency second", "Station", "",
               "ALL Languages\r\nSorted By Station, Frequency\r\n");
    }
    void filterStatus() {
        QFETCH(QString, sortBy);
        QFETCH(QString, fsort);
        QFETCH(QString, text);
        app::ProgramState s;
        s.FilterStr = "ALL Languages";
        s.SortBy = sortBy;
        s.FSortStr = fsort;
        QCOMPARE(filterStatusText(s), text);
    }

    void clearFilterKeepsStationCentred() {
        auto table = testsupport::fixtureScheduleTable();
        REQUIRE_THAT(table, QStringLiteral("the schedule fixture"));
        FakeMainWindow w(table, Fields);
        w.s.SQLStr = "Select " + w.s.FieldListStr + " From MyDataTable Where Language = 'French'";
        w.s.SortBy = "Station";
        w.s.Language = "French";
        w.s.OnAirMode = true;
        w.s.WhereStr = " And Freq > 0";
        w.s.FindType = 3;
        w.s.FilterStr = "Filter By \r\nLanguage = French";
        w.ReadDB(w.s.SQLStr);
        w.rs().moveTo(40);
        const QString station = w.currentField("StationID");
        w.events.clear();
        SelectAll_Click(w);
        QCOMPARE(w.events.first(), QString("closeSingleRecordWindow"));
        QCOMPARE(w.s.SQLStr, "Select " + w.s.FieldListStr + " From MyDataTable");
        QCOMPARE(w.rs().recordCount(), 1500);
        QCOMPARE(w.currentField("StationID"), station);
        QCOMPARE(w.firstVisiblePosition(), std::max(0, w.rs().position() - 10));
        QCOMPARE(w.s.FilterStr, QString("ALL Languages"));
        QCOMPARE(w.languageSelectorText, QString("ALL"));
        QCOMPARE(w.s.SortBy, QString("Freq"));
        QCOMPARE(w.s.FindType, qint16(0));
        QCOMPARE(w.onAirColor, onair::OnAirOffColor);
        QVERIFY(!w.s.OnAirMode && w.s.WhereStr.isEmpty() && w.redraw);
        QCOMPARE(w.caption, allCaption(1500));
    }
};

QTEST_GUILESS_MAIN(CustomFiltersTest)
#include "CustomFilters_test.moc"
