#include "imports/HfccImport.h"
#include "imports/ImportFlow.h"
#include "jet/MdbReader.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

using namespace imports;
using testsupport::fileBytes;

namespace {

QString handWritten(const QString &name) {
    return QFINDTESTDATA("data/hfcc/" + name);
}

const QString Summary0721 =
    "6 records written.\n"
    "2 entries left out: not valid on 2026-07-21.\n"
    "2 lines skipped (shorter than the MOD column, no frequency, or bytes that are not Latin-1 "
    "text): 13, 14\n"
    "Codes not found in the HFCC lists: CIRAF zones 99, administration XXX, broadcaster QQQ, "
    "days 2x, language Xyz, site ZZZ";

// The season file and its tables as a zip, with the changes a row asks for.
QString zipOf(const QTemporaryDir &dir, const QString &kind) {
    QList<std::pair<QString, QByteArray>> members;
    if (kind != "no-season-file")
        members.append({"A26all00.TXT", fileBytes(handWritten("A26all00.TXT"))});
    for (const QString &table : hfcc::TableFiles)
        members.append({table, fileBytes(handWritten(table))});
    const QString path = dir.filePath("a26allx2.zip");
    if (!testsupport::writeZip(path, members))
        return {};
    QByteArray bytes = fileBytes(path);
    if (kind == "truncated")
        bytes.truncate(bytes.size() / 2);
    if (kind == "damaged") // a byte of the packed season file, caught by its CRC
        bytes[bytes.indexOf("A26all00.TXT") + 40] ^= 0x55;
    if (kind == "claims-300-MB") // the sizes in the local and the central header
        for (const char *header : {"PK\x03\x04", "PK\x01\x02"}) {
            const qsizetype at = bytes.indexOf(header) + (header[2] == 3 ? 22 : 24);
            const quint32 claim = 300u * 1024 * 1024;
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = char((claim >> (8 * i)) & 0xFF);
        }
    testsupport::writeFile(path, bytes);
    return path;
}

// Freq|Station|UTC|Days|Language|LC|Location|Lati|Longi|Power|Azi|CIRAF|Mode|ADM|Country|Remarks
QStringList rowTexts(const jet::Table &table) {
    const QStringList fields = {"Freq",     "Station", "UTC",     "Days",   "Language", "LC",
                                "Location", "Lati",    "Longi",   "Power",  "Azi",      "CIRAF",
                                "Mode",     "ADM",     "Country", "Remarks"};
    QStringList rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (const QString &f : fields)
            cells << jet::displayText(table.cell(r, table.columnIndex(f)));
        rows << cells.join(u'|');
    }
    return rows;
}

} // namespace

class HfccImportTest : public QObject {
    Q_OBJECT

private slots:
    void daysInThisScheduleConvention_data() {
        QTest::addColumn<QString>("hfcc");
        QTest::addColumn<QString>("expected");
        addRow("daily", "1234567", "1234567");
        addRow("Monday to Friday", "23456", "12345");
        addRow("Saturday and Sunday, Sunday last", "17", "67");
        addRow("not days: kept as it stands", "2x", "none");
        addRow("blank", "", "none");
    }

    void daysInThisScheduleConvention() {
        QFETCH(QString, hfcc);
        QFETCH(QString, expected);
        QCOMPARE(hfcc::daysDigits(hfcc).value_or("none"), expected);
    }

