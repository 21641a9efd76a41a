// Following a receiver report over a large schedule: FindRadioFreq (find, scroll, repaint of
// the grid) against the engine's find-first with the same criterion alone. Prints the ratio
// last.

#include "BenchSupport.h"

#include "app/ScriptedPrompts.h"
#include "jet/DataSource.h"
#include "mainwindow/GridRecordSetView.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "receiver/ReceiverLink.h"
#include "schedule/QueryComposition.h"
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

// The main window's part of the link, over a real grid.
struct GridLink : receiver::LinkPort {
    app::ProgramState s;
    NoClipboard clip;
    jet::DataSource &data;
    mainwindow::ScheduleGridWidget &grid;
    GridLink(jet::DataSource &d, mainwindow::ScheduleGridWidget &g) : data(d), grid(g) {}

    app::ProgramState &state() override { return s; }
    app::Clipboard &clipboard() override { return clip; }
    jet::DataSource &data1() override { return data; }
    void ReadDB(const QString &) override {}
    int visibleRowCount() const override { return grid.visibleRowCount(); }
    void setGridRedraw(bool on) override { grid.setRedraw(on); }
    void refreshGrid() override { grid.refresh(); }
    void resetGridRows() override { grid.resetRows(); }
    void resetGridSelection() override { grid.resetSelection(); }
    int bookmarkAtOffset(int offset) const override { return grid.bookmarkAtOffset(offset); }
    void setFirstVisibleRow(int bookmark) override { grid.setFirstVisibleRow(bookmark); }
    void clearFindMarking() override { grid.clearFindMarking(); }
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

} // namespace

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    bench::OneTable tables;
    tables.loaded = bench::syntheticTable(Rows, Seed);
    jet::DataSource data(tables);
    data.setDatabaseName(QStringLiteral("/bench/ILGDATA.MDB"));
    data.setRecordSource(QStringLiteral(
        "Select StationID, Freq, Station, UTC, Language From MyDataTable Order by Freq "));
    data.refresh();
    mainwindow::GridRecordSetView view(data);
    mainwindow::ScheduleGridWidget grid(view);
    grid.resize(900, 700);
    grid.show();
    grid.refresh();
    GridLink port(data, grid);
    receiver::ReceiverLink link(port);

    // A frequency three quarters down the list, so the find walks most of the rows.
    jet::RecordSet &rs = data.recordset();
    rs.moveTo(rs.recordCount() * 3 / 4);
    const QString freq = schedule::PadB(QString::number(rs.field(u"Freq").number, 'f', 1),
                                        7); // the stored form of the finds
    const QString criterion = receiver::exactFreqCriterion(freq);
    link.FindRadioFreq(freq);
    grid.repaint();

    std::vector<double> tracking, engine;
    for (int round = 0; round < Rounds; ++round) {
        tracking.push_back(bench::millisecondsOf([&] {
            link.FindRadioFreq(freq);
            grid.repaint();
        }));
        engine.push_back(bench::millisecondsOf([&] {
            rs.moveFirst();
            rs.findFirst(criterion);
        }));
    }
    const double trackingMs = bench::median(tracking);
    const double engineMs = bench::median(engine);
    std::printf("rows: %d, report %s, found at %d\n", Rows, qPrintable(freq), rs.position());
    std::printf("FindRadioFreq (find, scroll, repaint), median of %d: %.2f ms\n", Rounds,
                trackingMs);
    std::printf("engine find-first alone, median of %d: %.2f ms\n", Rounds, engineMs);
    std::printf("ratio tracking/engine: %.3f\n", trackingMs / engineMs);
    return 0;
}
