#include "mainwindow/ScheduleGridView.h"

#include "app/PlainCellDelegateUi.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace mainwindow {

ScheduleGridView::ScheduleGridView(QWidget *parent)
    : QTableView(parent), m_locked(new QTableView(this)) {
    setItemDelegate(new app::PlainCellDelegate(this));
    m_locked->setItemDelegate(new app::PlainCellDelegate(m_locked));
    setVerticalScrollMode(ScrollPerItem);
    // Sideways by whole columns: the first one shown starts right of the locked ones.
    setHorizontalScrollMode(ScrollPerItem);
    setSelectionBehavior(SelectRows);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab leaves the grid; the arrows move within it
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    setUpLockedView();
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &ScheduleGridView::syncLockedColumns);
}

void ScheduleGridView::setUpLockedView() {
    m_locked->setObjectName(QStringLiteral("lockedColumnsView"));
    m_locked->setFocusPolicy(Qt::NoFocus);
    m_locked->setFrameShape(QFrame::NoFrame);
    m_locked->verticalHeader()->hide();
    m_locked->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_locked->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_locked->horizontalHeader()->setSectionsClickable(true);
    m_locked->horizontalHeader()->setHighlightSections(false);
    m_locked->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_locked->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_locked->setVerticalScrollMode(ScrollPerItem);
    m_locked->setSelectionBehavior(SelectRows);
    m_locked->setWordWrap(false);
    m_locked->hide();
    viewport()->stackUnder(m_locked);
    connect(m_locked->verticalScrollBar(), &QAbstractSlider::valueChanged, this,
            &ScheduleGridView::followLockedRows);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, this,
            &ScheduleGridView::followRows);
    connect(verticalScrollBar(), &QAbstractSlider::rangeChanged, this,
            &ScheduleGridView::syncLockedRows);
}

// A scroll within an unchanged range needs no new layout of the overlay, only its position.
void ScheduleGridView::followRows(int value) {
    if (m_syncingRows || m_locked->isHidden())
        return;
    if (m_locked->verticalScrollBar()->maximum() != verticalScrollBar()->maximum()) {
        syncLockedRows();
        return;
    }
    m_syncingRows = true;
    m_locked->verticalScrollBar()->setValue(value);
    m_syncingRows = false;
}

// A hidden overlay lays out in its own time: its scroll range then says nothing of the rows'
// and must not clamp them.
void ScheduleGridView::followLockedRows(int value) {
    if (!m_locked->isHidden())
        verticalScrollBar()->setValue(value);
}

void ScheduleGridView::layOutRows() {
    if (!m_locked->isHidden())
        m_locked->doItemsLayout();
    doItemsLayout();
}

void ScheduleGridView::syncLockedRows() {
    // The overlay lays out lazily: with a stale scroll range it would stop short of the rows'
    // position (and pull the rows back to it), showing other rows beside them.
    if (m_syncingRows || m_locked->isHidden())
        return;
    m_syncingRows = true;
    m_locked->doItemsLayout();
    m_locked->verticalScrollBar()->setRange(verticalScrollBar()->minimum(),
                                            verticalScrollBar()->maximum());
    m_locked->verticalScrollBar()->setValue(verticalScrollBar()->value());
    m_syncingRows = false;
}

void ScheduleGridView::setModel(QAbstractItemModel *model) {
    QTableView::setModel(model);
    m_locked->setModel(model);
    m_locked->setSelectionModel(selectionModel());
    // A reset brings back default column widths; the overlay follows the rows' columns.
    connect(model, &QAbstractItemModel::modelReset, this, &ScheduleGridView::syncLockedColumns);
    syncLockedColumns();
}

void ScheduleGridView::setLockedColumns(int count) {
    m_lockedCount = qMax(0, count);
    syncLockedColumns();
}

void ScheduleGridView::setColumnWidthPixels(int column, int pixels) {
    setColumnHidden(column, pixels <= 0);
    if (pixels > 0)
        setColumnWidth(column, pixels);
    syncLockedColumns();
}

int ScheduleGridView::columnWidthPixels(int column) const {
    return isColumnHidden(column) ? 0 : columnWidth(column);
}

void ScheduleGridView::setRowHeight(int pixels) {
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(pixels);
    m_locked->verticalHeader()->setMinimumSectionSize(1);
    m_locked->verticalHeader()->setDefaultSectionSize(pixels);
    updateLockedGeometry();
}

void ScheduleGridView::setSelectionKind(SelectionMode mode) {
    setSelectionMode(mode);
    m_locked->setSelectionMode(mode);
}

