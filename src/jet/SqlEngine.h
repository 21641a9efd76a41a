#pragma once

#include "jet/SqlExpr.h"

namespace jet {

// The outcome of running a SELECT on a table: the table rows of the result in result order
// (for Distinct, the first row in table order of each distinct value) and the table columns
// of its fields.
struct Selection {
    std::vector<int> rows;
    QVector<int> columns;
    QString error; // the engine's message when the text cannot run
    bool ok() const { return error.isEmpty(); }
};

Selection runQuery(const Table &table, const Query &query);

// Sorts rows (stable: equal keys keep their order) by the given columns, each ascending or
// descending; texts ignore letter case, Null comes first ascending.
struct SortKey {
    int column = 0;
    bool descending = false;
};
void sortRows(const Table &table, std::vector<int> &rows, const std::vector<SortKey> &keys);

// Position in rows of the first row for which condition is true, from position start on;
// -1 when none. False with error set when a row before the match hit an error.
bool findFirstRow(const Condition &condition, const std::vector<int> &rows, int start, int &found,
                  QString *error);

} // namespace jet
