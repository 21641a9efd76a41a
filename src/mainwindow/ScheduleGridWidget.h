#pragma once

#include "mainwindow/GridSource.h"
#include "mainwindow/ScheduleGridModel.h"

#include <QWidget>

class QLabel;
class QTableView;

namespace mainwindow {

class ScheduleGridView;

// The schedule grid: a caption over the rows of a GridSource. Its current row follows the
// source's current record (at refresh, redraw on, the resets and re-positioning) and the
// other way round. Rows are addressed by bookmark; vertical
// positions are in the coordinates of the rows area (as reported by mouseButtonPressed).
class ScheduleGridWidget : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleGridWidget(GridSource &source, QWidget *parent = nullptr);

    void setCaption(const QString &text);
    QString caption() const;

    // Off suspends painting; scrolling and re-positioning still work in between.
    void setRedraw(bool on);
    bool redraw() const { return m_redraw; }
    // Takes over the source's rows and current record, and repaints (restyling every row).
    void refresh();

    int rowCount() const;
    int visibleRowCount() const;
    int currentRow() const; // among the visible rows; -1 when out of view or none
    int currentBookmark() const;
    int bookmarkOfVisibleRow(int index) const;
    int bookmarkAt(int row) const;          // among all rows in grid order; -1 outside them
    int bookmarkAtOffset(int offset) const; // from the current row, kept within the rows
    int rowAtPosition(int y) const;         // among the visible rows; -1 below the last
    int firstVisibleBookmark() const;
    void setFirstVisibleRow(int bookmark);
    void scrollRows(int count);

    int columnCount() const;
    QString columnFieldName(int column) const;
    int columnWidthTwips(int column) const;
    void setColumnWidthTwips(int column, int twips); // 0 hides the column
    jet::Cell cellValue(int column, int bookmark) const;
    QString cellText(int column, int bookmark) const;
    void rebuildColumns();
    // Drops the style sets and row colours and gives the columns their default widths.
    void resetLayout();

    // Style-set names may be given enclosed in double quotes; letter case does not matter.
    void addStyleSet(const QString &name);
    void removeAllStyleSets();
    void setStyleSetForeColor(const QString &name, int rgb24);
    void setStyleSetBackColor(const QString &name, int rgb24);
    void setStyleSetBold(const QString &name, bool bold);
    void setRowStyler(GridRowStyler styler);
    void setRowBackColors(int evenRgb24, int oddRgb24);
    void clearFindMarking();

    // Called before re-positioning: re-read the rows, and drop the selection.
    void resetRows();
    void resetSelection();

    void setLockedColumns(int count);
    int lockedColumns() const;
    // 1 single record, 2 several records one click each, 3 a contiguous range.
    void setRowSelectionKind(int kind);
    int rowSelectionKind() const { return m_selectionKind; }
    void clearSelection();
    QList<int> selectedBookmarks() const;
    int selectedCount() const;

    void setToolTipsEnabled(bool on);
    bool toolTipsEnabled() const;

    void setGridFont(const QString &name, int pointSize);
    void setFontBold(bool bold);
    QString fontName() const;
    int fontSize() const;
    bool fontBold() const;

signals:
    void rowPicked();
    void headingClicked(int column);
    void mouseButtonPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void currentRowChanged(int bookmark);
    void refreshed(); // after refresh(): the rows may be new

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectView(QTableView *view);
    void onCurrentChanged(const QModelIndex &current);
    // A moved current record becomes the current row, brought into view when asked.
    void followSourceCurrent(bool bringIntoView);
    void applyFont(const QFont &font);
    void repaintRows();
    int twipsToPixels(int twips) const;
    int pixelsToTwips(int pixels) const;
    int visibleColumnForCurrent() const;

    GridSource &m_source;
    QLabel *m_caption;
    ScheduleGridModel *m_model;
    ScheduleGridView *m_view;
    bool m_redraw = true;
    bool m_followingSource = false;
    int m_selectionKind = 1;
};

} // namespace mainwindow
