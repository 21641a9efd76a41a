#include "mainwindow/ScheduleGridView.h"
#include "mainwindow/ScheduleGridWidget.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <climits>
#include <memory>

using namespace mainwindow;

namespace {

// Rows whose bookmarks differ from their positions, so mixing the two up shows.
class FakeSource : public GridSource {
public:
    explicit FakeSource(int rows, int fields = 5) : m_rows(rows), m_fields(fields) {}

    int rowCount() const override { return m_rows; }
    int fieldCount() const override { return m_fields; }
    QString fieldName(int field) const override {
        static const QStringList names = {"StationID", "Freq", "Station", "UTC", "Language"};
        return field < names.size() ? names[field] : QStringLiteral("Extra%1").arg(field);
    }
    jet::Cell cellValue(int row, int field) const override {
        m_rowsRead.insert(row);
        if (field == 0)
            return jet::Cell::fromNumber(100000 + row);
        if (field == 1)
            return jet::Cell::fromNumber(5000 + row % 20000);
        return jet::Cell::fromText(QStringLiteral("r%1c%2").arg(row).arg(field));
    }
    int bookmarkAt(int row) const override { return row >= 0 && row < m_rows ? row * 7 + 3 : -1; }
    int positionOf(int bookmark) const override {
        const int row = (bookmark - 3) / 7;
        return bookmark >= 3 && (bookmark - 3) % 7 == 0 && row < m_rows ? row : -1;
    }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }

    void setRows(int rows) { m_rows = rows; }
    void setFields(int fields) { m_fields = fields; }
    QSet<int> &rowsRead() const { return m_rowsRead; }

private:
    int m_rows;
    int m_fields;
    int m_current = 0;
    mutable QSet<int> m_rowsRead;
};

int bookmarkOf(int row) {
    return row * 7 + 3;
}

std::unique_ptr<ScheduleGridWidget> shownGrid(FakeSource &source, QSize size = {600, 300}) {
    auto grid = std::make_unique<ScheduleGridWidget>(source);
    grid->resize(size);
    grid->show();
    if (!QTest::qWaitForWindowExposed(grid.get()))
        qWarning("grid window not exposed");
    return grid;
}

ScheduleGridView *rowsOf(ScheduleGridWidget &grid) {
    return grid.findChild<ScheduleGridView *>(QStringLiteral("scheduleRows"));
}

QPoint cellCentre(ScheduleGridWidget &grid, int row, int column) {
    ScheduleGridView *view = rowsOf(grid);
    return view->visualRect(view->model()->index(row, column)).center();
}

} // namespace

class ScheduleGridWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void bookmarkAtOffsetStaysInRows_data();
    void bookmarkAtOffsetStaysInRows();
    void firstVisibleRowMatchesScrollPosition_data();
    void firstVisibleRowMatchesScrollPosition();
    void foundRowIsCentred_data();
    void foundRowIsCentred();
    void styleHandlerRunsOnlyForPaintedRows();
    void appliedStyleSetShowsInCellRoles_data();
    void appliedStyleSetShowsInCellRoles();
    void toolTipsFollowTheSwitch_data();
    void toolTipsFollowTheSwitch();
    void fontSizeSetsRowHeight();
    void lockedColumnsStayInViewWhenScrolledSideways_data();
    void lockedColumnsStayInViewWhenScrolledSideways();
    void rowSelectionKinds_data();
    void rowSelectionKinds();
    void columnsFollowTheRecordSource_data();
    void columnsFollowTheRecordSource();
    void currentRowFollowsRecordSet_data();
    void currentRowFollowsRecordSet();
    void recordSetFollowsClickedRow();
    void gridEventsReachTheHandlers();
    void paintedRowShowsItsStyleColour();
    void lockedColumnsShowTheSameRows_data();
    void lockedColumnsShowTheSameRows();
};

