#include "rx/Rx320Rig.h"

#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace rx;

namespace {

// An RX-320 on the far end of a pseudo-terminal: splits what arrives into commands by their
// first letter and answers the strength request with the reply it was given.
class FakeRx320 {
public:
    FakeRx320() {
        char name[128] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) {
            termios tio{};
            tcgetattr(m_slave, &tio);
            cfmakeraw(&tio);
            tcsetattr(m_slave, TCSANOW, &tio);
            m_name = QString::fromLatin1(name);
        }
        m_thread = std::thread([this] { run(); });
    }
    ~FakeRx320() {
        m_stop = true;
        m_thread.join();
        unplug();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    QString port() const { return m_name; }
    void setReply(const QByteArray &reply) {
        std::lock_guard lock(m_mutex);
        m_reply = reply;
    }
    QList<QByteArray> commands() {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }
    QByteArray last(char letter) {
        const QList<QByteArray> all = commands();
        for (auto it = all.crbegin(); it != all.crend(); ++it)
            if (it->startsWith(letter))
                return *it;
        return {};
    }
    void clear() {
        std::lock_guard lock(m_mutex);
        m_commands.clear();
    }
    // The USB adapter pulled out.
    void unplug() {
        std::lock_guard lock(m_mutex);
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    static int lengthOf(char letter) {
        switch (letter) {
        case 'N':
            return 8;
        case 'M':
        case 'W':
            return 3;
        case 'C':
            return 4;
        case 'X':
            return 2;
        default:
            return 1;
        }
    }
    void run() {
        QByteArray pending;
        while (!m_stop) {
            int fd;
            {
                std::lock_guard lock(m_mutex);
                fd = m_master;
            }
            if (fd < 0)
                return;
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN))
                continue;
            char buffer[64];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0)
                pending.append(buffer, n);
            split(pending, fd);
        }
    }
    void split(QByteArray &pending, int fd) {
        while (!pending.isEmpty() && pending.size() >= lengthOf(pending.at(0))) {
            const QByteArray command = pending.left(lengthOf(pending.at(0)));
            pending.remove(0, command.size());
            std::lock_guard lock(m_mutex);
            m_commands.append(command);
            if (command == QByteArray("X\r") && !m_reply.isEmpty())
                (void)!::write(fd, m_reply.constData(), m_reply.size());
        }
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_name;
    std::mutex m_mutex;
    QByteArray m_reply = QByteArray("X\x1b\x58\r", 4);
    QList<QByteArray> m_commands;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

// Lets the fake take in what was written.
void settle() {
    QTest::qWait(150);
}

// A rig on a fresh fake, last set to 10 MHz AM 6 kHz; open() connects it, clearing what it
// sent first when asked.
struct Bench {
    explicit Bench(int replyTimeoutMs = 400, double hz = 10e6, const QString &mode = "AM",
                   int filterHz = 6000)
        : rig(fake.port(), hz, mode, filterHz, replyTimeoutMs) {}
    bool open(bool forgetSetup = false) {
        const bool ok = rig.open(why);
        if (forgetSetup) {
            settle();
            fake.clear();
        }
        return ok;
    }
    FakeRx320 fake;
    Rx320Rig rig;
    QString why;
};

} // namespace

class Rx320DriverTest : public QObject {
    Q_OBJECT

private slots:
    // Every connect sets again what was last set: a receiver that was off forgot it.
    void openSendsLastSetAndProbes_data() {
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QList<QByteArray>>("sent");
        const QByteArray probe = bytes({'X', 13}), volume = bytes({'C', 0, 20, 13});
        // 9998750 = 3999 * 2500 + 1250: coarse 21999 = 0x55EF, fine 6825 = 0x1AA9
        QTest::newRow("first start: 10 MHz AM, 6 kHz filter is number 0, a zero byte")
            << 10e6 << "AM" << 6000
            << QList<QByteArray>{probe, bytes({'W', 0, 13}),
                                 bytes({'N', 0x55, 0xEF, 0x1A, 0xA9, 0x77, 0x70, 13}),
                                 bytes({'M', '0', 13}), volume};
        // 9575000 - 1250 - 1400 = 9572350 = 3828 * 2500 + 2350: 21828 = 0x5544, 12831 = 0x321F
        QTest::newRow("last set 9575 kHz LSB 2.4 kHz")
            << 9575e3 << "LSB" << 2400
            << QList<QByteArray>{probe, bytes({'W', 14, 13}),
                                 bytes({'N', 0x55, 0x44, 0x32, 0x1F, 0x64, 0x3E, 13}),
                                 bytes({'M', '2', 13}), volume};
    }
    void openSendsLastSetAndProbes() {
        QFETCH(double, hz);
        QFETCH(QString, mode);
        QFETCH(int, filter);
        QFETCH(QList<QByteArray>, sent);
        Bench b(400, hz, mode, filter);
        QVERIFY2(b.open(), qPrintable(b.why));
        settle();
        QCOMPARE(b.fake.commands(), sent);
        QCOMPARE(b.rig.lastSetHz(), std::optional<double>(hz));
    }

