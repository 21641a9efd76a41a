#include "mainwindow/ScheduleGridWidget.h"

#include "app/ScreenUnitsUi.h"
#include "mainwindow/ScheduleGridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <set>

namespace mainwindow {

namespace {
constexpr double twipsPerInch = 1440.0;
// Room above and below the text of a row.
constexpr int rowPadding = 4;
} // namespace

ScheduleGridWidget::ScheduleGridWidget(GridSource &source, QWidget *parent)
    : QWidget(parent), m_source(source), m_caption(new QLabel(this)),
      m_model(new ScheduleGridModel(source, this)), m_view(new ScheduleGridView(this)) {
    m_caption->setObjectName(QStringLiteral("gridCaption"));
    m_view->setObjectName(QStringLiteral("scheduleRows"));
    m_view->setAccessibleName(QStringLiteral("Schedule"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_view, 1);

    m_view->setModel(m_model);
    m_view->setSelectionKind(QAbstractItemView::SingleSelection);
    applyFont(m_view->font());
    connectView(m_view);
    connectView(m_view->lockedView());
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { onCurrentChanged(current); });
    rebuildColumns();
}

void ScheduleGridWidget::connectView(QTableView *view) {
    connect(view, &QAbstractItemView::clicked, this, &ScheduleGridWidget::rowPicked);
    connect(view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &ScheduleGridWidget::headingClicked);
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
}

bool ScheduleGridWidget::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit rowPicked();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == m_view->viewport() || watched == m_view->lockedView()->viewport())) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint inGrid =
            static_cast<QWidget *>(watched)->mapTo(this, mouse->position().toPoint());
        const QPoint inRows = m_view->viewport()->mapFrom(this, inGrid);
        emit mouseButtonPressed(mouse->button(), mouse->modifiers(), inRows.x(), inRows.y());
    }
    return QWidget::eventFilter(watched, event);
}

void ScheduleGridWidget::setCaption(const QString &text) {
    m_caption->setText(text);
    m_view->setAccessibleDescription(text);
}

QString ScheduleGridWidget::caption() const {
    return m_caption->text();
}

void ScheduleGridWidget::setRedraw(bool on) {
    m_redraw = on;
    m_view->setUpdatesEnabled(on);
    if (on) {
        followSourceCurrent(true);
        repaintRows();
    }
}

void ScheduleGridWidget::refresh() {
    m_model->reloadRows();
    followSourceCurrent(true);
    repaintRows();
    emit refreshed();
}

void ScheduleGridWidget::repaintRows() {
    m_view->viewport()->update();
    m_view->lockedView()->viewport()->update();
}

void ScheduleGridWidget::onCurrentChanged(const QModelIndex &current) {
    if (!current.isValid())
        return;
    if (!m_followingSource)
        m_source.setCurrentRow(current.row());
    emit currentRowChanged(m_source.bookmarkAt(current.row()));
}

int ScheduleGridWidget::visibleColumnForCurrent() const {
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid() && !m_view->isColumnHidden(current.column()))
        return current.column();
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (!m_view->isColumnHidden(column))
            return column;
    return 0;
}

void ScheduleGridWidget::followSourceCurrent(bool bringIntoView) {
    const int row = m_source.currentRow();
    // A current cell in a column hidden since (StationID) would stop the arrow keys.
    const QModelIndex was = m_view->currentIndex();
    if (row < 0 || row >= m_model->rowCount() || m_model->columnCount() == 0 ||
        (was.row() == row && !m_view->isColumnHidden(was.column())))
        return;
    // Scrolling is decided here, not by the views' own auto-scrolling.
    QTableView *locked = m_view->lockedView();
    const bool autoScroll = m_view->hasAutoScroll();
    m_view->setAutoScroll(false);
    locked->setAutoScroll(false);
    m_followingSource = true;
    const QModelIndex current = m_model->index(row, visibleColumnForCurrent());
    m_view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    m_followingSource = false;
    m_view->setAutoScroll(autoScroll);
    locked->setAutoScroll(autoScroll);
    if (bringIntoView) {
        m_view->doItemsLayout();
        m_view->scrollTo(current);
    }
}

