// The log window opening a log of 100,000 entries (half with remarks, some accented names),
// until its table is filled and painted, against reading the file's bytes. Ratio printed last.

#include "BenchSupport.h"
#include "app/ScriptedPrompts.h"
#include "export/LogWindowUi.h"
#include "logbook/LogWriter.h"
#include "logbook/ReceptionLog.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <limits>
#include <memory>

namespace {

constexpr int kEntries = 100000;
constexpr int kRuns = 9;

QByteArray makeLog() {
    const QStringList stations = {"Radio Alpha", u"R\u00e1dio Nacional"_qs, "Voice of Somewhere",
                                  u"Radio Tirana Int\u00e9rnational"_qs, "China Radio Int."};
    QString text = logbook::LogHeading + logbook::CrLf + logbook::CrLf;
    std::array<QString, 12> record;
    for (int i = 0; i < kEntries; ++i) {
        logbook::fillRecordSlots(record,
                                 {QString::number(2300 + i % 25000) + ".0",
                                  stations[i % stations.size()], "ARG", "English", "100.0"});
        record[0] = QStringLiteral("24/%1/%2 %3 ")
                        .arg(1 + i % 12, 2, 10, QChar('0'))
                        .arg(1 + i % 28, 2, 10, QChar('0'))
                        .arg(i % 2400, 4, 10, QChar('0'));
        record[1] = QStringLiteral("%1").arg((i + 15) % 2400, 4, 10, QChar('0'));
        record[6] = logbook::modeSlot(i % 3 ? ",AM," : ",USB,");
        text += logbook::entryLine(record) + logbook::CrLf;
        if (i % 2)
            text += QStringLiteral("SINPO: 45444 fair, some fading") + logbook::CrLf;
    }
    return text.toUtf8();
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("Skedwise.Log");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(makeLog()) < 0)
        return 1;
    out.close();

    // Best of the runs, in wall time and in CPU time of all threads (steadier on a busy machine).
    auto measure = [](
                       const std::function<bool()> &run, double &wallMs, double &cpuMs,
                       const std::function<void()> &before = [] {}) {
        wallMs = cpuMs = std::numeric_limits<double>::infinity();
        for (int i = 0; i < kRuns; ++i) {
            before();
            const double cpu = bench::cpuSeconds();
            QElapsedTimer wall;
            wall.start();
            if (!run())
                return false;
            wallMs = std::min(wallMs, wall.nsecsElapsed() / 1e6);
            cpuMs = std::min(cpuMs, (bench::cpuSeconds() - cpu) * 1000);
        }
        return true;
    };
    double readWall = 0, readCpu = 0, openWall = 0, openCpu = 0;
    // Ten reads a run: one alone is too short for the clocks of a busy machine.
    constexpr int kReads = 10;
    const bool read = measure(
        [&] {
            for (int i = 0; i < kReads; ++i) {
                QFile f(path);
                if (!f.open(QIODevice::ReadOnly) || f.readAll().isEmpty())
                    return false;
            }
            return true;
        },
        readWall, readCpu);
    readWall /= kReads;
    readCpu /= kReads;
    app::ScriptedPrompts prompts;
    int rows = 0;
    std::unique_ptr<exporting::LogWindow> window;
    const bool opened = measure(
        [&] {
            window = std::make_unique<exporting::LogWindow>(
                exporting::LogWindowSetup{path, {}, {}, "1.0"}, prompts);
            window->show();
            const QDeadlineTimer limit(60000);
            while (window->model().loading() && !limit.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            QCoreApplication::processEvents(); // the table is filled and painted
            rows = window->model().rowCount();
            return rows == kEntries;
        },
        openWall, openCpu, [&] { window.reset(); }); // closing is not part of opening
    if (!read || !opened)
        return 1;
    std::printf("log of %d entries, %lld bytes\n", rows, QFile(path).size());
    std::printf("reading the file's bytes: %.1f ms wall, %.1f ms CPU\n", readWall, readCpu);
    std::printf("opening the log window:   %.1f ms wall, %.1f ms CPU\n", openWall, openCpu);
    std::printf("log window open / file read, wall: %.1f\n", openWall / readWall);
    std::printf("log window open / file read, CPU: %.1f (target <= 20)\n", openCpu / readCpu);
    return 0;
}
