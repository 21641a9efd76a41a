#include "jet/CsvRows.h"
#include "jet/IsolatedTableProvider.h"
#include "jet/TableStream.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

using jet::Cell;
using jet::IsolatedTableProvider;
using jet::TableStreamDecoder;

using testsupport::fileBytes;
using testsupport::writeFile;

namespace {

const IsolatedTableProvider::Limits kQuickLimits{1500, 4000};

QString worker() {
    return testsupport::binary("skedwise-jetread");
}

QString writeScript(const QTemporaryDir &dir, const QString &name, const QByteArray &body) {
    const QString path = dir.filePath(name);
    writeFile(path, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// A small table with every kind of cell, as the worker would send it.
QByteArray sampleStream() {
    QByteArray out;
    jet::TableStreamWriter w([&](const char *d, size_t n) { out.append(d, qsizetype(n)); });
    w.begin();
    w.columns({{"ID", jet::ColumnKind::Number, 4, 4}, {"Station", jet::ColumnKind::Text, 10, 20}});
    w.number(1);
    w.text("Радио Свобода", qsizetype(strlen("Радио Свобода")));
    w.endRow();
    w.number(5005.5);
    w.text("", 0);
    w.endRow();
    w.null();
    w.null();
    w.endRow();
    w.finish();
    w.flush();
    return out;
}

TableStreamDecoder::State decodeAll(const QByteArray &bytes, TableStreamDecoder &d) {
    d.feed(bytes);
    return d.endOfInput();
}

} // namespace

class IsolatedTableProviderTest : public QObject {
    Q_OBJECT
private slots:
    // A broken build must fail here, not pass by skipping.
    void initTestCase() {
        if (!QFileInfo(worker()).isExecutable())
            QFAIL("skedwise-jetread is not built");
    }

    void eachFileLoadsOnceUntilItChanges() {
        const QString fixture = testsupport::fixture("schedule/ILGDATA.MDB");
        REQUIRE_FIXTURE(fixture);
        QTemporaryDir dir;
        const QString path = dir.filePath("ILGDATA.MDB");
        QVERIFY(writeFile(path, fileBytes(fixture)));
        IsolatedTableProvider provider(worker());
        const auto first = provider.table(path, "MyDataTable");
        QVERIFY2(first.ok(), qPrintable(first.error));
        QCOMPARE(provider.table(path, "mydatatable").table, first.table);
        QCOMPARE(provider.table(dir.path() + "/./ILGDATA.MDB", "MyDataTable").table, first.table);

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                              QFileDevice::FileModificationTime));
        f.close();
        const auto afterChange = provider.table(path, "MyDataTable");
        QVERIFY(afterChange.ok());
        QVERIFY(afterChange.table != first.table);

        provider.forget(path);
        QVERIFY(provider.table(path, "MyDataTable").table != afterChange.table);
    }

