#include "mainwindow/GridRecordSetView.h"

namespace mainwindow {

int GridRecordSetView::rowCount() const {
    return m_source.recordset().recordCount();
}

int GridRecordSetView::fieldCount() const {
    return m_source.recordset().fieldCount();
}

QString GridRecordSetView::fieldName(int field) const {
    return m_source.recordset().fieldName(field);
}

jet::Cell GridRecordSetView::cellValue(int row, int field) const {
    return m_source.recordset().value(row, field);
}

int GridRecordSetView::bookmarkAt(int row) const {
    if (row < 0 || row >= rowCount())
        return -1;
    return m_source.recordset().bookmarkAt(row);
}

int GridRecordSetView::positionOf(int bookmark) const {
    return m_source.recordset().positionOf(bookmark);
}

int GridRecordSetView::currentRow() const {
    return m_source.recordset().position();
}

void GridRecordSetView::setCurrentRow(int row) {
    if (row >= 0 && row < rowCount())
        m_source.recordset().moveTo(row);
}

} // namespace mainwindow
