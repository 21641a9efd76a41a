// Fetching and importing a 10 MB EiBi schedule from a server on this machine (skedwise-mkdb
// --update with --url) against importing the same file from disk (--from-eibi), best of several
// runs each, wall time (the listener waits for the download too). Prints the ratio last.

#include "support/LocalHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

namespace {

constexpr qsizetype kBytes = 10 * 1024 * 1024;
constexpr int kRuns = 3;

QByteArray schedule() {
    QByteArray text = "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;"
                      "Remarks:135;P:35;Start:60;Stop:60;\r\n";
    const char *stations[] = {"BBC World Service", "Deutsche Welle",   "Radio France Int",
                              "China Radio Int",   "Voice of America", "Radio Vaticana"};
    for (int i = 0; text.size() < kBytes; ++i) {
        const int begin = (i * 7) % 48 * 30, end = (begin + 30 * (1 + i % 5)) % 1440;
        const auto hhmm = [](int m) {
            return QByteArray::number(m / 60 * 100 + m % 60).rightJustified(4, '0');
        };
        text += QByteArray::number(3000 + (i * 13) % 20000) + ';' + hhmm(begin) + '-' +
                (end == 0 ? "2400" : hhmm(end)) + ";Mo-Fr;G;" + stations[i % 6] + ";E;Eu;;1;;\r\n";
    }
    return text;
}

// Runs skedwise-mkdb while this thread's event loop serves the download; the wall time.
double runSeconds(const QStringList &args) {
    QProcess p;
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    p.start(QCoreApplication::applicationDirPath() + "/skedwise-mkdb", args);
    if (!p.waitForStarted(10000))
        return -1;
    if (p.state() != QProcess::NotRunning)
        loop.exec();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", p.readAllStandardError().constData());
        return -1;
    }
    return seconds;
}

double best(const QStringList &args) {
    double fastest = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kRuns; ++i) {
        const double s = runSeconds(args);
        if (s < 0)
            return -1;
        fastest = std::min(fastest, s);
    }
    return fastest;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray text = schedule();
    const QString file = dir.filePath("sked-b26.csv");
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        return 1;
    f.close();
    LocalHttpServer server; // no validators: every run fetches the whole file
    if (!server.start())
        return 1;
    server.answers.insert("/sked-b26.csv", {200, text, {}, {}});
    const QString db = dir.filePath("ILGDATA.MDB");
    const double fetched =
        best({"--update", "eibi", "--season", "b26", "--url",
              server.url("/sked-b26.csv").toString(), "--out", db, "--all-dates"});
    const double imported = best({"--from-eibi", file, "--out", db, "--all-dates"});
    if (fetched < 0 || imported < 0)
        return 1;
    std::printf("--update of %lld bytes from 127.0.0.1: %.3f s\n", qint64(text.size()), fetched);
    std::printf("--from-eibi of the same file:  %.3f s\n", imported);
    std::printf("ratio fetch+import/import: %.2f\n", fetched / imported);
    return fetched / imported <= 1.5 ? 0 : 1;
}
