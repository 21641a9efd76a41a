// Both programs as the listener runs them: the main window in this process, skedwise-rx as a
// separate process on the same X display, rigctld with the dummy rig behind it. Everything
// between them goes over the real X11 CLIPBOARD, polled by each program's own timer.
#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "mainwindow/DisplayWindow.h"
#include "receiver/WatchedClipboardUi.h"
#include "rx/RxTestProcesses.h"
#include "support/Fakes.h"
#include "support/MemoryTables.h"
#include "support/OwnXServer.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString Heading =
    "DATE  LOG -ON -OFF  FREQ STATION              ADM LANGUAGE        MODE   kW\r\n";

QDateTime at(int hour, int minute) {
    return QDateTime(QDate(2024, 5, 17), QTime(hour, minute, 40), Qt::UTC);
}

// In Freq order: 6000 (DRM), 9575.25 (USB), 9580, 15345 (AM).
std::shared_ptr<const jet::Table> stations() {
    return testsupport::tableFromCsv(jet::parseCsv(
        "StationID,Freq,Station,UTC,Language,ADM,Power,Mode\r\n"
        "1,6000,\"Radio Beta\",\"0000-2400\",\"German\",\"D\",\"100.0\",\"N\"\r\n"
        "2,9575.25,\"Radio Alpha\",\"0000-2400\",\"English\",\"F\",\"250.55\",\"U\"\r\n"
        "3,9580,\"Radio Gamma\",\"0000-2400\",\"Spanish\",\"USA\",\"500.0\",\"\"\r\n"
        "4,15345,\"Radio Delta\",\"0000-2400\",\"French\",\"ARG\",\"100.0\",\"D\"\r\n"));
}

bool waitFor(const std::function<bool()> &done, int ms = 6000) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        if (done())
            return true;
        QTest::qWait(50);
    }
    return done();
}

// skedwise-rx on our display with a settings folder of its own, ended with the test.
struct RxProgram {
    QTemporaryDir home;
    QProcess process;
    bool start(const QString &rigAddress) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromLocal8Bit(qgetenv("DISPLAY")));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", home.path());
        env.insert("TMPDIR", home.path());
        process.setProcessEnvironment(env);
        process.start(SKEDWISE_BIN_DIR "/skedwise-rx", {"-m", "2", "-r", rigAddress});
        if (!process.waitForStarted())
            return false;
        QTest::qWait(1000);
        return process.state() == QProcess::Running;
    }
    ~RxProgram() {
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
    }
};

// The schedule program with the system clipboard and the window's timer running.
struct Schedule {
    QTemporaryDir dir;
    app::ProgramState state;
    testsupport::MemoryStore store;
    app::ScriptedPrompts prompts;
    testsupport::FixedClock clock;
    receiver::WatchedClipboard clipboard;
    testsupport::MemoryTables tables;
    std::unique_ptr<mainwindow::DisplayForm> form;

    Schedule() {
        state.codes = schedule::buildCodeTables();
        app::LoadSettings(state, store, {19200, 14400});
        state.FormTop = "0";
        state.FormHeight = "7200";
        tables.add(dir.path() + "/ILGDATA.MDB", stations());
        clock.now = at(1, 30);
        form = std::make_unique<mainwindow::DisplayForm>(
            app::Services{state, store, prompts, clock, clipboard, tables,
                          app::Paths::besideProgram(dir.path())});
        form->Form_Load();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qWarning("main window not exposed");
    }

    jet::RecordSet &records() { return form->data1().recordset(); }
    int currentStation() {
        return records().position() < 0 ? -1 : int(records().value(records().position(), 0).number);
    }
    // What the grid's row pick does once the row is current.
    void pick(int stationId) {
        records().moveFirst();
        records().findFirst("StationID = " + QString::number(stationId));
        form->SSDBGrid_PickRow();
    }
    QString logFile() const {
        QFile file(dir.path() + "/Skedwise.Log");
        if (!file.open(QIODevice::ReadOnly))
            return "<no file>";
        return QString::fromUtf8(file.readAll());
    }
};

