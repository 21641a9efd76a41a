#include "FakeLogWindow.h"
#include "logbook/RemarksEntry.h"

using testsupport::FakeFileSystem;
using testsupport::FakeLogWindow;

namespace {

const QString Heading =
    "DATE  LOG -ON -OFF  FREQ STATION              ADM LANGUAGE        MODE   kW\r\n";
const QString AlphaLine = "24/05/17 0130 0205  9575          Radio Alpha   F           English"
                          " AM  250.5";
const QString LogFile = "/prog/Skedwise.Log";

// Opens an entry on the station, lets the receiver answer through the clipboard, and closes
// it 35 minutes later.
void logStation(FakeLogWindow &w, int stationId, const QString &status = "9575.25,AM,S7,6000") {
    w.pick(stationId);
    w.log.CmdLog_Click(0);
    if (!status.isNull()) {
        w.clip.writtenByOtherProgram("100001" + status);
        w.link.ClipboardStep();
    }
    w.fixedClock.now = w.fixedClock.now.addSecs(35 * 60);
    w.log.CmdLog_Click(1);
}

} // namespace

class ReceptionLogTest : public QObject {
    Q_OBJECT
    FakeFileSystem files; // in memory, empty for each test

private slots:
    void init() { files = FakeFileSystem{}; }

    void entryLine_data() {
        QTest::addColumn<int>("stationId");
        QTest::addColumn<QString>("status");
        QTest::addColumn<double>("timeZone");
        QTest::addColumn<QString>("line");
        addRow("two decimals: integer Freq, one-decimal Power", 2, "9575.25,AM,S7,6000", 0.0,
               AlphaLine);
        addRow("22-character station cut to 21, no point in Power", 3, "9580.00,LSB,S9,2500", 0.0,
               "24/05/17 0130 0205  9580ABCDEFGHIJKLMNOPQRSTU USA           SpanishLSB    500");
        addRow("UTC from the time zone, across midnight", 1, "6000.00,AM,,", 2.0,
               "24/05/16 2330 0005  6000           Radio Beta   D            German AM  100.0");
        addRow("status with one comma gives an empty mode", 1, "6000.00,AM", 0.0,
               "24/05/17 0130 0205  6000           Radio Beta   D            German     100.0");
    }
    void entryLine() {
        QFETCH(int, stationId);
        QFETCH(QString, status);
        QFETCH(double, timeZone);
        QFETCH(QString, line);
        FakeLogWindow w(files);
        w.s.TimeZone = timeZone;
        logStation(w, stationId, status);
        QCOMPARE(line.size(), 77);
        QCOMPARE(files.files.value(LogFile), Heading + "\r\n" + line + "\r\n");
    }

