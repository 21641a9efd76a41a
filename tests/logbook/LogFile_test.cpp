#include "FakeLogWindow.h"
#include "app/LocalFileSystem.h"
#include "logbook/RemarksEntry.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

using testsupport::FakeLogWindow;

using testsupport::fileBytes;

namespace {

void logStation(FakeLogWindow &w, int stationId, const QString &status) {
    w.pick(stationId);
    w.log.CmdLog_Click(0);
    w.clip.writtenByOtherProgram("100001" + status);
    w.link.ClipboardStep();
    w.fixedClock.now = w.fixedClock.now.addSecs(35 * 60);
    w.log.CmdLog_Click(1);
}

void remarksOnce(FakeLogWindow &w) {
    w.remarks = [](FakeLogWindow &win) {
        logbook::RemarksEntry e(true, win.log.SINPOStr(), win.s.LogEntry);
        e.sinpoKey(logbook::KeyEnter, "45444");
        e.remarksKey(logbook::KeyEnter, "45444", "fair, music");
        win.remarks = nullptr;
    };
}

// The lines of the expected log: heading, empty, entry, its remarks, entry.
QList<QByteArray> expectedLines() {
    return fileBytes(QFINDTESTDATA("reception_expected.log")).split('\n');
}

} // namespace

// The log through the machine's own files.
class LogFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataDir;

    void inFolder(FakeLogWindow &w, const QTemporaryDir &dir) {
        w.dir = dir.path();
        w.data = dataDir.path();
    }

private slots:
    void bytesOnDisk() {
        QTemporaryDir dir;
        app::LocalFileSystem files;
        FakeLogWindow w(files);
        inFolder(w, dir);
        remarksOnce(w);
        logStation(w, 2, "9575.25,AM,S7,6000");
        logStation(w, 4, "15345.00,USB,,");
        QCOMPARE(fileBytes(dir.filePath("Skedwise.Log")),
                 fileBytes(QFINDTESTDATA("reception_expected.log")));
    }

    void folderInTheWayKeepsEntryUntilAFileIsChosen() {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("Skedwise.Log");
        app::LocalFileSystem files;
        FakeLogWindow w(files);
        inFolder(w, dir);
        w.script.answers = {app::AnswerNo, app::AnswerYes, app::AnswerYes};
        w.script.fileNames = {dir.filePath("other.log")};
        remarksOnce(w);
        logStation(w, 2, "9575.25,AM,S7,6000");
        QVERIFY(w.script.shown.first().contains(dir.filePath("Skedwise.Log") + "\" is a folder"));
        QCOMPARE(w.log.pendingEntries().size(), 1);
        w.log.offerPendingAtExit();
        QCOMPARE(w.log.pendingEntries().size(), 0);
        const QByteArray expected = fileBytes(QFINDTESTDATA("reception_expected.log"));
        QCOMPARE(fileBytes(dir.filePath("other.log")),
                 expected.left(expected.indexOf("24/05/17 0205")));
    }

    // A write cut short by the disk leaves the log exactly as it was and names the system's
    // reason; once there is room the entry is written whole, once.
    void cutShortWriteLeavesTheLogAsItWas_data() {
        QTest::addColumn<bool>("fullFileSystem");
        QTest::addColumn<QString>("reason");
        addRow("file size limit, any user", false, "File too large");
        addRow("full file system (a tmpfs, as root)", true, "No space left on device");
    }
    void cutShortWriteLeavesTheLogAsItWas() {
        QFETCH(bool, fullFileSystem);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path());
        // Only root can make a small file system; the size-limit row checks the cut-back for
        // everyone, so a machine without the right skips this row, under CI too.
        if (fullFileSystem && ::mount("tmpfs", path, "tmpfs", 0, "size=8k") != 0)
            QSKIP("mounting a tmpfs of 8 KiB needs root");
        const auto unmount = qScopeGuard([&] {
            if (fullFileSystem)
                ::umount2(path, MNT_DETACH);
        });
        // 30 bytes of room: the rest of the tmpfs's last page, or up to the size limit.
        const QByteArray before = "earlier entry\r\n" + QByteArray(8192 - 30 - 15, '.');
        QVERIFY(testsupport::writeFile(dir.filePath("Skedwise.Log"), before));
        rlimit unlimited{};
        ::getrlimit(RLIMIT_FSIZE, &unlimited);
        if (!fullFileSystem) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = unlimited;
            limit.rlim_cur = rlim_t(before.size() + 30);
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        app::LocalFileSystem files;
        FakeLogWindow w(files);
        inFolder(w, dir);
        w.script.answers = {app::AnswerNo};
        logStation(w, 2, "9575.25,AM,S7,6000");
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(fileBytes(dir.filePath("Skedwise.Log")), before);
        QCOMPARE(w.script.shown.size(), 1);
        QVERIFY2(w.script.shown.first().contains("cannot be written: " + reason),
                 qPrintable(w.script.shown.first()));
        if (fullFileSystem)
            QCOMPARE(::mount("tmpfs", path, "tmpfs", MS_REMOUNT, "size=64k"), 0);
        logStation(w, 4, "15345.00,USB,,");
        const QList<QByteArray> lines = expectedLines();
        QCOMPARE(fileBytes(dir.filePath("Skedwise.Log")),
                 before + lines[2] + '\n' + lines[4] + '\n');
    }
};

QTEST_GUILESS_MAIN(LogFileTest)
#include "LogFile_test.moc"
