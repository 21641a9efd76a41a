// The timer tick (clipboard step and clock) while another program owns a large text (1 MB)
// against a tick with an empty clipboard. Run under X11 (xvfb-run -a env QT_QPA_PLATFORM=xcb) for a
// clipboard really owned by another process (xclip); elsewhere the text is set in-process.
// Prints the ratio last.

#include "BenchSupport.h"

#include "app/ScriptedPrompts.h"
#include "onair/Clock.h"
#include "receiver/ReceiverLink.h"
#include "receiver/WatchedClipboardUi.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Ticks = 2000;
constexpr int Rounds = 9;

// Only the clipboard matters here; a report never arrives.
struct ClipboardOnly : receiver::LinkPort {
    app::ProgramState s;
    app::Clipboard &clip;
    jet::DataSource *none = nullptr;
    explicit ClipboardOnly(app::Clipboard &c) : clip(c) {}
    app::ProgramState &state() override { return s; }
    app::Clipboard &clipboard() override { return clip; }
    jet::DataSource &data1() override { return *none; }
    void ReadDB(const QString &) override {}
    int visibleRowCount() const override { return 0; }
    void setGridRedraw(bool) override {}
    void refreshGrid() override {}
    void resetGridRows() override {}
    void resetGridSelection() override {}
    int bookmarkAtOffset(int) const override { return -1; }
    void setFirstVisibleRow(int) override {}
    void clearFindMarking() override {}
    void setBusyPointer(bool) override {}
    void setLabel0(const QString &) override {}
    void setLinkChecks(bool, bool) override {}
    void reTuneRule() override {}
    int currentBookmark() const override { return -1; }
    jet::Cell firstColumnValue(int) const override { return {}; }
    void setGridCaption(const QString &) override {}
    app::Prompts &prompts() override { return script; }
    app::ScriptedPrompts script;
};

// Lets the change notices of the X server arrive, as they do between two ticks.
void settle() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

bool foreignOwner(const QByteArray &text) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        return false;
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard")});
    xclip.waitForStarted();
    xclip.write(text);
    xclip.closeWriteChannel();
    xclip.waitForFinished(); // xclip forks and keeps serving the selection
    settle();
    return true;
}

// The tick's first two jobs; the minute repaint is the same for both clipboards.
void tick(receiver::ReceiverLink &link, app::ProgramState &state) {
    link.ClipboardStep();
    onair::ComputeClock(state, QDateTime::currentDateTime(), QLocale::system());
}

double ticksMs(receiver::ReceiverLink &link, app::ProgramState &state) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Ticks; ++i)
        tick(link, state);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    receiver::WatchedClipboard clipboard;
    ClipboardOnly port(clipboard);
    receiver::ReceiverLink link(port);

    std::vector<double> empty, foreign;
    const QByteArray big(1 << 20, 'x');
    bool realOwner = false;
    double plainReadMs = 0;
    for (int round = 0; round < Rounds; ++round) {
        QGuiApplication::clipboard()->clear();
        settle();
        if (!clipboard.text().isEmpty())
            std::printf("clipboard not empty before the empty round\n");
        empty.push_back(ticksMs(link, port.s));
        realOwner = foreignOwner(big);
        if (!realOwner)
            QGuiApplication::clipboard()->setText(QString::fromLatin1(big));
        settle();
        QElapsedTimer read;
        read.start();
        link.ClipboardStep(); // the one read after the change
        plainReadMs = read.nsecsElapsed() / 1e6;
        foreign.push_back(ticksMs(link, port.s));
    }
    const double emptyMs = bench::median(empty), foreignMs = bench::median(foreign);
    std::printf("platform %s, foreign text owned by %s, %d ticks per round\n",
                qPrintable(QGuiApplication::platformName()), realOwner ? "xclip" : "this process",
                Ticks);
    std::printf("first tick after the 1 MB text arrived (the one read): %.2f ms\n", plainReadMs);
    std::printf("ticks with 1 MB foreign text, median of %d: %.3f ms\n", Rounds, foreignMs);
    std::printf("ticks with empty clipboard, median of %d: %.3f ms\n", Rounds, emptyMs);
    std::printf("ratio foreign/empty: %.3f\n", foreignMs / emptyMs);
    return 0;
}
