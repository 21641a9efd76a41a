#pragma once

#include "fetch/Download.h"
#include "imports/ImportFlow.h"

#include <QObject>

class QThread;

namespace imports {

struct UpdateRequest {
    fetch::Source source = fetch::Source::Eibi;
    fetch::Season season;
    QUrl url;
    Validity validity;
    QString databasePath;
    app::ScheduleRecord inUse; // what the last fetch recorded, for "only what changed"
    QDateTime nowUtc;
    std::chrono::milliseconds stallLimit{30000};
};

enum class UpdateOutcome {
    Updated,
    UpToDate,
    NotPublished,
    NetworkFailure,
    NotASchedule,
    NotWritable,
    Cancelled
};

struct UpdateResult {
    UpdateOutcome outcome = UpdateOutcome::Updated;
    QString message; // in words, with what stays in use; the summary's heading when updated
    ImportSummary summary;
    app::ScheduleRecord record; // the new record when updated
};

// The request for the address, asking only for what changed when the database is still the one
// the last fetch from the same address wrote and the same entries would be kept.
fetch::Request downloadRequest(const UpdateRequest &update);
// The result of a download that brought no file.
UpdateResult afterDownload(const UpdateRequest &update, const fetch::Result &download);
// The result of importing the downloaded file (which is removed).
UpdateResult afterImport(const UpdateRequest &update, const fetch::Result &download,
                         const ImportResult &import);
// "The A26 schedule stays in use." or, with no record, "The schedule in use stays."
QString stillInUse(const app::ScheduleRecord &inUse);

// Fetch and import on this thread: download (progress), then the import run by runImport.
using ImportRunner =
    std::function<ImportResult(const std::function<ImportResult(const ProgressCallback &)> &)>;
UpdateResult updateSchedule(const UpdateRequest &update, const fetch::Progress &progress,
                            const ImportRunner &runImport);

// "Update Schedule…" > Download: fetch with progress and Cancel, import, record, reload; a
// season not yet published offers the previous one. address is the source's address with
// "<season>". Returns whether a new schedule was put in place.
bool Download_Click(ImportPort &port, app::Prompts &prompts, UpdateRequest update,
                    const QString &address);

// Whether the weekly check is due on today.
bool weeklyCheckDue(const app::FetchSettings &fetch, QDate todayUtc);

// The same fetch without a window and without holding up this thread: the download on its
// event loop, the import on a thread of its own; done is called here when all is over.
class BackgroundUpdate : public QObject {
public:
    BackgroundUpdate(UpdateRequest update, std::function<void(const UpdateResult &)> done,
                     QObject *parent = nullptr);
    ~BackgroundUpdate() override;
    void start();

private:
    void downloaded(const fetch::Result &result);

    UpdateRequest m_update;
    std::function<void(const UpdateResult &)> m_done;
    fetch::Download *m_download = nullptr;
    QThread *m_worker = nullptr;
};

} // namespace imports
