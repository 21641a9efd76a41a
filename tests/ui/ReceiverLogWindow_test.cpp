// The receiver link and the reception log through the real main window: its buttons, its
// timer step, its remarks dialog and the log file in the program's folder.
#include "mainwindow/ScheduleGridWidget.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using mainwindow::DisplayForm;

namespace {

const QString Heading =
    "DATE  LOG -ON -OFF  FREQ STATION              ADM LANGUAGE        MODE   kW\r\n";
const QString AlphaLine = "24/05/17 0130 0205  9575          Radio Alpha   F           English"
                          " AM  250.5";

QDateTime at(int hour, int minute) {
    return QDateTime(QDate(2024, 5, 17), QTime(hour, minute, 40), Qt::UTC);
}

// In Freq order: 6000, 9575.25, 9580, 15345.
std::shared_ptr<const jet::Table> stations() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language,ADM,Power\r\n"
                      "1,6000,\"Radio Beta\",\"0000-2400\",\"German\",\"D\",\"100.0\"\r\n"
                      "2,9575.25,\"Radio Alpha\",\"0000-2400\",\"English\",\"F\",\"250.55\"\r\n"
                      "3,9580,\"Radio Gamma\",\"0000-2400\",\"Spanish\",\"USA\",\"500.0\"\r\n"
                      "4,15345,\"Radio Delta\",\"0000-2400\",\"French\",\"ARG\",\"100.0\"\r\n"));
}

// A whole program around one main window, its folder a temporary one, or installed there.
struct Program : testsupport::ProgramUnderTest<> {
    explicit Program(const QString &linkOK = "True", bool installed = false) {
        state.LinkOK = linkOK;
        const app::Paths paths =
            installed ? installedPaths() : app::Paths::besideProgram(dir.path());
        tables.add(paths.database(), stations());
        logFolder = paths.listenerFolder();
        start(paths, at(1, 30));
    }
    QString logFolder;

    jet::RecordSet &records() { return form->data1().recordset(); }
    int currentStation() {
        return records().position() < 0 ? -1 : int(records().value(records().position(), 0).number);
    }
    void pick(int stationId) {
        records().moveFirst();
        records().findFirst("StationID = " + QString::number(stationId));
        form->SSDBGrid_PickRow();
    }
    QPushButton *button(const char *name) const { return form->findChild<QPushButton *>(name); }
    QString label0() const { return form->findChild<QLabel *>("Label_0")->text(); }
    QString logFile() const {
        QFile file(logFolder + "/Skedwise.Log");
        if (!file.open(QIODevice::ReadOnly))
            return "<no file>";
        return QString::fromUtf8(file.readAll());
    }
    // The receiver-control program answers a status request.
    void receiverAnswers(const QString &status) {
        QCOMPARE(clipboard.content, QString("111001"));
        clipboard.writtenByOtherProgram(status);
        form->Timer_Timer(0);
    }
};

// Plays the listener's part in the remarks dialog once it is open.
void typeRemarksWhenShown(const QString &sinpo, const QString &remarks) {
    QTimer::singleShot(0, [sinpo, remarks] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        if (auto *box = dialog->findChild<QLineEdit *>(); box && box->isVisible()) {
            QTest::keyClicks(box, sinpo);
            QTest::keyClick(box, Qt::Key_Return);
        }
        auto *text = dialog->findChild<QPlainTextEdit *>();
        QTest::keyClicks(text, remarks);
        QTest::keyClick(text, Qt::Key_Return);
    });
}

} // namespace

class ReceiverLogWindowTest : public QObject {
    Q_OBJECT

private slots:
    void rowPick_data() {
        QTest::addColumn<QString>("linkOK");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("link enabled sends the tune request") << "True"
                                                             << "1010109580";
        QTest::newRow("link disabled leaves the clipboard") << "False"
                                                            << "";
    }
    void rowPick() {
        QFETCH(QString, linkOK);
        QFETCH(QString, clipboard);
        Program p(linkOK);
        QCOMPARE(p.clipboard.content, QString()); // emptied at load
        p.pick(3);
        QCOMPARE(p.label0(), QString("9580"));
        QCOMPARE(p.clipboard.content, clipboard);
        QCOMPARE(p.form->findChild<QAction *>("DoLink_0")->isChecked(), linkOK == "True");
    }

