#pragma once

#include "jet/Cell.h"

#include <vector>

namespace jet {

// Rows of a schedule CSV: a header line of field names, then one record per line.
// A quoted field is a text ("" inside is one quote, "" alone the empty text), an
// unquoted empty field is Null, any other unquoted field must be a number.
struct CsvRows {
    QStringList header;
    std::vector<std::vector<Cell>> rows;
    QString error;     // "" when the whole text was read
    int errorLine = 0; // 1-based line of the first malformed record
    bool ok() const { return error.isEmpty(); }
};

CsvRows parseCsv(const QString &text);
CsvRows readCsvFile(const QString &path);

// One CSV field in the same form: text quoted with "" doubling, Null empty, numbers short.
QString csvField(const Cell &c);

} // namespace jet