void ScheduleGridWidgetTest::bookmarkAtOffsetStaysInRows_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("expectedRow");
    QTest::newRow("offset inside the rows") << 50 << 20 << -7 << 13;
    QTest::newRow("offset before the first row clamps to it") << 50 << 3 << -10 << 0;
    QTest::newRow("offset past the last row clamps to it") << 50 << 45 << 10 << 49;
    QTest::newRow("extreme negative offset does not overflow") << 50 << 1 << INT_MIN << 0;
    QTest::newRow("extreme positive offset does not overflow") << 50 << 49 << INT_MAX << 49;
    QTest::newRow("no current record counts from the first row") << 50 << -1 << 4 << 4;
    QTest::newRow("no rows gives no bookmark") << 0 << -1 << 0 << -1;
}

void ScheduleGridWidgetTest::bookmarkAtOffsetStaysInRows() {
    QFETCH(int, rows);
    QFETCH(int, current);
    QFETCH(int, offset);
    QFETCH(int, expectedRow);
    FakeSource source(rows);
    source.setCurrentRow(current);
    ScheduleGridWidget grid(source);
    QCOMPARE(grid.bookmarkAtOffset(offset), expectedRow < 0 ? -1 : bookmarkOf(expectedRow));
}

void ScheduleGridWidgetTest::firstVisibleRowMatchesScrollPosition_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("topRow");
    QTest::addColumn<bool>("lastPage"); // the top cannot go below the last full page
    QTest::newRow("first row") << 1000 << 0 << false;
    QTest::newRow("middle row") << 1000 << 500 << false;
    QTest::newRow("row near the end shows the last full page") << 1000 << 998 << true;
    QTest::newRow("fewer rows than fit stay at the top") << 3 << 2 << true;
}

void ScheduleGridWidgetTest::firstVisibleRowMatchesScrollPosition() {
    QFETCH(int, rows);
    QFETCH(int, topRow);
    QFETCH(bool, lastPage);
    FakeSource source(rows);
    auto grid = shownGrid(source);
    grid->setFirstVisibleRow(bookmarkOf(topRow));
    const int fit =
        rowsOf(*grid)->viewport()->height() / rowsOf(*grid)->verticalHeader()->defaultSectionSize();
    const int visible = grid->visibleRowCount();
    QVERIFY(fit > 3);
    const int expectedTop = lastPage ? qMax(0, rows - fit) : topRow;
    QCOMPARE(grid->firstVisibleBookmark(), bookmarkOf(expectedTop));
    QCOMPARE(visible, qMin(fit, rows - expectedTop));
    QCOMPARE(grid->bookmarkOfVisibleRow(0), bookmarkOf(expectedTop));
    QCOMPARE(grid->bookmarkOfVisibleRow(visible - 1), bookmarkOf(expectedTop + visible - 1));
    QCOMPARE(grid->bookmarkOfVisibleRow(visible), -1);
    QCOMPARE(grid->rowAtPosition(cellCentre(*grid, expectedTop + 1, 1).y()), 1);
}

void ScheduleGridWidgetTest::foundRowIsCentred_data() {
    QTest::addColumn<int>("foundRow");
    QTest::addColumn<bool>("centred");
    QTest::newRow("found row in the middle of the rows") << 5000 << true;
    QTest::newRow("found row near the top cannot be centred") << 1 << false;
}

// A re-positioning find: redraw off, make the found record current, put it HalfRows below
// the top, redraw on.
void ScheduleGridWidgetTest::foundRowIsCentred() {
    QFETCH(int, foundRow);
    QFETCH(bool, centred);
    FakeSource source(10000);
    auto grid = shownGrid(source);
    const int halfRows = grid->visibleRowCount() / 2;
    grid->setRedraw(false);
    grid->resetRows();
    grid->resetSelection();
    source.setCurrentRow(foundRow);
    grid->setFirstVisibleRow(grid->bookmarkAtOffset(-halfRows));
    grid->setRedraw(true);
    QCOMPARE(grid->currentBookmark(), bookmarkOf(foundRow));
    QCOMPARE(grid->currentRow(), centred ? halfRows : foundRow);
    QCOMPARE(rowsOf(*grid)->currentIndex().row(), foundRow);
}