    void cirafZoneLists_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QList<int>>("zones");
        addRow("quadrant", "27SE,28", QList<int>{27, 28});
        addRow("range", "37-39", QList<int>{37, 38, 39});
        addRow("mixed, repeats once", "4,9,27,37-39,9", QList<int>{4, 9, 27, 37, 38, 39});
        addRow("no zone 99", "99", QList<int>{-1});
        addRow("a range backwards", "39-37", QList<int>{-1});
    }

    void cirafZoneLists() {
        QFETCH(QString, list);
        QFETCH(QList<int>, zones);
        QCOMPARE(hfcc::cirafZones(list).value_or(QList<int>{-1}), zones);
    }

    void seasonFileMapsToRows() {
        QTemporaryDir dir;
        const QString db = dir.filePath("ILGDATA.MDB");
        const ImportResult r = importSchedule(hfcc::scheduleReader(), handWritten("A26all00.TXT"),
                                              db, Validity::on(QDate(2026, 7, 21)), {});
        QCOMPARE(int(r.outcome), int(ImportOutcome::Done));
        QCOMPARE(summaryText(r.summary), Summary0721);
        QCOMPARE(r.season, QString("A26"));
        const jet::DirectRead read = jet::readTableDirect(db, "MyDataTable");
        QVERIFY(read.table);
        const jet::Table &t = *read.table;
        QCOMPARE(
            rowTexts(t),
            (QStringList{
                "9500|Deutsche Welle|0300-0400|1234567|English|Eng|Nauen|52N39|012E55|300.0|131|"
                "27SE,28|D|D|Germany|DRM_EUR",
                "6005|Radio France Internationale|2200-2400|12345|English/French|EngFre|Issoudun|"
                "46N57|001E59|500.0|185|37-39|D|F|France|",
                "7310|Voice of America|2330-0030|67|Português|Por|São Tomé|00N17|006E36|100.0|45|"
                "46|D|STP|Sao Tome and Principe|",
                "11650|Deutsche Welle|0600-0700|1234567|Arabic|Ara|Kigali|01S55|030E07|250.0|60|75|"
                "D|RRW|Rwanda|",
                "15120|QQQ|1200-1300|2x|Xyz|Xyz|ZZZ|||50.0|0|99|T|XXX|XXX|",
                "5010|Deutsche Welle|1600-1700|1234567|English|Eng|Nauen|52N39|012E55|1.0|0|27|N|D|"
                "Germany|"}));
        const auto cell = [&](int row, const char *field) {
            return jet::displayText(t.cell(row, t.columnIndex(QString::fromLatin1(field))));
        };
        QCOMPARE(cell(1, "UTCE"), QString("2400"));
        QCOMPARE(cell(2, "UTCB") + cell(2, "UTCE"), QString("23300030"));
        QCOMPARE(cell(2, "Graphic"), "#" + QString(46, ' ') + "#");
        QCOMPARE(cell(1, "Target"), QString("37-39"));
        QCOMPARE(
            cell(1, "TargetALL"),
            QString("Portugal, Spain, Andorra, Morocco, Algeria, Tunisia/Egypt, Libya/Middle East: "
                    "Turkey, Cyprus, Syria, Lebanon, Israel, Jordan, Iraq, Arabian Peninsula"));
        QCOMPARE(cell(3, "StationID") + ' ' + cell(3, "Status") + cell(3, "P") + cell(3, "Region"),
                 QString("4 "));
    }

    void validityByDate_data() {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QStringList>("freqs");
        QTest::addColumn<int>("leftOut");
        QTest::addColumn<QString>("span");
        const QStringList others = {"9500", "6005", "7310", "15120", "5010"};
        addRow("last day of the first part", "2026-05-31",
               QStringList{"9500", "6005", "7310", "11650", "15120", "5010"}, 2,
               "2026-03-29..2026-05-31");
        addRow("first day of the second part", "2026-06-01",
               QStringList{"9500", "6005", "7310", "11650", "15120", "5010"}, 2,
               "2026-06-01..2026-08-31");
        addRow("after the season: nothing", "2026-10-26", QStringList{}, 8, "2026-10-26..");
        addRow("before the season: nothing", "2026-03-28", QStringList{}, 8, "..2026-03-28");
        addRow("all dates: the three parts", "all",
               QStringList{"9500", "6005", "7310", "11650", "11650", "11650", "15120", "5010"}, 0,
               "all");
    }

    void validityByDate() {
        QFETCH(QString, day);
        QFETCH(QStringList, freqs);
        QFETCH(int, leftOut);
        QFETCH(QString, span);
        QTemporaryDir dir;
        const QString db = dir.filePath("ILGDATA.MDB");
        const Validity validity =
            day == "all" ? Validity::all() : Validity::on(QDate::fromString(day, Qt::ISODate));
        const ImportResult r =
            importSchedule(hfcc::scheduleReader(), handWritten("A26all00.TXT"), db, validity, {});
        QCOMPARE(int(r.outcome), int(ImportOutcome::Done));
        const jet::DirectRead read = jet::readTableDirect(db, "MyDataTable");
        QVERIFY(read.table);
        QStringList got;
        for (int row = 0; row < read.table->rowCount(); ++row)
            got << jet::displayText(read.table->cell(row, 1));
        QCOMPARE(got, freqs);
        QCOMPARE(r.summary.leftOutForDates, leftOut);
        QCOMPARE(r.keptSpan, span);
        QCOMPARE(sameEntriesKept(r.keptSpan, Validity::on(QDate(2026, 6, 15))),
                 span == "2026-06-01..2026-08-31");
    }

    void zipOrTextFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        addRow("the published zip", "zip", Summary0721);
        addRow("the season file without its tables", "lone-txt",
               "site.txt was not found: its codes are shown as they stand.");
        addRow("a zip without a season file", "no-season-file",
               "holds no HFCC season file (such as A26all00.TXT)");
        addRow("a truncated zip", "truncated", "is damaged or not a whole zip file");
        addRow("a damaged member", "damaged", "A26all00.TXT is damaged in the zip file");
        addRow("a member claiming 300 MB", "claims-300-MB",
               "A26all00.TXT claims 300 MB unpacked, more than the 200 MB allowed");
        addRow("not an HFCC file: its first line, printable", "not-hfcc",
               "is not an HFCC schedule: its first line is \"PK binary junk\"");
    }

    void zipOrTextFile() {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString db = dir.filePath("ILGDATA.MDB");
        QVERIFY(testsupport::writeFile(db, "old"));
        QString source = kind == "lone-txt" ? dir.filePath("A26all00.TXT") : zipOf(dir, kind);
        if (kind == "lone-txt")
            QVERIFY(QFile::copy(handWritten("A26all00.TXT"), source));
        if (kind == "not-hfcc") {
            source = dir.filePath("other.txt");
            QVERIFY(testsupport::writeFile(source, "PK\x01\x02 binary\tjunk\x7f\r\nmore"));
        }
        const ImportResult r = importSchedule(hfcc::scheduleReader(), source, db,
                                              Validity::on(QDate(2026, 7, 21)), {});
        const QString shown = r.outcome == ImportOutcome::Done ? summaryText(r.summary) : r.message;
        QVERIFY2(shown.contains(says), qPrintable(shown));
        const bool done = kind == "zip" || kind == "lone-txt";
        QCOMPARE(r.outcome == ImportOutcome::Done, done);
        QCOMPARE(fileBytes(db) == "old", !done);
    }
};

QTEST_GUILESS_MAIN(HfccImportTest)
#include "HfccImport_test.moc"
