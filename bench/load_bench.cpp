// Opening a large schedule: the program's load (worker process, stream, in-memory table)
// against mdb-export of the same file, best of several runs each. Prints the ratio last.

#include "BenchSupport.h"
#include "jet/CsvRows.h"
#include "jet/IsolatedTableProvider.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <limits>

namespace {

constexpr int kRows = 120000;
constexpr int kRuns = 5;

bool mdbExport(const QString &path) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start("mdb-export", {path, "MyDataTable"});
    return p.waitForFinished(600000) && p.exitCode() == 0;
}

bool load(const QString &path) {
    jet::IsolatedTableProvider provider(bench::binary("skedwise-jetread")); // fresh: no cache
    const jet::LoadOutcome outcome = provider.table(path, "MyDataTable");
    if (!outcome.ok())
        std::fprintf(stderr, "%s\n", qPrintable(outcome.error));
    return outcome.ok() && outcome.table->rowCount() == kRows;
}

// Resident memory of this process, in bytes.
qint64 residentBytes() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

// The size of the table's rows written as CSV, header included.
qint64 csvBytes(const jet::Table &table) {
    qint64 bytes = 0;
    for (const jet::Column &c : table.columns())
        bytes += c.name.toUtf8().size() + 1;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            bytes += jet::csvField(table.cell(r, c)).toUtf8().size() + 1;
    return bytes + table.rowCount() + 1; // CR LF instead of the last comma
}

// How much more this process holds once the table is loaded, against the rows as CSV.
double residentRatio(const QString &path) {
    jet::IsolatedTableProvider provider(bench::binary("skedwise-jetread"));
    const qint64 before = residentBytes();
    const jet::LoadOutcome outcome = provider.table(path, "MyDataTable");
    const qint64 grown = residentBytes() - before;
    if (!outcome.ok())
        return -1;
    const qint64 csv = csvBytes(*outcome.table);
    std::printf("resident growth for the table: %.1f MB, the same rows as CSV: %.1f MB\n",
                grown / 1e6, csv / 1e6);
    return double(grown) / double(csv);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("ILGDATA.MDB");
    if (!bench::makeDatabase(path, kRows)) {
        std::fprintf(stderr, "skedwise-mkdb could not write %s\n", qPrintable(path));
        return 1;
    }
    const double memory = residentRatio(path); // first, before other loads fragment the heap
    const double reference = bench::bestSeconds(kRuns, [&] { return mdbExport(path); });
    const double ours = bench::bestSeconds(kRuns, [&] { return load(path); });
    if (reference <= 0 || ours <= 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("rows: %d, best of %d runs\n", kRows, kRuns);
    std::printf("mdb-export FILE MyDataTable > /dev/null: %.3f s\n", reference);
    std::printf("load into the in-memory table:           %.3f s\n", ours);
    std::printf("ratio resident memory / CSV: %.2f\n", memory);
    std::printf("ratio load / mdb-export: %.2f\n", ours / reference);
    return 0;
}
