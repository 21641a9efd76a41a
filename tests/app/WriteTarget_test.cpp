#include "app/WriteTarget.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <sys/stat.h>

using namespace app;

// Paths are made inside one scratch folder: "file", "fifo", "dir", and links to each.
class WriteTargetTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString at(const QString &name) const { return dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(testsupport::writeFile(at("file"), "old"));
        QVERIFY(QDir(dir.path()).mkdir("dir"));
        QCOMPARE(::mkfifo(qPrintable(at("fifo")), 0600), 0);
        QVERIFY(QFile::link(at("file"), at("link-to-file")));
        QVERIFY(QFile::link("file", at("relative-link")));
        QVERIFY(QFile::link(at("link-to-file"), at("link-to-link")));
        QVERIFY(QFile::link(at("not-yet"), at("dangling")));
        QVERIFY(QFile::link(at("fifo"), at("link-to-fifo")));
        QVERIFY(QFile::link(at("loop-a"), at("loop-b")));
        QVERIFY(QFile::link(at("loop-b"), at("loop-a")));
    }

    void resolves_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected"); // "" when refused
        addRow("a regular file is itself", "file", "file");
        addRow("a missing file is created where named", "new", "new");
        addRow("a link writes to its file, not over the link", "link-to-file", "file");
        addRow("a relative link is read from its own folder", "relative-link", "file");
        addRow("a chain of links ends at the file", "link-to-link", "file");
        addRow("a dangling link creates its target", "dangling", "not-yet");
        addRow("a FIFO is refused", "fifo", "");
        addRow("a folder is refused", "dir", "");
        addRow("a link to a FIFO is refused", "link-to-fifo", "");
        addRow("a loop of links is refused", "loop-a", "");
    }
    void resolves() {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        const WriteTarget t = resolveWriteTarget(at(given));
        QCOMPARE(t.path, expected.isEmpty() ? QString() : at(expected));
        QCOMPARE(t.ok(), !expected.isEmpty());
        if (!t.ok())
            QVERIFY2(t.error.contains(at(given)), qPrintable(t.error));
    }

    void aDeviceIsRefused() {
        const WriteTarget t = resolveWriteTarget(QStringLiteral("/dev/null"));
        QVERIFY(!t.ok());
        QVERIFY(t.error.contains(QStringLiteral("not a regular file")));
    }
};

QTEST_GUILESS_MAIN(WriteTargetTest)
#include "WriteTarget_test.moc"
