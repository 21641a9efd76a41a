#include "app/ScriptedPrompts.h"
#include "mainwindow/DisplayOptions.h"
#include "mainwindow/GridRecordSetView.h"
#include "mainwindow/ScheduleGridView.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "support/MemoryTables.h"
#include "support/StubGridPort.h"
#include "support/TestSupport.h"

#include <QScrollBar>

using namespace mainwindow;

namespace {

// Sixty stations over ten fields, wide enough to scroll sideways.
std::shared_ptr<const jet::Table> wideTable() {
    QString csv = "StationID,Freq,Station,UTC,Language,Country,Location,Target,Remarks,Program\r\n";
    for (int i = 1; i <= 60; ++i)
        csv += QString("%1,%2,\"Station %1\",\"0000-0100\",\"English\",\"Land %1\",\"Town %1\","
                       "\"Area %1\",\"Note %1\",\"Show %1\"\r\n")
                   .arg(i)
                   .arg(5000 + 10 * i);
    return testsupport::tableFromCsv(jet::parseCsv(csv));
}

// The display options on a real grid; the window's own procedures are only recorded.
class GridOptionsPort : public DisplayOptionsPort, public testsupport::StubGridPort {
public:
    explicit GridOptionsPort(ScheduleGridWidget &grid) : m_grid(grid) {}
    app::ProgramState s;
    app::ScriptedPrompts script;
    QStringList events;
    QMap<int, bool> selectMarks;

    app::ProgramState &state() override { return s; }
    app::Prompts &prompts() override { return script; }
    void setChecked(OptionGroup group, int index, bool on) override {
        if (group == OptionGroup::SelectM)
            selectMarks[index] = on;
    }
    void setGridFontName(const QString &name) override {
        m_grid.setGridFont(name, m_grid.fontSize());
    }
    void setGridFontSize(int points) override { m_grid.setGridFont(m_grid.fontName(), points); }
    void refreshGrid() override { m_grid.refresh(); }
    void setLockedColumns(int count) override { m_grid.setLockedColumns(count); }
    void setRowSelectionKind(int kind) override { m_grid.setRowSelectionKind(kind); }
    void setGridToolTips(bool on) override { m_grid.setToolTipsEnabled(on); }
    void clearGridSelection() override { m_grid.clearSelection(); }
    void SetupGrid() override { events << "SetupGrid"; }
    void CheckFontSize() override { events << "CheckFontSize"; }
    void DisableOnAir() override { events << "DisableOnAir"; }
    void repaintWindowColours() override { events << "repaint"; }

private:
    ScheduleGridWidget &m_grid;
};

struct ShownGrid {
    testsupport::MemoryTables tables;
    jet::DataSource data{tables};
    GridRecordSetView source{data};
    ScheduleGridWidget grid{source};
    GridOptionsPort port{grid};

    ShownGrid() {
        tables.add("db", wideTable());
        data.setDatabaseName("db");
        data.setRecordSource("Select * From MyDataTable Order by Freq");
        data.refresh();
        grid.rebuildColumns();
        for (int column = 0; column < grid.columnCount(); ++column)
            grid.setColumnWidthTwips(column, column == 0 ? 0 : 1500);
        grid.resize(500, 300);
        grid.show();
        if (!QTest::qWaitForWindowExposed(&grid))
            qWarning("grid not exposed");
    }
    ScheduleGridView *rows() { return grid.findChild<ScheduleGridView *>("scheduleRows"); }
    void scrollRight() {
        QScrollBar *sideways = rows()->horizontalScrollBar();
        sideways->setValue(sideways->maximum());
        QTest::qWait(0);
    }
    // Columns whose cells can be seen: in the locked part, or in the rows right of it.
    QList<int> visibleColumns() {
        ScheduleGridView *view = rows();
        QTableView *locked = view->lockedView();
        const int lockedWidth = locked->isVisible() ? locked->width() : 0;
        QList<int> columns;
        for (int c = 0; c < grid.columnCount(); ++c) {
            const bool inLocked =
                locked->isVisible() && !locked->isColumnHidden(c) && locked->columnWidth(c) > 0;
            const int x = view->columnViewportPosition(c);
            const bool inRows = view->columnWidth(c) > 0 &&
                                x + view->columnWidth(c) > lockedWidth &&
                                x < view->viewport()->width();
            if (inLocked || inRows)
                columns << c;
        }
        return columns;
    }
};

} // namespace

class DisplayOptionsGridTest : public QObject {
    Q_OBJECT

private slots:
    void lockedColumnsStayInViewScrolledRight_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QList<int>>("locked");
        QTest::newRow("Lock Freq Column") << 0 << QList<int>{1};
        QTest::newRow("Lock Freq + Next") << 1 << QList<int>{1, 2};
    }
    void lockedColumnsStayInViewScrolledRight() {
        QFETCH(int, item);
        QFETCH(QList<int>, locked);
        ShownGrid g;
        LC_Click(item, g.port);
        QCOMPARE(g.grid.lockedColumns(), locked.size() + 1); // StationID counts, hidden
        g.scrollRight();
        const QList<int> visible = g.visibleColumns();
        QCOMPARE(visible.mid(0, locked.size()), locked);
        QVERIFY2(!visible.contains(locked.last() + 1), "the rows did not scroll under the lock");
        QVERIFY(visible.contains(9)); // scrolled to the right end
        QVERIFY(!visible.contains(0));
        if (item == 1)
            QVERIFY(g.grid.grab().save("/tmp/skedwise-locked-columns.png"));
    }

    void clearBookMarksLeavesNoSelectedRow() {
        ShownGrid g;
        SelectM_Click(1, g.port);
        QCOMPARE(g.grid.rowSelectionKind(), 2);
        ScheduleGridView *view = g.rows();
        for (int row : {2, 5, 7})
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(row, 3)).center());
        QCOMPARE(g.grid.selectedCount(), 3);
        SelectM_Click(3, g.port);
        QCOMPARE(g.grid.selectedCount(), 0);
        QVERIFY(g.grid.selectedBookmarks().isEmpty());
        QCOMPARE(g.grid.rowSelectionKind(), 2);
        QCOMPARE(g.port.selectMarks, (QMap<int, bool>{{0, false}, {1, true}, {2, false}}));
    }

    void fontItemsReachTheGrid() {
        ShownGrid g;
        FontNames_Click(2, g.port);
        DFonts_Click(7, g.port);
        QCOMPARE(g.grid.fontName(), QString("Lucida Console")); // drawn with a substitute
        QCOMPARE(g.grid.fontSize(), 16);
        QCOMPARE(g.port.s.GridFontname, QString("Lucida Console"));
        TTips_Click(0, g.port);
        QVERIFY(!g.grid.toolTipsEnabled());
        TTips_Click(1, g.port);
        QVERIFY(g.grid.toolTipsEnabled());
    }
};

QTEST_MAIN(DisplayOptionsGridTest)
#include "DisplayOptionsGrid_test.moc"
