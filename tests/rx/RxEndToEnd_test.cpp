#include "RxTestProcesses.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

// skedwise-rx as the listener starts it, on a real X display, rigctld behind it, with xclip
// writing and reading the clipboard where the schedule would.
class RxEndToEndTest : public QObject {
    Q_OBJECT

    QProcess xvfb;
    QProcess program;
    QTemporaryDir home;
    QString display;
    std::unique_ptr<Rigctld> daemon;

    QProcessEnvironment xEnvironment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        env.insert(QStringLiteral("TMPDIR"), home.path());
        return env;
    }

    bool startXvfb() {
        for (int attempt = 0; attempt < 20; ++attempt) {
            const int n = 300 + QRandomGenerator::global()->bounded(600);
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            display = QStringLiteral(":%1").arg(n);
            xvfb.start(QStringLiteral("Xvfb"),
                       {display, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
            for (int i = 0; i < 50; ++i) {
                if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                    return true;
                if (xvfb.state() == QProcess::NotRunning)
                    break;
                QTest::qWait(50);
            }
        }
        return false;
    }

    void writeClipboard(const QString &text) {
        QProcess xclip;
        xclip.setProcessEnvironment(xEnvironment());
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"),
                                              QStringLiteral("clipboard"), QStringLiteral("-i")});
        xclip.write(text.toUtf8());
        xclip.closeWriteChannel();
        xclip.waitForFinished(3000);
    }

    QString readClipboard() const {
        QProcess xclip;
        xclip.setProcessEnvironment(xEnvironment());
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"),
                                              QStringLiteral("clipboard"), QStringLiteral("-o")});
        xclip.waitForFinished(3000);
        return QString::fromUtf8(xclip.readAllStandardOutput());
    }

    static bool waitFor(const std::function<bool()> &done, int ms = 4000) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            if (done())
                return true;
            QTest::qWait(50);
        }
        return done();
    }

private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        QVERIFY2(startXvfb(), "no Xvfb display could be started");
        daemon = std::make_unique<Rigctld>(freeLocalPort());
        QCOMPARE(daemon->query({QStringLiteral("M"), QStringLiteral("AM"), QStringLiteral("6000")}),
                 QString());
        program.setProcessEnvironment(xEnvironment());
        program.start(
            QStringLiteral(SKEDWISE_BIN_DIR "/skedwise-rx"),
            {QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"), daemon->address()});
        QVERIFY(program.waitForStarted());
        QTest::qWait(1000);
        QCOMPARE(program.state(), QProcess::Running);
    }

    void cleanupTestCase() {
        program.terminate();
        program.waitForFinished(3000);
        daemon.reset();
        xvfb.terminate();
        xvfb.waitForFinished(3000);
    }

    void tuneRequestTunesRigctldAndIsAnswered() {
        writeClipboard(QStringLiteral("101010 9575"));
        QVERIFY(waitFor([&] { return readClipboard() == QStringLiteral("010101 9575"); }));
        QCOMPARE(daemon->query({QStringLiteral("f")}), QStringLiteral("9575000"));
    }

    void statusRequestAnsweredWithTheRigsMode() {
        writeClipboard(QStringLiteral("111001"));
        QVERIFY(waitFor([&] { return readClipboard().startsWith(QStringLiteral("100001")); }));
        const QStringList fields = readClipboard().mid(6).split(u',');
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[0], QStringLiteral("9575.00"));
        QCOMPARE(fields[1], QStringLiteral("AM"));
        QCOMPARE(fields[3], QStringLiteral("6000"));
    }

    void badRequestRemovedRigUntouched() {
        writeClipboard(QStringLiteral("101010 not a freq"));
        QVERIFY(waitFor([&] { return readClipboard().isEmpty(); }));
        QCOMPARE(daemon->query({QStringLiteral("f")}), QStringLiteral("9575000"));
    }

    void foreignTextStays() {
        writeClipboard(QStringLiteral("some copied text"));
        QTest::qWait(600);
        QCOMPARE(readClipboard(), QStringLiteral("some copied text"));
    }

    void rigTurnedElsewhereIsReportedForced() {
        QCOMPARE(daemon->query({QStringLiteral("F"), QStringLiteral("6202000")}), QString());
        QVERIFY(waitFor([&] { return readClipboard() == QStringLiteral("01010146202.0"); }));
    }
};

QTEST_GUILESS_MAIN(RxEndToEndTest)
#include "RxEndToEnd_test.moc"