    void headingOnlyForNewOrEmptyFile_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        addRow("missing file gets the heading", false, "", Heading + "\r\n");
        addRow("empty file gets the heading", true, "", Heading + "\r\n");
        addRow("file with entries gets none", true, "old entry\r\n", "old entry\r\n");
    }
    void headingOnlyForNewOrEmptyFile() {
        QFETCH(bool, exists);
        QFETCH(QString, before);
        QFETCH(QString, after);
        if (exists)
            files.files[LogFile] = before;
        FakeLogWindow w(files);
        logStation(w, 2);
        QCOMPARE(files.files.value(LogFile), after + AlphaLine + "\r\n");
    }

    // A reply read after the last tick still counts when the entry closes.
    void replyAtClose_data() {
        QTest::addColumn<QString>("onClipboard");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("log");
        addRow("no reply: message, nothing written", "111001",
               QStringList{"Skedwise: No data from Radio! Is it running?"}, "");
        addRow("reply since the last tick is written", "1000019575.25,AM,S7,6000", QStringList{},
               Heading + "\r\n" + AlphaLine + "\r\n");
        addRow("a report is no reply", "010101 9580.0",
               QStringList{"Skedwise: No data from Radio! Is it running?"}, "");
    }
    void replyAtClose() {
        QFETCH(QString, onClipboard);
        QFETCH(QStringList, shown);
        QFETCH(QString, log);
        FakeLogWindow w(files);
        w.pick(2);
        w.log.CmdLog_Click(0);
        w.clip.writtenByOtherProgram(onClipboard);
        w.fixedClock.now = w.fixedClock.now.addSecs(35 * 60);
        w.log.KeyF10();
        QCOMPARE(w.script.shown, shown);
        QCOMPARE(files.files.value(LogFile), log);
        QCOMPARE(w.buttons, QString("ON---"));
    }

    void startLogAsksReceiverAndShowsNotice() {
        FakeLogWindow w(files);
        w.s.RadioStatus = ",late reply of the last entry,";
        w.pick(2);
        w.log.CmdLog_Click(0);
        QVERIFY(w.s.LogOn);
        QCOMPARE(w.buttons, QString("--OFF"));
        QCOMPARE(w.clip.content, QString("111001"));
        QCOMPARE(w.s.RadioStatus, QString());
        QCOMPARE(w.s.LogNotice, QString("9575           Radio Alpha"));
        QCOMPARE(w.notices, 1);
    }

    void entryWithoutRecordIsRefused_data() {
        QTest::addColumn<QString>("where"); // the grid's rows
        QTest::addColumn<QString>("lookupDb");
        QTest::addColumn<QString>("message");
        addRow("no current row", " Where StationID = 99", "db",
               "Log File: No station selected to log!");
        addRow("lookup finds no record", "", "gone",
               "Log File: The selected station was not found in the schedule!");
    }
    void entryWithoutRecordIsRefused() {
        QFETCH(QString, where);
        QFETCH(QString, lookupDb);
        QFETCH(QString, message);
        FakeLogWindow w(files);
        w.runReadDB(w.s.SQLStr + where);
        w.lookup.setDatabaseName(lookupDb);
        w.log.CmdLog_Click(0);
        QVERIFY(!w.s.LogOn);
        QCOMPARE(w.buttons, QString("ON---"));
        QCOMPARE(w.script.shown, QStringList({message}));
        QCOMPARE(w.notices, 0);
    }

    void buttonsAndKeys_data() {
        QTest::addColumn<bool>("logOnBefore");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("logOnAfter");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("notices");
        addRow("Log ON opens", false, "ON", true, "--OFF", 1);
        addRow("F9 opens", false, "F9", true, "--OFF", 1);
        addRow("Log ON while open does nothing", true, "ON", true, "unset", 0);
        addRow("Log OFF closes", true, "OFF", false, "ON---", 0);
        addRow("F10 closes", true, "F10", false, "ON---", 0);
        addRow("F10 while closed does nothing", false, "F10", false, "unset", 0);
        addRow("Log OFF while closed does nothing", false, "OFF", false, "unset", 0);
    }
    void buttonsAndKeys() {
        QFETCH(bool, logOnBefore);
        QFETCH(QString, action);
        QFETCH(bool, logOnAfter);
        QFETCH(QString, buttons);
        QFETCH(int, notices);
        FakeLogWindow w(files);
        w.pick(2);
        w.s.LogOn = logOnBefore;
        w.s.RadioStatus = "9575,AM,,";
        if (action == "ON")
            w.log.CmdLog_Click(0);
        else if (action == "OFF")
            w.log.CmdLog_Click(1);
        else if (action == "F9")
            w.log.KeyF9();
        else
            w.log.KeyF10();
        QCOMPARE(w.s.LogOn, logOnAfter);
        QCOMPARE(w.buttons, buttons);
        QCOMPARE(w.notices, notices);
    }

    // Asked once per pick or report: what arrives while the question is open waits, and the
    // report of the same pick asks no more.
    void reTuneQuestion_data() {
        QTest::addColumn<bool>("byPick");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("log");
        const QString written = Heading + "\r\n" + AlphaLine + "\r\n";
        addRow("report, No drops the entry", false, int(app::AnswerNo), "");
        addRow("report, Yes writes it", false, int(app::AnswerYes), written);
        addRow("pick answered No while its report came", true, int(app::AnswerNo), "");
        addRow("pick answered Yes while its report came", true, int(app::AnswerYes), written);
    }
    void reTuneQuestion() {
        QFETCH(bool, byPick);
        QFETCH(int, answer);
        QFETCH(QString, log);
        FakeLogWindow w(files);
        w.pick(2);
        w.log.CmdLog_Click(0);
        w.s.RadioStatus = "9575,AM,,";
        w.fixedClock.now = w.fixedClock.now.addSecs(35 * 60);
        w.script.answers = {answer};
        w.whileAsked = [&w] {
            w.clip.writtenByOtherProgram("010101 9580.0");
            QCOMPARE(w.link.ClipboardStep(), app::ClipboardStepResult::Nothing);
        };
        if (byPick)
            w.link.PickRow("9580");
        else
            w.clip.writtenByOtherProgram("010101 9580.0");
        w.link.ClipboardStep(); // the report, after the answer
        QCOMPARE(w.script.shown, QStringList({"Skedwise: Save Current Log Entry?"}));
        QCOMPARE(files.files.value(LogFile), log);
        QVERIFY(!w.s.LogOn);
        QCOMPARE(w.buttons, QString("ON---"));
        QCOMPARE(w.currentField("StationID"), QString("3"));
        QCOMPARE(w.s.RadioFreq, QString(" 9580.0"));
    }

    void logFileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("after");
        addRow("no extension gets .log", "mylog", "mylog.log");
        addRow("mixed case extension kept", "Skedwise.Log", "Skedwise.Log");
        addRow(".LOG in the middle counts", "my.LOGbook", "my.LOGbook");
        addRow("LOG without point gets .log", "LOG", "LOG.log");
    }
    void logFileName() {
        QFETCH(QString, name);
        QFETCH(QString, after);
        FakeLogWindow w(files);
        w.s.LogFileName = name;
        logStation(w, 2);
        QCOMPARE(w.s.LogFileName, after);
        QVERIFY(files.files.contains("/prog/" + after));
    }

    void changeLog_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("logPath");
        QTest::addColumn<QString>("logFileName");
        addRow("cancelled changes nothing", "*.log", "", "Skedwise.Log");
        addRow("path split at the last slash", "/home/u/logs/x.log", "/home/u/logs/", "x.log");
        addRow("no extension gets .log", "/home/u/new", "/home/u/", "new.log");
        addRow("split before the first .LOG", "/a.LOG/b", "/", "a.LOG/b");
    }
    void changeLog() {
        QFETCH(QString, chosen);
        QFETCH(QString, logPath);
        QFETCH(QString, logFileName);
        FakeLogWindow w(files);
        w.script.fileNames = {chosen};
        w.log.ChangeLog_Click();
        QCOMPARE(w.script.shown.size(), 1);
        QVERIFY(w.script.shown.first().startsWith("Log File Name"));
        QCOMPARE(w.s.LogPath, logPath);
        QCOMPARE(w.s.LogFileName, logFileName);
    }

    void chosenFileIsWrittenThere() {
        FakeLogWindow w(files);
        w.script.fileNames = {"/home/u/dx.log"};
        w.log.ChangeLog_Click();
        logStation(w, 2);
        QCOMPARE(files.files.keys(), QStringList({"/home/u/dx.log"}));
    }

    void failingFileOffersAnotherFile() {
        files.failNext = {"No space left on device"};
        FakeLogWindow w(files);
        w.script.answers = {app::AnswerYes};
        w.script.fileNames = {"/media/stick/rescue"};
        logStation(w, 2);
        QCOMPARE(files.files.keys(), QStringList({"/media/stick/rescue.log"}));
        QCOMPARE(files.files.value("/media/stick/rescue.log"),
                 Heading + "\r\n" + AlphaLine + "\r\n");
        QCOMPARE(w.s.LogPath, QString("/media/stick/"));
    }

    // Entries not written by the exit stay in a recovery file, which the next start writes
    // into the log first.
    void keptEntriesOutliveTheProgram_data() {
        QTest::addColumn<QStringList>("readOnly");
        QTest::addColumn<QString>("keptIn");
        QTest::addColumn<QString>("exitMessage");
        const QString kept = "Log File: Kept in %1 until Skedwise starts next, then written into "
                             "the log: 1 log entry.";
        addRow("beside the program", QStringList{}, "/prog/Skedwise-unwritten-log.txt",
               kept.arg("/prog/Skedwise-unwritten-log.txt"));
        addRow("program folder read-only: the data folder", QStringList{"/prog"},
               "/data/Skedwise-unwritten-log.txt", kept.arg("/data/Skedwise-unwritten-log.txt"));
        addRow("nowhere to keep them: said so", QStringList{"/prog", "/data"}, "",
               "Log File: 1 log entry could not be kept in a file either (Read-only file system).");
    }
    void keptEntriesOutliveTheProgram() {
        QFETCH(QStringList, readOnly);
        QFETCH(QString, keptIn);
        QFETCH(QString, exitMessage);
        files.readOnly = readOnly;
        files.failNext = {"No space left on device", "No space left on device"};
        {
            FakeLogWindow w(files);
            w.script.answers = {app::AnswerNo, app::AnswerYes, app::AnswerNo};
            logStation(w, 2);
            w.log.offerPendingAtExit();
            QCOMPARE(w.script.shown.value(1),
                     QString("Log File: 1 log entry could not be written yet. Write it now?"));
            QCOMPARE(w.script.shown.last(), exitMessage);
        }
        QCOMPARE(files.files.value(keptIn), keptIn.isEmpty() ? "" : AlphaLine + "\r\n");
        files.readOnly.clear();
        FakeLogWindow next(files);
        next.log.Form_Load();
        const bool recovered = !keptIn.isEmpty();
        QCOMPARE(files.files.value(LogFile),
                 recovered ? Heading + "\r\n" + AlphaLine + "\r\n" : "");
        QCOMPARE(files.files.contains(keptIn), false);
        QCOMPARE(next.script.shown, recovered ? QStringList{"Log File: 1 log entry kept from an "
                                                            "earlier run went into the log " +
                                                            LogFile + "."}
                                              : QStringList{});
    }

    void nothingPendingAsksNothingAtExit() {
        FakeLogWindow w(files);
        logStation(w, 2);
        w.log.offerPendingAtExit();
        QVERIFY(w.script.shown.isEmpty());
    }

    void sinpoMenu_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<QString>("checks");
        addRow("No", 0, false, "X-");
        addRow("Yes", 1, true, "-X");
    }
    void sinpoMenu() {
        QFETCH(int, index);
        QFETCH(bool, prompt);
        QFETCH(QString, checks);
        FakeLogWindow w(files);
        w.s.SINPOPrompt = !prompt;
        w.log.Sinpo_Click(index);
        QCOMPARE(w.s.SINPOPrompt, prompt);
        QCOMPARE(w.sinpoChecks, checks);
    }

    void windowLoadClosesEntryAndSetsMarks() {
        FakeLogWindow w(files);
        w.s.LogOn = true;
        w.s.LogPath = "/old/";
        w.s.SINPOPrompt = false;
        w.log.Form_Load();
        QVERIFY(!w.s.LogOn);
        QCOMPARE(w.s.LogPath, QString());
        QCOMPARE(w.buttons, QString("ON---"));
        QCOMPARE(w.sinpoChecks, QString("X-"));
    }

    void remarksLineFollowsEntry() {
        FakeLogWindow w(files);
        w.remarks = [](FakeLogWindow &win) {
            logbook::RemarksEntry e(true, win.log.SINPOStr(), win.s.LogEntry);
            e.sinpoKey(logbook::KeyEnter, "45444");
            e.remarksKey(logbook::KeyEnter, "45444", "QSB, talk about music");
        };
        logStation(w, 2);
        QCOMPARE(files.files.value(LogFile),
                 Heading + "\r\n" + AlphaLine + "\r\nSINPO: 45444 QSB, talk about music\r\n");
    }
};

QTEST_GUILESS_MAIN(ReceptionLogTest)
#include "ReceptionLog_test.moc"
