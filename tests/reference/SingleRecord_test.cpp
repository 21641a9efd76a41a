#include "reference/SingleRecord.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace reference;

namespace {

const QString Db = "/prog/ILGDATA.MDB";

// Two records: one with a non-ASCII location, an apostrophe, a Null and a full Graphic bar.
const char *FixtureCsv =
    "StationID,Freq,Station,UTC,Days,Language,Graphic,Target,Location,Power,Azi,Remarks,"
    "Status,Mode,TargetALL,CIRAF,ADM,Country,Longi,Lati,LC,Region,STN,P,Program,UTCB,UTCE\n"
    "4711,9575.5,\"Radio Voz d'Africa\",\"1800-1900\",\"1234567\",\"Português\","
    "\"____________________________________XX__________\",\"Af\",\"Țiganești\",\"250\","
    "\"170\",,\"C\",\"D\",\"Africa, south\",\"52,53,57\",\"ROU\",\"Romania\",\"026E06\","
    "\"44N45\",\"PT\",\"Eastern Europe\",\"RVA\",\"N\",\"News\",\"1800\",\"1900\"\n"
    "4712,6000,\"Other\",\"0000-0100\",,,,,,,,,,,,,,,,,,,,,,\"0000\",\"0100\"\n";

struct Reader {
    Reader() : reader(tables) {
        tables.add(Db, testsupport::tableFromCsv(jet::parseCsv(QString::fromUtf8(FixtureCsv))));
    }
    testsupport::MemoryTables tables;
    SingleRecordReader reader;
};

} // namespace

class SingleRecordTest : public QObject {
    Q_OBJECT
private slots:
    // Box by box: a non-ASCII value, an apostrophe, a Null, a field in other letter case.
    void everyBoxShowsItsField() {
        Reader r;
        QVERIFY(r.reader.open(Db, 4711));
        QCOMPARE(r.reader.boxTexts().join('|'),
                 QString("170|Romania|1234567|9575.5|____________________________________XX______"
                         "____|ROU|Português|44N45|Țiganești|026E06|N|250|News|Eastern Europe||"
                         "Radio Voz d'Africa|4711|RVA|Af|Africa, south|1800-1900|1800|1900|C|D|"
                         "52,53,57|PT"));
    }

    void noRecordLeavesEveryBoxEmpty_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint32>("stationId");
        QTest::addColumn<bool>("reads");
        addRow("StationID not in the table", Db, 99, true);
        addRow("StationID 0 before any row was clicked", Db, 0, true);
        addRow("database missing", "/elsewhere/ILGDATA.MDB", 4711, false);
    }
    void noRecordLeavesEveryBoxEmpty() {
        QFETCH(QString, file);
        QFETCH(qint32, stationId);
        QFETCH(bool, reads);
        Reader r;
        QString error;
        QCOMPARE(r.reader.open(file, stationId, &error), reads);
        QCOMPARE(error.isEmpty(), reads);
        QCOMPARE(r.reader.boxTexts(), QStringList(27, QString()));
    }

    void closeReleasesTheRecord() {
        Reader r;
        QVERIFY(r.reader.open(Db, 4711));
        r.reader.close();
        QCOMPARE(r.reader.boxTexts(), QStringList(27, QString()));
    }
};

QTEST_GUILESS_MAIN(SingleRecordTest)
#include "SingleRecord_test.moc"
