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
    void recordSourceNamesTheStation() {
        QCOMPARE(singleRecordSource(4711),
                 QStringLiteral("Select * From MyDataTable Where StationID = 4711 "));
    }

    void everyBoxShowsItsField_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("expected");
        addRow("0 Azi", 0, "170");
        addRow("1 Country", 1, "Romania");
        addRow("2 Days", 2, "1234567");
        addRow("3 Freq as the grid shows it", 3, "9575.5");
        addRow("4 Graphic, all 48", 4, "____________________________________XX__________");
        addRow("5 ADM", 5, "ROU");
        addRow("6 Language, non-ASCII", 6, "Português");
        addRow("7 Lati", 7, "44N45");
        addRow("8 Location, non-ASCII", 8, "Țiganești");
        addRow("9 Longi", 9, "026E06");
        addRow("10 P", 10, "N");
        addRow("11 Power", 11, "250");
        addRow("12 Program", 12, "News");
        addRow("13 Region", 13, "Eastern Europe");
        addRow("14 Remarks, Null shows empty", 14, "");
        addRow("15 Station, apostrophe", 15, "Radio Voz d'Africa");
        addRow("16 StationID", 16, "4711");
        addRow("17 STN", 17, "RVA");
        addRow("18 Target", 18, "Af");
        addRow("19 TargetAll, other letter case in the file", 19, "Africa, south");
        addRow("20 UTC", 20, "1800-1900");
        addRow("21 UTCB", 21, "1800");
        addRow("22 UTCE", 22, "1900");
        addRow("23 Status", 23, "C");
        addRow("24 Mode", 24, "D");
        addRow("25 CIRAF", 25, "52,53,57");
        addRow("26 LC", 26, "PT");
    }
    void everyBoxShowsItsField() {
        QFETCH(int, box);
        QFETCH(QString, expected);
        Reader r;
        QVERIFY(r.reader.open(Db, 4711));
        const QStringList texts = r.reader.boxTexts();
        QCOMPARE(texts.size(), 27);
        QCOMPARE(texts[box], expected);
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

    void hourScaleMarksTheHalfHours() {
        QCOMPARE(HourScale,
                 QStringLiteral("00           06          12          18          24 hr"));
    }
};

QTEST_GUILESS_MAIN(SingleRecordTest)
#include "SingleRecord_test.moc"
