#include "rx/ClipboardLink.h"
#include "rx/FrequencyText.h"
#include "rx/Tuning.h"
#include "support/Fakes.h"

#include <QSignalSpy>
#include <QTest>

using namespace rx;
using testsupport::FakeClipboard;

namespace {

struct Order {
    double hz;
    quint64 ticket;
    QString mode; // "" when only tuned
};

struct FakeTunePort : TunePort {
    QList<Order> orders;
    void tune(double hz, quint64 ticket) override { orders.append({hz, ticket, {}}); }
    void tuneInMode(double hz, const QString &mode, quint64 ticket) override {
        orders.append({hz, ticket, mode});
    }
};

RigState rx320State(bool connected) {
    RigState s;
    s.connected = connected;
    s.line = connected ? QStringLiteral("connected: RX-320 on /dev/ttyUSB0")
                       : QStringLiteral("no receiver answers on /dev/ttyUSB0");
    s.hzKnown = true;
    s.hz = 9575000;
    s.mode = QStringLiteral("AM");
    s.filterHz = 6000;
    s.signalDb = -12;
    s.minHz = 100e3;
    s.maxHz = 30e6;
    s.modes = QStringList{"AM", "LSB", "USB", "CW"};
    return s;
}

} // namespace

class ClipboardLinkTest : public QObject {
    Q_OBJECT

    FakeClipboard clipboard;
    FakeTunePort rig;
    std::unique_ptr<ClipboardLink> link;

    // The order goes out and the rig says it is done, as the rig thread would.
    void completeLastOrder() {
        QVERIFY(!rig.orders.isEmpty());
        link->rigTuned(rig.orders.last().hz, rig.orders.last().ticket);
    }

private slots:
    void init() {
        clipboard.content = QStringLiteral("left over");
        rig.orders.clear();
        link = std::make_unique<ClipboardLink>(clipboard, rig);
        link->rigStateChanged(rx320State(true));
    }

    void tuneRequestTunesAndEchoesPayload_data() {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("report");
        QTest::newRow("schedule's padded text") << " 9575.0" << 9575000.0 << "010101 9575.0";
        QTest::newRow("plain kHz") << "6202" << 6202000.0 << "0101016202";
        QTest::newRow("blanks inside") << "15 110.5" << 15110500.0 << "01010115 110.5";
        QTest::newRow("lowest edge") << "100" << 100000.0 << "010101100";
        QTest::newRow("highest edge, 30 MHz") << "30000" << 30000000.0 << "01010130000";
    }
    void tuneRequestTunesAndEchoesPayload() {
        QFETCH(QString, clip);
        QFETCH(double, hz);
        QFETCH(QString, report);
        clipboard.writtenByOtherProgram(QStringLiteral("101010") + clip);
        link->poll();
        QCOMPARE(clipboard.content, QString()); // taken off before the rig answers
        QCOMPARE(rig.orders.size(), 1);
        QCOMPARE(rig.orders[0].hz, hz);
        completeLastOrder();
        QCOMPARE(clipboard.content, report);
    }

