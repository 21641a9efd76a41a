#include "rx/RigSession.h"
#include "rx/RigWorker.h"

#include <QSignalSpy>
#include <QTest>

using namespace rx;

namespace {

// How the fake receiver's modes behave: what it is in, what was asked of it, whether it refuses
// modes or keeps its own (as gqrx behind rigctl).
struct ModeKnob {
    QString mode = "AM";
    QStringList asked;
    bool refuses = false;
    bool keepsOwn = false;
};

// A receiver that can be switched off and turned by hand; records what was set.
struct FakeRig : Rig {
    bool *present;
    double *knobHz;
    QList<double> *setHz;
    ModeKnob *modes_ = nullptr;
    FakeRig(bool *p, double *k, QList<double> *s, ModeKnob *m = nullptr)
        : present(p), knobHz(k), setHz(s), modes_(m) {}
    QString describe() const override { return QStringLiteral("fake rig"); }
    bool open(QString &why) override { return answer(why); }
    void close() override {}
    bool setFrequency(double hz, QString &why) override {
        if (!answer(why))
            return false;
        setHz->append(hz);
        *knobHz = hz;
        return true;
    }
    bool setMode(const QString &mode, int filterHz, QString &why) override {
        if (!answer(why) || !modes_)
            return false;
        modes_->asked << QString("%1 %2").arg(mode).arg(filterHz);
        if (modes_->refuses)
            why = "the rig refused it";
        else if (!modes_->keepsOwn)
            modes_->mode = mode;
        return !modes_->refuses;
    }
    bool read(RigReading &r, QString &why) override {
        if (!answer(why))
            return false;
        r.hz = *knobHz;
        r.mode = modes_ ? modes_->mode : QStringLiteral("AM");
        r.signalDb = -6;
        return true;
    }
    bool reportsFrequency() const override { return true; }
    std::optional<double> lastSet;
    std::optional<double> lastSetHz() const override { return lastSet; }
    QStringList modes() const override { return {QStringLiteral("AM")}; }
    QList<int> filters() const override { return {6000}; }
    double minHz() const override { return 0; }
    double maxHz() const override { return 1e9; }
    bool answer(QString &why) const {
        if (!*present)
            why = QStringLiteral("no receiver answers on /dev/ttyFAKE");
        return *present;
    }
};

} // namespace

class RigWorkerTest : public QObject {
    Q_OBJECT

    bool present = true;
    double knobHz = 5000000;
    QList<double> setHz;
    std::unique_ptr<RigWorker> worker;

private slots:
    void init() {
        present = true;
        knobHz = 5000000;
        setHz.clear();
        worker = std::make_unique<RigWorker>(std::make_unique<FakeRig>(&present, &knobHz, &setHz),
                                             1000000, 50);
    }

    void missingRigSaysWhyAndRetries() {
        present = false;
        worker->start();
        QVERIFY(!worker->state().connected);
        QVERIFY(worker->state().line.startsWith("no receiver answers on /dev/ttyFAKE"));
        present = true;
        worker->step(); // too soon: the retry waits
        QVERIFY(!worker->state().connected);
        QTest::qWait(60);
        worker->step();
        QVERIFY(worker->state().connected);
        QCOMPARE(worker->state().line, QStringLiteral("connected: fake rig"));
    }

    void tunesWhileAwayApplyOnlyLatestWhenBack() {
        worker->start();
        QSignalSpy tuned(worker.get(), &RigWorker::tuned);
        present = false;
        worker->step(); // the read fails: the rig is gone
        QVERIFY(!worker->state().connected);
        worker->tune(9575000, 1);
        worker->tune(6202000, 2);
        QVERIFY(tuned.isEmpty());
        present = true;
        QTest::qWait(60);
        worker->step();
        QCOMPARE(setHz, QList<double>{6202000});
        QCOMPARE(tuned.size(), 1);
        QCOMPARE(tuned[0][1].toULongLong(), 2ull);
    }

