#include "fetch/Download.h"
#include "fetch/Sources.h"
#include "support/LocalHttpServer.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

using namespace fetch;

namespace {

const QByteArray Schedule = "kHz:75;Time(UTC):93;Days:59;...\r\n6000;0000-2400;;D;DW;D;Eu;;1;;\r\n";
const QByteArray LastModified = "Tue, 21 Jul 2026 10:00:00 GMT";
const QByteArray ETag = "\"v1\"";

void serve(LocalHttpServer &server) {
    using Body = LocalHttpServer::Body;
    const QList<std::pair<QByteArray, QByteArray>> validators = {{"Last-Modified", LastModified},
                                                                 {"ETag", ETag}};
    server.answers = {
        {"/sked-a26.csv", {200, Schedule, validators, Body::Whole}},
        {"/moved", {301, {}, {{"Location", "/sked-a26.csv"}}, Body::Whole}},
        {"/loop", {302, {}, {{"Location", "/loop"}}, Body::Whole}},
        {"/page", {200, "<!DOCTYPE html><html><body>Not here</body></html>", {}, Body::Whole}},
        {"/cut", {200, QByteArray(20000, 'x'), {}, Body::CutOff}},
        {"/stall", {200, QByteArray(20000, 'x'), {}, Body::Stalls}},
        {"/broken", {500, "oops", {}, Body::Whole}},
    };
}

} // namespace

class FetchTest : public QObject {
    Q_OBJECT

private slots:
    void seasonOfTheDay_data() {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("season");
        QTest::addColumn<QString>("previous");
        // Last Sundays: 29 March and 25 October 2026, 28 March 2027.
        addRow("the Saturday before A26", QDate(2026, 3, 28), "B25", "A25");
        addRow("A26's first day", QDate(2026, 3, 29), "A26", "B25");
        addRow("A26's last day", QDate(2026, 10, 24), "A26", "B25");
        addRow("B26's first day", QDate(2026, 10, 25), "B26", "A26");
        addRow("New Year: still B26", QDate(2027, 1, 1), "B26", "A26");
        addRow("B26's last day", QDate(2027, 3, 27), "B26", "A26");
        addRow("A27's first day", QDate(2027, 3, 28), "A27", "B26");
    }

    void seasonOfTheDay() {
        QFETCH(QDate, day);
        QFETCH(QString, season);
        QFETCH(QString, previous);
        const Season s = seasonOn(day);
        QCOMPARE(s.code(), season);
        QCOMPARE(s.previous().code(), previous);
        QVERIFY(s.previous().isEarlierThan(s));
        QVERIFY(!s.isEarlierThan(s.previous()));
    }

    void sourceAddresses() {
        const Season b26 = *parseSeason("b26");
        QCOMPARE(addressFor(defaultAddress(Source::Eibi), b26).toString(),
                 QString("http://www.eibispace.de/dx/sked-b26.csv"));
        QCOMPARE(addressFor(defaultAddress(Source::Hfcc), b26).toString(),
                 QString("https://new.hfcc.org/data/b26/b26allx2.zip"));
        QVERIFY(!parseSeason("C26"));
    }

    void download_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("lastModified");
        QTest::addColumn<QByteArray>("etag");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");
        const int fetched = int(Status::Fetched), failed = int(Status::Failed);
        addRow("200", QByteArray("/sked-a26.csv"), QByteArray(), QByteArray(), fetched, "");
        addRow("304 for If-Modified-Since", QByteArray("/sked-a26.csv"), LastModified, QByteArray(),
               int(Status::NotModified), "");
        addRow("304 for If-None-Match", QByteArray("/sked-a26.csv"), QByteArray(), ETag,
               int(Status::NotModified), "");
        addRow("404: not published", QByteArray("/sked-b26.csv"), QByteArray(), QByteArray(),
               int(Status::NotFound), "");
        addRow("a redirect is followed", QByteArray("/moved"), QByteArray(), QByteArray(), fetched,
               "");
        addRow("a redirect loop", QByteArray("/loop"), QByteArray(), QByteArray(), failed,
               "Too many redirects (a redirect loop)");
        addRow("connection refused", QByteArray("refused"), QByteArray(), QByteArray(), failed,
               "No connection to 127.0.0.1: Connection refused.");
        addRow("a stalled server", QByteArray("/stall"), QByteArray(), QByteArray(), failed,
               "No answer from 127.0.0.1 for");
        addRow("a web page instead of the schedule", QByteArray("/page"), QByteArray(),
               QByteArray(), failed, "127.0.0.1 sent a web page instead of the schedule");
        addRow("cut off midway", QByteArray("/cut"), QByteArray(), QByteArray(), failed,
               "The download from 127.0.0.1 broke off");
        addRow("server error", QByteArray("/broken"), QByteArray(), QByteArray(), failed,
               "127.0.0.1 answered 500");
    }

    void download() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, lastModified);
        QFETCH(QByteArray, etag);
        QFETCH(int, status);
        QFETCH(QString, error);
        LocalHttpServer server;
        QVERIFY(server.start());
        serve(server);
        QTemporaryDir dir;
        Request request;
        request.url = server.url(path);
        if (path == "refused") { // a port nobody listens on any more
            LocalHttpServer closed;
            QVERIFY(closed.start());
            request.url = closed.url("/sked-a26.csv");
        }
        request.lastModified = QString::fromLatin1(lastModified);
        request.etag = QString::fromLatin1(etag);
        request.saveBeside = dir.filePath("ILGDATA.MDB");
        request.stallLimit = std::chrono::milliseconds(300);
        const Result r = fetch::download(request);
        QVERIFY2(error.isEmpty() ? r.error.isEmpty() : r.error.contains(error),
                 qPrintable(r.error));
        QCOMPARE(int(r.status), status);
        if (!lastModified.isEmpty())
            QCOMPARE(server.requests.value(0).headers.value("if-modified-since"), lastModified);
        if (!etag.isEmpty())
            QCOMPARE(server.requests.value(0).headers.value("if-none-match"), etag);
        if (status == int(Status::Fetched)) {
            QCOMPARE(testsupport::fileBytes(r.file), Schedule);
            QCOMPARE(r.lastModified.toLatin1(), LastModified);
            QCOMPARE(r.etag.toLatin1(), ETag);
            QVERIFY(QFile::remove(r.file));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList()); // nothing left behind
    }
};

QTEST_GUILESS_MAIN(FetchTest)
#include "Fetch_test.moc"
