#pragma once

#include "eibi/EibiCodes.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace eibi {

struct ImportSummary {
    int rowsWritten = 0;
    std::vector<int> skippedLines;
    QStringList unknownCodes;
};

enum class ImportOutcome { Done, NotReadable, WrongHeader, NotWritable, Cancelled };

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Done;
    QString message; // what went wrong, in plain words; empty when done
    ImportSummary summary;
};

// Called now and then with 0..100; returning false cancels the import.
// LastCancelPercent comes when the new file is made but not yet in place.
inline constexpr int LastCancelPercent = 95;
using ProgressCallback = std::function<bool(int percent)>;

// Reads the EiBi schedule and writes it as MyDataTable into databasePath: through a temporary
// file in the same folder that replaces databasePath only when complete, the previous file
// kept as databasePath + ".bak". On any failure or cancel databasePath is left as it was.
ImportResult importSchedule(const QString &schedulePath, const QString &databasePath,
                            const EibiCodes &codes, const ProgressCallback &progress);

// The summary the tool prints and the program shows: rows written, skipped lines, codes
// not found.
QString summaryText(const ImportSummary &summary);

// Puts bytes in place of path atomically, the old file kept as path + ".bak".
bool replaceFile(const QString &path, const QByteArray &bytes, QString *error);

} // namespace eibi
