#pragma once

#include "jet/Cell.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace jet {

// A whole table held in memory, read once per open file and shared by every data source
// on that file. Rows keep the file's order ("table order").
//
// Storage is per column: numbers as doubles, texts as codes into a per-column dictionary
// holding each distinct text once. Code 0 is Null in a text column, so Null and "" differ.
// Each dictionary entry gets a rank in case-insensitive order (computed on first use), which
// is what ordering, Distinct and comparisons between rows of one column use.
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

    // cells.size() must equal columnCount(). A cell of the other kind is converted to the
    // column's kind (a number to its text; a text to its number, Null when it is none).
    void appendRow(const std::vector<Cell> &cells);
    Cell cell(int row, int column) const;

    // Releases spare capacity and the building indexes; call after the last appendRow
    // (appending afterwards still works, it rebuilds them).
    void squeeze();

    // Direct access for the query engine.
    static constexpr std::uint32_t NullCode = 0;
    bool isText(int column) const { return m_columns[column].kind == ColumnKind::Text; }
    const std::uint32_t *textCodes(int column) const;  // text columns: one code per row
    const double *numbers(int column) const;           // number columns: one value per row
    const std::uint8_t *numberNulls(int column) const; // number columns: 1 = Null; may be null
    int entryCount(int column) const;                  // dictionary size including Null (code 0)
    const QString &entryText(int column, std::uint32_t code) const;
    // Case-insensitive rank of each code (Null 0, texts from 1, equal ranks for texts that
    // differ only in letter case); rankCount() is one more than the highest rank.
    const std::vector<std::uint32_t> &ranks(int column) const;
    int rankCount(int column) const;

    // Bytes held by the storage (dictionaries, codes, numbers, indexes).
    std::size_t memoryBytes() const;

private:
    QVector<Column> m_columns;
    struct Storage;
    std::unique_ptr<Storage> m_storage;
};

} // namespace jet
