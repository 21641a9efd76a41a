#include "app/ScriptedPrompts.h"
#include "fetch/FetchState.h"
#include "imports/UpdateFlow.h"
#include "support/LocalHttpServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

using namespace imports;
using testsupport::fileBytes;

namespace {

class FakePort : public ImportPort {
public:
    QList<app::ScheduleRecord> records;
    int reloads = 0;
    QString chooseScheduleFile(fetch::Source) override { return {}; }
    std::optional<Validity> chooseValidity(const QString &, QDate) override { return {}; }
    bool progress(int, const QString &) override { return true; }
    void closeProgress() override {}
    void reloadDatabase() override { ++reloads; }
    void recordSchedule(const app::ScheduleRecord &r) override { records << r; }
};

const QByteArray LastModified = "Tue, 21 Jul 2026 10:00:00 GMT";

// The EiBi test schedule as A26; B26 not published yet.
void serve(LocalHttpServer &server) {
    server.answers.insert("/sked-a26.csv",
                          {200,
                           fileBytes(QFINDTESTDATA("data/sked-test.csv")),
                           {{"Last-Modified", LastModified}, {"ETag", "\"a26-1\""}},
                           LocalHttpServer::Body::Whole});
    server.answers.insert("/page", {200, "<html><body>moved</body></html>", {}, {}});
}

// skedwise-mkdb while this thread's event loop serves its requests.
testsupport::Ran mkdb(const QStringList &args) {
    QProcess p;
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    p.start(testsupport::binary("skedwise-mkdb"), args);
    if (!p.waitForStarted(10000))
        return {};
    if (p.state() != QProcess::NotRunning)
        loop.exec();
    return {
        p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()), {}};
}

} // namespace

class UpdateFlowTest : public QObject {
    Q_OBJECT

private slots:
    void secondFetchIsUpToDate() {
        LocalHttpServer server;
        QVERIFY(server.start());
        serve(server);
        QTemporaryDir dir;
        UpdateRequest u;
        u.season = *fetch::parseSeason("A26");
        u.url = server.url("/sked-a26.csv");
        u.validity = Validity::all();
        u.databasePath = dir.filePath("ILGDATA.MDB");
        u.nowUtc = QDateTime(QDate(2026, 7, 21), QTime(12, 0), Qt::UTC);
        FakePort port;
        app::ScriptedPrompts prompts;
        QVERIFY(Download_Click(port, prompts, u, {}));
        QCOMPARE(port.reloads, 1);
        QCOMPARE(port.records.size(), 1);
        const app::ScheduleRecord record = port.records[0];
        QCOMPARE(record.source + ' ' + record.season + ' ' + record.lastModified + ' ' +
                     record.etag,
                 QString("EiBi A26 ") + LastModified + " \"a26-1\"");
        QCOMPARE(
            prompts.shown.value(0).section('\n', 0, 1),
            QString("Update Schedule: The EiBi A26 schedule is in place.\n23 records written."));
        const QByteArray imported = fileBytes(u.databasePath);

        u.inUse = record;
        QVERIFY(!Download_Click(port, prompts, u, {}));
        QCOMPARE(prompts.shown.value(1), QString("Update Schedule: The schedule is up to date."));
        QCOMPARE(server.requests.value(1).headers.value("if-modified-since"), LastModified);
        QCOMPARE(fileBytes(u.databasePath), imported);
        QCOMPARE(port.reloads, 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{"ILGDATA.MDB"}); // no download left behind
    }