    void badTuneRequestRemovedNotTuned_data() {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("reason");
        QTest::newRow("letters, quoted as received") << "101010 95 75x"
                                                     << "\" 95 75x\" is not a frequency";
        QTest::newRow("code only") << "101010"
                                   << "holds no frequency";
        QTest::newRow("below RX-320 range") << "10101050"
                                            << "outside the receiver's range";
        QTest::newRow("above RX-320 range") << "10101030000.1"
                                            << "outside the receiver's range";
        QTest::newRow("huge number") << "1010101e300"
                                     << "outside the receiver's range";
        QTest::newRow("beyond double") << "1010101e400"
                                       << "is not a frequency";
        QTest::newRow("very long text") << "101010" + QString(5000, u'9') << "too long";
        QTest::newRow("negative") << "101010-9575"
                                  << "outside the receiver's range";
    }
    void badTuneRequestRemovedNotTuned() {
        QFETCH(QString, clip);
        QFETCH(QString, reason);
        QSignalSpy problems(link.get(), &ClipboardLink::problem);
        clipboard.writtenByOtherProgram(clip);
        link->poll();
        QCOMPARE(clipboard.content, QString());
        QVERIFY(rig.orders.isEmpty());
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0][0].toString().contains(reason), qPrintable(problems[0][0].toString()));
    }

    // "101011": the frequency is tuned wherever it is one; a mode that cannot be set is left
    // out of the order, the reason shown; the report echoes the frequency text alone.
    void tuneModeRequest_data() {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<double>("hz"); // 0: not tuned
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("report");
        const QString hugeMode = " 9575.0," + QString(1 << 20, u'U');
        QTest::newRow("frequency and mode") << "101011 9575.0,USB" << 9575000.0 << "USB"
                                            << ""
                                            << "010101 9575.0";
        QTest::newRow("mode name in lower case") << "1010116202,lsb" << 6202000.0 << "LSB"
                                                 << ""
                                                 << "0101016202";
        QTest::newRow("no comma: tuned, no mode") << "101011 9575.0" << 9575000.0 << ""
                                                  << "names no mode"
                                                  << "010101 9575.0";
        QTest::newRow("unknown mode: tuned, no mode") << "1010119575,XYZ" << 9575000.0 << ""
                                                      << "has no mode XYZ"
                                                      << "0101019575";
        QTest::newRow("huge mode: tuned, no mode") << "101011" + hugeMode << 9575000.0 << ""
                                                   << "is not a mode"
                                                   << "010101 9575.0";
        QTest::newRow("huge frequency: not tuned")
            << "101011" + QString(1 << 20, u'9') + ",AM" << 0.0 << ""
            << "too long"
            << "";
        QTest::newRow("not a frequency: not tuned") << "101011abc,USB" << 0.0 << ""
                                                    << "not a frequency"
                                                    << "";
    }
    void tuneModeRequest() {
        QFETCH(QString, clip);
        QFETCH(double, hz);
        QFETCH(QString, mode);
        QFETCH(QString, problem);
        QFETCH(QString, report);
        QSignalSpy problems(link.get(), &ClipboardLink::problem);
        clipboard.writtenByOtherProgram(clip);
        link->poll();
        QCOMPARE(clipboard.content, QString());
        QCOMPARE(problems.size(), 1);
        const QString shown = problems[0][0].toString();
        QVERIFY2(problem.isEmpty() ? shown.isEmpty() : shown.contains(problem), qPrintable(shown));
        QVERIFY(shown.size() < 100);
        QCOMPARE(rig.orders.size(), hz > 0 ? 1 : 0);
        if (hz == 0)
            return;
        QCOMPARE(rig.orders[0].hz, hz);
        QCOMPARE(rig.orders[0].mode, mode);
        completeLastOrder();
        QCOMPARE(clipboard.content, report);
    }

    void foreignTextsLeftAlone_data() {
        QTest::addColumn<QString>("clip");
        QTest::newRow("ordinary text") << "hello";
        QTest::newRow("short code") << "10101";
        QTest::newRow("own report not yet taken") << "010101 9575.0";
        QTest::newRow("own reply not yet taken") << "100001,AM,x";
        QTest::newRow("empty") << "";
    }
    void foreignTextsLeftAlone() {
        QFETCH(QString, clip);
        clipboard.writtenByOtherProgram(clip);
        link->poll();
        QCOMPARE(clipboard.content, clip);
        QVERIFY(rig.orders.isEmpty());
    }

    void statusRequestAnsweredWithModeSecond() {
        clipboard.writtenByOtherProgram(QStringLiteral("111001"));
        link->poll();
        QCOMPARE(clipboard.content, QStringLiteral("1000019575.00,AM,S7,6000"));
    }

    void statusWithoutSignalOrFilterKeepsCommas() {
        RigState s = rx320State(true);
        s.signalDb.reset();
        s.filterHz = 0;
        s.mode = QStringLiteral("USB");
        link->rigStateChanged(s);
        clipboard.writtenByOtherProgram(QStringLiteral("111001"));
        link->poll();
        QCOMPARE(clipboard.content, QStringLiteral("1000019575.00,USB,,"));
    }

    void unreachableRigLeavesStatusRequestUntilBack() {
        QSignalSpy problems(link.get(), &ClipboardLink::problem);
        link->rigStateChanged(rx320State(false));
        clipboard.writtenByOtherProgram(QStringLiteral("111001"));
        link->poll();
        link->poll();
        QCOMPARE(clipboard.content, QStringLiteral("111001"));
        QCOMPARE(problems.size(), 1); // said once, not on every poll
        QVERIFY(problems[0][0].toString().contains("no receiver answers on /dev/ttyUSB0"));
        link->rigStateChanged(rx320State(true));
        link->poll();
        QCOMPARE(clipboard.content, QStringLiteral("1000019575.00,AM,S7,6000"));
    }

    void ownWindowTuningReportsForcedForm() {
        QString why;
        QVERIFY(link->userTune(9575000, why));
        completeLastOrder();
        QCOMPARE(clipboard.content, QStringLiteral("01010149575.0"));
        QVERIFY(link->userTune(442000, why));
        completeLastOrder();
        QCOMPARE(clipboard.content, QStringLiteral("01010140442.0"));
    }

    void ownWindowOutOfRangeRefused() {
        QString why;
        QVERIFY(!link->userTune(31e6, why));
        QVERIFY(why.contains("outside"));
        QVERIFY(rig.orders.isEmpty());
        QCOMPARE(clipboard.content, QStringLiteral("left over"));
    }

    void rigMovedByItselfReportsForcedForm() {
        link->rigMoved(7100500);
        QCOMPARE(clipboard.content, QStringLiteral("01010147100.5"));
    }

    void onlyLatestOfRequestsWhileAwayIsAnswered() {
        link->rigStateChanged(rx320State(false));
        clipboard.writtenByOtherProgram(QStringLiteral("101010 9575.0"));
        link->poll();
        clipboard.writtenByOtherProgram(QStringLiteral("101010 6202.0"));
        link->poll();
        QCOMPARE(rig.orders.size(), 2);
        link->rigTuned(rig.orders[0].hz, rig.orders[0].ticket); // overtaken: no report
        QCOMPARE(clipboard.content, QString());
        completeLastOrder();
        QCOMPARE(clipboard.content, QStringLiteral("010101 6202.0"));
        link->rigTuned(rig.orders[1].hz, rig.orders[1].ticket); // answered once only
        clipboard.writtenByOtherProgram(QStringLiteral("taken"));
        link->rigTuned(rig.orders[1].hz, rig.orders[1].ticket);
        QCOMPARE(clipboard.content, QStringLiteral("taken"));
    }

    // The rig finishes a tune while the schedule has put a newer request: the report must not
    // wipe it; the newer request is carried out and only its report goes out.
    void reportNeverOverwritesANewerRequest_data() {
        QTest::addColumn<bool>("stillReading");
        QTest::addColumn<QString>("whenTuned"); // the clipboard once the first tune is done
        QTest::newRow("newer request already read: taken at once") << false << "";
        QTest::newRow("newer request still being read: left") << true << "101010 6202.0";
    }
    void reportNeverOverwritesANewerRequest() {
        QFETCH(bool, stillReading);
        QFETCH(QString, whenTuned);
        clipboard.writtenByOtherProgram(QStringLiteral("101010 9575.0"));
        link->poll();
        clipboard.writtenByOtherProgram(QStringLiteral("101010 6202.0"));
        clipboard.reading = stillReading;
        completeLastOrder();
        QCOMPARE(clipboard.content, whenTuned);
        clipboard.reading = false;
        link->poll();
        QCOMPARE(rig.orders.size(), 2);
        QCOMPARE(rig.orders[1].hz, 6202000.0);
        completeLastOrder();
        QCOMPARE(clipboard.content, QStringLiteral("010101 6202.0"));
    }

    void sMeterText_data() {
        QTest::addColumn<int>("db");
        QTest::addColumn<QString>("text");
        QTest::newRow("S9") << 0 << "S9";
        QTest::newRow("S7 two units below") << -12 << "S7";
        QTest::newRow("over S9") << 20 << "S9+20";
        QTest::newRow("floor at S0") << -80 << "S0";
        QTest::newRow("rounds, not cuts, to a unit") << -4 << "S8";
    }
    void sMeterText() {
        QFETCH(int, db);
        QFETCH(QString, text);
        QCOMPARE(rx::sMeterText(db), text);
    }

    void stepsAndWheelTuneFromCurrentFrequency_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QList<int>>("wheelDeltas");
        QTest::addColumn<double>("lastHz");
        QTest::addColumn<int>("orders");
        QTest::newRow("one notch up 1 kHz") << 1000 << QList<int>{120} << 9576000.0 << 1;
        QTest::newRow("two notches down 10 Hz") << 10 << QList<int>{-240} << 9574980.0 << 1;
        QTest::newRow("half notches add up") << 100000 << QList<int>{60, 60} << 9675000.0 << 1;
        QTest::newRow("half notch alone tunes nothing") << 1000 << QList<int>{60} << 0.0 << 0;
    }
    void stepsAndWheelTuneFromCurrentFrequency() {
        QFETCH(int, step);
        QFETCH(QList<int>, wheelDeltas);
        QFETCH(double, lastHz);
        QFETCH(int, orders);
        TuningPanel panel(*link);
        panel.chooseStep(step);
        for (int d : wheelDeltas)
            QCOMPARE(panel.wheel(d), QString());
        QCOMPARE(rig.orders.size(), orders);
        if (orders)
            QCOMPARE(rig.orders.last().hz, lastHz);
    }

    void stepButtonsAndTyping() {
        TuningPanel panel(*link);
        panel.chooseStep(5000);
        QCOMPARE(panel.stepBy(-1), QString());
        QCOMPARE(rig.orders.last().hz, 9570000.0);
        QCOMPARE(panel.typed(QStringLiteral(" 442 ")), QString());
        QCOMPARE(rig.orders.last().hz, 442000.0);
        QVERIFY(panel.typed(QStringLiteral("abc")).contains("not a frequency"));
        QCOMPARE(rig.orders.size(), 2);
    }

    void stepBeforeFrequencyKnownIsRefused() {
        RigState s = rx320State(true);
        s.hzKnown = false;
        link->rigStateChanged(s);
        TuningPanel panel(*link);
        QVERIFY(panel.stepBy(1).contains("not known"));
        QVERIFY(rig.orders.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ClipboardLinkTest)
#include "ClipboardLink_test.moc"