void ScheduleGridWidgetTest::styleHandlerRunsOnlyForPaintedRows() {
    FakeSource source(100000);
    auto grid = shownGrid(source);
    int calls = 0;
    QSet<int> styledBookmarks;
    grid->setRowStyler([&](int bookmark, GridRowStyle &) {
        ++calls;
        styledBookmarks.insert(bookmark);
    });
    const int visible = grid->visibleRowCount();
    source.rowsRead().clear();
    grid->grab();
    QVERIFY2(calls > 0 && calls <= 3 * (visible + 1), qPrintable(QString::number(calls)));
    QVERIFY(source.rowsRead().size() <= 3 * (visible + 1));

    grid->setFirstVisibleRow(bookmarkOf(60000));
    calls = 0;
    grid->grab();
    QVERIFY2(calls > 0 && calls <= 3 * (visible + 1), qPrintable(QString::number(calls)));
    QVERIFY(styledBookmarks.contains(bookmarkOf(60000)));

    calls = 0;
    grid->refresh(); // the minute tick: every painted row is styled again
    grid->grab();
    QVERIFY2(calls >= visible && calls <= 3 * (visible + 1), qPrintable(QString::number(calls)));
}

void ScheduleGridWidgetTest::appliedStyleSetShowsInCellRoles_data() {
    QTest::addColumn<QStringList>("names"); // added as, properties set as, applied as
    QTest::addColumn<int>("appliedColumn"); // -1: all cells
    QTest::addColumn<int>("checkedColumn");
    QTest::addColumn<bool>("layoutReset");
    QTest::addColumn<bool>("styled");
    const QString plain = QStringLiteral("BlueBold"), quoted = QStringLiteral("\"BlueBold\"");
    QTest::newRow("plain name") << QStringList{plain, plain, plain} << -1 << 3 << false << true;
    QTest::newRow("quoted name designates the plain set")
        << QStringList{plain, quoted, quoted} << -1 << 0 << false << true;
    QTest::newRow("set added quoted, applied plain")
        << QStringList{quoted, plain, plain} << -1 << 2 << false << true;
    QTest::newRow("letter case of the name does not matter")
        << QStringList{plain, "BLUEBOLD", "bluebold"} << -1 << 1 << false << true;
    QTest::newRow("one cell styled, the others not")
        << QStringList{plain, plain, plain} << 2 << 1 << false << false;
    QTest::newRow("one cell styled shows in that cell")
        << QStringList{plain, plain, plain} << 2 << 2 << false << true;
    QTest::newRow("unknown set keeps the plain look")
        << QStringList{plain, plain, "RedBold"} << -1 << 1 << false << false;
    QTest::newRow("layout reset drops the style sets")
        << QStringList{plain, plain, plain} << -1 << 1 << true << false;
}

void ScheduleGridWidgetTest::appliedStyleSetShowsInCellRoles() {
    QFETCH(QStringList, names);
    const QString addedAs = names[0], setAs = names[1], appliedAs = names[2];
    QFETCH(int, appliedColumn);
    QFETCH(int, checkedColumn);
    QFETCH(bool, layoutReset);
    QFETCH(bool, styled);
    // Stored colours hold red in the low byte.
    const int plainBack = 0xC0FFE0, back = 0x102030, fore = 0x00FF12;
    const QColor plainBackShown(0xE0, 0xFF, 0xC0), backShown(0x30, 0x20, 0x10),
        foreShown(0x12, 0xFF, 0x00);
    FakeSource source(100);
    ScheduleGridWidget grid(source);
    grid.setRowBackColors(plainBack, plainBack);
    grid.addStyleSet(addedAs);
    grid.setStyleSetBackColor(setAs, back);
    grid.setStyleSetForeColor(setAs, fore);
    grid.setStyleSetBold(setAs, true);
    grid.setRowStyler([&](int bookmark, GridRowStyle &row) {
        if (bookmark != bookmarkOf(7))
            return;
        if (appliedColumn < 0)
            row.applyToAll(appliedAs);
        else
            row.applyToCell(appliedColumn, appliedAs);
    });
    if (layoutReset) {
        grid.resetLayout();
        grid.setRowBackColors(plainBack, plainBack);
    }
    QAbstractItemModel *model = rowsOf(grid)->model();
    const QModelIndex cell = model->index(7, checkedColumn);
    const QColor shownBack = cell.data(Qt::BackgroundRole).value<QColor>();
    QCOMPARE(shownBack, styled ? backShown : plainBackShown);
    // Plain text is black on the light plain rows, whatever the desktop's text colour.
    QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), styled ? foreShown : Qt::black);
    QCOMPARE(cell.data(Qt::FontRole).value<QFont>().bold(), styled);
    const QModelIndex otherRow = model->index(8, checkedColumn);
    QCOMPARE(otherRow.data(Qt::BackgroundRole).value<QColor>(), plainBackShown);
}

