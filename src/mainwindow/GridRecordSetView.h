#pragma once

#include "jet/DataSource.h"
#include "mainwindow/GridSource.h"

namespace mainwindow {

// The grid's view of a data source's record set. It asks the data source for its record set
// on every call, so a re-query (which replaces the record set) needs no re-binding.
class GridRecordSetView : public GridSource {
public:
    explicit GridRecordSetView(jet::DataSource &source) : m_source(source) {}

    int rowCount() const override;
    int fieldCount() const override;
    QString fieldName(int field) const override;
    jet::Cell cellValue(int row, int field) const override;
    int bookmarkAt(int row) const override;
    int positionOf(int bookmark) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;

private:
    jet::DataSource &m_source;
};

} // namespace mainwindow
