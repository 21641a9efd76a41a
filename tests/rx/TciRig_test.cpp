#include "rx/TciRig.h"

#include "support/TestSupport.h"
#include <QThread>
#include <QWebSocket>
#include <QWebSocketServer>

#include <functional>

using namespace rx;

namespace {

const QString Greeting = "protocol:ExpertSDR3,2.0;device:SunSDR2DX;trx_count:2;"
                         "modulations_list:AM,SAM,LSB,USB,CW,NFM,DRM;vfo:0,0,7100000;"
                         "vfo:1,0,3500000;modulation:0,lsb;";

// A TCI server on a thread of its own: the rig's calls block while it answers.
class FakeTciServer : public QObject {
public:
    QString smeterDbm; // the answer to "rx_smeter:0,0;", none when empty
    bool sayReady = true;

    FakeTciServer() {
        moveToThread(&m_thread);
        m_thread.start();
        call([this] {
            m_server = new QWebSocketServer("fake", QWebSocketServer::NonSecureMode, this);
            connect(m_server, &QWebSocketServer::newConnection, this, [this] { accept(); });
            m_server->listen(QHostAddress::LocalHost);
            m_port = m_server->serverPort();
        });
    }
    ~FakeTciServer() override {
        call([this] { goAwayHere(); });
        m_thread.quit();
        m_thread.wait();
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    void broadcast(const QString &text) {
        call([this, text] {
            for (QWebSocket *client : std::as_const(m_clients))
                client->sendTextMessage(text);
        });
    }
    QStringList received() {
        QStringList copy;
        call([&] { copy = m_received; });
        return copy;
    }
    void goAway() {
        call([this] { goAwayHere(); });
    }
    void comeBack() {
        call([this] { m_server->listen(QHostAddress::LocalHost, m_port); });
    }

private:
    void call(const std::function<void()> &f) {
        QMetaObject::invokeMethod(this, f, Qt::BlockingQueuedConnection);
    }
    void accept() {
        QWebSocket *client = m_server->nextPendingConnection();
        m_clients << client;
        connect(client, &QWebSocket::textMessageReceived, this, [this, client](const QString &m) {
            m_received << m;
            if (m == "rx_smeter:0,0;" && !smeterDbm.isEmpty())
                client->sendTextMessage("rx_smeter:0,0," + smeterDbm + ";");
        });
        client->sendTextMessage(Greeting);
        if (sayReady)
            client->sendTextMessage("ready;");
    }
    void goAwayHere() {
        for (QWebSocket *client : std::as_const(m_clients))
            client->abort();
        qDeleteAll(m_clients);
        m_clients.clear();
        m_server->close();
    }

    QThread m_thread;
    QWebSocketServer *m_server = nullptr;
    QList<QWebSocket *> m_clients;
    QStringList m_received;
    quint16 m_port = 0;
};

RigReading readingOf(TciRig &rig) {
    RigReading reading;
    QString why;
    rig.read(reading, why);
    return reading;
}

} // namespace

class TciRigTest : public QObject {
    Q_OBJECT

private slots:
    void connectsAfterReadyAndSetsReceiver0() {
        FakeTciServer server;
        TciRig rig(server.address());
        QString why;
        QVERIFY2(rig.open(why), qPrintable(why));
        QCOMPARE(rig.describe(), "SunSDR2DX through TCI at " + server.address());
        const RigReading announced = readingOf(rig);
        QCOMPARE(announced.hz, std::optional<double>(7100000));
        QCOMPARE(announced.mode, "LSB");
        QVERIFY(rig.setFrequency(9575000, why));
        QVERIFY(rig.setMode("AM", 0, why));
        QVERIFY(!rig.setMode("RTTY", 0, why));
        QVERIFY2(why.contains("no mode RTTY"), qPrintable(why));
        QTRY_VERIFY(server.received().contains("vfo:0,0,9575000;"));
        QTRY_VERIFY(server.received().contains("modulation:0,am;"));
    }

