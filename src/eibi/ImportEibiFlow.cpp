#include "eibi/ImportEibiFlow.h"

#include "eibi/EibiImport.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace eibi {

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
    ImportResult follow(ImportEibiPort &port) {
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            const int percent = m_percent;
            lock.unlock();
            const bool goOn = port.progress(percent);
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

// Runs the import on a worker thread; this thread keeps the progress dialog and the window
// alive, so that neither reading nor writing the file freezes the window.
ImportResult importWithProgress(ImportEibiPort &port, const QString &schedule,
                                const EibiCodes &codes, const QString &databasePath) {
    ProgressRelay relay;
    std::thread worker([&] {
        relay.finish(importSchedule(schedule, databasePath, codes, [&relay](int percent) {
            return relay.report(percent, percent >= LastCancelPercent);
        }));
    });
    ImportResult result = relay.follow(port);
    worker.join();
    return result;
}

} // namespace

void ImportEibi_Click(ImportEibiPort &port, app::Prompts &prompts, const EibiCodes &codes,
                      const QString &databasePath) {
    const QString schedule = port.chooseScheduleFile();
    if (schedule.isEmpty())
        return;
    const ImportResult result = importWithProgress(port, schedule, codes, databasePath);
    port.closeProgress();
    const QString title = QString::fromUtf16(ImportTitle);
    switch (result.outcome) {
    case ImportOutcome::Cancelled:
        return;
    case ImportOutcome::Done:
        port.reloadDatabase();
        prompts.messageBox(summaryText(result.summary), title, app::Buttons::Ok);
        return;
    default:
        prompts.messageBox(result.message + QStringLiteral("\nThe schedule was not changed."),
                           title, app::Buttons::Ok);
    }
}

} // namespace eibi
