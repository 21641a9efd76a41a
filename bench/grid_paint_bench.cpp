// Repainting the schedule grid must cost the painted rows only, not the record count:
// a full window of rows over 120,000 records against the same window over 100 records.
#include "mainwindow/ScheduleGridWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace mainwindow;

namespace {

class SyntheticRows : public GridSource {
public:
    explicit SyntheticRows(int rows) : m_rows(rows) {}
    int rowCount() const override { return m_rows; }
    int fieldCount() const override { return 5; }
    QString fieldName(int field) const override {
        static const QStringList names = {"StationID", "Freq", "Station", "UTC", "Language"};
        return names.value(field);
    }
    jet::Cell cellValue(int row, int field) const override {
        switch (field) {
        case 0:
            return jet::Cell::fromNumber(row + 1);
        case 1:
            return jet::Cell::fromNumber(2300 + (row * 37) % 24000);
        case 3:
            return jet::Cell::fromText(QStringLiteral("%1-%2")
                                           .arg((row % 24) * 100, 4, 10, QChar(u'0'))
                                           .arg(((row + 2) % 24) * 100, 4, 10, QChar(u'0')));
        default:
            return jet::Cell::fromText(QStringLiteral("Text %1").arg(row % 977));
        }
    }
    int bookmarkAt(int row) const override { return row >= 0 && row < m_rows ? row : -1; }
    int positionOf(int bookmark) const override {
        return bookmark >= 0 && bookmark < m_rows ? bookmark : -1;
    }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

private:
    int m_rows;
    int m_current = 0;
};

// Styles rows the way the on-air marking does: reads the UTC cell and compares texts.
void styleOnAir(const ScheduleGridWidget &grid, int bookmark, GridRowStyle &row) {
    const QString utc = grid.cellText(3, bookmark);
    if (utc.left(4) <= QStringLiteral("1200") && utc.right(4) > QStringLiteral("1200"))
        row.applyToAll(QStringLiteral("\"RedNormal\""));
}

std::unique_ptr<ScheduleGridWidget> gridOver(GridSource &rows) {
    auto grid = std::make_unique<ScheduleGridWidget>(rows);
    grid->resize(900, 700);
    grid->setColumnWidthTwips(0, 0);
    grid->setLockedColumns(2);
    grid->addStyleSet(QStringLiteral("RedNormal"));
    grid->setStyleSetForeColor(QStringLiteral("\"RedNormal\""), 0x0000FF);
    const ScheduleGridWidget *view = grid.get();
    grid->setRowStyler(
        [view](int bookmark, GridRowStyle &row) { styleOnAir(*view, bookmark, row); });
    grid->show();
    grid->setFirstVisibleRow(rows.bookmarkAt(rows.rowCount() / 2));
    return grid;
}

// Each repaint restyles the rows, like the clock's minute tick.
double repaintMs(ScheduleGridWidget &grid) {
    constexpr int repaints = 20;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repaints; ++i) {
        grid.refresh();
        grid.grab();
    }
    return timer.nsecsElapsed() / 1e6 / repaints;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    SyntheticRows small(100), large(120000);
    auto smallGrid = gridOver(small);
    auto largeGrid = gridOver(large);
    QCoreApplication::processEvents();
    repaintMs(*smallGrid); // warm up fonts and caches
    repaintMs(*largeGrid);
    // Rounds alternate between the two grids so that load from elsewhere hits both alike.
    double smallMs = 1e300, largeMs = 1e300;
    for (int round = 0; round < 9; ++round) {
        smallMs = std::min(smallMs, repaintMs(*smallGrid));
        largeMs = std::min(largeMs, repaintMs(*largeGrid));
    }
    std::printf("rows visible: %d (100 records), %d (120000 records)\n",
                smallGrid->visibleRowCount(), largeGrid->visibleRowCount());
    std::printf("repaint 100 records:    %.3f ms\n", smallMs);
    std::printf("repaint 120000 records: %.3f ms\n", largeMs);
    std::printf("ratio 120000/100 records: %.2f\n", largeMs / smallMs);
    return 0;
}
