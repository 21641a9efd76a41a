// Importing a season-sized EiBi schedule (skedwise-mkdb --from-eibi) against writing the same
// rows from CSV (skedwise-mkdb --from-csv), best of several runs each. The time is the
// processes' CPU time (user + system), steadier than the wall clock on a shared machine.
// Prints the ratio last.

#include "BenchSupport.h"
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <functional>
#include <limits>

#include <sys/resource.h>

namespace {

constexpr int kLines = 120000;
constexpr int kRuns = 3;

bool run(const QString &program, const QStringList &args, QByteArray *out = nullptr) {
    QProcess p;
    p.start(program, args);
    const bool ok =
        p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out)
        *out = p.readAllStandardOutput();
    if (!ok)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     p.readAllStandardError().constData());
    return ok;
}

struct Station {
    const char *itu, *name, *language, *target, *site;
};

constexpr std::array<Station, 12> kStations = {{
    {"G", "BBC World Service", "E", "WAf", "/ASC"},
    {"D", "Deutsche Welle", "D", "Eu", "n"},
    {"F", "Radio France Int", "F", "NAf", "i"},
    {"CHN", "China Radio Int", "C", "EAs", ""},
    {"RUS", "Radio Rossii", "R", "Sib", "s"},
    {"USA", "Voice of America", "E,F", "CAf", "/BOT"},
    {"B",
     "R\xe1"
     "dio Clube do Par\xe1",
     "P", "SAm", ""},
    {"CVA", "Radio Vaticana", "I", "Eu", ""},
    {"ARS", "Radio Riyadh", "A", "ME", ""},
    {"IND", "All India Radio", "HI", "SAs", "b"},
    {"USA", "WWV", "-TS", "Am", ""},
    {"J", "NHK World", "J", "FE", "ya"},
}};

constexpr std::array<const char *, 8> kDays = {"",     "Mo-Fr", "Sa,Su", "We-Mo",
                                               "1245", "irr",   "USB",   "SaSu"};

// A schedule of the size of a season's file, 8-bit like the published ones.
QByteArray scheduleText() {
    QByteArray text = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;"
                      "Remarks:135;P:35;Start:60;Stop:60;\r\n";
    for (int i = 0; i < kLines; ++i) {
        const Station &s = kStations[size_t(i % kStations.size())];
        const int begin = (i * 7) % 48 * 30, end = (begin + 30 * (1 + i % 5)) % 1440;
        const QByteArray time =
            QByteArray::number(begin / 60 * 100 + begin % 60).rightJustified(4, '0') + '-' +
            QByteArray::number(end == 0 ? 2400 : end / 60 * 100 + end % 60).rightJustified(4, '0');
        text += QByteArray::number(3000 + (i * 13) % 20000 + (i % 10 == 0 ? 0.5 : 0.0)) + ';' +
                time + ';' + kDays[size_t(i % kDays.size())] + ';' + s.itu + ';' + s.name + ';' +
                s.language + ';' + s.target + ';' + s.site + ';' + (i % 20 == 0 ? "8" : "1") +
                ";;\r\n";
    }
    return text;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double bestCpuSeconds(const std::function<bool()> &once) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kRuns; ++i) {
        const double before = childCpuSeconds();
        if (!once())
            return -1;
        best = std::min(best, childCpuSeconds() - before);
    }
    return best;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString sked = dir.filePath("sked-b26.csv"), csv = dir.filePath("rows.csv");
    QFile f(sked);
    if (!f.open(QIODevice::WriteOnly) || f.write(scheduleText()) < 0)
        return 1;
    f.close();
    const QString mkdb = bench::binary("skedwise-mkdb");
    const QString eibiDb = dir.filePath("eibi.MDB"), csvDb = dir.filePath("csv.MDB");
    QByteArray rows;
    if (!run(mkdb, {"--from-eibi", sked, "--out", eibiDb, "--all-dates"}) ||
        !run("mdb-export", {eibiDb, "MyDataTable"}, &rows))
        return 1;
    QFile c(csv);
    if (!c.open(QIODevice::WriteOnly) || c.write(rows) < 0)
        return 1;
    c.close();
    const double eibi = bestCpuSeconds([&] {
        return run(mkdb, {"--from-eibi", sked, "--out", eibiDb, "--all-dates"});
    });
    const double fromCsv = bestCpuSeconds([&] {
        return run(mkdb, {"--from-csv", csv, "--out", csvDb});
    });
    if (eibi < 0 || fromCsv < 0)
        return 1;
    std::printf("--from-eibi %d lines: %.3f s CPU\n", kLines, eibi);
    std::printf("--from-csv  same rows: %.3f s CPU\n", fromCsv);
    std::printf("ratio eibi/csv: %.2f\n", eibi / fromCsv);
    return eibi / fromCsv <= 1.3 ? 0 : 1;
}