// Plays the listener's part in the remarks dialog once it is open: the SINPO code, when the
// box is shown, typed after what it holds (shown gets that) or over it, and the remarks, each
// confirmed with Enter.
void typeRemarksWhenShown(const QString &remarks, const QString &sinpo = {},
                          QString *shown = nullptr) {
    QTimer::singleShot(0, [remarks, sinpo, shown] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return; // no entry to close: the log's content tells
        if (auto *box = dialog->findChild<QLineEdit *>(); box && box->isVisible()) {
            // As a listener's first key would, once the box has its cursor.
            (void)QTest::qWaitFor(
                [box] {
                    return box->hasFocus() && !box->hasSelectedText() &&
                           box->cursorPosition() == box->text().size();
                },
                2000);
            if (shown)
                *shown = box->text();
            else
                box->selectAll();
            QTest::keyClicks(box, sinpo);
            QTest::keyClick(box, Qt::Key_Return);
        }
        auto *text = dialog->findChild<QPlainTextEdit *>();
        QVERIFY(text);
        QTest::keyClicks(text, remarks);
        QTest::keyClick(text, Qt::Key_Return);
    });
}

// The rig's frequency in Hz and its mode for each station, in the form rigctl prints them.
const QMap<int, QString> StationHz{{1, "6000000"}, {2, "9575250"}, {3, "9580000"}, {4, "15345000"}};
const QMap<int, QString> StationMode{{1, "USB"}, {2, "USB"}, {3, "AM"}, {4, "AM"}};

} // namespace

class TwoProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Rigctld> daemon;
    std::unique_ptr<RxProgram> rx;
    std::unique_ptr<Schedule> schedule;

    QString rigFrequency() const { return daemon->query({"f"}); }
    QString rigMode() const { return daemon->query({"m"}).section(u'\n', 0, 0); }

