// The clipboard between this program and another process, on a real X server: the X11
// clipboard is a conversation between processes that the offscreen platform cannot show.
// Starts its own Xvfb when none is given, and uses xclip as the receiver-control program.

#include "app/ScriptedPrompts.h"
#include "receiver/ReceiverLink.h"
#include "receiver/WatchedClipboardUi.h"
#include "support/OwnXServer.h"
#include "support/StubGridPort.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {

constexpr int TickMs = 900;

// The main window's part, with the grid sorted by Station so a report only sets RadioFreq.
struct TickingWindow : receiver::LinkPort, testsupport::StubGridPort {
    app::ProgramState s;
    app::Clipboard &clip;
    int unmarks = 0;
    explicit TickingWindow(app::Clipboard &c) : clip(c) { s.SortBy = "Station"; }
    app::ProgramState &state() override { return s; }
    app::Clipboard &clipboard() override { return clip; }
    void clearFindMarking() override { ++unmarks; }
    void setLabel0(const QString &) override {}
    void setLinkChecks(bool, bool) override {}
    void reTuneRule() override {}
    app::Prompts &prompts() override { return script; }
    app::ScriptedPrompts script;
};

using testsupport::otherProcessReads;
using testsupport::otherProcessWrites;

} // namespace

class ReceiverClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (Xvfb) and xclip");
    }

    void reportIsTakenWithinTwoTicks_data() {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("radioFreq");
        QTest::newRow("frequency report taken and cleared") << QByteArray("010101 9575.0") << ""
                                                            << " 9575.0";
        QTest::newRow("status reply taken and cleared") << QByteArray("100001,AM,S7,") << ""
                                                        << "none";
        QTest::newRow("foreign text stays") << QByteArray("hello") << "hello"
                                            << "none";
        QTest::newRow("large foreign text stays")
            << QByteArray(1 << 20, 'x') << QString(1 << 20, 'x') << "none";
    }
    void reportIsTakenWithinTwoTicks() {
        QFETCH(QByteArray, written);
        QFETCH(QString, left);
        QFETCH(QString, radioFreq);
        receiver::WatchedClipboard clipboard;
        TickingWindow window(clipboard);
        window.s.RadioFreq = "none";
        receiver::ReceiverLink link(window);
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { link.ClipboardStep(); });
        timer.start(TickMs);
        otherProcessWrites(written);
        QTest::qWait(2 * TickMs + 100);
        QCOMPARE(window.s.RadioFreq, radioFreq);
        QCOMPARE(otherProcessReads(), left);
    }

    void tuneRequestReachesOtherProcess() {
        receiver::WatchedClipboard clipboard;
        TickingWindow window(clipboard);
        receiver::ReceiverLink link(window);
        otherProcessWrites("something else");
        QTest::qWait(200);
        link.SendTuneRequest(" 9575.0");
        QCOMPARE(otherProcessReads(), QString("101010 9575.0"));
        // Our own request survives our ticks.
        link.ClipboardStep();
        link.ClipboardStep();
        QCOMPARE(otherProcessReads(), QString("101010 9575.0"));
    }
};

int main(int argc, char **argv) {
    QCoreApplication *probe = new QCoreApplication(argc, argv);
    testsupport::OwnXServer server;
    const bool x11 = server.start();
    delete probe;
    qputenv("QT_QPA_PLATFORM", x11 ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    ReceiverClipboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ReceiverClipboard_test.moc"
