#include "reference/SingleRecord.h"
#include "support/MemoryTables.h"

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
        QTest::newRow("0 Azi") << 0 << "170";
        QTest::newRow("1 Country") << 1 << "Romania";
        QTest::newRow("2 Days") << 2 << "1234567";
        QTest::newRow("3 Freq as the grid shows it") << 3 << "9575.5";
        QTest::newRow("4 Graphic, all 48")
            << 4 << "____________________________________XX__________";
        QTest::newRow("5 ADM") << 5 << "ROU";
        QTest::newRow("6 Language, non-ASCII") << 6 << "Português";
        QTest::newRow("7 Lati") << 7 << "44N45";
        QTest::newRow("8 Location, non-ASCII") << 8 << "Țiganești";
        QTest::newRow("9 Longi") << 9 << "026E06";
        QTest::newRow("10 P") << 10 << "N";
        QTest::newRow("11 Power") << 11 << "250";
        QTest::newRow("12 Program") << 12 << "News";
        QTest::newRow("13 Region") << 13 << "Eastern Europe";
        QTest::newRow("14 Remarks, Null shows empty") << 14 << "";
        QTest::newRow("15 Station, apostrophe") << 15 << "Radio Voz d'Africa";
        QTest::newRow("16 StationID") << 16 << "4711";
        QTest::newRow("17 STN") << 17 << "RVA";
        QTest::newRow("18 Target") << 18 << "Af";
        QTest::newRow("19 TargetAll, other letter case in the file") << 19 << "Africa, south";
        QTest::newRow("20 UTC") << 20 << "1800-1900";
        QTest::newRow("21 UTCB") << 21 << "1800";
        QTest::newRow("22 UTCE") << 22 << "1900";
        QTest::newRow("23 Status") << 23 << "C";
        QTest::newRow("24 Mode") << 24 << "D";
        QTest::newRow("25 CIRAF") << 25 << "52,53,57";
        QTest::newRow("26 LC") << 26 << "PT";
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
        QTest::newRow("StationID not in the table") << Db << 99 << true;
        QTest::newRow("StationID 0 before any row was clicked") << Db << 0 << true;
        QTest::newRow("database missing") << "/elsewhere/ILGDATA.MDB" << 4711 << false;
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

    void boxTableCarriesCaptionsLimitsAndTips_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Graphic widest") << 4 << "Graphic:"
                                        << "Graphic" << 48 << false << "";
        QTest::newRow("Lang is Language") << 6 << "Lang:"
                                          << "Language" << 17 << false << "";
        QTest::newRow("StationID by the plain label") << 16 << ""
                                                      << "StationID" << 10 << false << "";
        QTest::newRow("UTC tip with blanks") << 20 << "UTC:"
                                             << "UTC" << 9 << true << " Format is HHMM-HHMM ";
        QTest::newRow("UTCE tip") << 22 << "UTCE:"
                                  << "UTCE" << 5 << true << " Format is HHMM ";
        QTest::newRow("Status, no limit") << 23 << "Status"
                                          << "Status" << 0 << true << "";
        QTest::newRow("Modulation is Mode") << 24 << "Modulation"
                                            << "Mode" << 0 << true << "";
        QTest::newRow("CIRAF left") << 25 << "CIRAF"
                                    << "CIRAF" << 30 << false << "";
    }
    void boxTableCarriesCaptionsLimitsAndTips() {
        QFETCH(int, box);
        const RecordBox &b = recordBoxes().at(box);
        QTEST(b.caption, "caption");
        QTEST(b.field, "field");
        QTEST(b.limit, "limit");
        QTEST(b.centred, "centred");
        QTEST(b.toolTip, "tip");
    }

    void hourScaleMarksTheHalfHours() {
        QCOMPARE(HourScale,
                 QStringLiteral("00           06          12          18          24 hr"));
    }
};

QTEST_GUILESS_MAIN(SingleRecordTest)
#include "SingleRecord_test.moc"
