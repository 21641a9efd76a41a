#pragma once

#include "export/AtomicFile.h"
#include "export/ExportTable.h"

namespace exporting {

// The text export: a fixed-width table in UTF-8, lines ended with LF. Each column is as many
// characters wide as its grid column, columns one blank apart; texts are left-aligned and
// numbers right-aligned, longer values cut. A heading line of field names and a line of dashes
// come first; trailing blanks are dropped.
QString textHeading(const ExportTable &table);
QString textRule(const ExportTable &table);
QString textRow(const ExportTable &table, int row);

// Writes the table to path atomically, reporting progress.
WriteOutcome writeTextExport(const QString &path, const ExportTable &table,
                             ProgressReporter &progress);

// Rows written between two progress reports.
inline constexpr int ProgressStep = 2000;

} // namespace exporting
