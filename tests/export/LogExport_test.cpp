#include "export/LogExport.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace exporting;
using testsupport::fileBytes;

namespace {

logbook::LogRows rowsOf(const QByteArray &bytes) {
    logbook::LogRows rows;
    logbook::LogReader().read(bytes, rows, true);
    return rows;
}

logbook::LogRows goldenLog() {
    return rowsOf(fileBytes(testsupport::testFile("logbook/reception_expected.log")));
}

const CountryNames Countries = {{"F", "France"}, {"ARG", "Argentina"}};

} // namespace

class LogExportTest : public QObject {
    Q_OBJECT

private slots:
    // The log tests' own log, exported; the expected files were written out by hand.
    void filesAsExpected_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        addRow("CSV", int(LogExportKind::Csv), "reception.csv");
        addRow("ADIF", int(LogExportKind::Adif), "reception.adi");
    }
    void filesAsExpected() {
        QFETCH(int, kind);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        NoProgress progress;
        const LogExportResult result = writeLogExport(dir.filePath("out"), LogExportKind(kind),
                                                      goldenLog(), Countries, "1.0", progress);
        QVERIFY2(result.outcome.written(), qPrintable(result.outcome.error));
        QCOMPARE(result.written, 2);
        QCOMPARE(fileBytes(dir.filePath("out")), fileBytes(QFINDTESTDATA("golden/" + expected)));
    }

    // Receiver modes to ADIF's MODE and SUBMODE, or to COMMENT; texts that need CSV quotes.
    void fieldRules_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("remarks");
        QTest::addColumn<QString>("adifPart");
        QTest::addColumn<QString>("csvEnd");
        addRow("LSB is SSB with its submode", "LSB", "x",
               "<MODE:3>SSB <SUBMODE:3>LSB <CALL:", ",LSB,100.0,,x\r\n");
        addRow("CW", "CW ", "", "<MODE:2>CW <CALL:", ",CW,100.0,,\r\n");
        addRow("another mode goes to COMMENT", "SAM", "fade", "<COMMENT:14>mode SAM; fade <SWL",
               ",SAM,100.0,,fade\r\n");
        addRow("quotes doubled in CSV, accents dropped in ADIF", "AM ", u"say \"\u00e9t\u00e9\""_qs,
               "<COMMENT:9>say \"ete\" <SWL", u",AM,100.0,,\"say \"\"\u00e9t\u00e9\"\"\"\r\n"_qs);
    }
    void fieldRules() {
        QFETCH(QString, mode);
        QFETCH(QString, remarks);
        QFETCH(QString, adifPart);
        QFETCH(QString, csvEnd);
        const QString line = "24/05/17 0130 0205  9575          Radio Alpha   F           English" +
                             mode + "  100.0\r\n" + remarks + "\r\n";
        const logbook::LogRows rows = rowsOf(line.toUtf8());
        QCOMPARE(rows.size(), 1);
        QVERIFY2(adifRecord(rows, 0, Countries).contains(adifPart),
                 qPrintable(adifRecord(rows, 0, Countries)));
        QVERIFY2(csvLine(rows, 0).endsWith(csvEnd), qPrintable(csvLine(rows, 0)));
    }

    void asciiForAdif() {
        QCOMPARE(adifAscii(u"R\u00e1dio Stra\u00dfe \u5317\u4eac"_qs), "Radio Strasse ??");
    }

    // The extension of the name typed wins over the dialog's filter.
    void targetName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");
        const int csv = int(LogExportKind::Csv), adif = int(LogExportKind::Adif);
        addRow("csv typed under the ADIF filter", "log.CSV", adif, "log.CSV", csv);
        addRow("no extension takes the filter's", "log", adif, "log.adi", adif);
        addRow("adif spelled out", "log.adif", csv, "log.adif", adif);
        addRow("other extension kept", "log.txt", csv, "log.txt.csv", csv);
    }
    void targetName() {
        QFETCH(QString, chosen);
        QFETCH(int, filter);
        QFETCH(QString, path);
        QFETCH(int, kind);
        const auto target = logExportTarget(chosen, LogExportKind(filter));
        QCOMPARE(target.first, path);
        QCOMPARE(int(target.second), kind);
    }

    // ADIF holds entries only; a folder in the way is refused and left alone.
    void linesLeftOutAndFolderRefused() {
        QTemporaryDir dir;
        NoProgress progress;
        logbook::LogRows rows;
        logbook::LogReader reader;
        reader.read("junk\r\n", rows, false);
        reader.read(fileBytes(testsupport::testFile("logbook/reception_expected.log")), rows, true);
        const LogExportResult adif = writeLogExport(dir.filePath("a.adi"), LogExportKind::Adif,
                                                    rows, Countries, "1.0", progress);
        QCOMPARE(adif.written, 2);
        QCOMPARE(adif.leftOut, 1);
        QVERIFY(QDir(dir.path()).mkdir("taken.csv"));
        const LogExportResult refused = writeLogExport(
            dir.filePath("taken.csv"), LogExportKind::Csv, rows, Countries, "1.0", progress);
        QCOMPARE(int(refused.outcome.status), int(WriteOutcome::Status::Failed));
        QVERIFY(refused.outcome.error.contains("is a folder"));
        QVERIFY(QDir(dir.filePath("taken.csv")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(LogExportTest)
#include "LogExport_test.moc"