    void tuningFactors_data() {
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QByteArray>("command");
        // adjusted = Hz - 1250 + sideband * (filter / 2 + 200), CW: - 0 with a 1000 Hz BFO;
        // coarse = adjusted / 2500 + 18000, fine = (adjusted mod 2500) * 5.46,
        // bfo = (filter / 2 + 200 + cw bfo + 8000) * 2.73
        // 6202000 - 1250 = 6200750 = 2480 * 2500 + 750: coarse 20480 = 0x5000, fine 4095
        QTest::newRow("6202 kHz AM, zero low coarse byte")
            << 6202000.0 << "AM" << 6000 << bytes({'N', 0x50, 0x00, 0x0F, 0xFF, 0x77, 0x70, 13});
        // 440750 = 176 * 2500 + 750: coarse 18176 = 0x4700
        QTest::newRow("442 kHz AM, zero low coarse byte")
            << 442000.0 << "AM" << 6000 << bytes({'N', 0x47, 0x00, 0x0F, 0xFF, 0x77, 0x70, 13});
        // 9573750 = 3829 * 2500 + 1250: coarse 21829 = 0x5545, fine 6825 = 0x1AA9
        QTest::newRow("9575 kHz AM")
            << 9575000.0 << "AM" << 6000 << bytes({'N', 0x55, 0x45, 0x1A, 0xA9, 0x77, 0x70, 13});
        // 7100000 - 1250 - 1400 = 7097350 = 2838 * 2500 + 2350: 20838 = 0x5166, 12831 = 0x321F,
        // bfo 9400 * 2.73 = 25662 = 0x643E
        QTest::newRow("7100 kHz LSB 2.4 kHz")
            << 7100000.0 << "LSB" << 2400 << bytes({'N', 0x51, 0x66, 0x32, 0x1F, 0x64, 0x3E, 13});
        // 14200000 - 1250 + 1400 = 14200150 = 5680 * 2500 + 150: 23680 = 0x5C80, 819 = 0x0333
        QTest::newRow("14200 kHz USB 2.4 kHz")
            << 14200000.0 << "USB" << 2400 << bytes({'N', 0x5C, 0x80, 0x03, 0x33, 0x64, 0x3E, 13});
        // 3558750 = 1423 * 2500 + 1250: 19423 = 0x4BDF, 6825; bfo 9000 * 2.73 = 24570 = 0x5FFA
        QTest::newRow("3560 kHz CW")
            << 3560000.0 << "CW" << 600 << bytes({'N', 0x4B, 0xDF, 0x1A, 0xA9, 0x5F, 0xFA, 13});
        // 98750 = 39 * 2500 + 1250: 18039 = 0x4677
        QTest::newRow("100 kHz AM, lowest")
            << 100000.0 << "AM" << 6000 << bytes({'N', 0x46, 0x77, 0x1A, 0xA9, 0x77, 0x70, 13});
        // 29998750 = 11999 * 2500 + 1250: 29999 = 0x752F; bfo 8000 -> (4000+200+8000)*2.73 =
        // 33306 = 0x821A
        QTest::newRow("30 MHz AM 8 kHz, highest")
            << 30000000.0 << "AM" << 8000 << bytes({'N', 0x75, 0x2F, 0x1A, 0xA9, 0x82, 0x1A, 13});
    }
    void tuningFactors() {
        QFETCH(double, hz);
        QFETCH(QString, mode);
        QFETCH(int, filter);
        QFETCH(QByteArray, command);
        Bench b;
        QVERIFY2(b.open(), qPrintable(b.why));
        QVERIFY(b.rig.setMode(mode, filter, b.why));
        QVERIFY(b.rig.setFrequency(hz, b.why));
        settle();
        QCOMPARE(b.fake.last('N').toHex(' '), command.toHex(' '));
    }

