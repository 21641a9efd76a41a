#include "imports/EibiImport.h"
#include "imports/ImportFlow.h"
#include "jet/CsvRows.h"
#include "jet/MdbReader.h"
#include "jet/SqlEngine.h"
#include "jet/SqlParser.h"
#include "mainwindow/RowStyling.h"
#include "onair/OnAir.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace eibi;
using namespace imports;

using testsupport::fileBytes;

namespace {

QString testSchedule() {
    return QFINDTESTDATA("data/sked-test.csv");
}

QStringList expectedLines() {
    QFile f(QFINDTESTDATA("data/sked-test.expected.csv"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

// mdb-export's form: texts quoted, Null and numbers bare.
QStringList exportLines(const jet::Table &table) {
    QStringList lines, header;
    for (const jet::Column &c : table.columns())
        header << c.name;
    lines << header.join(',');
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList fields;
        for (int c = 0; c < table.columns().size(); ++c)
            fields << jet::csvField(table.cell(r, c));
        lines << fields.join(',');
    }
    return lines;
}

ImportResult importEibi(const QString &schedule, const QString &db,
                        const ProgressCallback &progress = {}) {
    return importSchedule(readerFor(fetch::Source::Eibi), schedule, db, Validity::all(), progress);
}

QStringList namesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Writes fail with "File too large" beyond a few kilobytes while this lives; root too.
class FileSizeLimit {
public:
    FileSizeLimit() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

} // namespace

class EibiImportTest : public QObject {
    Q_OBJECT

private slots:
    void writtenTableReadsBackAsExpected() {
        QTemporaryDir dir;
        const QString db = importInto(dir);
        QVERIFY(!db.isEmpty());
        const jet::DirectRead read = jet::readTableDirect(db, "MyDataTable");
        QVERIFY(read.table);
        const QStringList expected = expectedLines();
        QCOMPARE(expected.size(), 24);
        const QStringList got = exportLines(*read.table);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(got.value(i), expected[i]);
        QCOMPARE(got.size(), expected.size());
        // Long names widen their columns; the others keep the catalogue's sizes.
        const QVector<jet::Column> &columns = read.table->columns();
        QCOMPARE(columns[read.table->columnIndex(u"Station")].size, 34);
        QCOMPARE(columns[read.table->columnIndex(u"Country")].size, 52);
        QCOMPARE(columns[read.table->columnIndex(u"Graphic")].size, 48);
        QCOMPARE(columns[read.table->columnIndex(u"Power")].size, 7);
    }

    void summaryNamesSkippedLinesAndUnknownCodes() {
        QTemporaryDir dir;
        const ImportResult r = importEibi(testSchedule(), dir.filePath("ILGDATA.MDB"));
        QCOMPARE(summaryText(r.summary),
                 QString("23 records written.\n"
                         "3 lines skipped (not ten semicolons or no frequency): 23, 24, 25\n"
                         "Codes not found in the EiBi lists: country XYZ, language QQQ, "
                         "persistence 7, site /NOR-zz, site q, site zz, target Zzz"));
    }

    void onAirRowsAroundMidnight_data() {
        QTest::addColumn<QString>("utc");
        QTest::addColumn<QList<int>>("stationIds");
        // 1, 16, 17: 0000-2400; 2: 2200-2400; 3: 2300-0100; 21: 2330-0030; 23: 2345-0015.
        addRow("23:59 all day, to 2400 and over midnight", "2359",
               QList<int>{1, 2, 3, 16, 17, 21, 23});
        addRow("00:00 the 2200-2400 broadcast has ended", "0000", QList<int>{1, 3, 16, 17, 21, 23});
        addRow("00:30 the 2330-0030 broadcast has ended", "0030", QList<int>{1, 3, 16, 17});
    }

    void onAirRowsAroundMidnight() {
        QFETCH(QString, utc);
        QFETCH(QList<int>, stationIds);
        QTemporaryDir dir;
        const jet::DirectRead read = jet::readTableDirect(importInto(dir), "MyDataTable");
        QVERIFY(read.table);
        const jet::Table &table = *read.table;
        const auto parsed =
            jet::parseQuery("Select * From MyDataTable Where " + onair::OnAirCondition(utc));
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        const jet::Selection selected = jet::runQuery(table, *parsed.query);
        QVERIFY2(selected.ok(), qPrintable(selected.error));
        QList<int> bySql, byRowColour;
        for (const int r : selected.rows)
            bySql << int(table.cell(r, 0).number);
        std::sort(bySql.begin(), bySql.end());
        const int utcb = table.columnIndex(u"UTCB"), utce = table.columnIndex(u"UTCE");
        for (int r = 0; r < table.rowCount(); ++r) {
            const mainwindow::RowTimes times{table.cell(r, utcb).text, table.cell(r, utce).text};
            if (mainwindow::isOnAirRow(times, utc, utc.left(2)))
                byRowColour << int(table.cell(r, 0).number);
        }
        QCOMPARE(bySql, stationIds);
        QCOMPARE(byRowColour, stationIds);
    }

    void replacingKeepsTheOldFileAsBak() {
        QTemporaryDir dir;
        const QString db = dir.filePath("ILGDATA.MDB");
        QVERIFY(testsupport::writeFile(db, "the old database"));
        const auto shared = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(db, shared));
        QVERIFY(!importInto(dir).isEmpty());
        QCOMPARE(fileBytes(db + ".bak"), QByteArray("the old database"));
        // The new database is as readable as the old one, not private like a temporary file.
        QCOMPARE(QFileInfo(db).permissions() & 0x0077, shared & 0x0077);
        QVERIFY(jet::readTableDirect(db, "MyDataTable").table);
        QCOMPARE(namesIn(dir.path()), (QStringList{"ILGDATA.MDB", "ILGDATA.MDB.bak"}));
    }

    void failedOrCancelledImportLeavesTheDatabase_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("outcome");
        addRow("cancel at the start", "cancel-first", int(ImportOutcome::Cancelled));
        addRow("cancel when the file is made, not yet in place", "cancel-late",
               int(ImportOutcome::Cancelled));
        addRow("disk refuses the new file", "too-large", int(ImportOutcome::NotWritable));
        addRow("not an EiBi file", "wrong-header", int(ImportOutcome::WrongFormat));
        addRow("schedule missing", "missing", int(ImportOutcome::NotReadable));
    }

    void failedOrCancelledImportLeavesTheDatabase() {
        QFETCH(QString, kind);
        QFETCH(int, outcome);
        QTemporaryDir dir;
        const QString db = dir.filePath("ILGDATA.MDB");
        QVERIFY(testsupport::writeFile(db, "the old database"));
        QString source = kind == "missing" ? dir.filePath("nothing.csv") : testSchedule();
        if (kind == "wrong-header")
            source = QFINDTESTDATA("data/sked-test.expected.csv");
        int calls = 0;
        const ProgressCallback progress = [&](int percent) {
            ++calls;
            return kind == "cancel-first" ? false : !(kind == "cancel-late" && percent >= 95);
        };
        ImportResult r;
        if (kind == "too-large") {
            FileSizeLimit limit;
            r = importEibi(source, db, progress);
        } else {
            r = importEibi(source, db, progress);
        }
        QCOMPARE(int(r.outcome), outcome);
        QCOMPARE(fileBytes(db), QByteArray("the old database"));
        QCOMPARE(namesIn(dir.path()), QStringList{"ILGDATA.MDB"});
        if (kind == "wrong-header")
            QVERIFY2(r.message.contains("\"StationID,Freq,Station,UTC,"), qPrintable(r.message));
    }

    void toolExitCodes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        addRow("imported", "ok", 0, "23 records written.");
        addRow("wrong header: exit 2, what was found", "wrong-header", 2,
               "its first line is \"StationID,Freq");
        addRow("binary file: its first line as printable text", "binary", 2,
               "its first line is \"PK junk line\"");
        addRow("output folder is a file: exit 3", "folder-is-file", 3, "cannot be written");
        addRow("disk refuses the file: exit 3", "too-large", 3, "cannot be written");
    }

