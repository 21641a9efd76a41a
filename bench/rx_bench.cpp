// skedwise-rx on a real X display with the dummy rig: the time from a tune request put on the
// clipboard to its report (sent once the rig took the frequency), against the clipboard poll
// interval; and the CPU the program uses while idle with 1 MB of another program's text on the
// clipboard (xclip), against wall time. Prints the ratio last. RX_BENCH_IDLE_S sets the idle
// window (default 20 s).

#include "receiver/WatchedClipboardUi.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int PollMs = 200; // skedwise-rx's clipboard poll interval
constexpr int Rounds = 20;

QString startXvfb(QProcess &xvfb) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int n = 300 + QRandomGenerator::global()->bounded(600);
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n),
                                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        for (int i = 0; i < 50 && xvfb.state() != QProcess::NotRunning; ++i) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                return QStringLiteral(":%1").arg(n);
            QThread::msleep(50);
        }
    }
    return {};
}

// User plus system CPU time of a process in seconds.
double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(' ');
    return (fields.value(13).toDouble() + fields.value(14).toDouble()) / sysconf(_SC_CLK_TCK);
}

bool waitForText(const app::Clipboard &clipboard, const QString &text, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        if (clipboard.text() == text)
            return true;
        QThread::msleep(2);
    }
    return false;
}

} // namespace

int main(int argc, char **argv) {
    QProcess xvfb;
    const QString display = startXvfb(xvfb);
    if (display.isEmpty()) {
        std::puts("no Xvfb display");
        return 1;
    }
    qputenv("DISPLAY", display.toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    QTemporaryDir home;
    QProcess rx;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("TMPDIR"), home.path());
    rx.setProcessEnvironment(env);
    rx.start(QStringLiteral(SKEDWISE_BIN_DIR "/skedwise-rx"),
             {QStringLiteral("-m"), QStringLiteral("1")});
    rx.waitForStarted();
    QThread::msleep(1500);

    // Written and read as the schedule does: Qt stamps a new owner with the time of its last
    // event, which the server may find older than the receiver program's own.
    receiver::WatchedClipboard clipboard;
    std::vector<double> trips;
    for (int i = 0; i < Rounds; ++i) {
        const QString freq = QString::number(9500 + 5 * i);
        QElapsedTimer timer;
        timer.start();
        clipboard.setText(QStringLiteral("101010") + freq);
        if (!waitForText(clipboard, QStringLiteral("010101") + freq, 3000)) {
            std::printf("no report for %s\n", qPrintable(freq));
            return 1;
        }
        trips.push_back(timer.nsecsElapsed() / 1e6);
        QThread::msleep(37 * (i % 5)); // requests land anywhere in the poll cycle
    }
    std::sort(trips.begin(), trips.end());
    double mean = 0;
    for (double t : trips)
        mean += t / trips.size();

    const int idleSeconds = qEnvironmentVariableIntValue("RX_BENCH_IDLE_S") > 0
                                ? qEnvironmentVariableIntValue("RX_BENCH_IDLE_S")
                                : 20;
    QProcess xclip; // forks, and keeps serving the text
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard")});
    xclip.write(QByteArray(1 << 20, 'x'));
    xclip.closeWriteChannel();
    xclip.waitForFinished(3000);
    QThread::sleep(1); // the one read after the change
    const double cpuBefore = cpuSeconds(rx.processId());
    QElapsedTimer wall;
    wall.start();
    QThread::sleep(idleSeconds);
    const double idleRatio = (cpuSeconds(rx.processId()) - cpuBefore) / (wall.elapsed() / 1000.0);
    rx.terminate();
    rx.waitForFinished(3000);
    xvfb.terminate();
    xvfb.waitForFinished(3000);

    std::printf("round trip over %d requests: mean %.1f ms, median %.1f ms, worst %.1f ms\n",
                Rounds, mean, trips[trips.size() / 2], trips.back());
    std::printf("idle CPU over %d s with 1 MB of foreign text: %.4f of one core (limit 0.01)\n",
                idleSeconds, idleRatio);
    std::printf("round trip / poll interval %d ms (limit 1.5): %.2f\n", PollMs, mean / PollMs);
    return 0;
}