    void unreadableFilesAreNamedInPlainWords_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        addRow("missing file", "missing", "was not found");
        addRow("zero bytes", "empty", "is not an Access database");
        addRow("text file", "text", "is not an Access database");
        addRow("Access file without MyDataTable", "access97", "has no table MyDataTable");
        addRow("schedule cut in half", "half", "damaged or truncated");
    }
    void unreadableFilesAreNamedInPlainWords() {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        const QString fixture = testsupport::fixture("schedule/ILGDATA.MDB");
        REQUIRE_FIXTURE(fixture);
        const QByteArray real = fileBytes(fixture);
        QTemporaryDir dir;
        const QString path = dir.filePath("ILGDATA.MDB");
        if (kind == "empty")
            QVERIFY(writeFile(path, {}));
        else if (kind == "text")
            QVERIFY(writeFile(path, "StationID,Freq\r\n1,9575\r\n"));
        else if (kind == "access97")
            QVERIFY(writeFile(path, fileBytes(testsupport::fixture("access/access97.mdb"))));
        else if (kind == "half")
            QVERIFY(writeFile(path, real.left(real.size() / 2)));
        IsolatedTableProvider provider(worker(), kQuickLimits);
        const auto outcome = provider.table(path, "MyDataTable");
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error.contains(expected), qPrintable(outcome.error));
        QVERIFY2(outcome.error.contains(QDir::toNativeSeparators(path)), qPrintable(outcome.error));
    }

    // libmdb crashes or loops on some of these; the caller must only ever see an outcome.
    void mutatedFilesEndInAnOutcomeWithinTheLimit_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("headerPagesOnly");
        for (quint32 seed = 1; seed <= 48; ++seed)
            QTest::addRow("seed %u%s", seed, seed % 2 ? " header pages" : " anywhere")
                << seed << bool(seed % 2);
    }
    void mutatedFilesEndInAnOutcomeWithinTheLimit() {
        QFETCH(quint32, seed);
        QFETCH(bool, headerPagesOnly);
        const QString fixture = testsupport::fixture("schedule/ILGDATA.MDB");
        REQUIRE_FIXTURE(fixture);
        QByteArray bytes = fileBytes(fixture);
        QRandomGenerator rng(seed);
        const int span = headerPagesOnly ? 4096 * 8 : int(bytes.size());
        const int changes = 1 + int(rng.bounded(40u));
        for (int i = 0; i < changes; ++i)
            bytes[rng.bounded(span)] = char(rng.bounded(256u));
        QTemporaryDir dir;
        const QString path = dir.filePath("ILGDATA.MDB");
        QVERIFY(writeFile(path, bytes));

        IsolatedTableProvider provider(worker(), kQuickLimits);
        QElapsedTimer clock;
        clock.start();
        const auto outcome = provider.table(path, "MyDataTable");
        QVERIFY2(clock.elapsed() < kQuickLimits.overallMs + 3000, "the time limit was not kept");
        if (!outcome.ok()) {
            QVERIFY2(outcome.error.contains(QDir::toNativeSeparators(path)),
                     qPrintable(outcome.error));
        } else {
            QVERIFY(outcome.table->columnCount() > 0);
        }
    }

    void misbehavingWorkersCostOnlyAMessage_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("expected");
        addRow("hangs before writing", QByteArray("exec sleep 30"), "in time");
        addRow("writes rows forever",
               QByteArray("printf 'SKJT\\001C\\000\\000'; while :; do printf RRRRRRRR; done"),
               "in time");
        addRow("crashes mid-stream", QByteArray("printf 'SKJT\\001C\\000\\000RR'; kill -SEGV $$"),
               "damaged");
        addRow("stops without an end record", QByteArray("printf 'SKJT\\001C\\000\\000RR'; exit 0"),
               "damaged");
        addRow("writes garbage", QByteArray("head -c 20000 /dev/urandom"), "damaged");
        addRow("worker program missing", QByteArray(), "could not be started");
    }
    void misbehavingWorkersCostOnlyAMessage() {
        QFETCH(QByteArray, script);
        QFETCH(QString, expected);
        const QString fixture = testsupport::fixture("schedule/ILGDATA.MDB");
        REQUIRE_FIXTURE(fixture);
        QTemporaryDir dir;
        const QString fake = script.isEmpty() ? dir.filePath("no-such-worker")
                                              : writeScript(dir, "fake-worker", script);
        IsolatedTableProvider provider(fake, kQuickLimits);
        const auto outcome = provider.table(fixture, "MyDataTable");
        QVERIFY(!outcome.ok());
        QVERIFY2(outcome.error.contains(expected), qPrintable(outcome.error));
        QVERIFY2(outcome.error.contains(QDir::toNativeSeparators(fixture)),
                 qPrintable(outcome.error));
    }

    void everyCutOfAStreamIsRejected() {
        const QByteArray bytes = sampleStream();
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            TableStreamDecoder d;
            QVERIFY2(decodeAll(bytes.left(n), d) == TableStreamDecoder::State::Invalid,
                     qPrintable(QString::number(n)));
            QVERIFY(!d.takeTable());
        }
    }

    void malformedStreamsAreRejected_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = sampleStream();
        const QByteArray head("SKJT\x01", 5);
        const QByteArray noColumns = head + QByteArray("C\0\0", 3);
        addRow("bytes after the end", good + "R");
        addRow("wrong version", QByteArray("SKJT\x02", 5) + good.mid(5));
        addRow("not a stream", QByteArray("Warning: defaulting to brute force read\n"));
        addRow("row before the columns", head + "R");
        addRow("unknown record", noColumns + "Z");
        addRow("unknown cell tag", head + QByteArray("C\x01\0\x01\0\0\0\0\0\0\0\0\0\0R\x07", 16));
        addRow("text length beyond any limit",
               head + QByteArray("C\x01\0\x01\0\0\0\0\0\0\0\0\0\0R\x02\xff\xff\xff\xff", 20));
    }
    void malformedStreamsAreRejected() {
        QFETCH(QByteArray, bytes);
        TableStreamDecoder d;
        QCOMPARE(decodeAll(bytes, d), TableStreamDecoder::State::Invalid);
        QVERIFY(!d.takeTable());
        QVERIFY(!d.problem().isEmpty());
    }
};

QTEST_GUILESS_MAIN(IsolatedTableProviderTest)
#include "IsolatedTableProvider_test.moc"
