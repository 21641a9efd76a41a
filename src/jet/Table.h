#pragma once

#include "jet/Cell.h"

#include <memory>
#include <vector>

namespace jet {

// A whole table held in memory, read once per open file and shared by every data source
// on that file. Rows keep the file's order ("table order").
class Table {
public:
    explicit Table(QVector<Column> columns);
    ~Table();
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    const QVector<Column> &columns() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const;
    // Index of the column named name, ignoring letter case; -1 when absent.
    int columnIndex(QStringView name) const;

    // cells.size() must equal columnCount().
    void appendRow(const std::vector<Cell> &cells);
    Cell cell(int row, int column) const;

private:
    QVector<Column> m_columns;
    struct Storage;
    std::unique_ptr<Storage> m_storage;
};

} // namespace jet