    // What the server announces after "ready", as the next reads give it.
    void followsTheServer_data() {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("smeterDbm");
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signalDb"); // 99: no reading
        addRow("knob turned on the radio", "vfo:0,0,9580000;", "", 9580000.0, "LSB", 99);
        addRow("another receiver's VFO is not ours", "vfo:1,0,3600000;vfo:0,1,3700000;", "",
               7100000.0, "LSB", 99);
        addRow("two commands in one message, FM as TCI names it",
               "VFO:0,0,6000000; modulation:0,NFM;", "", 6000000.0, "FM", 99);
        addRow("S-meter at S9 is -73 dBm", "", "-73", 7100000.0, "LSB", 0);
        addRow("S-meter at S6", "", "-91.2", 7100000.0, "LSB", -18);
        addRow("S-meter at S9+20", "", "-53", 7100000.0, "LSB", 20);
        addRow("older servers' rx_sensors", "rx_sensors:0,-79;", "", 7100000.0, "LSB", -6);
        addRow("malformed lines change nothing",
               "vfo:0,0,abc;vfo:;modulation:0;garbage;;:;rx_smeter:0,0,;vfo:0,0,-5;\x01\xff", "",
               7100000.0, "LSB", 99);
    }
    void followsTheServer() {
        QFETCH(QString, sent);
        QFETCH(QString, smeterDbm);
        QFETCH(double, hz);
        QFETCH(QString, mode);
        QFETCH(int, signalDb);
        FakeTciServer server;
        server.smeterDbm = smeterDbm;
        TciRig rig(server.address());
        QString why;
        QVERIFY2(rig.open(why), qPrintable(why));
        if (!sent.isEmpty())
            server.broadcast(sent);
        QTRY_VERIFY(readingOf(rig).hz == hz && readingOf(rig).signalDb.value_or(99) == signalDb);
        QCOMPARE(readingOf(rig).mode, mode);
    }

    // A flood of announcements does not stall the rig: it ends on the last one, and a tune
    // asked for meanwhile reaches the server.
    void flood() {
        FakeTciServer server;
        TciRig rig(server.address());
        QString why;
        QVERIFY2(rig.open(why), qPrintable(why));
        for (int i = 0; i < 200; ++i) {
            QString burst;
            for (int j = 0; j < 100; ++j)
                burst +=
                    QStringLiteral("vfo:0,0,%1;rx_smeter:0,0,-100;").arg(1000000 + i * 100 + j);
            server.broadcast(burst);
        }
        QVERIFY(rig.setFrequency(11735000, why));
        server.broadcast("vfo:0,0,15000000;");
        QTRY_COMPARE(readingOf(rig).hz, std::optional<double>(15000000));
        QTRY_VERIFY(server.received().contains("vfo:0,0,11735000;"));
    }

    void serverGoesAwayAndComesBack() {
        FakeTciServer server;
        TciRig rig(server.address());
        QString why;
        QVERIFY2(rig.open(why), qPrintable(why));
        server.goAway();
        QTRY_VERIFY(!rig.read(*std::make_unique<RigReading>(), why));
        QCOMPARE(why, "the TCI server at " + server.address() + " closed the connection");
        QVERIFY(!rig.open(why));
        QVERIFY2(why.startsWith("no TCI server answers at " + server.address()), qPrintable(why));
        server.comeBack();
        QVERIFY2(rig.open(why), qPrintable(why));
        QCOMPARE(readingOf(rig).hz, std::optional<double>(7100000));
    }

    void serverThatNeverSaysReady() {
        FakeTciServer server;
        server.sayReady = false;
        TciRig rig(server.address(), 300);
        QString why;
        QVERIFY(!rig.open(why));
        QCOMPARE(why,
                 "the TCI server at " + server.address() + " did not say it is ready within 0.3 s");
    }
};

QTEST_GUILESS_MAIN(TciRigTest)
#include "TciRig_test.moc"
