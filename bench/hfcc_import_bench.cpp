// Importing a 100,000-line HFCC season file (skedwise-mkdb --from-hfcc) against writing the
// same rows from CSV (--from-csv), best of several runs each, in the processes' CPU time.
// Prints the ratio last.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <functional>
#include <limits>

#include <sys/resource.h>

namespace {

constexpr int kLines = 100000;
constexpr int kRuns = 3;

bool run(const QStringList &args, QByteArray *out = nullptr, const QString &program = {}) {
    QProcess p;
    p.start(program.isEmpty() ? QCoreApplication::applicationDirPath() + "/skedwise-mkdb" : program,
            args);
    const bool ok =
        p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out)
        *out = p.readAllStandardOutput();
    if (!ok)
        std::fprintf(stderr, "%s\n", p.readAllStandardError().constData());
    return ok;
}

QByteArray field(const QByteArray &v, int width, bool right = false) {
    return right ? v.rightJustified(width, ' ') : v.leftJustified(width, ' ');
}

struct Line {
    const char *ciraf, *site, *language, *adm, *brc;
};
constexpr std::array<Line, 6> kLinesKinds = {{{"27SE,28", "NAU", "Eng", "D", "DWL"},
                                              {"37-39", "ISS", "EngFre", "F", "RFI"},
                                              {"46", "SAO", "Por", "STP", "VOA"},
                                              {"75", "KIG", "Ara", "RRW", "DWL"},
                                              {"4,9,27", "NAU", "Ger", "D", "DWL"},
                                              {"8,10-11", "ISS", "Spa", "F", "RFI"}}};
constexpr std::array<const char *, 4> kDays = {"1234567", "23456", "17", "246"};

// A season file of the published layout, its lines spread over the day and the season.
QByteArray seasonFile() {
    QByteArray text = "; A26 ALL 21-jul-2026\r\n;FREQ STRT STOP CIRAF ZONES\r\n";
    for (int i = 0; i < kLines; ++i) {
        const Line &k = kLinesKinds[size_t(i % kLinesKinds.size())];
        const int begin = (i * 7) % 48 * 30, end = (begin + 30 * (1 + i % 4)) % 1440;
        const auto hhmm = [](int m) {
            return QByteArray::number(m / 60 * 100 + m % 60).rightJustified(4, '0');
        };
        text += field(QByteArray::number(3000 + (i * 13) % 20000), 5, true) + ' ' + hhmm(begin) +
                ' ' + (end == 0 ? "2400" : hhmm(end)) + ' ' + field(k.ciraf, 30) + ' ' +
                field(k.site, 3) + ' ' + field(QByteArray::number(50 * (1 + i % 10)), 4, true) +
                ' ' + field(QByteArray::number(i % 360), 7, true) + ' ' + field("0", 3, true) +
                ' ' + field("146", 3, true) + ' ' + field(kDays[size_t(i % kDays.size())], 7) +
                ' ' + (i % 3 == 0 ? "290326 310526" : "290326 251026") + ' ' + 'D' + ' ' +
                field("", 5) + ' ' + field(k.language, 10) + ' ' + field(k.adm, 3) + ' ' +
                field(k.brc, 3) + ' ' + field("", 3) + ' ' +
                field(QByteArray::number(i % 99999), 5, true) + "\r\n";
    }
    return text;
}

bool writeTables(const QDir &dir) {
    const std::array<std::pair<const char *, QByteArray>, 4> tables = {{
        {"site.txt", "NAU Nauen                          D   52N39 012E55\r\n"
                     "ISS Issoudun                       F   46N57 01E59\r\n"
                     "SAO Sao Tome                       STP 00N17 006E36\r\n"
                     "KIG Kigali                         RRW 01S55 030E07\r\n"},
        {"broadcas.txt", "DWL Deutsche Welle\r\nRFI Radio France Internationale\r\nVOA Voice of "
                         "America\r\n"},
        {"admin.txt", "D   Germany\r\nF   France\r\nSTP Sao Tome and Principe\r\nRRW Rwanda\r\n"},
        {"language.txt", "Eng English\r\nFre French\r\nPor Portuguese\r\nAra Arabic\r\nGer "
                         "German\r\nSpa Spanish\r\n"},
    }};
    for (const auto &[name, bytes] : tables) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return false;
    }
    return true;
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
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString season = dir.filePath("A26all00.TXT"), csv = dir.filePath("rows.csv");
    QFile f(season);
    if (!f.open(QIODevice::WriteOnly) || f.write(seasonFile()) < 0 || !writeTables(dir))
        return 1;
    f.close();
    const QString hfccDb = dir.filePath("hfcc.MDB"), csvDb = dir.filePath("csv.MDB");
    const QStringList hfccArgs = {"--from-hfcc", season, "--out", hfccDb, "--all-dates"};
    QByteArray rows;
    if (!run(hfccArgs) || !run({hfccDb, "MyDataTable"}, &rows, "mdb-export"))
        return 1;
    QFile c(csv);
    if (!c.open(QIODevice::WriteOnly) || c.write(rows) < 0)
        return 1;
    c.close();
    const double hfcc = bestCpuSeconds([&] { return run(hfccArgs); });
    const double fromCsv = bestCpuSeconds([&] { return run({"--from-csv", csv, "--out", csvDb}); });
    if (hfcc < 0 || fromCsv < 0)
        return 1;
    std::printf("--from-hfcc %d lines: %.3f s CPU\n", kLines, hfcc);
    std::printf("--from-csv  same rows: %.3f s CPU\n", fromCsv);
    std::printf("ratio hfcc/csv: %.2f\n", hfcc / fromCsv);
    return hfcc / fromCsv <= 1.3 ? 0 : 1;
}
