#include "imports/UpdateFlow.h"

#include "fetch/FetchState.h"

#include <QFile>
#include <QThread>

namespace imports {

namespace {

constexpr int DownloadShare = 100; // the download has a bar of its own, then the import

QString updateTitle() {
    return QStringLiteral("Update Schedule");
}

UpdateResult failure(UpdateOutcome outcome, const QString &message) {
    UpdateResult r;
    r.outcome = outcome;
    r.message = message;
    return r;
}

QString described(const UpdateRequest &u) {
    return QStringLiteral("%1 %2").arg(fetch::sourceName(u.source), u.season.code());
}

} // namespace

QString stillInUse(const app::ScheduleRecord &inUse) {
    return inUse.season.isEmpty()
               ? QStringLiteral("The schedule in use stays.")
               : QStringLiteral("The %1 schedule stays in use.").arg(inUse.season);
}

fetch::Request downloadRequest(const UpdateRequest &u) {
    fetch::Request r;
    r.url = u.url;
    r.saveBeside = u.databasePath;
    r.stallLimit = u.stallLimit;
    const app::ScheduleRecord &last = u.inUse;
    const QString stamp = fetch::databaseStamp(u.databasePath);
    if (!stamp.isEmpty() && last.databaseStamp == stamp && last.url == u.url.toString() &&
        sameEntriesKept(last.keptSpan, u.validity)) {
        r.lastModified = last.lastModified;
        r.etag = last.etag;
    }
    return r;
}

UpdateResult afterDownload(const UpdateRequest &u, const fetch::Result &d) {
    switch (d.status) {
    case fetch::Status::NotModified:
        return failure(UpdateOutcome::UpToDate, QStringLiteral("The schedule is up to date."));
    case fetch::Status::NotFound:
        return failure(UpdateOutcome::NotPublished,
                       QStringLiteral("The %1 schedule is not published yet (%2).")
                           .arg(described(u), u.url.toDisplayString()));
    case fetch::Status::Cancelled:
        return failure(UpdateOutcome::Cancelled, {});
    default:
        return failure(UpdateOutcome::NetworkFailure, d.error + u' ' + stillInUse(u.inUse));
    }
}

UpdateResult afterImport(const UpdateRequest &u, const fetch::Result &d, const ImportResult &i) {
    QFile::remove(d.file);
    switch (i.outcome) {
    case ImportOutcome::Done:
        break;
    case ImportOutcome::Cancelled:
        return failure(UpdateOutcome::Cancelled, {});
    case ImportOutcome::NotWritable:
        return failure(UpdateOutcome::NotWritable, i.message + u' ' + stillInUse(u.inUse));
    default:
        // The message names the address, not the temporary file the download went to.
        return failure(UpdateOutcome::NotASchedule,
                       QString(i.message).replace(d.file, u.url.toDisplayString()) + u' ' +
                           stillInUse(u.inUse));
    }
    UpdateResult r;
    r.summary = i.summary;
    r.record = recordOf(u.source, i, u.databasePath, u.nowUtc);
    r.record.season = i.season.isEmpty() ? u.season.code() : i.season;
    r.record.url = u.url.toString();
    r.record.lastModified = d.lastModified;
    r.record.etag = d.etag;
    r.message = QStringLiteral("The %1 schedule is in place.").arg(described(u));
    return r;
}

UpdateResult updateSchedule(const UpdateRequest &u, const fetch::Progress &progress,
                            const ImportRunner &runImport) {
    const fetch::Result d = fetch::download(downloadRequest(u), progress);
    if (d.status != fetch::Status::Fetched)
        return afterDownload(u, d);
    const ScheduleReader reader = readerFor(u.source);
    const ImportResult i = runImport([&](const ProgressCallback &importProgress) {
        return importSchedule(reader, d.file, u.databasePath, u.validity, importProgress);
    });
    return afterImport(u, d, i);
}

bool Download_Click(ImportPort &port, app::Prompts &prompts, UpdateRequest u,
                    const QString &address) {
    const QString fetching = QStringLiteral("Fetching the %1 schedule…").arg(described(u));
    const UpdateResult r = updateSchedule(
        u,
        [&](qint64 received, qint64 total) {
            return port.progress(total > 0 ? int(DownloadShare * received / total) : 0, fetching);
        },
        [&](const std::function<ImportResult(const ProgressCallback &)> &work) {
            return importWithProgress(
                port, QStringLiteral("Importing the %1 schedule…").arg(described(u)), work);
        });
    port.closeProgress();
    switch (r.outcome) {
    case UpdateOutcome::Cancelled:
        return false;
    case UpdateOutcome::Updated:
        port.recordSchedule(r.record);
        port.reloadDatabase();
        prompts.messageBox(r.message + u'\n' + summaryText(r.summary), updateTitle(),
                           app::Buttons::Ok);
        return true;
    case UpdateOutcome::NotPublished: {
        const fetch::Season previous = u.season.previous();
        const int answer = prompts.messageBox(
            r.message +
                QStringLiteral("\nFetch the previous season, %1, instead?").arg(previous.code()),
            updateTitle(), app::Buttons::YesNo);
        if (answer != app::AnswerYes)
            return false;
        u.season = previous;
        u.url = fetch::addressFor(address, previous);
        return Download_Click(port, prompts, u, address);
    }
    default:
        prompts.messageBox(r.message, updateTitle(), app::Buttons::Ok);
        return false;
    }
}

bool weeklyCheckDue(const app::FetchSettings &fetch, QDate todayUtc) {
    return fetch.checkWeekly &&
           (!fetch.lastWeeklyCheck.isValid() || fetch.lastWeeklyCheck.daysTo(todayUtc) >= 7);
}

BackgroundUpdate::BackgroundUpdate(UpdateRequest update,
                                   std::function<void(const UpdateResult &)> done, QObject *parent)
    : QObject(parent), m_update(std::move(update)), m_done(std::move(done)) {}

BackgroundUpdate::~BackgroundUpdate() {
    if (m_worker) { // the import is not left running on a file the program no longer follows
        m_worker->wait();
        delete m_worker;
    }
}

void BackgroundUpdate::start() {
    m_download = new fetch::Download(
        downloadRequest(m_update), [this](const fetch::Result &r) { downloaded(r); }, this);
    m_download->start();
}

void BackgroundUpdate::downloaded(const fetch::Result &d) {
    m_download->deleteLater();
    if (d.status != fetch::Status::Fetched)
        return m_done(afterDownload(m_update, d));
    auto result = std::make_shared<ImportResult>();
    m_worker = QThread::create([result, d, u = m_update] {
        *result = importSchedule(readerFor(u.source), d.file, u.databasePath, u.validity, {});
    });
    connect(m_worker, &QThread::finished, this, [this, result, d] {
        m_worker->deleteLater();
        m_worker = nullptr;
        m_done(afterImport(m_update, d, *result));
    });
    m_worker->start();
}

} // namespace imports
