// Turning "On Air" on over a large schedule: the query, the grid's re-read and the first paint
// of the window, against the engine running the same text alone. Prints the ratio last.

#include "BenchSupport.h"
#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "jet/DataSource.h"
#include "mainwindow/DisplayWindow.h"
#include "schedule/SyntheticSchedule.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int Rows = 120000;
constexpr quint64 Seed = 20240517;
constexpr int Rounds = 15;

struct NoClipboard : app::Clipboard {
    void clear() override {}
    QString text() const override { return {}; }
    void setText(const QString &) override {}
};

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    bench::OneTable tables;
    tables.loaded = bench::syntheticTable(Rows, Seed);

    app::ProgramState state;
    bench::MemoryStore store;
    state.codes = schedule::buildCodeTables();
    app::LoadSettings(state, store, {19200, 14400});
    state.FormTop = QStringLiteral("0");
    state.FormHeight = QStringLiteral("7200");
    app::ScriptedPrompts prompts;
    bench::FixedClock clock;
    NoClipboard clipboard;
    mainwindow::DisplayForm form(
        app::Services{state, store, prompts, clock, clipboard, tables,
                      app::Paths::besideProgram(QStringLiteral("/bench"))});
    form.Form_Load();
    form.show();
    QCoreApplication::processEvents();

    // Warm-up round; it also gives the exact text the window runs.
    form.CmdONAir_Click();
    const QString text = form.data1().recordSource();
    const int selected = form.data1().recordset().recordCount();
    form.CmdONAir_Click();

    std::vector<double> window, engine;
    for (int round = 0; round < Rounds; ++round) {
        window.push_back(bench::millisecondsOf([&] {
            form.CmdONAir_Click();
            form.repaint();
        }));
        form.CmdONAir_Click();
        form.repaint();
        engine.push_back(bench::millisecondsOf([&] {
            jet::DataSource data(tables);
            data.setDatabaseName(QStringLiteral("/bench/ILGDATA.MDB"));
            data.setRecordSource(text);
            data.refresh();
        }));
    }

    // The best round of each: on a shared machine other work only adds time, to either side.
    const double windowMs = *std::min_element(window.begin(), window.end());
    const double engineMs = *std::min_element(engine.begin(), engine.end());
    std::printf("rows: %d, on the air at 01:30: %d\n", Rows, selected);
    std::printf("On Air button (query, grid, first paint), best of %d: %.2f ms\n", Rounds,
                windowMs);
    std::printf("engine query alone, best of %d: %.2f ms\n", Rounds, engineMs);
    std::printf("ratio window/engine: %.3f\n", windowMs / engineMs);
    return 0;
}
