#pragma once

#include "app/FetchSettings.h"
#include "app/Seams.h"
#include "fetch/Sources.h"
#include "imports/ImportMachine.h"

#include <optional>

namespace imports {

// What the imports and the update need from the program around them.
class ImportPort {
public:
    virtual ~ImportPort() = default;
    // The open-kind file dialog for the source's files: the chosen path, "" on cancel.
    virtual QString chooseScheduleFile(fetch::Source source) = 0;
    // The day whose entries are kept (todayUtc offered) or every entry; nothing on cancel.
    virtual std::optional<Validity> chooseValidity(const QString &file, QDate todayUtc) = 0;
    // Shows or moves the progress dialog (0..100, what is being done) and lets the window
    // handle its events; false once the user has pressed Cancel.
    virtual bool progress(int percent, const QString &what) = 0;
    virtual void closeProgress() = 0;
    // Reads the replaced database again and fills the grid with the current settings.
    virtual void reloadDatabase() = 0;
    // The schedule now in use, to be kept in the settings at once.
    virtual void recordSchedule(const app::ScheduleRecord &record) = 0;
};

QString importTitle(fetch::Source source); // "Import EiBi Schedule"
ScheduleReader readerFor(fetch::Source source);

// Runs an import on a worker thread while this thread keeps the progress dialog and the window
// alive; a Cancel pressed before the new file is put in place always counts.
ImportResult importWithProgress(ImportPort &port, const QString &what,
                                const std::function<ImportResult(const ProgressCallback &)> &work);

// "Functions" > "Import EiBi Schedule…" and "Import HFCC Schedule…": file dialog, the day to
// keep, import with progress and cancel into databasePath, summary, reload, the record.
// Cancel or a failure leaves the database and the grid as they were.
void ImportSchedule_Click(ImportPort &port, app::Prompts &prompts, fetch::Source source,
                          const QString &databasePath, const QDateTime &nowUtc);

// The record of a schedule put in place from a file or a fetch.
app::ScheduleRecord recordOf(fetch::Source source, const ImportResult &result,
                             const QString &databasePath, const QDateTime &nowUtc);

} // namespace imports