private slots:
    void initTestCase() {
        REQUIRE_THAT(QGuiApplication::platformName() == "xcb", "Xvfb and xclip");
        REQUIRE_TOOL("rigctld");
        REQUIRE_TOOL("rigctl");
        daemon = std::make_unique<Rigctld>(freeLocalPort());
        QCOMPARE(daemon->query({"M", "AM", "6000", "F", "6000000"}), QString());
        QCOMPARE(daemon->query({"m"}), QString("AM\n6000"));
        schedule = std::make_unique<Schedule>();
        rx = std::make_unique<RxProgram>();
        QVERIFY2(rx->start(daemon->address()), "skedwise-rx did not start");
        // skedwise-rx follows the rig once it polls: the rig turned to a row no pick below uses.
        QCOMPARE(daemon->query({"F", "9580000"}), QString());
        QVERIFY2(waitFor([&] { return schedule->currentStation() == 3; }, 10000),
                 "skedwise-rx never reported the rig");
    }

    void cleanupTestCase() {
        rx.reset();
        schedule.reset();
        daemon.reset();
    }

    // The rig starts in AM: the USB row sets USB, the AM row sets AM again.
    void rowPickTunesTheRig_data() {
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("hz");
        QTest::addColumn<QString>("reported"); // the receiver program's answer
        QTest::addColumn<QString>("mode");
        QTest::newRow("fractional kHz, Mode U, reaches the rig in USB") << 2 << "9575250"
                                                                        << "9575.25"
                                                                        << "USB";
        QTest::newRow("whole kHz, Mode D, reaches the rig in AM") << 4 << "15345000"
                                                                  << "15345"
                                                                  << "AM";
    }
    void rowPickTunesTheRig() {
        QFETCH(int, station);
        QFETCH(QString, hz);
        QFETCH(QString, reported);
        QFETCH(QString, mode);
        schedule->pick(station);
        QVERIFY2(waitFor([&] { return rigFrequency() == hz; }), qPrintable(rigFrequency()));
        QCOMPARE(rigMode(), mode); // set before the frequency
        // The receiver program's answer leaves the grid on the picked row.
        QVERIFY(waitFor([&] { return schedule->state.RadioFreq == reported; }));
        QCOMPARE(schedule->currentStation(), station);
    }

    void rigTurnedElsewhereMovesTheGrid_data() {
        QTest::addColumn<QString>("hz");
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("radioFreq");
        QTest::newRow("exact frequency") << "9580000" << 3 << " 9580.0";
        QTest::newRow("between rows goes to the next up") << "7000000" << 2 << " 7000.0";
    }
    void rigTurnedElsewhereMovesTheGrid() {
        QFETCH(QString, hz);
        QFETCH(int, station);
        QFETCH(QString, radioFreq);
        QCOMPARE(daemon->query({"F", hz}), QString());
        QVERIFY2(waitFor([&] { return schedule->currentStation() == station; }),
                 qPrintable(QString::number(schedule->currentStation())));
        QCOMPARE(int(schedule->state.FindType), 7);
        QCOMPARE(schedule->state.RadioFreq, radioFreq);
    }

    // The mode the pick set goes into the entry, the rig's signal into SINPO's S.
    void logOffWritesTheRigsModeAndSignal() {
        schedule->form->Sinpo_Click(1);
        schedule->pick(2);
        QVERIFY(waitFor([&] { return rigFrequency() == "9575250"; }));
        // The answer to the pick is taken first.
        QVERIFY(waitFor([&] { return schedule->state.RadioFreq == "9575.25"; }));
        schedule->state.RadioStatus.clear();
        QTest::mouseClick(schedule->form->findChild<QPushButton *>("CmdLog_0"), Qt::LeftButton);
        QVERIFY(schedule->state.LogOn);
        QVERIFY(waitFor([&] { return !schedule->state.RadioStatus.isEmpty(); }));
        QCOMPARE(rigMode(), QString("USB"));
        schedule->clock.now = at(2, 5);
        QString sDigit;
        typeRemarksWhenShown("Clear at night", "4444", &sDigit);
        QTest::mouseClick(schedule->form->findChild<QPushButton *>("CmdLog_1"), Qt::LeftButton);
        QVERIFY2(QRegularExpression("^[1-5]$").match(sDigit).hasMatch(), qPrintable(sDigit));
        QCOMPARE(schedule->logFile(),
                 Heading + "\r\n" +
                     "24/05/17 0130 0205  9575          Radio Alpha   F           EnglishUSB"
                     "  250.5\r\n" +
                     "SINPO: " + sDigit + "4444 Clear at night\r\n");
    }

    // The listener at real speed: log cycles with random waits and picks between them, each
    // writing its entry with no question asked; and rounds of fast picks, each ending with the
    // rig on the last row picked.
    void soakLogCycles() {
        QRandomGenerator random(19);
        const QMap<int, QString> lines{
            {2, "24/05/17 0130 0205  9575          Radio Alpha   F           EnglishUSB  250.5"},
            {4, "24/05/17 0130 0205 15345          Radio Delta ARG            French AM  100.0"}};
        QFile::remove(schedule->dir.filePath("Skedwise.Log"));
        schedule->form->Sinpo_Click(1);
        schedule->clock.now = at(1, 30);
        QString expected = Heading + "\r\n";
        for (int cycle = 1; cycle <= 30; ++cycle) {
            const int station = random.bounded(2) ? 2 : 4;
            schedule->pick(station);
            // The entry's mode is the rig's: the pick is carried out before the log opens.
            QVERIFY(waitFor([&] { return rigFrequency() == StationHz[station]; }));
            QTest::qWait(100 + random.bounded(300));
            QTest::keyClick(schedule->form.get(), Qt::Key_F9);
            QTest::qWait(150 + random.bounded(350));
            schedule->clock.now = at(2, 5);
            typeRemarksWhenShown(QString("cycle %1").arg(cycle), "45444");
            QTest::keyClick(schedule->form.get(), Qt::Key_F10);
            schedule->clock.now = at(1, 30);
            expected += lines[station] + QString("\r\nSINPO: 45444 cycle %1\r\n").arg(cycle);
            QTest::qWait(random.bounded(200));
        }
        QCOMPARE(schedule->prompts.shown, QStringList());
        QCOMPARE(schedule->logFile(), expected);
    }

    void soakFastPicks() {
        QRandomGenerator random(20);
        for (int round = 1; round <= 10; ++round) {
            int station = 0;
            for (int pick = 0; pick < 50; ++pick) {
                station = 1 + int(random.bounded(4));
                schedule->pick(station);
                QTest::qWait(5 + random.bounded(40));
            }
            QVERIFY2(waitFor([&] { return rigFrequency() == StationHz[station]; }, 3000),
                     qPrintable(QString("round %1: rig on %2, last pick %3")
                                    .arg(round)
                                    .arg(rigFrequency(), StationHz[station])));
            QTest::qWait(300); // and no older order lands after it
            QCOMPARE(rigFrequency(), StationHz[station]);
            QCOMPARE(rigMode(), StationMode[station]);
        }
    }
};

int main(int argc, char **argv) {
    auto *probe = new QCoreApplication(argc, argv);
    testsupport::OwnXServer server;
    const bool x11 = server.start();
    delete probe;
    qputenv("QT_QPA_PLATFORM", x11 ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    TwoProgramTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TwoProgram_test.moc"
