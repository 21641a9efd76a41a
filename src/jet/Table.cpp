#include "jet/Table.h"

namespace jet {

// Plain row storage; to be replaced by compact per-column storage.
struct Table::Storage {
    std::vector<std::vector<Cell>> rows;
};

Table::Table(QVector<Column> columns)
    : m_columns(std::move(columns)), m_storage(std::make_unique<Storage>()) {}

Table::~Table() = default;

int Table::rowCount() const { return int(m_storage->rows.size()); }

int Table::columnIndex(QStringView name) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (QStringView(m_columns[i].name).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Table::appendRow(const std::vector<Cell> &cells) { m_storage->rows.push_back(cells); }

Cell Table::cell(int row, int column) const { return m_storage->rows[row][column]; }

} // namespace jet
