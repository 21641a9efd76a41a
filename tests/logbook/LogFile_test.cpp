#include "FakeLogWindow.h"
#include "app/LocalFileSystem.h"
#include "logbook/RemarksEntry.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

// The log through the machine's own files.
class LogFileTest : public QObject {
    Q_OBJECT

private slots:
    void bytesOnDisk() {
        QTemporaryDir dir;
        app::LocalFileSystem files;
        FakeLogWindow w(files);
        w.dir = dir.path();
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
        w.dir = dir.path();
        w.script.answers = {app::AnswerNo, app::AnswerYes, app::AnswerYes};
        w.script.fileNames = {dir.filePath("other.log")};
        remarksOnce(w);
        logStation(w, 2, "9575.25,AM,S7,6000");
        QVERIFY(w.script.shown.first().contains(dir.filePath("Skedwise.Log")));
        QVERIFY(w.script.shown.first().contains("It is a folder, not a file"));
        QCOMPARE(w.log.pendingEntries().size(), 1);
        w.log.offerPendingAtExit();
        QCOMPARE(w.log.pendingEntries().size(), 0);
        const QByteArray expected = fileBytes(QFINDTESTDATA("reception_expected.log"));
        QCOMPARE(fileBytes(dir.filePath("other.log")),
                 expected.left(expected.indexOf("24/05/17 0205")));
    }
};

QTEST_GUILESS_MAIN(LogFileTest)
#include "LogFile_test.moc"
