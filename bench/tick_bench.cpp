// The timer tick (clipboard step and clock) right after another program took the clipboard and
// never answers, against the tick right after the clipboard was emptied; the fastest round of
// each counts. Needs X11 (run it as
// xvfb-run -a env QT_QPA_PLATFORM=xcb build/bin/tick_bench); prints the ratio last.

#include "BenchSupport.h"

#include "app/ScriptedPrompts.h"
#include "onair/Clock.h"
#include "receiver/ReceiverLink.h"
#include "receiver/WatchedClipboardUi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <xcb/xcb.h>

namespace {

constexpr int TicksPerRound = 200;
constexpr int Rounds = 25;

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

// A client that takes the clipboard and never reads a request.
struct SilentOwner {
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    SilentOwner() {
        const xcb_window_t window = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window,
                          xcb_setup_roots_iterator(xcb_get_setup(c)).data->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        auto *atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 9, "CLIPBOARD"), nullptr);
        xcb_set_selection_owner(c, window, atom->atom, XCB_CURRENT_TIME);
        free(atom);
        sync();
    }
    void sync() { free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }
    ~SilentOwner() { xcb_disconnect(c); }
};

// The time between two ticks, with the window's events handled.
void betweenTicks() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

// The ticks of one round, the first of them the one after the change.
double roundMs(receiver::ReceiverLink &link, app::ProgramState &state) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < TicksPerRound; ++i) {
        link.ClipboardStep();
        onair::ComputeClock(state, QDateTime::currentDateTime(), QLocale::system());
    }
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::printf("needs X11: xvfb-run -a env QT_QPA_PLATFORM=xcb %s\n", argv[0]);
        return 1;
    }
    receiver::WatchedClipboard clipboard;
    ClipboardOnly port(clipboard);
    receiver::ReceiverLink link(port);
    std::vector<double> empty, silent;
    for (int round = 0; round < Rounds; ++round) {
        clipboard.clear();
        betweenTicks();
        empty.push_back(roundMs(link, port.s));
        SilentOwner owner;
        betweenTicks();
        silent.push_back(roundMs(link, port.s));
    }
    // The fastest round of each: other programs' work on the machine only ever adds time.
    const double emptyMs = *std::min_element(empty.begin(), empty.end());
    const double silentMs = *std::min_element(silent.begin(), silent.end());
    std::printf("%d ticks after the clipboard was emptied: fastest of %d rounds %.3f ms, median "
                "%.3f ms\n",
                TicksPerRound, Rounds, emptyMs, bench::median(empty));
    std::printf("%d ticks after an owner that never answers took it: fastest %.3f ms, median "
                "%.3f ms, slowest %.3f ms\n",
                TicksPerRound, silentMs, bench::median(silent),
                *std::max_element(silent.begin(), silent.end()));
    std::printf("ratio silent owner/empty: %.3f\n", silentMs / emptyMs);
    return 0;
}