int ScheduleGridView::firstVisibleRow() const {
    if (!model() || model()->rowCount() == 0)
        return -1;
    // On the last page the rows sit flush with the bottom, so the top one may be cut off.
    const int top = qMax(0, rowAt(0));
    return rowViewportPosition(top) < 0 && top + 1 < model()->rowCount() ? top + 1 : top;
}

int ScheduleGridView::rowsThatFit() const {
    const int rowHeight = verticalHeader()->defaultSectionSize();
    return rowHeight > 0 ? viewport()->height() / rowHeight : 0;
}

void ScheduleGridView::syncLockedColumns() {
    if (!model())
        return;
    for (int column = 0; column < model()->columnCount(); ++column) {
        const bool shown = isLocked(column) && !isColumnHidden(column);
        m_locked->setColumnHidden(column, !shown);
        if (shown)
            m_locked->setColumnWidth(column, columnWidth(column));
    }
    m_locked->setVisible(lockedWidth() > 0);
    updateSidewaysRange();
    updateLockedGeometry();
    syncLockedRows();
}

int ScheduleGridView::lockedWidth() const {
    if (!model())
        return 0;
    int width = 0;
    for (int column = 0; column < qMin(m_lockedCount, model()->columnCount()); ++column)
        if (!isColumnHidden(column))
            width += columnWidth(column);
    return width;
}

void ScheduleGridView::updateLockedGeometry() {
    const int headerWidth = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    m_locked->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_locked->setGeometry(headerWidth + frameWidth(), frameWidth(), lockedWidth(),
                          viewport()->height() + horizontalHeader()->height());
}

void ScheduleGridView::updateGeometries() {
    QTableView::updateGeometries();
    updateSidewaysRange();
    updateLockedGeometry();
    syncLockedRows();
}

void ScheduleGridView::scrollTo(const QModelIndex &index, ScrollHint hint) {
    // A locked column is always in view: scroll rows only, keep the sideways position.
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(
        isLocked(index.column()) ? sideways : stepShowing(index.column(), sideways));
}

QList<int> ScheduleGridView::scrollingColumns() const {
    QList<int> columns;
    for (int column = m_lockedCount; model() && column < model()->columnCount(); ++column)
        if (!isColumnHidden(column))
            columns << column;
    return columns;
}

int ScheduleGridView::offsetOfStep(int step) const {
    const QList<int> columns = scrollingColumns();
    if (step <= 0 || columns.isEmpty())
        return 0;
    return horizontalHeader()->sectionPosition(columns[qMin(step, int(columns.size()) - 1)]) -
           lockedWidth();
}

int ScheduleGridView::stepShowing(int column, int step) const {
    const int wanted = int(scrollingColumns().indexOf(column));
    if (wanted < 0)
        return step;
    if (wanted <= step)
        return wanted;
    const int right = horizontalHeader()->sectionPosition(column) + columnWidth(column);
    while (step < wanted && right - offsetOfStep(step) > viewport()->width())
        ++step;
    return step;
}

// One step of the scroll bar is one column; the last step shows the last columns whole.
void ScheduleGridView::updateSidewaysRange() {
    const QList<int> columns = scrollingColumns();
    const int room = viewport()->width() - lockedWidth();
    int fit = 0;
    int width = 0;
    for (int i = int(columns.size()) - 1; i >= 0; --i) {
        width += columnWidth(columns[i]);
        if (width > room)
            break;
        ++fit;
    }
    fit = qMax(fit, 1);
    QScrollBar *bar = horizontalScrollBar();
    bar->setRange(0, qMax(0, int(columns.size()) - fit));
    bar->setPageStep(fit);
    bar->setSingleStep(1);
    horizontalHeader()->setOffset(offsetOfStep(bar->value()));
}

// The locked columns are the overlay's to paint: the cells beneath it are not painted twice.
void ScheduleGridView::paintEvent(QPaintEvent *event) {
    const QRegion uncovered =
        event->region() -
        QRect(0, 0, m_locked->isVisible() ? lockedWidth() : 0, viewport()->height());
    if (uncovered.isEmpty())
        return;
    QPaintEvent rest(uncovered);
    QTableView::paintEvent(&rest);
}

void ScheduleGridView::scrollContentsBy(int dx, int dy) {
    if (dx != 0) {
        horizontalHeader()->setOffset(offsetOfStep(horizontalScrollBar()->value()));
        viewport()->update();
    }
    if (dy != 0)
        QTableView::scrollContentsBy(0, dy);
}

} // namespace mainwindow