    void toolExitCodes() {
        QFETCH(QString, kind);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QString out = dir.filePath("ILGDATA.MDB");
        QString source = testSchedule();
        if (kind == "wrong-header")
            source = QFINDTESTDATA("data/sked-test.expected.csv");
        if (kind == "binary") {
            source = dir.filePath("binary.csv");
            QVERIFY(testsupport::writeFile(source, "\x01\x02PK\x7f junk\tline\r\nmore"));
        }
        if (kind == "folder-is-file") {
            QFile blocker(dir.filePath("plain-file"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            out = dir.filePath("plain-file/ILGDATA.MDB");
        }
        const QString mkdb = testsupport::binary("skedwise-mkdb");
        const testsupport::Ran r =
            kind == "too-large"
                ? testsupport::runProgram(
                      "sh", {"-c", "trap '' XFSZ; ulimit -f 4; exec \"$0\" \"$@\"", mkdb,
                             "--from-eibi", source, "--out", out, "--all-dates"})
                : testsupport::runProgram(mkdb,
                                          {"--from-eibi", source, "--out", out, "--all-dates"});
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2((r.out + r.err).contains(says), qPrintable(r.out + r.err));
        QCOMPARE(QFile::exists(out), exitCode == 0);
    }

    void datedEntries_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("span");
        QTest::addColumn<bool>("kept");
        addRow("1 April to 15 March: the end in the next year", "0104", "1503", QDate(2026, 7, 21),
               "2026-04-01 2027-03-15", true);
        addRow("ended five days ago, begins again in twelve", "0104", "1503", QDate(2026, 3, 20),
               "2025-04-01 2026-03-15", false);
        addRow("over New Year, asked in January", "1512", "1501", QDate(2027, 1, 10),
               "2026-12-15 2027-01-15", true);
        addRow("over New Year, ended", "1512", "1501", QDate(2027, 1, 16), "2026-12-15 2027-01-15",
               false);
        addRow("a last-heard note is no end", "", "[0212]", QDate(2026, 7, 21), " ", true);
        addRow("no 31 February", "3102", "", QDate(2026, 7, 21), " ", true);
    }

    void datedEntries() {
        QFETCH(QString, start);
        QFETCH(QString, stop);
        QFETCH(QDate, day);
        QFETCH(QString, span);
        QFETCH(bool, kept);
        const DateSpan dates = eibiSpan(start, stop, day);
        QCOMPARE(dates.first.toString(Qt::ISODate) + ' ' + dates.last.toString(Qt::ISODate), span);
        DateFilter filter(Validity::on(day));
        QCOMPARE(filter.keeps(dates.first, dates.last), kept);
        // The whole import: the one dated line of the test schedule (9800 kHz, 0104 to 1503).
        if (start != "0104")
            return;
        QTemporaryDir dir;
        const ImportResult r = importSchedule(readerFor(fetch::Source::Eibi), testSchedule(),
                                              dir.filePath("ILGDATA.MDB"), Validity::on(day), {});
        QCOMPARE(r.summary.rowsWritten, kept ? 23 : 22);
        QVERIFY2(summaryText(r.summary).contains(
                     QStringLiteral("\n%1 entries left out: not valid on %2.")
                         .arg(kept ? 0 : 1)
                         .arg(day.toString(Qt::ISODate))),
                 qPrintable(summaryText(r.summary)));
    }

private:
    QString importInto(const QTemporaryDir &dir) {
        const QString db = dir.filePath("ILGDATA.MDB");
        const ImportResult r = importEibi(testSchedule(), db);
        return r.outcome == ImportOutcome::Done ? db : QString();
    }
};

QTEST_GUILESS_MAIN(EibiImportTest)
#include "EibiImport_test.moc"
