#pragma once

#include "jet/Cell.h"

#include <QByteArray>

#include <vector>

namespace jet {

// Writes Jet 4 (Access 2000) databases holding one user table, for sample files and
// test data of any size. Columns may be Long Integer, Integer, Double, DateTime (numbers)
// or Text of up to 255 characters (Column::sourceType with libmdb's codes; 0 means
// Double for a Number column, Text(255) for a Text column). Null and the empty text
// are stored apart. The same input always gives the same bytes.

// The whole file in memory; empty with error set when a value does not fit its column.
QByteArray jet4Database(const QString &tableName, const QVector<Column> &columns,
                        const std::vector<std::vector<Cell>> &rows, QString *error = nullptr);

// The columns with each Text column widened, up to 255 characters, to the longest text of
// the rows in it, so that whole values are written rather than refused or cut.
QVector<Column> widenedToFit(QVector<Column> columns, const std::vector<std::vector<Cell>> &rows);

// Writes the file through a temporary file in the same folder that replaces path only
// once it is complete, so a failed or interrupted run never leaves a half-written file.
bool writeJet4Database(const QString &path, const QString &tableName,
                       const QVector<Column> &columns, const std::vector<std::vector<Cell>> &rows,
                       QString *error = nullptr);

} // namespace jet