    void unpublishedSeasonOffersThePreviousOne_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        addRow("yes: the previous season is fetched", int(app::AnswerYes), true);
        addRow("no: nothing changes", int(app::AnswerNo), false);
    }

    void unpublishedSeasonOffersThePreviousOne() {
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        LocalHttpServer server;
        QVERIFY(server.start());
        serve(server);
        QTemporaryDir dir;
        const QString address =
            QStringLiteral("http://127.0.0.1:%1/sked-<season>.csv").arg(server.serverPort());
        UpdateRequest u;
        u.season = *fetch::parseSeason("B26");
        u.url = fetch::addressFor(address, u.season);
        u.validity = Validity::all();
        u.databasePath = dir.filePath("ILGDATA.MDB");
        QVERIFY(testsupport::writeFile(u.databasePath, "old"));
        u.inUse.season = "A25";
        FakePort port;
        app::ScriptedPrompts prompts;
        prompts.answers = {answer, app::AnswerOk};
        QCOMPARE(Download_Click(port, prompts, u, address), replaced);
        QCOMPARE(prompts.shown.value(0),
                 QString("Update Schedule: The EiBi B26 schedule is not published yet (%1).\n"
                         "Fetch the previous season, A26, instead?")
                     .arg(u.url.toDisplayString()));
        QCOMPARE(fileBytes(u.databasePath) != "old", replaced);
        QCOMPARE(port.records.size(), replaced ? 1 : 0);
    }

    void conditionalOnlyForTheSameEntries_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("conditional");
        addRow("same database, address and day span", "", true);
        addRow("a day outside the span kept last time", "day", false);
        addRow("another address", "url", false);
        addRow("the database replaced since", "database", false);
    }

    void conditionalOnlyForTheSameEntries() {
        QFETCH(QString, change);
        QFETCH(bool, conditional);
        QTemporaryDir dir;
        UpdateRequest u;
        u.databasePath = dir.filePath("ILGDATA.MDB");
        QVERIFY(testsupport::writeFile(u.databasePath, "fetched"));
        u.url = QUrl("http://127.0.0.1:1/sked-a26.csv");
        u.validity = Validity::on(QDate(2026, 7, 21));
        u.inUse = {"EiBi",
                   "A26",
                   {},
                   u.url.toString(),
                   "Tue, 21 Jul 2026 10:00:00 GMT",
                   "\"e\"",
                   "2026-06-01..2026-08-31",
                   fetch::databaseStamp(u.databasePath)};
        if (change == "day")
            u.validity = Validity::on(QDate(2026, 9, 1));
        if (change == "url")
            u.url = QUrl("http://127.0.0.1:1/sked-b26.csv");
        if (change == "database")
            QVERIFY(testsupport::writeFile(u.databasePath, "imported by hand"));
        const fetch::Request r = downloadRequest(u);
        QCOMPARE(!r.lastModified.isEmpty(), conditional);
        QCOMPARE(!r.etag.isEmpty(), conditional);
    }

    void commandLine_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("firstExit");
        QTest::addColumn<QString>("firstSays");
        QTest::addColumn<QString>("secondSays");
        addRow("fetched, then up to date", "/sked-a26.csv", 0,
               "The EiBi A26 schedule is in place.\n23 records written.",
               "The schedule is up to date.");
        addRow("not published: exit 4, the previous season named", "/sked-b26.csv", 4,
               "is not published yet (%1). The schedule in use stays. --season a26 fetches", "");
        addRow("a web page: exit 4, nothing written", "/page", 4,
               "127.0.0.1 sent a web page instead of the schedule", "");
    }

    void commandLine() {
        QFETCH(QString, path);
        QFETCH(int, firstExit);
        QFETCH(QString, firstSays);
        QFETCH(QString, secondSays);
        LocalHttpServer server;
        QVERIFY(server.start());
        serve(server);
        QTemporaryDir dir;
        const QString db = dir.filePath("ILGDATA.MDB");
        const QString url = server.url(path.toLatin1()).toString();
        const QString season = path == "/sked-b26.csv" ? "b26" : "a26";
        const QStringList args = {"--update", "eibi",  "--season", season,       "--url",
                                  url,        "--out", db,         "--all-dates"};
        const testsupport::Ran first = mkdb(args);
        QCOMPARE(first.exitCode, firstExit);
        QVERIFY2(first.out.contains(QString(firstSays).replace("%1", url)), qPrintable(first.out));
        QCOMPARE(QFile::exists(db), firstExit == 0);
        QCOMPARE(fetch::readState(db).etag, QString(firstExit == 0 ? "\"a26-1\"" : ""));
        if (secondSays.isEmpty())
            return;
        const testsupport::Ran second = mkdb(args);
        QCOMPARE(second.exitCode, 0);
        QVERIFY2(second.out.contains(secondSays), qPrintable(second.out));
    }
};

QTEST_GUILESS_MAIN(UpdateFlowTest)
#include "UpdateFlow_test.moc"
