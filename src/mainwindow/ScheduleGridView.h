#pragma once

#include <QTableView>

namespace mainwindow {

// The grid's table: rows scroll one whole row at a time, and the leftmost columns can be
// locked, drawn by an overlay table that stays put while the rows scroll sideways.
class ScheduleGridView : public QTableView {
    Q_OBJECT
public:
    explicit ScheduleGridView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // Columns counted from the left, hidden ones included; 0 locks none.
    void setLockedColumns(int count);
    int lockedColumns() const { return m_lockedCount; }
    QTableView *lockedView() const { return m_locked; }

    // A width of 0 hides the column.
    void setColumnWidthPixels(int column, int pixels);
    int columnWidthPixels(int column) const;

    void setRowHeight(int pixels);
    void setSelectionKind(SelectionMode mode);

    // First row wholly in view, -1 without rows.
    int firstVisibleRow() const;
    // Rows that fit whole into the viewport.
    int rowsThatFit() const;

    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    // Lays out the rows now, the locked overlay first when it is shown: both views' scroll
    // ranges must know the current row count before a scroll, or one would clamp the other.
    void layOutRows();

protected:
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setUpLockedView();
    void syncLockedColumns();
    void updateLockedGeometry();
    void syncLockedRows();
    void followRows(int value);
    void followLockedRows(int value);
    int lockedWidth() const;
    QList<int> scrollingColumns() const;
    int offsetOfStep(int step) const;
    int stepShowing(int column, int step) const;
    void updateSidewaysRange();
    bool isLocked(int column) const { return column < m_lockedCount; }

    QTableView *m_locked;
    int m_lockedCount = 0;
    bool m_syncingRows = false;
};

} // namespace mainwindow
