#include "jet/Table.h"

#include <algorithm>
#include <mutex>
#include <numeric>
#include <unordered_map>

namespace jet {

namespace {

// FNV-1a over the UTF-16 units: Qt's seeded string hash is far slower on short texts.
struct TextHash {
    std::size_t operator()(const QString &s) const noexcept {
        std::uint64_t h = 14695981039346656037ull;
        for (const QChar c : s)
            h = (h ^ c.unicode()) * 1099511628211ull;
        return std::size_t(h);
    }
};

struct ColumnData {
    // Text columns
    std::vector<std::uint32_t> codes;
    QVector<QString> entries{QString()}; // entries[0] stands for Null
    std::unordered_map<QString, std::uint32_t, TextHash> index; // text -> code while appending
    // Readers hand in one shared QString per distinct text; its data pointer finds the code
    // without hashing. Only texts kept in entries are recorded, so no pointer is reused.
    std::unordered_map<const QChar *, std::uint32_t> byData;
    std::vector<std::uint32_t> ranks;    // per code; empty until first asked for
    int rankCount = 0;
    // Number columns
    std::vector<double> values;
    std::vector<std::uint8_t> nulls; // stays empty until the first Null

    void rebuildIndex() {
        index.reserve(entries.size());
        for (std::uint32_t code = 1; code < std::uint32_t(entries.size()); ++code)
            index.emplace(entries.at(code), code);
    }

    std::uint32_t codeOf(const QString &text) {
        if (const auto p = byData.find(text.constData()); p != byData.end())
            return p->second;
        if (index.empty() && entries.size() > 1)
            rebuildIndex();
        if (const auto it = index.find(text); it != index.end())
            return it->second;
        const auto code = std::uint32_t(entries.size());
        entries.append(text);
        index.emplace(text, code);
        if (!text.isEmpty())
            byData.emplace(entries.back().constData(), code);
        return code;
    }

    void computeRanks() {
        const auto n = std::uint32_t(entries.size());
        std::vector<std::uint32_t> order(n > 0 ? n - 1 : 0);
        std::iota(order.begin(), order.end(), 1u);
        std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
            const int c = entries.at(a).compare(entries.at(b), Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        });
        ranks.assign(n, 0);
        std::uint32_t rank = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i == 0 ||
                entries.at(order[i - 1]).compare(entries.at(order[i]), Qt::CaseInsensitive) != 0)
                ++rank;
            ranks[order[i]] = rank;
        }
        rankCount = int(rank) + 1;
    }
};

bool parseNumber(const QString &text, double &out) {
    bool ok = false;
    out = QStringView(text).trimmed().toDouble(&ok);
    return ok;
}

} // namespace

struct Table::Storage {
    std::vector<ColumnData> columns;
    int rows = 0;
    std::mutex rankMutex; // ranks are computed on first use by a reader
};

Table::Table(QVector<Column> columns)
    : m_columns(std::move(columns)), m_storage(std::make_unique<Storage>()) {
    m_storage->columns.resize(m_columns.size());
}

Table::~Table() = default;

int Table::rowCount() const {
    return m_storage->rows;
}

int Table::columnIndex(QStringView name) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (QStringView(m_columns[i].name).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Table::appendRow(const std::vector<Cell> &cells) {
    const int row = m_storage->rows;
    for (int c = 0; c < columnCount(); ++c) {
        ColumnData &data = m_storage->columns[c];
        const Cell &cell = cells[c];
        if (isText(c)) {
            if (!data.ranks.empty()) {
                data.ranks.clear(); // a new text may fall between ranked ones
                data.rankCount = 0;
            }
            if (cell.isNull())
                data.codes.push_back(NullCode);
            else
                data.codes.push_back(
                    data.codeOf(cell.isText() ? cell.text : numberText(cell.number)));
            continue;
        }
        double value = cell.number;
        const bool isNull = cell.isNull() || (cell.isText() && !parseNumber(cell.text, value));
        data.values.push_back(isNull ? 0.0 : value);
        if (isNull && data.nulls.empty())
            data.nulls.resize(row, 0);
        if (!data.nulls.empty())
            data.nulls.push_back(isNull ? 1 : 0);
    }
    ++m_storage->rows;
}

Cell Table::cell(int row, int column) const {
    const ColumnData &data = m_storage->columns[column];
    if (isText(column)) {
        const std::uint32_t code = data.codes[row];
        return code == NullCode ? Cell::null() : Cell::fromText(data.entries.at(code));
    }
    if (!data.nulls.empty() && data.nulls[row])
        return Cell::null();
    return Cell::fromNumber(data.values[row]);
}

void Table::squeeze() {
    for (ColumnData &data : m_storage->columns) {
        data.codes.shrink_to_fit();
        data.entries.squeeze();
        data.index = {};
        data.byData = {};
        data.values.shrink_to_fit();
        data.nulls.shrink_to_fit();
    }
}

const std::uint32_t *Table::textCodes(int column) const {
    return m_storage->columns[column].codes.data();
}

const double *Table::numbers(int column) const {
    return m_storage->columns[column].values.data();
}

const std::uint8_t *Table::numberNulls(int column) const {
    const auto &nulls = m_storage->columns[column].nulls;
    return nulls.empty() ? nullptr : nulls.data();
}

int Table::entryCount(int column) const {
    return int(m_storage->columns[column].entries.size());
}

const QString &Table::entryText(int column, std::uint32_t code) const {
    return m_storage->columns[column].entries.at(code);
}

const std::vector<std::uint32_t> &Table::ranks(int column) const {
    ColumnData &data = m_storage->columns[column];
    std::lock_guard lock(m_storage->rankMutex);
    if (data.ranks.empty()) {
        data.computeRanks();
        data.index = {}; // queries have begun: the building index is no longer needed
        data.byData = {};
    }
    return data.ranks;
}

int Table::rankCount(int column) const {
    ranks(column);
    return m_storage->columns[column].rankCount;
}

std::size_t Table::memoryBytes() const {
    std::size_t bytes = sizeof(Storage);
    for (const ColumnData &data : m_storage->columns) {
        bytes += sizeof(ColumnData) + data.codes.capacity() * sizeof(std::uint32_t) +
                 data.ranks.capacity() * sizeof(std::uint32_t) +
                 data.values.capacity() * sizeof(double) + data.nulls.capacity();
        for (const QString &text : data.entries)
            bytes += sizeof(QString) + (text.isNull() ? 0 : 16 + text.capacity() * 2);
        bytes += (data.index.size() + data.byData.size()) * (sizeof(QString) + 8 + 16);
    }
    return bytes;
}

} // namespace jet