void ScheduleGridWidgetTest::toolTipsFollowTheSwitch_data() {
    QTest::addColumn<bool>("tips");
    QTest::newRow("tips on show the cell text") << true;
    QTest::newRow("tips off show nothing") << false;
}

void ScheduleGridWidgetTest::toolTipsFollowTheSwitch() {
    QFETCH(bool, tips);
    FakeSource source(10);
    ScheduleGridWidget grid(source);
    grid.setToolTipsEnabled(!tips);
    grid.setToolTipsEnabled(tips);
    const QModelIndex cell = rowsOf(grid)->model()->index(4, 2);
    QCOMPARE(cell.data(Qt::ToolTipRole).toString(), tips ? "r4c2" : "");
    QCOMPARE(grid.toolTipsEnabled(), tips);
}

void ScheduleGridWidgetTest::fontSizeSetsRowHeight() {
    FakeSource source(1000);
    auto grid = shownGrid(source);
    grid->setGridFont(QStringLiteral("Courier New"), 8);
    const int smallFontRows = grid->visibleRowCount();
    grid->setGridFont(QStringLiteral("Courier New"), 16);
    QCOMPARE(grid->fontSize(), 16);
    QVERIFY2(grid->visibleRowCount() < smallFontRows, "larger text must take taller rows");
    const QRect row = rowsOf(*grid)->visualRect(rowsOf(*grid)->model()->index(0, 2));
    QVERIFY(row.height() >= QFontMetrics(rowsOf(*grid)->font()).height());
}

void ScheduleGridWidgetTest::lockedColumnsStayInViewWhenScrolledSideways_data() {
    QTest::addColumn<int>("locked");
    QTest::addColumn<int>("stationIdTwips");
    QTest::newRow("lock Freq, StationID hidden") << 2 << 0;
    QTest::newRow("lock Freq and the next column") << 3 << 0;
    QTest::newRow("lock with StationID shown") << 2 << 900;
}

void ScheduleGridWidgetTest::lockedColumnsStayInViewWhenScrolledSideways() {
    QFETCH(int, locked);
    QFETCH(int, stationIdTwips);
    FakeSource source(200, 20);
    auto grid = shownGrid(source, {500, 300});
    grid->rebuildColumns();
    for (int column = 0; column < grid->columnCount(); ++column)
        grid->setColumnWidthTwips(column, column == 0 ? stationIdTwips : 1500);
    grid->setLockedColumns(locked);
    ScheduleGridView *view = rowsOf(*grid);
    QScrollBar *sideways = view->horizontalScrollBar();
    QVERIFY(sideways->maximum() > 0);
    sideways->setValue(sideways->maximum());
    QTest::qWait(0);

    QTableView *overlay = view->lockedView();
    QVERIFY(overlay->isVisible());
    int lockedWidth = 0;
    for (int column = 0; column < grid->columnCount(); ++column) {
        const bool shown = column < locked && (column > 0 || stationIdTwips > 0);
        QCOMPARE(overlay->isColumnHidden(column), !shown);
        if (shown) {
            QCOMPARE(overlay->columnWidth(column), view->columnWidth(column));
            QVERIFY(overlay->columnViewportPosition(column) >= 0);
            lockedWidth += view->columnWidth(column);
        }
    }
    QCOMPARE(overlay->width(), lockedWidth);
    QVERIFY(view->columnViewportPosition(locked - 1) < 0); // the rows did scroll under it
    QCOMPARE(grid->columnWidthTwips(0), stationIdTwips);
}