int ScheduleGridWidget::rowCount() const {
    return m_model->rowCount();
}

int ScheduleGridWidget::visibleRowCount() const {
    const int first = m_view->firstVisibleRow();
    if (first < 0)
        return 0;
    return qMin(m_view->rowsThatFit(), m_model->rowCount() - first);
}

int ScheduleGridWidget::currentRow() const {
    const int row = m_source.currentRow();
    const int first = m_view->firstVisibleRow();
    if (row < 0 || first < 0 || row < first || row >= first + visibleRowCount())
        return -1;
    return row - first;
}

int ScheduleGridWidget::currentBookmark() const {
    return m_source.bookmarkAt(m_source.currentRow());
}

int ScheduleGridWidget::bookmarkOfVisibleRow(int index) const {
    if (index < 0 || index >= visibleRowCount())
        return -1;
    return m_source.bookmarkAt(m_view->firstVisibleRow() + index);
}

int ScheduleGridWidget::bookmarkAt(int row) const {
    return m_source.bookmarkAt(row);
}

int ScheduleGridWidget::bookmarkAtOffset(int offset) const {
    const int count = m_model->rowCount();
    if (count == 0)
        return -1;
    const int from = qMax(0, m_source.currentRow());
    const qint64 target = std::clamp<qint64>(qint64(from) + offset, 0, count - 1);
    return m_source.bookmarkAt(int(target));
}

int ScheduleGridWidget::rowAtPosition(int y) const {
    const int row = m_view->rowAt(y);
    return row < 0 ? -1 : row - m_view->firstVisibleRow();
}

int ScheduleGridWidget::firstVisibleBookmark() const {
    return m_source.bookmarkAt(m_view->firstVisibleRow());
}

void ScheduleGridWidget::setFirstVisibleRow(int bookmark) {
    const int row = m_source.positionOf(bookmark);
    if (row < 0)
        return;
    m_view->layOutRows();
    m_view->verticalScrollBar()->setValue(row);
    followSourceCurrent(false);
}

void ScheduleGridWidget::scrollRows(int count) {
    m_view->doItemsLayout();
    QScrollBar *bar = m_view->verticalScrollBar();
    bar->setValue(bar->value() + count);
}

int ScheduleGridWidget::columnCount() const {
    return m_model->columnCount();
}

QString ScheduleGridWidget::columnFieldName(int column) const {
    return m_model->fieldName(column);
}

int ScheduleGridWidget::twipsToPixels(int twips) const {
    return app::twipsToPixels(twips, this);
}

int ScheduleGridWidget::pixelsToTwips(int pixels) const {
    return int(std::lround(app::pixelsToTwips(pixels, this)));
}

int ScheduleGridWidget::columnWidthTwips(int column) const {
    return pixelsToTwips(m_view->columnWidthPixels(column));
}

void ScheduleGridWidget::setColumnWidthTwips(int column, int twips) {
    if (column >= 0 && column < columnCount())
        m_view->setColumnWidthPixels(column, twipsToPixels(twips));
}

jet::Cell ScheduleGridWidget::cellValue(int column, int bookmark) const {
    const int row = m_source.positionOf(bookmark);
    if (row < 0 || column < 0 || column >= m_source.fieldCount())
        return jet::Cell::null();
    return m_source.cellValue(row, column);
}

QString ScheduleGridWidget::cellText(int column, int bookmark) const {
    return jet::displayText(cellValue(column, bookmark));
}

void ScheduleGridWidget::rebuildColumns() {
    m_model->rebuildColumns();
    followSourceCurrent(true);
}

void ScheduleGridWidget::resetLayout() {
    m_model->removeAllStyleSets();
    m_model->setRowBackColors(std::nullopt, std::nullopt);
    const int defaultWidth = m_view->horizontalHeader()->defaultSectionSize();
    for (int column = 0; column < columnCount(); ++column)
        m_view->setColumnWidthPixels(column, defaultWidth);
    m_model->forgetRowStyles();
}

