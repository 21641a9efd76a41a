#include "jet/SqlEngine.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace jet {

namespace {

// Orders like the value: Null (0) below every number, negative below positive.
std::uint64_t numberKey(double v) {
    if (v == 0)
        v = 0; // -0 sorts with 0
    const auto bits = std::bit_cast<std::uint64_t>(v);
    return (bits >> 63) ? ~bits : bits | (std::uint64_t(1) << 63);
}

// One ascending (or descending) sort key per row of rows.
std::vector<std::uint64_t> keysOf(const Table &table, const std::vector<int> &rows,
                                  const SortKey &key) {
    std::vector<std::uint64_t> keys(rows.size());
    if (table.isText(key.column)) {
        const std::uint32_t *codes = table.textCodes(key.column);
        const std::vector<std::uint32_t> &ranks = table.ranks(key.column);
        for (std::size_t i = 0; i < rows.size(); ++i)
            keys[i] = ranks[codes[rows[i]]];
    } else {
        const double *values = table.numbers(key.column);
        const std::uint8_t *nulls = table.numberNulls(key.column);
        for (std::size_t i = 0; i < rows.size(); ++i)
            keys[i] = nulls && nulls[rows[i]] ? 0 : numberKey(values[rows[i]]);
    }
    if (key.descending)
        for (auto &k : keys)
            k = ~k;
    return keys;
}

// Positions 0..n-1 ordered by the keys (lexicographic over the key columns), ties by position.
std::vector<std::uint32_t> orderOf(const std::vector<std::vector<std::uint64_t>> &keys,
                                   std::size_t n) {
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    if (keys.size() == 1) {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> pairs(n);
        for (std::uint32_t i = 0; i < n; ++i)
            pairs[i] = {keys[0][i], i};
        std::sort(pairs.begin(), pairs.end());
        for (std::size_t i = 0; i < n; ++i)
            order[i] = pairs[i].second;
        return order;
    }
    std::sort(order.begin(), order.end(), [&keys](std::uint32_t a, std::uint32_t b) {
        for (const auto &k : keys)
            if (k[a] != k[b])
                return k[a] < k[b];
        return a < b;
    });
    return order;
}

std::vector<std::vector<std::uint64_t>> keyColumns(const Table &table, const std::vector<int> &rows,
                                                   const std::vector<SortKey> &keys) {
    std::vector<std::vector<std::uint64_t>> out;
    for (const SortKey &k : keys)
        out.push_back(keysOf(table, rows, k));
    return out;
}

// One text column: a bucket per case-insensitive rank, the first row of each, in rank order.
std::vector<int> distinctText(const Table &table, const std::vector<int> &rows, int column) {
    const std::uint32_t *codes = table.textCodes(column);
    const std::vector<std::uint32_t> &ranks = table.ranks(column);
    std::vector<int> first(std::size_t(table.rankCount(column)), -1);
    for (int row : rows) {
        int &slot = first[ranks[codes[row]]];
        if (slot < 0)
            slot = row;
    }
    std::vector<int> out;
    for (int row : first)
        if (row >= 0)
            out.push_back(row);
    return out;
}

// Distinct values of the columns, sorted ascending; each stands for its first row.
std::vector<int> distinctRows(const Table &table, const std::vector<int> &rows,
                              const QVector<int> &columns) {
    if (columns.size() == 1 && table.isText(columns[0]))
        return distinctText(table, rows, columns[0]);
    std::vector<SortKey> keys;
    for (int c : columns)
        keys.push_back({c, false});
    const auto k = keyColumns(table, rows, keys);
    const auto order = orderOf(k, rows.size());
    std::vector<int> out;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const bool same =
            i > 0 && std::all_of(k.begin(), k.end(), [&](const std::vector<std::uint64_t> &col) {
                return col[order[i]] == col[order[i - 1]];
            });
        if (!same)
            out.push_back(rows[order[i]]);
    }
    return out;
}

bool resolveFields(const Table &table, const Query &query, QVector<int> &columns, QString &error) {
    if (query.allFields) {
        columns.resize(table.columnCount());
        std::iota(columns.begin(), columns.end(), 0);
        return true;
    }
    for (const sql::Name &f : query.fields) {
        const int c = table.columnIndex(f.name);
        if (c < 0) {
            error = QStringLiteral("Unknown field name \"%1\" at position %2")
                        .arg(f.name)
                        .arg(f.position);
            return false;
        }
        columns.append(c);
    }
    return true;
}

bool resolveOrder(const Table &table, const Query &query, std::vector<SortKey> &keys,
                  QString &error) {
    for (const sql::OrderKey &k : query.order) {
        const int c = table.columnIndex(k.name);
        if (c < 0) {
            error = QStringLiteral("Unknown field name \"%1\" at position %2")
                        .arg(k.name)
                        .arg(k.position);
            return false;
        }
        keys.push_back({c, k.descending});
    }
    return true;
}

bool filterRows(const Table &table, const sql::Expr &where, std::vector<int> &rows,
                QString &error) {
    const CompiledCondition compiled = CompiledCondition::compile(table, where);
    if (!compiled.ok()) {
        error = compiled.error;
        return false;
    }
    std::vector<Truth> truth(rows.size());
    if (!compiled.condition->evaluate(rows.data(), int(rows.size()), truth.data(), &error))
        return false;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (truth[i] == Truth::True)
            rows[kept++] = rows[i];
    rows.resize(kept);
    return true;
}

} // namespace

void sortRows(const Table &table, std::vector<int> &rows, const std::vector<SortKey> &keys) {
    if (keys.empty() || rows.size() < 2)
        return;
    const auto order = orderOf(keyColumns(table, rows, keys), rows.size());
    std::vector<int> sorted(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        sorted[i] = rows[order[i]];
    rows = std::move(sorted);
}

Selection runQuery(const Table &table, const Query &query) {
    Selection s;
    std::vector<SortKey> keys;
    if (!resolveFields(table, query, s.columns, s.error) ||
        !resolveOrder(table, query, keys, s.error))
        return s;
    s.rows.resize(std::size_t(table.rowCount()));
    std::iota(s.rows.begin(), s.rows.end(), 0);
    if (query.where && !filterRows(table, *query.where, s.rows, s.error)) {
        s.rows.clear();
        return s;
    }
    if (query.distinct)
        s.rows = distinctRows(table, s.rows, s.columns);
    sortRows(table, s.rows, keys);
    return s;
}

bool findFirstRow(const Condition &condition, const std::vector<int> &rows, int start, int &found,
                  QString *error) {
    constexpr int chunk = 4096; // stop soon after a match near the start
    std::vector<Truth> truth(chunk);
    found = -1;
    for (int from = std::max(start, 0); from < int(rows.size()); from += chunk) {
        const int n = std::min(chunk, int(rows.size()) - from);
        QString message; // set when some row of the chunk hit an error
        condition.evaluate(rows.data() + from, n, truth.data(), &message);
        for (int i = 0; i < n; ++i) {
            if (truth[i] == Truth::True) {
                found = from + i;
                return true;
            }
            if (truth[i] == Truth::Error) {
                if (error)
                    *error = message;
                return false;
            }
        }
    }
    return true;
}

} // namespace jet