void ScheduleGridWidgetTest::rowSelectionKinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("clickedRows");
    QTest::addColumn<QList<int>>("modifiers"); // per click
    QTest::addColumn<QList<int>>("selectedRows");
    const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    QTest::newRow("single: a second click replaces the first")
        << 1 << QList<int>{2, 5} << QList<int>{none, none} << QList<int>{5};
    QTest::newRow("single: shift-click does not extend")
        << 1 << QList<int>{2, 5} << QList<int>{none, shift} << QList<int>{5};
    QTest::newRow("multi: each click adds a row")
        << 2 << QList<int>{2, 5, 7} << QList<int>{none, none, none} << QList<int>{2, 5, 7};
    QTest::newRow("multi: ctrl-click takes a row out again")
        << 2 << QList<int>{2, 5, 2} << QList<int>{ctrl, ctrl, ctrl} << QList<int>{5};
    QTest::newRow("contiguous: shift-click selects the range")
        << 3 << QList<int>{2, 5} << QList<int>{none, shift} << QList<int>{2, 3, 4, 5};
    QTest::newRow("contiguous: a plain click starts a new range")
        << 3 << QList<int>{2, 5, 7} << QList<int>{none, shift, none} << QList<int>{7};
}

void ScheduleGridWidgetTest::rowSelectionKinds() {
    QFETCH(int, kind);
    QFETCH(QList<int>, clickedRows);
    QFETCH(QList<int>, modifiers);
    QFETCH(QList<int>, selectedRows);
    FakeSource source(50);
    auto grid = shownGrid(source);
    grid->setRowSelectionKind(kind);
    QSignalSpy picks(grid.get(), &ScheduleGridWidget::rowPicked);
    for (int i = 0; i < clickedRows.size(); ++i)
        QTest::mouseClick(rowsOf(*grid)->viewport(), Qt::LeftButton,
                          Qt::KeyboardModifiers(modifiers[i]),
                          cellCentre(*grid, clickedRows[i], 2));
    grid->refresh(); // the clock's minute tick keeps the selection
    QList<int> expected;
    for (int row : selectedRows)
        expected << bookmarkOf(row);
    QCOMPARE(grid->selectedBookmarks(), expected);
    QCOMPARE(grid->selectedCount(), expected.size());
    QCOMPARE(picks.size(), clickedRows.size());
    QCOMPARE(source.currentRow(), clickedRows.last());
    grid->clearSelection();
    QVERIFY(grid->selectedBookmarks().isEmpty());
}

void ScheduleGridWidgetTest::columnsFollowTheRecordSource_data() {
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("rowsAfterRequery");
    QTest::newRow("fewer fields after a new field selection") << 3 << 40;
    QTest::newRow("more fields after a new field selection") << 8 << 40;
    QTest::newRow("re-query to no rows") << 5 << 0;
}

void ScheduleGridWidgetTest::columnsFollowTheRecordSource() {
    QFETCH(int, fields);
    QFETCH(int, rowsAfterRequery);
    FakeSource source(100, 5);
    auto grid = shownGrid(source);
    source.setFields(fields);
    grid->rebuildColumns();
    QCOMPARE(grid->columnCount(), fields);
    for (int column = 0; column < fields; ++column)
        QCOMPARE(grid->columnFieldName(column), source.fieldName(column));
    const double dpi = grid->logicalDpiX();
    grid->setColumnWidthTwips(0, 0);
    grid->setColumnWidthTwips(1, 1440);
    QVERIFY(rowsOf(*grid)->isColumnHidden(0));
    QCOMPARE(rowsOf(*grid)->columnWidth(1), qRound(dpi));
    QCOMPARE(grid->columnWidthTwips(1), 1440);

    // A re-query with the same columns keeps their widths.
    source.setRows(rowsAfterRequery);
    grid->refresh();
    QCOMPARE(grid->rowCount(), rowsAfterRequery);
    QVERIFY(rowsOf(*grid)->isColumnHidden(0));
    QCOMPARE(grid->columnWidthTwips(1), 1440);
    QCOMPARE(grid->cellText(2, bookmarkOf(1)), rowsAfterRequery > 1 ? "r1c2" : "");
}

