#pragma once

#include "imports/Validity.h"
#include "jet/Cell.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace imports {

using Row = std::vector<jet::Cell>;

// Called now and then with 0..100; returning false cancels the import.
// LastCancelPercent comes when the new file is made but not yet in place.
inline constexpr int LastCancelPercent = 95;
inline constexpr int ReadShare = 50; // percent of the bar for reading, the rest for writing
using ProgressCallback = std::function<bool(int percent)>;

struct ImportSummary {
    QString lists;      // whose code lists the unknown codes were looked up in: "EiBi", "HFCC"
    QString skipReason; // what a skipped line lacked, in words
    int rowsWritten = 0;
    std::vector<int> skippedLines;
    QStringList unknownCodes;
    QDate validOn; // invalid when every entry was kept
    int leftOutForDates = 0;
    QStringList notes; // anything else the listener should know (a code table missing)
};

enum class ImportOutcome { Done, NotReadable, WrongFormat, NotWritable, Cancelled };

// What a schedule source's reader makes of its file: the rows of MyDataTable in catalogue
// order and what it met on the way, or the reason it cannot be read.
struct ReadResult {
    ImportOutcome outcome = ImportOutcome::Done;
    QString message;
    std::vector<Row> rows;
    ImportSummary summary;
    QString season;   // "B26" when the file tells it
    QString keptSpan; // DateFilter::keptSpan of the dates kept
};

// Reads the file (its progress 0..ReadShare) keeping the entries valid as asked.
using ScheduleReader =
    std::function<ReadResult(const QString &file, const Validity &, const ProgressCallback &)>;

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Done;
    QString message; // what went wrong, in plain words; empty when done
    ImportSummary summary;
    QString season;
    QString keptSpan;
};

// Reads schedulePath with reader and writes it as MyDataTable into databasePath: through a
// temporary file in the same folder that replaces the database only when complete, the previous
// file kept as ".bak". A link is followed to its file; on any failure or cancel the database is
// left as it was.
ImportResult importSchedule(const ScheduleReader &reader, const QString &schedulePath,
                            const QString &databasePath, const Validity &validity,
                            const ProgressCallback &progress);

// The summary the tool prints and the program shows: rows written, entries left out for their
// dates, skipped lines, codes not found.
QString summaryText(const ImportSummary &summary);

// Puts bytes in place of path atomically (a link followed to its file, anything that is not a
// regular file refused), the old file kept as path + ".bak".
bool replaceFile(const QString &path, const QByteArray &bytes, QString *error);

// A whole MyDataTable file, replaced as replaceFile does; texts longer than a Jet text column
// are cut.
bool writeScheduleDatabase(const QString &path, const QVector<jet::Column> &columns,
                           std::vector<Row> rows, QString *error);

// Printable text only of a file's first line, for a message saying the file is not what it
// should be: control characters and undecodable bytes become blanks, and it is cut short.
QString printableFirstLine(const QString &line);

} // namespace imports
