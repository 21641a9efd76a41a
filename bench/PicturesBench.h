#pragma once

// What the map and band chart benchmarks share: a grid port over one data source, and the
// timing of "the rows changed, now paint" for a picture window against the grid.
#include "BenchSupport.h"

#include "app/GridPort.h"
#include "app/ScriptedPrompts.h"
#include "mainwindow/GridRecordSetView.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "map/BandChartWindow.h"
#include "map/MapWindow.h"
#include "map/PictureWindows.h"
#include "support/StubGridPort.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

namespace bench {

// The grid as the pictures see it: Data1's rows, its current record and the clock's minute.
struct PictureGrid : testsupport::StubGridPort {
    explicit PictureGrid(jet::DataSource &source) : data(source) {
        s.UTCHHMM = QStringLiteral("0130");
        s.UTCHour = QStringLiteral("01");
        s.UTCTime = FixedClock().localNow();
    }
    app::ProgramState &state() override { return s; }
    app::Prompts &prompts() override { return script; }
    jet::DataSource &data1() override { return data; }
    int currentBookmark() const override { return data.recordset().bookmark(); }

    app::ProgramState s;
    app::ScriptedPrompts script;
    jet::DataSource &data;
};

// Both sides see the rows change (the order alternates, the query is not timed) and paint
// all of themselves: the grid its window of rows, the picture everything it shows. Times are
// this thread's processor time, the least of many runs.
inline int comparePictureToGrid(const std::shared_ptr<const jet::Table> &table, bool map,
                                const char *what) {
    OneTable tables;
    tables.loaded = table;
    jet::DataSource data(tables);
    data.setDatabaseName(QStringLiteral("ILGDATA.MDB"));
    PictureGrid port(data);
    mainwindow::GridRecordSetView rows(data);
    mainwindow::ScheduleGridWidget grid(rows);
    grid.resize(900, 700);
    grid.show();
    map::PictureWindows pictures(port, nullptr);
    map ? pictures.Map_Click() : pictures.BandChart_Click();
    QWidget *window = map ? static_cast<QWidget *>(pictures.mapWindow())
                          : static_cast<QWidget *>(pictures.bandChartWindow());
    // The picture itself, as the grid is the grid itself: the lines under it repaint alone.
    QWidget *picture = map ? static_cast<QWidget *>(pictures.mapWindow()->view())
                           : static_cast<QWidget *>(pictures.bandChartWindow()->view());
    const QString orders[] = {QStringLiteral("Freq"), QStringLiteral("Station")};
    int round = 0;
    auto requery = [&] {
        data.setRecordSource(QStringLiteral("Select StationID,Freq,Station,UTC,Language From "
                                            "MyDataTable Order by ") +
                             orders[round++ % 2]);
        data.refresh();
    };
    // The least of several runs: what other programs do to the caches only adds.
    auto timed = [&](const std::function<void()> &paint) {
        double least = 1e300;
        for (int i = 0; i < 15; ++i) {
            requery();
            least = std::min(least, cpuMillisecondsOf(paint));
        }
        return least;
    };
    // At the size it opens with: laid out and shown, as the user sees it.
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 300)
        QCoreApplication::processEvents();
    auto paintGrid = [&] {
        grid.refresh();
        grid.grab();
    };
    auto paintPicture = [&] {
        pictures.gridChanged();
        picture->grab();
    };
    timed(paintGrid); // warm up
    double gridMs = 1e300, pictureMs = 1e300;
    for (int i = 0; i < 5; ++i) { // alternating, so that both meet the same load
        gridMs = std::min(gridMs, timed(paintGrid));
        pictureMs = std::min(pictureMs, timed(paintPicture));
    }
    std::printf("rows: %d, %s window %dx%d\n", data.recordset().recordCount(), what,
                window->width(), window->height());
    std::printf("grid refresh and repaint: %.2f ms\n", gridMs);
    std::printf("%s follows the new rows and repaints: %.2f ms\n", what, pictureMs);
    std::printf("ratio %s/grid: %.2f\n", what, pictureMs / gridMs);
    return 0;
}

} // namespace bench
