#include "jet/CsvRows.h"
#include "schedule/SyntheticSchedule.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

using testsupport::Ran;
using testsupport::runProgram;

Ran mkdb(const QStringList &args) {
    return runProgram(testsupport::binary("skedwise-mkdb"), args);
}

// mdb-export prints Null and the empty text alike; compare in its own form.
QString exportForm(const jet::Cell &c) {
    return c.isText() && !c.text.isEmpty() ? jet::csvField(c) : jet::displayText(c);
}

QStringList exportLines(const std::vector<std::vector<jet::Cell>> &rows) {
    QStringList lines;
    for (const auto &row : rows) {
        QStringList fields;
        for (const jet::Cell &c : row)
            fields << exportForm(c);
        lines << fields.join(',');
    }
    return lines;
}

QStringList mdbExport(const QString &file) {
    const Ran r = runProgram("mdb-export", {file, "MyDataTable"});
    QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    return lines;
}

} // namespace

class MkdbTest : public QObject {
    Q_OBJECT

private slots:
    void mdbtoolsSeeAJet4Schedule() {
        QTemporaryDir dir;
        const QString file = dir.filePath("ILGDATA.MDB");
        const Ran made = mkdb({"--rows", "300", "--seed", "42", "--out", file});
        QVERIFY2(made.exitCode == 0, qPrintable(made.err));
        QCOMPARE(runProgram("mdb-ver", {file}).out.trimmed(), QString("JET4"));

        const QString schema = runProgram("mdb-schema", {file}).out;
        static const QRegularExpression columnLine(
            R"(\[(\w+)\]\s+([A-Za-z ]+?)(?: \((\d+)\))?,? *\n)");
        QStringList seen;
        for (auto m = columnLine.globalMatch(schema); m.hasNext();) {
            const auto match = m.next();
            seen << match.captured(1) + ' ' + match.captured(2) + ' ' + match.captured(3);
        }
        // MyDataTable as the program reads it: name, type and text size, in field order.
        const QStringList expected = {"StationID Long Integer ",
                                      "Freq Double ",
                                      "Station Text 20",
                                      "UTC Text 9",
                                      "Days Text 7",
                                      "Language Text 17",
                                      "Graphic Text 48",
                                      "Target Text 7",
                                      "Location Text 20",
                                      "Power Text 7",
                                      "Azi Text 3",
                                      "Remarks Text 11",
                                      "Status Text 1",
                                      "Mode Text 1",
                                      "TargetALL Text 18",
                                      "CIRAF Text 30",
                                      "ADM Text 3",
                                      "Country Text 17",
                                      "Longi Text 6",
                                      "Lati Text 5",
                                      "LC Text 2",
                                      "Region Text 20",
                                      "STN Text 5",
                                      "P Text 1",
                                      "Program Text 20",
                                      "UTCB Text 4",
                                      "UTCE Text 4"};
        QCOMPARE(seen, expected);

        QStringList exported = mdbExport(file);
        QVERIFY(!exported.isEmpty());
        exported.removeFirst(); // header
        QCOMPARE(exported, exportLines(schedule::syntheticSchedule(300, 42)));
    }

    void fixtureCsvExportsAsWritten() {
        const QString csvPath = testsupport::fixture("schedule/rows.csv");
        REQUIRE_FIXTURE(csvPath);
        QTemporaryDir dir;
        const QString file = dir.filePath("from-csv.mdb");
        const Ran made = mkdb({"--from-csv", csvPath, "--out", file});
        QVERIFY2(made.exitCode == 0, qPrintable(made.err));
        const jet::CsvRows csv = jet::readCsvFile(csvPath);
        QStringList exported = mdbExport(file);
        QVERIFY(!exported.isEmpty());
        QCOMPARE(exported.takeFirst(), csv.header.join(','));
        QCOMPARE(exported, exportLines(csv.rows));
    }

    void malformedCsvWritesNothing_data() {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("badLine");
        const QString header = "StationID,Freq,Station\n";
        addRow("missing field", header + "1,9575\n", 2);
        addRow("header lacks a column", header + "1,9575,\"ok\"\n", 0);
    }

