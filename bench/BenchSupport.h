#pragma once

// What the benchmarks share: test data, the programs beside them and timing.
#include "app/FieldCatalogue.h"
#include "app/Seams.h"
#include "app/SettingsStore.h"
#include "jet/Table.h"
#include "jet/TableProvider.h"
#include "schedule/SyntheticSchedule.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>

#include <algorithm>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace bench {

// One table in memory, whatever file is asked for.
struct OneTable : jet::TableProvider {
    std::shared_ptr<const jet::Table> loaded;
    jet::LoadOutcome table(const QString &, const QString &) override { return {loaded, {}}; }
};

// 01:30:30 UTC on a fixed day, so that the on-air rows are the same in every run.
struct FixedClock : app::Clock {
    QDateTime localNow() const override {
        return QDateTime(QDate(2024, 5, 17), QTime(1, 30, 30), Qt::UTC);
    }
};

// Settings that always give the defaults and keep nothing.
struct MemoryStore : app::SettingsStore {
    QString read(const QString &, const QString &, const QString &, const QString &d) override {
        return d;
    }
    void write(const QString &, const QString &, const QString &, const QString &) override {}
    void deleteSection(const QString &, const QString &) override {}
    void flush() override {}
};

inline QString binary(const QString &name) {
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

// An ILGDATA.MDB of made-up broadcasts, written by skedwise-mkdb.
inline bool makeDatabase(const QString &path, int rows) {
    QProcess p;
    p.start(binary("skedwise-mkdb"),
            {"--rows", QString::number(rows), "--seed", "1", "--out", path});
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline std::shared_ptr<const jet::Table> syntheticTable(int rows, quint64 seed) {
    auto table = std::make_shared<jet::Table>(schedule::scheduleColumns());
    for (const auto &row : schedule::syntheticSchedule(rows, seed))
        table->appendRow(row);
    table->squeeze();
    return table;
}

inline double millisecondsOf(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// CPU time of this process so far, all its threads: the machine may be shared, wall time is
// noisy there.
inline double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// This thread's processor time: what other programs run meanwhile does not count.
inline double cpuMillisecondsOf(const std::function<void()> &work) {
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The best wall time of runs runs, -1 when one fails.
inline double bestSeconds(int runs, const std::function<bool()> &run) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!run())
            return -1;
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    return best;
}

} // namespace bench
