#include "imports/ImportFlow.h"

#include "fetch/FetchState.h"
#include "imports/EibiImport.h"
#include "imports/HfccImport.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace imports {

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(30);

// Carries the worker's progress to the window's thread and a Cancel back. The worker waits at
// its last step, until the window has seen it, so that a Cancel pressed before the new file
// is put in place always counts.
class ProgressRelay {
public:
    bool report(int percent, bool wait) {
        std::unique_lock lock(m_mutex);
        m_percent = percent;
        m_changed.notify_all();
        if (wait)
            m_changed.wait(lock, [&] { return m_seen >= percent || m_cancelled; });
        return !m_cancelled;
    }
    void finish(ImportResult result) {
        const std::lock_guard lock(m_mutex);
        m_result = std::move(result);
        m_done = true;
        m_changed.notify_all();
    }
    // On the window's thread until the worker has finished.
    ImportResult follow(ImportPort &port, const QString &what) {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            const int percent = m_percent;
            lock.unlock();
            const bool goOn = port.progress(percent, what);
            lock.lock();
            m_seen = percent;
            m_cancelled = m_cancelled || !goOn;
            m_changed.notify_all();
            m_changed.wait_for(lock, PollInterval, [&] { return m_done || m_percent != percent; });
        }
        return std::move(m_result);
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_percent = 0;
    int m_seen = -1;
    bool m_cancelled = false;
    bool m_done = false;
    ImportResult m_result;
};

} // namespace

QString importTitle(fetch::Source source) {
    return QStringLiteral("Import %1 Schedule").arg(fetch::sourceName(source));
}

ScheduleReader readerFor(fetch::Source source) {
    return source == fetch::Source::Eibi ? eibi::scheduleReader(eibi::EibiCodes::builtIn())
                                         : hfcc::scheduleReader();
}

ImportResult importWithProgress(ImportPort &port, const QString &what,
                                const std::function<ImportResult(const ProgressCallback &)> &work) {
    ProgressRelay relay;
    std::thread worker([&] {
        relay.finish(work(
            [&relay](int percent) { return relay.report(percent, percent >= LastCancelPercent); }));
    });
    ImportResult result = relay.follow(port, what);
    worker.join();
    return result;
}

app::ScheduleRecord recordOf(fetch::Source source, const ImportResult &result,
                             const QString &databasePath, const QDateTime &nowUtc) {
    app::ScheduleRecord record;
    record.source = fetch::sourceName(source);
    record.season = result.season;
    record.putInPlace = nowUtc;
    record.keptSpan = result.keptSpan;
    record.databaseStamp = fetch::databaseStamp(databasePath);
    return record;
}

void ImportSchedule_Click(ImportPort &port, app::Prompts &prompts, fetch::Source source,
                          const QString &databasePath, const QDateTime &nowUtc) {
    const QString schedule = port.chooseScheduleFile(source);
    if (schedule.isEmpty())
        return;
    const auto validity = port.chooseValidity(schedule, nowUtc.date());
    if (!validity)
        return;
    const ScheduleReader reader = readerFor(source);
    const ImportResult result = importWithProgress(
        port, QStringLiteral("Importing the %1 schedule…").arg(fetch::sourceName(source)),
        [&](const ProgressCallback &progress) {
            return importSchedule(reader, schedule, databasePath, *validity, progress);
        });
    port.closeProgress();
    const QString title = importTitle(source);
    switch (result.outcome) {
    case ImportOutcome::Cancelled:
        return;
    case ImportOutcome::Done:
        port.recordSchedule(recordOf(source, result, databasePath, nowUtc));
        port.reloadDatabase();
        prompts.messageBox(summaryText(result.summary), title, app::Buttons::Ok);
        return;
    default:
        prompts.messageBox(result.message + QStringLiteral("\nThe schedule was not changed."),
                           title, app::Buttons::Ok);
    }
}

} // namespace imports
