// From a row pick in the main window to the rig's new frequency and mode, through both
// programs: the window's tune request (with the row's mode) on the X clipboard, skedwise-rx
// taking it, rigctld (dummy rig) set. The mode goes before the frequency, so a rig at the new
// frequency is in the new mode too; the mode is checked after each pick.
// Measured against skedwise-rx's clipboard poll interval. Prints the ratio last.

#include "BenchSupport.h"
#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "mainwindow/DisplayWindow.h"
#include "receiver/ReceiverMessages.h"
#include "receiver/WatchedClipboardUi.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <cmath>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int PollMs = 200; // skedwise-rx's clipboard poll interval
constexpr int Rows = 2000;
constexpr int Rounds = 12;

QString startXvfb(QProcess &xvfb) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int n = 300 + QRandomGenerator::global()->bounded(600);
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        xvfb.start("Xvfb", {QStringLiteral(":%1").arg(n), "-nolisten", "tcp"});
        for (int i = 0; i < 50 && xvfb.state() != QProcess::NotRunning; ++i) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                return QStringLiteral(":%1").arg(n);
            QThread::msleep(50);
        }
    }
    return {};
}

int freeLocalPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

// One lasting connection to rigctld, so reading the frequency costs no process start.
class RigctldLine {
public:
    bool open(int port) {
        for (int i = 0; i < 100; ++i) {
            m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_port = htons(port);
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::connect(m_fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0)
                return true;
            ::close(m_fd);
            m_fd = -1;
            QThread::msleep(50);
        }
        return false;
    }
    ~RigctldLine() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    // The answer's first line, "" on failure; lines: how many the answer has.
    QByteArray ask(const QByteArray &command, int lines = 1) {
        const QByteArray line = command + '\n';
        if (::send(m_fd, line.constData(), line.size(), 0) != line.size())
            return {};
        const QByteArray first = readLine();
        for (int i = 1; i < lines; ++i)
            readLine();
        return first;
    }

private:
    QByteArray readLine() {
        QByteArray answer;
        char c = 0;
        while (::recv(m_fd, &c, 1, 0) == 1 && c != '\n')
            answer += c;
        return answer;
    }

    int m_fd = -1;
};

void stop(QProcess &process) {
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
}

bool waitUntil(const std::function<bool()> &done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        if (done())
            return true;
        QThread::msleep(2);
    }
    return false;
}

// The current row's frequency as rigctld's `f` gives it.
QByteArray currentRowHz(const jet::RecordSet &rs) {
    const double kHz = rs.value(rs.position(), rs.fieldIndex(u"Freq")).number;
    return QByteArray::number(qint64(std::llround(kHz * 1000)));
}

// The mode the row asks for, as rigctld's `m` gives it on its first line.
QByteArray currentRowMode(const jet::RecordSet &rs) {
    // Mode is not among the grid's columns: read from the row of the whole table.
    const std::shared_ptr<const jet::Table> table = rs.table();
    const jet::Cell mode = table->cell(rs.bookmark(), table->columnIndex(u"Mode"));
    return receiver::receiverModeOfRow(mode.text).toLatin1();
}

// Picks rows far apart and times each until rigctld reports the row's frequency; -1 on failure.
std::vector<double> pickRounds(mainwindow::DisplayForm &form, RigctldLine &rig) {
    jet::RecordSet &rs = form.data1().recordset();
    std::vector<double> trips;
    QByteArray lastHz = rig.ask("f");
    for (int i = 0; trips.size() < Rounds && i < 4 * Rounds; ++i) {
        rs.moveTo((i * 97 + 13) % rs.recordCount());
        const QByteArray hz = currentRowHz(rs);
        if (hz == lastHz)
            continue;
        QElapsedTimer timer;
        timer.start();
        form.SSDBGrid_PickRow();
        if (!waitUntil([&] { return rig.ask("f") == hz; }, 5000)) {
            std::printf("wanted %s, rig at %s\n", hz.constData(), rig.ask("f").constData());
            return {-1};
        }
        trips.push_back(timer.nsecsElapsed() / 1e6);
        const QByteArray mode = rig.ask("m", 2); // mode, passband
        if (mode != currentRowMode(rs)) {
            std::printf("wanted mode %s, rig in %s\n", currentRowMode(rs).constData(),
                        mode.constData());
            return {-1};
        }
        lastHz = hz;
        // The window takes skedwise-rx's answer before the next pick.
        waitUntil([] { return QGuiApplication::clipboard()->text().isEmpty(); }, 3000);
        QThread::msleep(37 * (i % 5)); // picks land anywhere in the poll cycle
    }
    return trips;
}

// The main window over a made-up schedule, with the system clipboard and its own timer.
std::vector<double> measure(RigctldLine &rig) {
    bench::OneTable tables;
    tables.loaded = bench::syntheticTable(Rows, 20240517);
    app::ProgramState state;
    bench::MemoryStore store;
    state.codes = schedule::buildCodeTables();
    app::LoadSettings(state, store, {19200, 14400});
    state.FormTop = "0";
    state.FormHeight = "7200";
    app::ScriptedPrompts prompts;
    bench::FixedClock clock;
    receiver::WatchedClipboard clipboard;
    mainwindow::DisplayForm form(
        app::Services{state, store, prompts, clock, clipboard, tables,
                      app::Paths::besideProgram(QStringLiteral("/bench"))});
    form.Form_Load();
    form.show();
    // An unmeasured pick, repeated until skedwise-rx is up and follows.
    form.data1().recordset().moveTo(0);
    const QByteArray firstHz = currentRowHz(form.data1().recordset());
    form.SSDBGrid_PickRow();
    for (int i = 0; i < 10 && !waitUntil([&] { return rig.ask("f") == firstHz; }, 1500); ++i)
        form.SSDBGrid_PickRow();
    waitUntil([] { return QGuiApplication::clipboard()->text().isEmpty(); }, 3000);
    return pickRounds(form, rig);
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
    QApplication application(argc, argv);

    const int port = freeLocalPort();
    QProcess rigctld;
    rigctld.start("rigctld", {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
    RigctldLine rig;
    if (!rigctld.waitForStarted() || !rig.open(port)) {
        std::puts("no rigctld");
        stop(xvfb);
        return 1;
    }
    QTemporaryDir home;
    QProcess rx;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.path());
    env.insert("TMPDIR", home.path());
    rx.setProcessEnvironment(env);
    rx.start(SKEDWISE_BIN_DIR "/skedwise-rx",
             {"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port)});
    rx.waitForStarted();

    const std::vector<double> trips = measure(rig);
    stop(rx);
    stop(rigctld);
    if (trips.empty() || trips.front() < 0) {
        std::puts("a pick never reached the rig");
        stop(xvfb);
        return 1;
    }
    double mean = 0;
    for (double t : trips)
        mean += t / trips.size();
    const double worst = *std::max_element(trips.begin(), trips.end());
    std::printf(
        "row pick to rig frequency and mode over %zu picks: mean %.1f ms, median %.1f ms, worst "
        "%.1f ms\n",
        trips.size(), mean, bench::median(trips), worst);
    std::printf("pick to rig / poll interval %d ms: %.2f\n", PollMs, mean / PollMs);
    std::fflush(stdout);
    stop(xvfb);
    return 0;
}