void ScheduleGridWidgetTest::currentRowFollowsRecordSet_data() {
    QTest::addColumn<int>("topRow");
    QTest::addColumn<int>("newCurrent");
    QTest::addColumn<int>("expectedTop"); // -1: any top that shows the current row
    QTest::newRow("moved current record in view: no scrolling") << 295 << 300 << 295;
    QTest::newRow("moved current record out of view: brought into view") << 100 << 400 << -1;
    QTest::newRow("unchanged current record: a refresh keeps the scroll") << 200 << 0 << 200;
}

void ScheduleGridWidgetTest::currentRowFollowsRecordSet() {
    QFETCH(int, topRow);
    QFETCH(int, newCurrent);
    QFETCH(int, expectedTop);
    FakeSource source(500);
    auto grid = shownGrid(source);
    grid->setFirstVisibleRow(bookmarkOf(topRow));
    source.setCurrentRow(newCurrent); // a find on the record set
    grid->refresh();
    QCOMPARE(rowsOf(*grid)->currentIndex().row(), newCurrent);
    QCOMPARE(grid->currentBookmark(), bookmarkOf(newCurrent));
    if (expectedTop >= 0) {
        QCOMPARE(grid->firstVisibleBookmark(), bookmarkOf(expectedTop));
    } else {
        QVERIFY(grid->currentRow() >= 0);
        QCOMPARE(grid->bookmarkOfVisibleRow(grid->currentRow()), bookmarkOf(newCurrent));
    }
}

void ScheduleGridWidgetTest::recordSetFollowsClickedRow() {
    FakeSource source(500);
    auto grid = shownGrid(source);
    QSignalSpy changes(grid.get(), &ScheduleGridWidget::currentRowChanged);
    grid->setFirstVisibleRow(bookmarkOf(295));
    QTest::mouseClick(rowsOf(*grid)->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 298, 1));
    QCOMPARE(source.currentRow(), 298);
    QCOMPARE(grid->currentRow(), 3);
    QCOMPARE(changes.last().at(0).toInt(), bookmarkOf(298));
}

void ScheduleGridWidgetTest::gridEventsReachTheHandlers() {
    FakeSource source(100);
    auto grid = shownGrid(source);
    grid->setLockedColumns(2);
    QSignalSpy headings(grid.get(), &ScheduleGridWidget::headingClicked);
    QSignalSpy presses(grid.get(), &ScheduleGridWidget::mouseButtonPressed);
    QSignalSpy picks(grid.get(), &ScheduleGridWidget::rowPicked);
    ScheduleGridView *view = rowsOf(*grid);

    QHeaderView *header = view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      {header->sectionViewportPosition(3) + 5, header->height() / 2});
    QCOMPARE(headings.size(), 1);
    QCOMPARE(headings.at(0).at(0).toInt(), 3);

    // A right click in the locked columns reports a position in the rows' coordinates.
    const QPoint inFreq = cellCentre(*grid, 4, 1);
    QTest::mouseClick(view->lockedView()->viewport(), Qt::RightButton, {}, inFreq);
    QCOMPARE(presses.size(), 1);
    QCOMPARE(presses.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(grid->rowAtPosition(presses.at(0).at(3).toInt()), 4);

    source.setCurrentRow(6);
    grid->refresh();
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(picks.size(), 1);
    QCOMPARE(source.currentRow(), 6);
}

