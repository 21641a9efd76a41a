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

    void failuresExitWithTheirStatus_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString good = schedule();
        addRow("text the engine rejects", good, QStringList{"Select From"}, 2, "");
        addRow("missing file", "<missing>", QStringList{"Select * From MyDataTable"}, 3,
               "was not found");
        addRow("Access file without MyDataTable", testsupport::fixture("access/access97.mdb"),
               QStringList{"Select * From MyDataTable"}, 3, "has no table MyDataTable");
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