    void reportMovesTheGrid_data() {
        QTest::addColumn<QString>("onClipboard");
        QTest::addColumn<int>("station");
        QTest::addColumn<QString>("left");
        QTest::newRow("exact frequency") << "0101019580" << 3 << "";
        QTest::newRow("next frequency up") << "01010110000" << 4 << "";
        QTest::newRow("forced form") << "01010146000.0" << 1 << "";
        QTest::newRow("foreign text stays") << "hello" << 1 << "hello";
        QTest::newRow("own tune request stays") << "1010109580" << 1 << "1010109580";
    }
    void reportMovesTheGrid() {
        QFETCH(QString, onClipboard);
        QFETCH(int, station);
        QFETCH(QString, left);
        Program p;
        p.records().moveFirst();
        p.clipboard.writtenByOtherProgram(onClipboard);
        p.form->Timer_Timer(0);
        QCOMPARE(p.currentStation(), station);
        QCOMPARE(p.clipboard.content, left);
    }

    void logOnReplyLogOffWritesTheEntry_data() {
        QTest::addColumn<bool>("sinpoPrompt");
        QTest::addColumn<QString>("remarksLine");
        QTest::addColumn<bool>("installed");
        QTest::newRow("SINPO and remarks") << true << "SINPO: 54444 Clear at night" << false;
        QTest::newRow("remarks only, installed: into the listener's folder")
            << false << "Clear at night" << true;
    }
    void logOnReplyLogOffWritesTheEntry() {
        QFETCH(bool, sinpoPrompt);
        QFETCH(QString, remarksLine);
        QFETCH(bool, installed);
        Program p("True", installed);
        if (installed)
            QCOMPARE(p.logFolder, p.dir.filePath("data/Skedwise"));
        p.form->Sinpo_Click(sinpoPrompt ? 1 : 0);
        p.pick(2);
        QTest::mouseClick(p.button("CmdLog_0"), Qt::LeftButton);
        QVERIFY(p.state.LogOn);
        QVERIFY(!p.button("CmdLog_0")->isEnabled());
        QVERIFY(p.button("CmdLog_1")->isEnabled());
        p.receiverAnswers("100001,AM,S7,6000");
        QCOMPARE(p.state.RadioStatus, QString(",AM,S7,6000"));
        p.clock.now = at(2, 5);
        typeRemarksWhenShown("54444", "Clear at night");
        QTest::mouseClick(p.button("CmdLog_1"), Qt::LeftButton);
        QCOMPARE(p.logFile(), Heading + "\r\n" + AlphaLine + "\r\n" + remarksLine + "\r\n");
        QVERIFY(p.button("CmdLog_0")->isEnabled());
        QVERIFY(!p.button("CmdLog_1")->isEnabled());
    }

    void reTuneQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("No writes nothing") << int(app::AnswerNo) << false;
        QTest::newRow("Yes closes and writes the entry") << int(app::AnswerYes) << true;
    }
    void reTuneQuestion() {
        QFETCH(int, answer);
        QFETCH(bool, written);
        Program p;
        p.form->Sinpo_Click(0);
        p.pick(2);
        p.form->CmdLog_Click(0);
        p.receiverAnswers("100001,AM,S7");
        p.clock.now = at(2, 5);
        p.prompts.answers = {answer};
        if (written)
            typeRemarksWhenShown({}, "x");
        p.pick(3);
        QCOMPARE(p.prompts.shown.filter("Save Current Log Entry?").size(), 1);
        QVERIFY(!p.state.LogOn);
        QCOMPARE(p.logFile().startsWith(Heading + "\r\n" + AlphaLine + "\r\nx\r\n"), written);
        if (!written)
            QCOMPARE(p.logFile(), QString("<no file>"));
    }

    void f9AndF10OpenAndCloseTheEntry() {
        Program p;
        p.form->Sinpo_Click(0);
        p.pick(2);
        QTest::keyClick(p.form.get(), Qt::Key_F9);
        QVERIFY(p.state.LogOn);
        p.receiverAnswers("100001,AM,S7");
        p.clock.now = at(2, 5);
        typeRemarksWhenShown({}, "via keys");
        QTest::keyClick(p.form.get(), Qt::Key_F10);
        QVERIFY(!p.state.LogOn);
        QCOMPARE(p.logFile(), Heading + "\r\n" + AlphaLine + "\r\nvia keys\r\n");
    }
};

QTEST_MAIN(ReceiverLogWindowTest)
#include "ReceiverLogWindow_test.moc"