void ScheduleGridWidget::addStyleSet(const QString &name) {
    m_model->addStyleSet(name);
}

void ScheduleGridWidget::removeAllStyleSets() {
    m_model->removeAllStyleSets();
    repaintRows();
}

void ScheduleGridWidget::setStyleSetForeColor(const QString &name, int rgb24) {
    if (GridStyleSet *set = m_model->styleSet(name))
        set->fore = colorFromRgb24(rgb24);
    repaintRows();
}

void ScheduleGridWidget::setStyleSetBackColor(const QString &name, int rgb24) {
    if (GridStyleSet *set = m_model->styleSet(name))
        set->back = colorFromRgb24(rgb24);
    repaintRows();
}

void ScheduleGridWidget::setStyleSetBold(const QString &name, bool bold) {
    if (GridStyleSet *set = m_model->styleSet(name))
        set->bold = bold;
    repaintRows();
}

void ScheduleGridWidget::setRowStyler(GridRowStyler styler) {
    m_model->setRowStyler(std::move(styler));
}

void ScheduleGridWidget::setRowBackColors(int evenRgb24, int oddRgb24) {
    m_model->setRowBackColors(colorFromRgb24(evenRgb24), colorFromRgb24(oddRgb24));
    repaintRows();
}

void ScheduleGridWidget::clearFindMarking() {
    m_model->forgetRowStyles();
    repaintRows();
}

void ScheduleGridWidget::resetRows() {
    m_model->reloadRows();
    followSourceCurrent(true);
}

void ScheduleGridWidget::resetSelection() {
    clearSelection();
}

void ScheduleGridWidget::setLockedColumns(int count) {
    m_view->setLockedColumns(count);
}

int ScheduleGridWidget::lockedColumns() const {
    return m_view->lockedColumns();
}

void ScheduleGridWidget::setRowSelectionKind(int kind) {
    static const QAbstractItemView::SelectionMode modes[] = {
        QAbstractItemView::NoSelection, QAbstractItemView::SingleSelection,
        QAbstractItemView::MultiSelection, QAbstractItemView::ContiguousSelection};
    if (kind < 0 || kind > 3)
        return;
    m_selectionKind = kind;
    clearSelection();
    m_view->setSelectionKind(modes[kind]);
}

void ScheduleGridWidget::clearSelection() {
    m_view->selectionModel()->clearSelection();
}

QList<int> ScheduleGridWidget::selectedBookmarks() const {
    std::set<int> rows;
    for (const QItemSelectionRange &range : m_view->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.insert(row);
    QList<int> bookmarks;
    for (int row : rows)
        bookmarks << m_source.bookmarkAt(row);
    return bookmarks;
}

int ScheduleGridWidget::selectedCount() const {
    return int(selectedBookmarks().size());
}

void ScheduleGridWidget::setToolTipsEnabled(bool on) {
    m_model->setToolTips(on);
}

bool ScheduleGridWidget::toolTipsEnabled() const {
    return m_model->toolTips();
}

void ScheduleGridWidget::setGridFont(const QString &name, int pointSize) {
    QFont font = m_view->font();
    font.setFamily(name);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    applyFont(font);
}

void ScheduleGridWidget::setFontBold(bool bold) {
    QFont font = m_view->font();
    font.setBold(bold);
    applyFont(font);
}

void ScheduleGridWidget::applyFont(const QFont &font) {
    m_view->setFont(font);
    m_model->setBaseFont(font);
    m_view->setRowHeight(QFontMetrics(font).height() + rowPadding);
    repaintRows();
}

QString ScheduleGridWidget::fontName() const {
    return m_view->font().family();
}

int ScheduleGridWidget::fontSize() const {
    return m_view->font().pointSize();
}

bool ScheduleGridWidget::fontBold() const {
    return m_view->font().bold();
}

} // namespace mainwindow