    void connectShowsWhatIsSetAgainThenTunesWhatWaits() {
        auto rig = std::make_unique<FakeRig>(&present, &knobHz, &setHz);
        rig->lastSet = 7100000;
        worker = std::make_unique<RigWorker>(std::move(rig), 1000000, 50);
        QSignalSpy states(worker.get(), &RigWorker::stateChanged);
        worker->tune(9575000, 1);
        worker->start();
        QVERIFY(states.size() >= 2);
        QCOMPARE(states[0][0].value<RigState>().hz, 7100000.0);
        QCOMPARE(setHz, QList<double>{9575000});
    }

    void tuneNotCarriedOutGoesToTheReceiverChosenNext() {
        present = false;
        RigSession session(20, 1000);
        QSignalSpy tuned(&session, &RigSession::tuned);
        session.replace(std::make_unique<FakeRig>(&present, &knobHz, &setHz));
        session.tune(9575000, 7);
        bool there = true;
        double knob = 0;
        QList<double> set;
        session.replace(std::make_unique<FakeRig>(&there, &knob, &set));
        QTRY_COMPARE(tuned.size(), 1);
        QCOMPARE(tuned[0][1].toULongLong(), 7ull);
        QCOMPARE(set, QList<double>{9575000});
    }

    // A tune with a mode: the mode in its normal filter (width 0) before the frequency, read
    // back at once; a refusal or a mode not taken is said once, and the frequency is tuned.
    void tuneWithMode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("refuses");
        QTest::addColumn<bool>("keepsOwn");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("problem"); // "" for none
        QTest::addColumn<QString>("modeAfter");
        QTest::newRow("USB set") << "USB" << false << false << QStringList{"USB 0"} << ""
                                 << "USB";
        QTest::newRow("already in AM: nothing set, its filter stays")
            << "AM" << false << false << QStringList{} << ""
            << "AM";
        QTest::newRow("refused: said, rig still tuned")
            << "USB" << true << false << QStringList{"USB 0"}
            << "Mode USB not set: the rig refused it"
            << "AM";
        QTest::newRow("accepted but not taken: said")
            << "USB" << false << true << QStringList{"USB 0"}
            << "Mode USB did not take: the receiver is in AM"
            << "AM";
    }
    void tuneWithMode() {
        QFETCH(QString, mode);
        QFETCH(bool, refuses);
        QFETCH(bool, keepsOwn);
        QFETCH(QStringList, asked);
        QFETCH(QString, problem);
        QFETCH(QString, modeAfter);
        ModeKnob modes{"AM", {}, refuses, keepsOwn};
        worker = std::make_unique<RigWorker>(
            std::make_unique<FakeRig>(&present, &knobHz, &setHz, &modes), 1000000, 50);
        worker->start();
        QSignalSpy tuned(worker.get(), &RigWorker::tuned);
        QSignalSpy problems(worker.get(), &RigWorker::modeProblem);
        worker->tune(9575000, 1, mode);
        worker->step();
        QCOMPARE(modes.asked, asked);
        QCOMPARE(setHz, QList<double>{9575000});
        QCOMPARE(tuned.size(), 1);
        QVERIFY(worker->state().connected);
        QCOMPARE(worker->state().mode, modeAfter);
        QCOMPARE(problems.size(), problem.isEmpty() ? 0 : 1); // not again on the next read
        if (!problem.isEmpty())
            QCOMPARE(problems[0][0].toString(), problem);
    }

    void ownTuneIsNoMoveButKnobTurnIs() {
        worker->start();
        QSignalSpy moved(worker.get(), &RigWorker::rigMoved);
        moved.clear();
        worker->tune(9575000, 1);
        worker->step();
        QVERIFY(moved.isEmpty());
        knobHz = 9580000; // turned by hand, or by another program on rigctld
        worker->step();
        QCOMPARE(moved.size(), 1);
        QCOMPARE(moved[0][0].toDouble(), 9580000.0);
        worker->step();
        QCOMPARE(moved.size(), 1); // no repeat while it stays
    }
};

QTEST_GUILESS_MAIN(RigWorkerTest)
#include "RigWorker_test.moc"
