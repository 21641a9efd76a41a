#include "app/FieldCatalogue.h"
#include "support/TestSupport.h"

using namespace schedule;

namespace {
const FieldLists Defaults{"0,9,22,10,18,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
                          "0,1,2,3,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",
                          "StationID,Freq,Station,UTC,Language,,,,,,,,,,,,,,,,,,,,,,,,,"};
}

class FieldCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void defaultListsGiveFiveColumns() {
        DisplayFieldArray f;
        ParseFieldLists(Defaults, f);
        QCOMPARE(displayedFieldCount(f), 5);
        QCOMPARE(f[2], (DisplayField{22, 2, "Station"}));
        QCOMPARE(f[4], (DisplayField{18, 5, "Language"}));
        QCOMPARE(f[26].FieldName, QString(",,,")); // the last slot takes the tail
    }

    void parseJoinParseIsStable() {
        DisplayFieldArray first, second;
        ParseFieldLists(Defaults, first);
        const FieldLists joined = BuildFieldLists(first);
        QCOMPARE(joined.ColChars.count(','), 26);
        ParseFieldLists(joined, second);
        QCOMPARE(second, first);
    }

    void shortListLeavesMissingSlotsEmpty() {
        DisplayFieldArray f;
        f.fill(DisplayField{7, 7, "Stale"});
        ParseFieldLists({"0,9,22", "0,1,2", "StationID,Freq,Station"}, f);
        QCOMPARE(f[2], (DisplayField{22, 2, "Station"}));
        QCOMPARE(f[3], DisplayField{});
        QCOMPARE(f[26], DisplayField{});
        QCOMPARE(displayedFieldCount(f), 3);
    }

    void fieldIndex_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("lower case utcb") << "utcb" << 25;
        QTest::newRow("prefix is no match") << "Loc" << -1;
        QTest::newRow("empty name") << "" << -1;
        QTest::newRow("first field") << "STATIONID" << 0;
    }
    void fieldIndex() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QCOMPARE(int(FieldIndex(buildCodeTables(), name)), index);
    }
};

QTEST_GUILESS_MAIN(FieldCatalogueTest)
#include "FieldCatalogue_test.moc"
