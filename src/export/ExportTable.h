#pragma once

#include "export/ExportPort.h"

#include <functional>

namespace exporting {

// What an export or a printout shows: the grid's shown columns in their order (StationID and
// hidden columns left out), the rows in the grid's order, the grid caption.
class ExportTable {
public:
    using CellReader = std::function<jet::Cell(int gridColumn, int bookmark)>;

    ExportTable(QString caption, const QList<GridColumn> &gridColumns, QList<int> bookmarks,
                CellReader reader);
    // The chosen rows of the port's grid.
    static ExportTable fromPort(const ExportPort &port, RowScope scope);

    const QString &caption() const { return m_caption; }
    const QList<GridColumn> &columns() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return int(m_bookmarks.size()); }
    jet::Cell cell(int row, int column) const;
    QString text(int row, int column) const { return jet::displayText(cell(row, column)); }

private:
    QString m_caption;
    QList<GridColumn> m_columns;
    QList<int> m_bookmarks;
    CellReader m_reader;
};

} // namespace exporting
