// Opening a large schedule: the program's load (worker process, stream, in-memory table)
// against mdb-export of the same file, best of several runs each. Prints the ratio last.

#include "jet/IsolatedTableProvider.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <limits>

namespace {

constexpr int kRows = 120000;
constexpr int kRuns = 5;

QString binary(const QString &name) {
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

bool makeDatabase(const QString &path) {
    QProcess p;
    p.start(binary("skedwise-mkdb"),
            {"--rows", QString::number(kRows), "--seed", "1", "--out", path});
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

double bestSeconds(const std::function<bool()> &run) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        if (!run())
            return -1;
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    return best;
}

bool mdbExport(const QString &path) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start("mdb-export", {path, "MyDataTable"});
    return p.waitForFinished(600000) && p.exitCode() == 0;
}

bool load(const QString &path) {
    jet::IsolatedTableProvider provider(binary("skedwise-jetread")); // fresh: no cache
    const jet::LoadOutcome outcome = provider.table(path, "MyDataTable");
    if (!outcome.ok())
        std::fprintf(stderr, "%s\n", qPrintable(outcome.error));
    return outcome.ok() && outcome.table->rowCount() == kRows;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("ILGDATA.MDB");
    if (!makeDatabase(path)) {
        std::fprintf(stderr, "skedwise-mkdb could not write %s\n", qPrintable(path));
        return 1;
    }
    const double reference = bestSeconds([&] { return mdbExport(path); });
    const double ours = bestSeconds([&] { return load(path); });
    if (reference <= 0 || ours <= 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("rows: %d, best of %d runs\n", kRows, kRuns);
    std::printf("mdb-export FILE MyDataTable > /dev/null: %.3f s\n", reference);
    std::printf("load into the in-memory table:           %.3f s\n", ours);
    std::printf("ratio load / mdb-export: %.2f\n", ours / reference);
    return 0;
}
