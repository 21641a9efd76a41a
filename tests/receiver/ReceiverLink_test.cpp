#include "receiver/ReceiverLink.h"
#include "support/FakeGridWindow.h"
#include "support/TestSupport.h"

#include <QTest>

#include <stdexcept>

using app::ClipboardStepResult;
using receiver::ReceiverLink;

namespace {

std::shared_ptr<const jet::Table> stations() {
    return testsupport::tableFromCsv(jet::parseCsv("StationID,Freq,Station,Mode\r\n"
                                                   "1,6000,\"Radio Beta\",\"D\"\r\n"
                                                   "2,9575,\"Radio Alpha\",\"D\"\r\n"
                                                   "3,9575,\"Radio Alpha Two\",\"N\"\r\n"
                                                   "4,9580,\"Radio Gamma\",\"L\"\r\n"
                                                   "5,11750,\"Zeta\",\"D\"\r\n"));
}

// The link's view of the main window; the log's re-tune rule is tested with the log.
struct FakeLinkWindow : testsupport::FakeGridWindow, receiver::LinkPort {
    FakeLinkWindow() : FakeGridWindow(stations()) {}

    QString label0 = "unset";
    QString checks;
    bool failReadDB = false;

    app::Clipboard &clipboard() override { return clip; }
    jet::Cell firstColumnValue(int) const override { return {}; }
    void ReadDB(const QString &selectText) override {
        if (failReadDB)
            throw std::runtime_error("database gone");
        runReadDB(selectText);
    }
    void setLabel0(const QString &caption) override { label0 = caption; }
    void setLinkChecks(bool enabled, bool disabled) override {
        checks = QString("%1%2").arg(enabled ? 'X' : '-').arg(disabled ? 'X' : '-');
    }
    void reTuneRule() override {}
};

} // namespace

