#include "RxTestProcesses.h"
#include "rx/HamlibRig.h"
#include "rx/RigWorker.h"

#include <QSignalSpy>
#include <QTest>

using namespace rx;

class HamlibRigTest : public QObject {
    Q_OBJECT

private slots:
    void dummyRigInProcess_data() {
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("filter");
        QTest::newRow("AM broadcast") << 9575000.0 << "AM" << 6000;
        QTest::newRow("USB utility") << 8992000.0 << "USB" << 2400;
        QTest::newRow("low frequency") << 153000.0 << "AM" << 9000;
    }
    void dummyRigInProcess() {
        QFETCH(double, hz);
        QFETCH(QString, mode);
        QFETCH(int, filter);
        HamlibRig rig(HamlibRig::DummyModel, {}, 0);
        QString why;
        QVERIFY2(rig.open(why), qPrintable(why));
        QVERIFY(rig.setMode(mode, filter, why));
        QVERIFY(rig.setFrequency(hz, why));
        RigReading reading;
        QVERIFY(rig.read(reading, why));
        QCOMPARE(reading.hz, std::optional<double>(hz));
        QCOMPARE(reading.mode, mode);
        QCOMPARE(reading.filterHz, filter);
        QVERIFY(reading.signalDb.has_value());
    }

    void unknownModelAndModeSayWhy() {
        HamlibRig none(987654, {}, 0);
        QString why;
        QVERIFY(!none.open(why));
        QCOMPARE(why, QStringLiteral("Hamlib knows no model 987654"));
        HamlibRig dummy(HamlibRig::DummyModel, {}, 0);
        QVERIFY(dummy.open(why));
        QVERIFY(!dummy.setMode(QStringLiteral("XYZ"), 0, why));
        QVERIFY(why.contains("no mode XYZ"));
    }

    void modelListHasTheReceiversOffered() {
        const QList<RigModel> models = hamlibModels();
        auto has = [&](int model) {
            return std::any_of(models.begin(), models.end(),
                               [model](const RigModel &m) { return m.model == model; });
        };
        QVERIFY(has(1));
        QVERIFY(has(2));
        QVERIFY(has(16003));
        QVERIFY(models.size() > 100);
    }

    void rigctldSetReadBackAndSignal() {
        Rigctld daemon(freeLocalPort());
        HamlibRig rig(HamlibRig::NetModel, daemon.address(), 0);
        QString why;
        QVERIFY2(rig.open(why), qPrintable(why));
        QVERIFY(rig.setMode(QStringLiteral("LSB"), 2400, why));
        QVERIFY(rig.setFrequency(7100000, why));
        QCOMPARE(daemon.query({QStringLiteral("f")}), QStringLiteral("7100000"));
        QCOMPARE(daemon.query({QStringLiteral("m")}).section(u'\n', 0, 0), QStringLiteral("LSB"));
        RigReading reading;
        QVERIFY(rig.read(reading, why));
        QCOMPARE(reading.hz, std::optional<double>(7100000));
        QVERIFY(reading.signalDb.has_value());
    }

    void refusedConnectionSaysSo() {
        HamlibRig rig(HamlibRig::NetModel, QStringLiteral("127.0.0.1:%1").arg(freeLocalPort()), 0);
        QString why;
        QVERIFY(!rig.open(why));
        QVERIFY2(why.startsWith("rigctld at 127.0.0.1:"), qPrintable(why));
        QVERIFY(why.contains("refused"));
    }

    void stoppedRigctldIsRetriedAndLatestTuneApplied() {
        Rigctld daemon(freeLocalPort());
        RigWorker worker(std::make_unique<HamlibRig>(HamlibRig::NetModel, daemon.address(), 0),
                         1000000, 100);
        QSignalSpy tuned(&worker, &RigWorker::tuned);
        worker.start();
        QVERIFY(worker.state().connected);
        daemon.stop();
        worker.step();
        QVERIFY(!worker.state().connected);
        QVERIFY(worker.state().line.startsWith("rigctld at " + daemon.address()));
        worker.tune(9575000, 1);
        worker.tune(11735000, 2);
        daemon.start();
        QTest::qWait(150);
        worker.step();
        QVERIFY(worker.state().connected);
        QCOMPARE(tuned.size(), 1);
        QCOMPARE(daemon.query({QStringLiteral("f")}), QStringLiteral("11735000"));
    }
};

QTEST_GUILESS_MAIN(HamlibRigTest)
#include "HamlibRig_test.moc"
