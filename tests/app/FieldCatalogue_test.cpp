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

    void fieldIndex_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        addRow("lower case utcb", "utcb", 25);
        addRow("prefix is no match", "Loc", -1);
        addRow("empty name", "", -1);
        addRow("first field", "STATIONID", 0);
    }
    void fieldIndex() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QCOMPARE(int(FieldIndex(buildCodeTables(), name)), index);
    }
};

QTEST_GUILESS_MAIN(FieldCatalogueTest)
#include "FieldCatalogue_test.moc"