class ReceiverLinkTest : public QObject {
    Q_OBJECT

private slots:
    void clipboardStep_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::addColumn<QString>("radioFreq");
        QTest::addColumn<QString>("radioStatus");
        const int handled = int(ClipboardStepResult::Handled),
                  nothing = int(ClipboardStepResult::Nothing);
        QTest::newRow("report code alone: empty frequency, cleared") << "010101" << handled << ""
                                                                     << ""
                                                                     << "before";
        QTest::newRow("report with frequency") << "010101 9575.0" << handled << ""
                                               << " 9575.0"
                                               << "before";
        QTest::newRow("status reply keeps the text after the code")
            << "100001,AM,x" << handled << ""
            << "old"
            << ",AM,x";
        QTest::newRow("own tune request left in place")
            << "101010 9575.0" << nothing << "101010 9575.0"
            << "old"
            << "before";
        QTest::newRow("own status request left in place") << "111001" << nothing << "111001"
                                                          << "old"
                                                          << "before";
        QTest::newRow("foreign text left in place") << "hello" << nothing << "hello"
                                                    << "old"
                                                    << "before";
        QTest::newRow("empty clipboard") << "" << nothing << ""
                                         << "old"
                                         << "before";
        QTest::newRow("code not at the start is no message")
            << " 010101 9575.0" << nothing << " 010101 9575.0"
            << "old"
            << "before";
    }
    void clipboardStep() {
        QFETCH(QString, clipboard);
        QFETCH(int, result);
        QFETCH(QString, clipboardAfter);
        QFETCH(QString, radioFreq);
        QFETCH(QString, radioStatus);
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.RadioFreq = "old";
        w.s.RadioStatus = "before";
        w.clip.writtenByOtherProgram(clipboard);
        QCOMPARE(int(link.ClipboardStep()), result);
        QCOMPARE(w.clip.content, clipboardAfter);
        QCOMPARE(w.s.RadioFreq, radioFreq);
        QCOMPARE(w.s.RadioStatus, radioStatus);
    }

    void ownRequestSurvivesEveryTick() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.clip.writtenByOtherProgram("101010 6000");
        for (int tick = 0; tick < 5; ++tick)
            QCOMPARE(link.ClipboardStep(), ClipboardStepResult::Nothing);
        QCOMPARE(w.clip.content, QString("101010 6000"));
    }

    void failedHandlingKeepsReportForNextTick() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.SortBy = "Station";
        w.failReadDB = true;
        w.clip.writtenByOtherProgram("01010149575");
        QCOMPARE(link.ClipboardStep(), ClipboardStepResult::Failed);
        QCOMPARE(w.clip.content, QString("01010149575"));
        QVERIFY(w.redraw);
        w.failReadDB = false;
        QCOMPARE(link.ClipboardStep(), ClipboardStepResult::Handled);
        QCOMPARE(w.clip.content, QString());
        QCOMPARE(w.currentField("StationID"), QString("2"));
    }

    void reportedFrequency_data() {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("forced");
        QTest::newRow("49575 forced") << "49575"
                                      << " 9575.0" << true;
        QTest::newRow("40060 keeps three integer digits") << "40060"
                                                          << "  060.0" << true;
        QTest::newRow("40000 exactly is not forced") << "40000"
                                                     << "40000" << false;
        QTest::newRow("40000.05 is forced") << "40000.05"
                                            << "  000.1" << true;
        QTest::newRow("55100.0 forced, five digits") << "55100.0"
                                                     << "15100.0" << true;
        QTest::newRow("stored form used as it is") << " 9575.0"
                                                   << " 9575.0" << false;
        QTest::newRow("not a number used as it is") << "abc"
                                                    << "abc" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
        QTest::newRow("long report cut to 32") << "x123456789012345678901234567890123456789"
                                               << "x1234567890123456789012345678901" << false;
        QTest::newRow("huge number forced, seven characters")
            << QString(1 << 20, '9') << "1000000" << true;
    }
    void reportedFrequency() {
        QFETCH(QString, payload);
        QFETCH(QString, text);
        QFETCH(bool, forced);
        const receiver::ReportedFrequency r = receiver::reportedFrequency(payload);
        QCOMPARE(r.text, text);
        QCOMPARE(r.forced, forced);
    }

    void findRadioFreq_data() {
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<QString>("fSortStr");
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QString>("freqAfter"); // Freq of the current record
        QTest::addColumn<QString>("sortAfter");
        QTest::addColumn<int>("findType");
        QTest::addColumn<bool>("requeried");
        QTest::addColumn<int>("firstVisible"); // position of the top row, two above the found one
        QTest::newRow("forced 49575 while sorted by Station switches to Freq")
            << "Station"
            << ""
            << "49575"
            << "9575"
            << "Freq" << 7 << true << 0;
        QTest::newRow("exact find ascending") << "Freq"
                                              << ""
                                              << " 9575.0"
                                              << "9575"
                                              << "Freq" << 7 << false << 0;
        QTest::newRow("absent 9576 ascending lands above it") << "Freq"
                                                              << ""
                                                              << " 9576.0"
                                                              << "9580"
                                                              << "Freq" << 7 << false << 1;
        QTest::newRow("absent 9576 descending lands below it") << "Freq"
                                                               << " DESC"
                                                               << " 9576.0"
                                                               << "9575"
                                                               << "Freq" << 7 << false << 0;
        QTest::newRow("40060 forced lands on the lowest") << "Freq"
                                                          << ""
                                                          << "40060"
                                                          << "6000"
                                                          << "Freq" << 7 << false << 0;
        QTest::newRow("beyond every record stays on the first") << "Freq"
                                                                << ""
                                                                << "40000"
                                                                << "6000"
                                                                << "Freq" << 7 << false << 0;
        QTest::newRow("apostrophe finds nothing, no crash") << "Freq"
                                                            << ""
                                                            << "95'75"
                                                            << "6000"
                                                            << "Freq" << 7 << false << 0;
        QTest::newRow("line break finds nothing, no crash") << "Freq"
                                                            << ""
                                                            << "9575\r\n.0"
                                                            << "6000"
                                                            << "Freq" << 7 << false << 0;
        QTest::newRow("not a number finds nothing, no crash") << "Freq"
                                                              << ""
                                                              << "abc"
                                                              << "6000"
                                                              << "Freq" << 7 << false << 0;
    }
    void findRadioFreq() {
        QFETCH(QString, sortBy);
        QFETCH(QString, fSortStr);
        QFETCH(QString, payload);
        QFETCH(QString, freqAfter);
        QFETCH(QString, sortAfter);
        QFETCH(int, findType);
        QFETCH(bool, requeried);
        QFETCH(int, firstVisible);
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.SortBy = sortBy;
        w.s.FSortStr = fSortStr;
        w.runReadDB(w.s.SQLStr);
        w.events.clear();
        link.FindRadioFreq(payload);
        QCOMPARE(w.currentField("Freq"), freqAfter);
        QCOMPARE(w.s.SortBy, sortAfter);
        QCOMPARE(int(w.s.FindType), findType);
        QCOMPARE(w.events.first().startsWith("ReadDB"), requeried);
        QCOMPARE(int(w.s.HalfRows), 2);
        QCOMPARE(w.firstVisiblePosition(), firstVisible);
        QVERIFY(w.redraw);
        QVERIFY(!w.busy);
    }

    // The second of two records on 9575 picked: its own report keeps it current.
    void reportKeepsThePickedRecordOfItsFrequency() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.runReadDB(w.s.SQLStr);
        w.rs().moveTo(2);
        QCOMPARE(w.currentField("Station"), QString("Radio Alpha Two"));
        link.FindRadioFreq("9575");
        QCOMPARE(w.currentField("Station"), QString("Radio Alpha Two"));
        QVERIFY(w.redraw);
        link.FindRadioFreq("9580");
        QCOMPARE(w.currentField("Station"), QString("Radio Gamma"));
    }

    void unforcedReportWhileSortedOtherwiseOnlyUnmarks() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.SortBy = "Station";
        w.s.FindType = 7;
        link.FindRadioFreq(" 9575.0");
        QCOMPARE(w.s.RadioFreq, QString(" 9575.0"));
        QCOMPARE(int(w.s.FindType), 0);
        QCOMPARE(w.events, QStringList({"clearFindMarking", "refreshGrid"}));
        QCOMPARE(w.firstVisible, -1);
    }

    void hugeReportIsHandledAndCleared() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.clip.writtenByOtherProgram("010101" + QString(1 << 20, 'x'));
        QCOMPARE(link.ClipboardStep(), ClipboardStepResult::Handled);
        QCOMPARE(w.clip.content, QString());
        QCOMPARE(w.s.RadioFreq, QString(32, 'x'));
        QVERIFY(w.redraw);
    }

    void sendTuneRequest_data() {
        QTest::addColumn<QString>("linkOK");
        QTest::addColumn<bool>("setMode");
        QTest::addColumn<QString>("modeField");
        QTest::addColumn<QString>("clipboardAfter");
        const char *modes[][3] = {{"D is AM", "D", "AM"},
                                  {"U is USB", "U", "USB"},
                                  {"L is LSB", "L", "LSB"},
                                  {"T, reduced carrier, is USB", "T", "USB"},
                                  {"N, DRM, is USB", "N", "USB"},
                                  {"C is CW", "C", "CW"},
                                  {"S, not in the table, is AM", "S", "AM"},
                                  {"empty is AM", "", "AM"},
                                  {"lower case with blanks", " u ", "USB"}};
        for (const auto &m : modes)
            QTest::newRow(m[0]) << "True" << true << m[1] << QString("1010119575.25,") + m[2];
        QTest::newRow("Set Receiver Mode off: today's bytes") << "True" << false << "U"
                                                              << "1010109575.25";
        QTest::newRow("link disabled leaves the clipboard") << "False" << true << "U"
                                                            << "left over";
    }
    void sendTuneRequest() {
        QFETCH(QString, linkOK);
        QFETCH(bool, setMode);
        QFETCH(QString, modeField);
        QFETCH(QString, clipboardAfter);
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.LinkOK = linkOK;
        w.s.own.SetReceiverMode = setMode;
        link.SendTuneRequest("9575.25", modeField);
        QCOMPARE(w.label0, QString("9575.25"));
        QCOMPARE(w.clip.content, clipboardAfter);
    }

    // Mode is not among the grid's columns: the pick reads it from the row all the same.
    void rowPickSendsTheModeOfTheCurrentRow() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.rs().moveTo(3);
        link.PickRow("9580");
        QCOMPARE(w.clip.content, QString("1010119580,LSB"));
    }

    void doLink_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("linkOK");
        QTest::addColumn<QString>("checks");
        QTest::newRow("Enabled") << 0 << "True"
                                 << "X-";
        QTest::newRow("Disabled") << 1 << "False"
                                  << "-X";
        QTest::newRow("other index changes nothing") << 2 << "unchanged"
                                                     << "";
    }
    void doLink() {
        QFETCH(int, index);
        QFETCH(QString, linkOK);
        QFETCH(QString, checks);
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.LinkOK = "unchanged";
        link.DoLink_Click(index);
        QCOMPARE(w.s.LinkOK, linkOK);
        QCOMPARE(w.checks, checks);
    }

    void menuChecksAtLoadFollowLinkOK() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.LinkOK = "False";
        link.setMenuChecks();
        QCOMPARE(w.checks, QString("-X"));
    }

    void goRecallsLastStation() {
        FakeLinkWindow w;
        ReceiverLink link(w);
        w.s.LastStationID = 4;
        w.s.HalfRows = 1;
        w.clip.writtenByOtherProgram("untouched");
        link.CmdGo_Click();
        QCOMPARE(w.currentField("StationID"), QString("4"));
        QCOMPARE(w.firstVisiblePosition(), 2); // one above the fourth row
        QCOMPARE(w.events, QStringList({"resetGridRows", "resetGridSelection"}));
        QCOMPARE(w.clip.content, QString("untouched"));
        QVERIFY(w.redraw);
    }

    void toolTips_data() {
        QTest::addColumn<QString>("doTips");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("go");
        QTest::newRow("tips on") << "True"
                                 << " Selected Frequency"
                                 << " Click to Recall last Selected ";
        QTest::newRow("tips off") << "False"
                                  << ""
                                  << "";
    }
    void toolTips() {
        QFETCH(QString, doTips);
        QFETCH(QString, label);
        QFETCH(QString, go);
        QCOMPARE(receiver::label0ToolTip(doTips), label);
        QCOMPARE(receiver::cmdGoToolTip(doTips), go);
    }
};

QTEST_GUILESS_MAIN(ReceiverLinkTest)
#include "ReceiverLink_test.moc"
