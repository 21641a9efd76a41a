#include "FakeMainWindow.h"
#include "schedule/CustomFilters.h"
#include "schedule/QueryComposer.h"
#include "schedule/QuickFind.h"
#include "support/TestSupport.h"

using namespace schedule;
using testsupport::FakeMainWindow;

// Every place where a typed or stored value enters a SQL text or criterion, run with an
// apostrophe in the value: the query must stay well formed and select the row holding it.

namespace {

std::shared_ptr<const jet::Table> apostropheTable() {
    return testsupport::tableFromCsv(jet::parseCsv(
        "StationID,Freq,Station,UTC,Language,Country,Location,ADM,STN,TargetALL,P,UTCB,UTCE\r\n"
        "1,6000,\"Radio Val d'Oise\",\"0600-0900\",\"Int'l French\",\"COTE D'IVOIRE\","
        "\"St. John's\",\"C'I\",\"O'K\",\"D'ARC\",\"P\",\"0600\",\"0900\"\r\n"
        "2,7000,\"Radio Beta\",\"2200-0200\",\"English\",\"GERMANY\",\"Berlin\",\"D\",\"DW\","
        "\"EU\",\"N\",\"2200\",\"0200\"\r\n"));
}

using Place = std::function<void(FakeMainWindow &)>;

} // namespace

class ApostropheTest : public QObject {
    Q_OBJECT

private slots:
    void queries_data() {
        QTest::addColumn<Place>("place");
        auto filter = [](int index, const QString &typed) {
            return Place([=](FakeMainWindow &w) {
                w.script.inputs = {typed};
                FindNow_Click(index, w);
            });
        };
        addRow("stored language at start-up", Place([](FakeMainWindow &w) {
                   w.s.Language = "Int'l French";
                   startupQuery(w.s);
                   w.ReadDB(w.s.SQLStr);
               }));
        addRow("language picked in the selector",
               Place([](FakeMainWindow &w) { languagePicked(w, "Int'l French"); }));
        addRow("language typed in the selector",
               Place([](FakeMainWindow &w) { languageEntered(w, "Int'l French"); }));
        addRow("country filter", filter(5, "cote d'ivoire"));
        addRow("location filter", filter(6, "st. john's"));
        addRow("ADM filter", filter(9, "c'i"));
        addRow("station filter", filter(10, "val d'"));
        addRow("target filter", filter(11, "d'arc"));
        addRow("query dialog", Place([](FakeMainWindow &w) {
                   QueryForm form;
                   form.combo[StationField] = "Radio Val d'Oise";
                   form.combo[CountryField] = "COTE D'IVOIRE";
                   form.combo[AdmField] = "C'I";
                   form.combo[TargetField] = "D'ARC";
                   CmdDone_Click(w.s, form, w.script, {});
                   w.ReadDB(w.s.SQLStr);
               }));
    }
    void queries() {
        QFETCH(Place, place);
        FakeMainWindow w(apostropheTable());
        place(w);
        QVERIFY2(w.script.shown.filter("Error").isEmpty(), qPrintable(w.script.shown.join('\n')));
        QCOMPARE(w.rs().recordCount(), 1);
        QCOMPARE(w.currentField("StationID"), QString("1"));
    }

    void quickFinds_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        addRow("station", 1, "VAL D'", true);
        addRow("location", 2, "JOHN'S", true);
        addRow("start time (no such time, still well formed)", 3, "06'", false);
        addRow("ADM", 4, "C'I", true);
        addRow("STN", 5, "O'K", true);
    }
    void quickFinds() {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(bool, found);
        FakeMainWindow w(apostropheTable());
        w.rs().moveLast();
        QString error;
        QVERIFY2(w.rs().findFirst(quickFindCriterion(index, typed, true), &error),
                 qPrintable(error));
        QCOMPARE(!w.rs().noMatch(), found);
        if (found)
            QCOMPARE(w.currentField("StationID"), QString("1"));
    }
};

QTEST_GUILESS_MAIN(ApostropheTest)
#include "Apostrophe_test.moc"
