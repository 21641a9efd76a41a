#pragma once

#include "app/ScreenUnitsUi.h"
#include "mainwindow/GridSource.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringList>

#include <functional>
#include <optional>

namespace mainwindow {

// Colours are stored as red + 256 * green + 65536 * blue.
using app::colorFromRgb24;
using app::rgb24FromColor;

// A named cell look; unset parts leave the grid's own look.
struct GridStyleSet {
    std::optional<QColor> fore;
    std::optional<QColor> back;
    std::optional<bool> bold;
};

// The style-set names the row-styling handler gives the cells of the row being painted.
class GridRowStyle {
public:
    explicit GridRowStyle(int columnCount) : m_cells(columnCount) {}

    void applyToCell(int column, const QString &styleSet);
    void applyToAll(const QString &styleSet);
    QString styleSetOf(int column) const;
    int columnCount() const { return int(m_cells.size()); }

private:
    QStringList m_cells;
};

// Called while a row is painted, with the row's bookmark.
using GridRowStyler = std::function<void(int bookmark, GridRowStyle &row)>;

// The grid's model over a GridSource. Reads cells on demand, so painting costs only the
// visible rows; row styles are computed once per painted row and kept until the next refresh.
class ScheduleGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ScheduleGridModel(GridSource &source, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    GridSource &source() const { return m_source; }
    QString fieldName(int column) const { return m_columns.value(column); }

    void rebuildColumns();
    // Takes over the source's row count and forgets row styles; the cells repaint.
    void reloadRows();
    void forgetRowStyles();

    // Names are matched ignoring letter case and one pair of enclosing double quotes.
    static QString styleSetKey(const QString &name);
    void addStyleSet(const QString &name);
    void removeAllStyleSets();
    bool hasStyleSet(const QString &name) const;
    GridStyleSet *styleSet(const QString &name);

    void setRowStyler(GridRowStyler styler);
    void setRowBackColors(std::optional<QColor> even, std::optional<QColor> odd);
    void setBaseFont(const QFont &font);
    void setToolTips(bool on) { m_toolTips = on; }
    bool toolTips() const { return m_toolTips; }

private:
    const QStringList &rowStyle(int row) const;
    const GridStyleSet *cellStyle(const QModelIndex &index) const;
    QVariant backgroundOf(const QModelIndex &index) const;
    QVariant fontOf(const QModelIndex &index) const;
    bool isReadable(const QModelIndex &index) const;

    GridSource &m_source;
    QStringList m_columns;
    int m_rowCount = 0;
    QHash<QString, GridStyleSet> m_styleSets;
    GridRowStyler m_styler;
    mutable QHash<int, QStringList> m_rowStyles;
    std::optional<QColor> m_evenBack;
    std::optional<QColor> m_oddBack;
    std::optional<QColor> m_plainFore;
    QFont m_font;
    bool m_toolTips = false;
};

} // namespace mainwindow