    void malformedCsvWritesNothing() {
        QFETCH(QString, csv);
        QFETCH(int, badLine);
        QTemporaryDir dir;
        const QString csvPath = dir.filePath("bad.csv");
        QVERIFY(testsupport::writeFile(csvPath, csv.toUtf8()));
        const Ran r = mkdb({"--from-csv", csvPath, "--out", dir.filePath("out.mdb")});
        QVERIFY(r.exitCode != 0);
        if (badLine > 0)
            QVERIFY2(r.err.contains(QStringLiteral("line %1").arg(badLine)), qPrintable(r.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"bad.csv"}));
    }

    void badArgumentsShowUsage_data() {
        QTest::addColumn<QStringList>("args");
        addRow("nothing", QStringList{});
        addRow("no output file", QStringList{"--rows", "5", "--seed", "1"});
        addRow("rows without seed", QStringList{"--rows", "5", "--out", "x.mdb"});
        addRow("both sources",
               QStringList{"--rows", "5", "--seed", "1", "--from-csv", "a.csv", "--out", "x.mdb"});
        addRow("negative rows", QStringList{"--rows", "-1", "--seed", "1", "--out", "x.mdb"});
        addRow("rows not a number", QStringList{"--rows", "ten", "--seed", "1", "--out", "x"});
        addRow("unknown option", QStringList{"--colour", "red"});
        addRow("option without value", QStringList{"--rows", "5", "--seed", "1", "--out"});
    }

    void badArgumentsShowUsage() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(testsupport::binary("skedwise-mkdb"), args);
        QVERIFY(p.waitForFinished(30000));
        QVERIFY(p.exitCode() != 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("usage:"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void outputIsReplacedFollowedOrRefused_data() {
        QTest::addColumn<QStringList>("source");
        QTest::addColumn<QString>("out");
        const QMap<QString, QStringList> sources = {
            {"--rows", {"--rows", "5", "--seed", "1"}},
            {"--from-csv",
             {"--from-csv", testsupport::testFile("imports/data/sked-test.expected.csv")}},
            {"--from-eibi",
             {"--from-eibi", testsupport::testFile("imports/data/sked-test.csv"), "--all-dates"}},
            {"--from-hfcc",
             {"--from-hfcc", testsupport::testFile("imports/data/hfcc/A26all00.TXT"),
              "--all-dates"}}};
        for (auto it = sources.cbegin(); it != sources.cend(); ++it)
            for (const char *out : {"old file kept as .bak", "link to a file", "FIFO"})
                QTest::addRow("%s, %s", qPrintable(it.key()), out) << it.value() << QString(out);
    }

    // An old file is kept as FILE.bak; a link keeps pointing at its file, which is replaced; a FIFO
    // (as anything that is not a regular file) is refused with exit 3 and left alone.
    void outputIsReplacedFollowedOrRefused() {
        QFETCH(QStringList, source);
        QFETCH(QString, out);
        QTemporaryDir dir;
        const QString given = dir.filePath("ILGDATA.MDB"), real = dir.filePath("real.mdb");
        if (out == "FIFO")
            QCOMPARE(mkfifo(QFile::encodeName(given).constData(), 0600), 0);
        else
            QVERIFY(testsupport::writeFile(out == "link to a file" ? real : given, "old"));
        if (out == "link to a file")
            QVERIFY(QFile::link(real, given));
        const Ran r = mkdb(source + QStringList{"--out", given});
        if (out == "FIFO") {
            QCOMPARE(r.exitCode, 3);
            QVERIFY2(r.err.contains("is not a regular file"), qPrintable(r.err));
            QVERIFY(QFileInfo(given).exists() && !QFileInfo(given).isFile());
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System),
                     QStringList{"ILGDATA.MDB"});
            return;
        }
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QString file = out == "link to a file" ? real : given;
        QCOMPARE(testsupport::fileBytes(file + ".bak"), QByteArray("old"));
        QCOMPARE(runProgram("mdb-ver", {file}).out.trimmed(), QString("JET4"));
        QCOMPARE(QFileInfo(given).isSymLink(), out == "link to a file");
    }
};

QTEST_GUILESS_MAIN(MkdbTest)
#include "Mkdb_test.moc"
