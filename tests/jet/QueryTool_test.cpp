#include "jet/CsvRows.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run query(const QStringList &args) {
    QProcess p;
    p.start(testsupport::binary("skedwise-query"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QString schedule() {
    return testsupport::fixture("schedule/ILGDATA.MDB");
}

} // namespace

class QueryToolTest : public QObject {
    Q_OBJECT
private slots:
    // A broken build must fail here, not pass by skipping.
    void initTestCase() {
        if (!QFileInfo(testsupport::binary("skedwise-query")).isExecutable())
            QFAIL("skedwise-query is not built");
    }

    // The whole table printed back must be the fixture's CSV byte for byte: quoting,
    // Null against "", CRLF, UTF-8 and the short number form all show up in it.
    void wholeTablePrintsAsTheFixtureCsv() {
        REQUIRE_FIXTURE(schedule());
        const Run r = query({schedule(), "Select * From MyDataTable"});
        QCOMPARE(r.exitCode, 0);
        QFile expected(testsupport::fixture("schedule/rows.csv"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(r.out, expected.readAll());
    }

    void csvForm_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("header of the chosen fields, Null empty and unquoted")
            << "select StationID, Freq, Station, Region from MyDataTable where StationID < 3 "
               "order by StationID"
            << QByteArray("StationID,Freq,Station,Region\r\n"
                          "1,2315,\"Radio Free Summit\",\r\n"
                          "2,2315,\"Radio Free Summit\",\"East Africa\"\r\n");
        QTest::newRow("empty result keeps the header")
            << "Select StationID, Station From MyDataTable Where StationID = -1"
            << QByteArray("StationID,Station\r\n");
    }
    void csvForm() {
        QFETCH(QString, sql);
        QFETCH(QByteArray, expected);
        REQUIRE_FIXTURE(schedule());
        const Run r = query({schedule(), sql});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, expected);
    }

    void findPrintsTheFirstMatch_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("by number") << "Select * From MyDataTable"
                                   << "StationID = 7" << QByteArray("7\r\n");
        QTest::newRow("first in record-set order, not table order")
            << "Select * From MyDataTable Order by StationID DESC"
            << "StationID < 10" << QByteArray("9\r\n");
        QTest::newRow("no match") << "Select * From MyDataTable"
                                  << "Station = 'No Such Station'" << QByteArray("no match\r\n");
    }
    void findPrintsTheFirstMatch() {
        QFETCH(QString, sql);
        QFETCH(QString, criterion);
        QFETCH(QByteArray, expected);
        REQUIRE_FIXTURE(schedule());
        const Run r = query({schedule(), sql, "--find", criterion});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, expected);
    }

    void failuresExitWithTheirStatus_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString good = schedule();
        QTest::newRow("text the engine rejects") << good << QStringList{"Select From"} << 2 << "";
        QTest::newRow("unknown field")
            << good << QStringList{"Select Nope From MyDataTable"} << 2 << "Nope";
        QTest::newRow("criterion the engine rejects")
            << good << QStringList{"Select * From MyDataTable", "--find", "Station = = 'x'"} << 2
            << "";
        QTest::newRow("missing file")
            << "<missing>" << QStringList{"Select * From MyDataTable"} << 3 << "was not found";
        QTest::newRow("not an Access file")
            << testsupport::fixture("schedule/rows.csv") << QStringList{"Select * From MyDataTable"}
            << 3 << "not an Access database";
        QTest::newRow("Access file without MyDataTable")
            << testsupport::fixture("access/access97.mdb")
            << QStringList{"Select * From MyDataTable"} << 3 << "has no table MyDataTable";
    }
    void failuresExitWithTheirStatus() {
        QFETCH(QString, file);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        REQUIRE_FIXTURE(schedule());
        QTemporaryDir dir;
        if (file == "<missing>")
            file = dir.filePath("ILGDATA.MDB");
        const Run r = query(QStringList{file} + args);
        QCOMPARE(r.exitCode, status);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.trimmed().isEmpty());
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(QueryToolTest)
#include "QueryTool_test.moc"