// What a listener sees: the caption, and a styled row painted in its set's colour, in the
// locked column as in the others.
void ScheduleGridWidgetTest::paintedRowShowsItsStyleColour() {
    FakeSource source(1000);
    auto grid = shownGrid(source);
    grid->setCaption(QStringLiteral("VAZOdariDATA   1000 Records in ALL Languages"));
    grid->setColumnWidthTwips(0, 0);
    grid->setLockedColumns(2);
    grid->setRowBackColors(0xFFFFFF, 0xFFFFFF);
    grid->addStyleSet(QStringLiteral("OnAir"));
    grid->setStyleSetBackColor(QStringLiteral("\"OnAir\""), 255); // red
    grid->setRowStyler([](int bookmark, GridRowStyle &row) {
        if (bookmark == bookmarkOf(4))
            row.applyToAll(QStringLiteral("\"OnAir\""));
    });
    const QImage image = grid->grab().toImage();
    ScheduleGridView *view = rowsOf(*grid);
    for (const int column : {1, 3}) {
        const QRect cell = view->visualRect(view->model()->index(4, column));
        const QRect plain = view->visualRect(view->model()->index(5, column));
        const QPoint inView = view->viewport()->mapTo(grid.get(), QPoint(0, 0));
        // The right end of a cell is clear of its left-aligned text.
        const QPoint styled = inView + QPoint(cell.right() - 3, cell.center().y());
        const QPoint other = inView + QPoint(plain.right() - 3, plain.center().y());
        QCOMPARE(QColor(image.pixel(styled)), QColor(255, 0, 0));
        QCOMPARE(QColor(image.pixel(other)), QColor(255, 255, 255));
    }
    QCOMPARE(grid->findChild<QLabel *>(QStringLiteral("gridCaption"))->text(),
             QString("VAZOdariDATA   1000 Records in ALL Languages"));
}

// Lock Freq (+ Next): the locked columns must show the rows beside them after every
// operation that moves the grid, redraw off or on.
void ScheduleGridWidgetTest::lockedColumnsShowTheSameRows_data() {
    QTest::addColumn<int>("locked");
    QTest::newRow("lock Freq") << 2;
    QTest::newRow("lock Freq + Next") << 3;
}

void ScheduleGridWidgetTest::lockedColumnsShowTheSameRows() {
    QFETCH(int, locked);
    FakeSource source(1000);
    auto grid = shownGrid(source);
    grid->setColumnWidthTwips(0, 0);
    grid->setLockedColumns(locked);
    ScheduleGridView *view = rowsOf(*grid);
    QTableView *overlay = view->lockedView();
    const auto sameRows = [&](const char *step) {
        QTest::qWait(0);
        QVERIFY2(view->rowAt(0) == overlay->rowAt(0),
                 qPrintable(QStringLiteral("%1: rows %2, locked %3")
                                .arg(step)
                                .arg(view->rowAt(0))
                                .arg(overlay->rowAt(0))));
    };
    // A filter leaves few rows; clearing it brings all back and centres the station.
    source.setRows(40);
    source.setCurrentRow(5);
    grid->refresh();
    sameRows("filtered");
    grid->setRedraw(false);
    source.setRows(1000);
    grid->refresh();
    source.setCurrentRow(600);
    grid->setFirstVisibleRow(bookmarkOf(600 - 5));
    grid->setRedraw(true);
    sameRows("filter cleared");
    QCOMPARE(grid->firstVisibleBookmark(), bookmarkOf(595));
    grid->scrollRows(3);
    sameRows("wheel");
    QCOMPARE(grid->firstVisibleBookmark(), bookmarkOf(598));
    source.setRows(700);
    grid->refresh();
    sameRows("fewer rows");
    grid->setFirstVisibleRow(bookmarkOf(20));
    sameRows("back near the top");
    QCOMPARE(grid->firstVisibleBookmark(), bookmarkOf(20));
}

QTEST_MAIN(ScheduleGridWidgetTest)
#include "ScheduleGridWidget_test.moc"