    void everyMode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("AM") << "AM" << QByteArray("M0\r");
        QTest::newRow("USB") << "USB" << QByteArray("M1\r");
        QTest::newRow("LSB") << "LSB" << QByteArray("M2\r");
        QTest::newRow("CW") << "CW" << QByteArray("M3\r");
    }
    void everyMode() {
        QFETCH(QString, mode);
        QFETCH(QByteArray, command);
        Bench b;
        QVERIFY(b.open());
        QVERIFY(b.rig.setMode(mode, 3000, b.why));
        settle();
        QCOMPARE(b.fake.last('M'), command);
        QCOMPARE(b.fake.last('W'), bytes({'W', 10, 13}));
    }

    void everyFilter_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("number");
        // The first in the receiver's list (a zero byte), one inside, and the last, out of order.
        const int table[][2] = {{6000, 0}, {2400, 14}, {8000, 33}};
        for (const auto &row : table)
            QTest::addRow("%d Hz", row[0]) << "USB" << row[0] << row[1];
        // A mode set from the schedule names no width.
        QTest::newRow("no width: AM gets 6 kHz") << "AM" << 0 << 0;
        QTest::newRow("no width: USB gets 2.4 kHz") << "USB" << 0 << 14;
        QTest::newRow("no width: CW gets 600 Hz") << "CW" << 0 << 27;
    }
    void everyFilter() {
        QFETCH(QString, mode);
        QFETCH(int, width);
        QFETCH(int, number);
        Bench b;
        QVERIFY(b.open(true));
        QVERIFY(b.rig.setMode(mode, width, b.why));
        settle();
        QCOMPARE(b.fake.commands().value(0), bytes({'W', number, 13}));
    }

    void unknownFilterRefusedWithoutSending() {
        Bench b;
        QVERIFY(b.open(true));
        QVERIFY(!b.rig.setMode(QStringLiteral("AM"), 6100, b.why));
        QVERIFY(!b.rig.setMode(QStringLiteral("FM"), 6000, b.why));
        settle();
        QVERIFY(b.fake.commands().isEmpty());
    }

    void signalReply_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("db");
        QTest::newRow("7000 is S9") << bytes({'X', 0x1B, 0x58, 13}) << 0;
        QTest::newRow("3500 is 6 dB down") << bytes({'X', 0x0D, 0xAC, 13}) << -6;
        QTest::newRow("zero bytes are no signal") << bytes({'X', 0, 0, 13}) << -54;
        QTest::newRow("70000 clipped high word") << bytes({'X', 0xFF, 0xFF, 13}) << 19;
        QTest::newRow("without the closing CR, as Hamlib reads it")
            << bytes({'X', 0x1B, 0x58}) << 0;
    }
    void signalReply() {
        QFETCH(QByteArray, reply);
        QFETCH(int, db);
        Bench b;
        b.fake.setReply(reply);
        QVERIFY2(b.open(), qPrintable(b.why));
        RigReading reading;
        QVERIFY2(b.rig.read(reading, b.why), qPrintable(b.why));
        QCOMPARE(reading.signalDb, std::optional<int>(db));
        QCOMPARE(reading.mode, QStringLiteral("AM"));
        QVERIFY(!reading.hz); // it cannot tell its frequency
    }

    void silentOrGarbledReceiverIsNotThere_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("silent") << QByteArray();
        QTest::newRow("short reply") << QByteArray("X\x10", 2);
        QTest::newRow("three bytes, wrong letter") << bytes({'Y', 1, 2});
        QTest::newRow("wrong letter") << bytes({'Y', 1, 2, 13});
    }
    void silentOrGarbledReceiverIsNotThere() {
        QFETCH(QByteArray, reply);
        Bench b(200);
        b.fake.setReply(reply);
        QVERIFY(!b.open());
        QCOMPARE(b.why, QStringLiteral("no receiver answers on ") + b.fake.port());
    }

    void pulledAdapterFailsTheNextRead() {
        Bench b(200);
        QVERIFY(b.open());
        b.fake.unplug();
        RigReading reading;
        QVERIFY(!b.rig.read(reading, b.why));
        QVERIFY(!b.why.isEmpty());
    }

    void missingPortSaysWhy() {
        Rx320Rig rig(QStringLiteral("/dev/ttyNOSUCH9"), 10e6, "AM", 6000);
        QString why;
        QVERIFY(!rig.open(why));
        QVERIFY(why.startsWith("cannot open /dev/ttyNOSUCH9"));
    }
};

QTEST_GUILESS_MAIN(Rx320DriverTest)
#include "Rx320Driver_test.moc"
