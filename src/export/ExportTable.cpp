#include "export/ExportTable.h"

namespace exporting {

namespace {

// The record key is the program's, not the listener's: it is never exported.
bool exported(const GridColumn &column) {
    return column.widthChars > 0 &&
           column.fieldName.compare(QLatin1String("StationID"), Qt::CaseInsensitive) != 0;
}

} // namespace

ExportTable::ExportTable(QString caption, const QList<GridColumn> &gridColumns,
                         QList<int> bookmarks, CellReader reader)
    : m_caption(std::move(caption)), m_bookmarks(std::move(bookmarks)),
      m_reader(std::move(reader)) {
    for (const GridColumn &column : gridColumns)
        if (exported(column))
            m_columns << column;
}

ExportTable ExportTable::fromPort(const ExportPort &port, RowScope scope) {
    return ExportTable(
        port.caption(), port.displayedColumns(), port.rowBookmarks(scope),
        [&port](int gridColumn, int bookmark) { return port.cellValue(gridColumn, bookmark); });
}

jet::Cell ExportTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return jet::Cell::null();
    return m_reader(m_columns[column].gridColumn, m_bookmarks[row]);
}

} // namespace exporting
