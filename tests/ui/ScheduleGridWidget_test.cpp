#include "app/PlainCellDelegateUi.h"
#include "mainwindow/ScheduleGridView.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "support/TestSupport.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QStandardItemModel>
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

private:
    int m_rows;
    int m_fields;
    int m_current = 0;
};

int bookmarkOf(int row) {
    return row * 7 + 3;
}

std::unique_ptr<ScheduleGridWidget> shownGrid(FakeSource &source, QSize size = {600, 300}) {
    auto grid = std::make_unique<ScheduleGridWidget>(source);
    grid->resize(size);
    grid->show();
    if (!QTest::qWaitForWindowExposed(grid.get()))
        QTest::qFail("the grid window never appeared", __FILE__, __LINE__);
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
    void firstVisibleRowMatchesScrollPosition_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("topRow");
        QTest::addColumn<bool>("lastPage"); // the top cannot go below the last full page
        addRow("first row", 1000, 0, false);
        addRow("middle row", 1000, 500, false);
        addRow("row near the end shows the last full page", 1000, 998, true);
        addRow("fewer rows than fit stay at the top", 3, 2, true);
    }

    void firstVisibleRowMatchesScrollPosition() {
        QFETCH(int, rows);
        QFETCH(int, topRow);
        QFETCH(bool, lastPage);
        FakeSource source(rows);
        auto grid = shownGrid(source);
        grid->setFirstVisibleRow(bookmarkOf(topRow));
        const int fit = rowsOf(*grid)->viewport()->height() /
                        rowsOf(*grid)->verticalHeader()->defaultSectionSize();
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

    void lockedColumnsStayInViewWhenScrolledSideways_data() {
        QTest::addColumn<int>("locked");
        QTest::addColumn<int>("firstScrolling");
        addRow("lock Freq", 2, 2);
        addRow("lock Freq + Next: no column half under Station", 3, 3);
    }

    // Each click on the scroll bar's arrow brings the next column whole beside the locked ones,
    // and the last click shows the last column whole.
    void lockedColumnsStayInViewWhenScrolledSideways() {
        QFETCH(int, locked);
        QFETCH(int, firstScrolling);
        FakeSource source(200, 12);
        auto grid = shownGrid(source, {500, 300});
        grid->rebuildColumns();
        for (int column = 0; column < grid->columnCount(); ++column)
            grid->setColumnWidthTwips(column, column == 0 ? 0 : 1500 + 150 * column);
        grid->setLockedColumns(locked);
        ScheduleGridView *view = rowsOf(*grid);
        QTableView *overlay = view->lockedView();
        QVERIFY(overlay->isVisible());
        QScrollBar *sideways = view->horizontalScrollBar();
        for (int click = 0; click <= sideways->maximum(); ++click) {
            QCOMPARE(view->columnViewportPosition(firstScrolling + click), overlay->width());
            for (int column = locked; column < grid->columnCount(); ++column) {
                const int x = view->columnViewportPosition(column);
                QVERIFY2(
                    x + view->columnWidth(column) <= overlay->width() || x >= overlay->width(),
                    qPrintable(QStringLiteral("column %1 half under the locked ones").arg(column)));
            }
            sideways->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
        const int last = grid->columnCount() - 1;
        QVERIFY(view->columnViewportPosition(last) + view->columnWidth(last) <=
                view->viewport()->width());
        for (int column = 1; column < locked; ++column)
            QCOMPARE(overlay->columnViewportPosition(column), view->columnWidth(1) * (column - 1));
        view->setCurrentIndex(view->model()->index(0, locked)); // arrow keys back to the left
        QCOMPARE(view->columnViewportPosition(locked), overlay->width());
    }

    void rowSelectionKinds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("clickedRows");
        QTest::addColumn<QList<int>>("modifiers"); // per click
        QTest::addColumn<QList<int>>("selectedRows");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier;
        addRow("single: a second click replaces the first", 1, QList<int>{2, 5},
               QList<int>{none, none}, QList<int>{5});
        addRow("multi: each click adds a row", 2, QList<int>{2, 5, 7}, QList<int>{none, none, none},
               QList<int>{2, 5, 7});
        addRow("contiguous: shift-click selects the range", 3, QList<int>{2, 5},
               QList<int>{none, shift}, QList<int>{2, 3, 4, 5});
        addRow("contiguous: a plain click starts a new range", 3, QList<int>{2, 5, 7},
               QList<int>{none, shift, none}, QList<int>{7});
    }

    void rowSelectionKinds() {
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

    void currentRowFollowsRecordSet_data() {
        QTest::addColumn<int>("topRow");
        QTest::addColumn<int>("newCurrent");
        QTest::addColumn<int>("expectedTop"); // -1: any top that shows the current row
        addRow("moved current record in view: no scrolling", 295, 300, 295);
        addRow("moved current record out of view: brought into view", 100, 400, -1);
        addRow("unchanged current record: a refresh keeps the scroll", 200, 0, 200);
    }

    void currentRowFollowsRecordSet() {
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

    void recordSetFollowsClickedRow() {
        FakeSource source(500);
        auto grid = shownGrid(source);
        QSignalSpy changes(grid.get(), &ScheduleGridWidget::currentRowChanged);
        grid->setFirstVisibleRow(bookmarkOf(295));
        QTest::mouseClick(rowsOf(*grid)->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 298, 1));
        QCOMPARE(source.currentRow(), 298);
        QCOMPARE(grid->currentRow(), 3);
        QCOMPARE(changes.last().at(0).toInt(), bookmarkOf(298));
    }

    void gridEventsReachTheHandlers() {
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
    void paintedRowShowsItsStyleColour() {
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
    void lockedColumnsShowTheSameRows_data() {
        QTest::addColumn<int>("locked");
        addRow("lock Freq", 2);
        addRow("lock Freq + Next", 3);
    }

    void lockedColumnsShowTheSameRows() {
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

    // Cells of 100 px on a 200 px strip: where the text's ink falls.
    void plainCellText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("inkFrom"); // ink only within [inkFrom, 100)
        QTest::newRow("a long value is cut at the cell's edge") << QString(40, u'W') << 0 << 0;
        QTest::newRow("right alignment from the model") << "12" << int(Qt::AlignRight) << 50;
    }
    void plainCellText() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        QFETCH(int, inkFrom);
        QStandardItemModel model(1, 1);
        model.setData(model.index(0, 0), text);
        if (alignment)
            model.setData(model.index(0, 0), alignment, Qt::TextAlignmentRole);
        QImage strip(200, 20, QImage::Format_RGB32);
        strip.fill(Qt::white);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 100, 20);
        option.palette.setColor(QPalette::Text, Qt::black);
        QPainter painter(&strip);
        app::PlainCellDelegate().paint(&painter, option, model.index(0, 0));
        painter.end();
        auto inkIn = [&strip](int from, int to) {
            for (int x = from; x < to; ++x)
                for (int y = 0; y < strip.height(); ++y)
                    if (strip.pixel(x, y) != qRgb(255, 255, 255))
                        return true;
            return false;
        };
        QVERIFY(inkIn(inkFrom, 100));
        QVERIFY(!inkIn(0, inkFrom));
        QVERIFY(!inkIn(100, 200));
    }
};

QTEST_MAIN(ScheduleGridWidgetTest)
#include "ScheduleGridWidget_test.moc"
