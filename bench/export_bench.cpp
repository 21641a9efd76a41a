// Exporting and printing a large schedule. Text export of all rows and columns against
// mdb-export of the same table to a file; HTML against text; printing to PDF of 120,000 rows
// against 12,000 (time and resident memory). Prints the ratios last.
// With --keep DIR the exported files and PDFs stay in DIR for a look.

#include "BenchSupport.h"
#include "app/FieldCatalogue.h"
#include "export/ExportCommands.h"
#include "export/GridPrinter.h"
#include "export/HtmlExport.h"
#include "export/TextExport.h"
#include "jet/CsvRows.h"
#include "jet/IsolatedTableProvider.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <limits>

using namespace exporting;

namespace {

constexpr int kRows = 120000;
constexpr int kRuns = 3;

bool mdbExport(const QString &database, const QString &out) {
    QProcess p;
    p.setStandardOutputFile(out);
    p.start("mdb-export", {database, "MyDataTable"});
    return p.waitForFinished(600000) && p.exitCode() == 0;
}

qint64 residentBytes() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

qint64 csvBytes(const jet::Table &table, int rows) {
    qint64 bytes = 0;
    for (const jet::Column &c : table.columns())
        bytes += c.name.toUtf8().size() + 1;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            bytes += jet::csvField(table.cell(r, c)).toUtf8().size() + 1;
    return bytes + rows + 1;
}

// The table's columns as grid columns, at the default widths of their fields.
QList<GridColumn> gridColumns(const jet::Table &table, const QStringList &only) {
    const schedule::CodeTables codes = schedule::buildCodeTables();
    QList<GridColumn> columns;
    for (int c = 0; c < table.columnCount(); ++c) {
        const QString name = table.columns()[c].name;
        const int field = schedule::FieldIndex(codes, name);
        const int width = field > 0 ? codes.DefColChars[field] : 10;
        if (only.isEmpty() || only.contains(name))
            columns << GridColumn{c, name, width};
    }
    return columns;
}

ExportTable tableOf(const jet::Table &table, int rows, const QStringList &only) {
    QList<int> bookmarks;
    for (int r = 0; r < rows; ++r)
        bookmarks << r;
    return ExportTable(QString::number(rows) + " Records  ALL Languages", gridColumns(table, only),
                       bookmarks,
                       [&table](int column, int row) { return table.cell(row, column); });
}

// Samples the resident size while pages are written.
struct PeakMemory : ProgressReporter {
    qint64 peak = 0;
    bool progress(qint64, qint64) override {
        peak = std::max(peak, residentBytes());
        return true;
    }
    void finish() override {}
};

bool printPdf(const ExportTable &table, const QString &out, PeakMemory &memory) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out);
    return GridPrinter(table, printFonts()).print(printer, memory).done;
}

struct PrintTimes {
    double bigWall = -1, bigCpu = -1, smallWall = -1, smallCpu = -1;
    double grown = 0; // resident bytes added while printing all rows
};

// All rows to PDF, measuring resident memory the first time; a tenth of them; best of three
// each, so that another program's burst on a shared machine weighs on neither side alone.
PrintTimes measurePrinting(const jet::Table &rows, const QString &dir) {
    const QStringList printed = {"Freq", "Station", "UTC", "Language", "Location"};
    PrintTimes times;
    PeakMemory big;
    const qint64 before = residentBytes();
    QElapsedTimer t;
    t.start();
    const double cpuBefore = bench::cpuSeconds();
    if (!printPdf(tableOf(rows, kRows, printed), dir + "/all.pdf", big))
        return times;
    times.bigCpu = bench::cpuSeconds() - cpuBefore;
    times.bigWall = t.nsecsElapsed() / 1e9;
    times.grown = double(std::max<qint64>(0, big.peak - before));
    PeakMemory small;
    const ExportTable tenth = tableOf(rows, kRows / 10, printed);
    times.smallCpu = std::numeric_limits<double>::infinity();
    times.smallWall = bench::bestSeconds(3, [&] {
        const double cpu = bench::cpuSeconds();
        const bool done = printPdf(tenth, dir + "/tenth.pdf", small);
        times.smallCpu = std::min(times.smallCpu, bench::cpuSeconds() - cpu);
        return done;
    });
    // Once more, warm like the small runs: the first run also paid for the fonts and the heap.
    const ExportTable all = tableOf(rows, kRows, printed);
    for (int run = 0; run < 2; ++run) {
        const double cpuAgain = bench::cpuSeconds();
        t.restart();
        if (!printPdf(all, dir + "/all.pdf", big))
            break;
        times.bigCpu = std::min(times.bigCpu, bench::cpuSeconds() - cpuAgain);
        times.bigWall = std::min(times.bigWall, t.nsecsElapsed() / 1e9);
    }
    return times;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const int keepAt = app.arguments().indexOf("--keep");
    const QString dir = keepAt > 0 ? app.arguments().value(keepAt + 1) : temporary.path();
    QDir().mkpath(dir);
    const QString database = temporary.filePath("ILGDATA.MDB");
    if (!bench::makeDatabase(database, kRows)) {
        std::fprintf(stderr, "skedwise-mkdb could not write %s\n", qPrintable(database));
        return 1;
    }
    jet::IsolatedTableProvider provider(bench::binary("skedwise-jetread"));
    const jet::LoadOutcome loaded = provider.table(database, "MyDataTable");
    if (!loaded.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(loaded.error));
        return 1;
    }
    const jet::Table &rows = *loaded.table;

    // Printing first, before the other runs grow the heap.
    const PrintTimes pdf = measurePrinting(rows, dir);
    if (pdf.smallWall <= 0)
        return 1;
    const double csv = double(csvBytes(rows, kRows));

    const ExportTable all = tableOf(rows, kRows, {});
    NoProgress none;
    const double reference =
        bench::bestSeconds(kRuns, [&] { return mdbExport(database, dir + "/mdb-export.csv"); });
    const double text = bench::bestSeconds(
        kRuns, [&] { return writeTextExport(dir + "/all.txt", all, none).written(); });
    const PageFields fields{PageTitle, all.caption(), "now"};
    const double html = bench::bestSeconds(kRuns, [&] {
        return writeHtmlExport(dir + "/all.htm", all, defaultTemplate(), fields, none).written();
    });
    if (reference <= 0 || text <= 0 || html <= 0 || pdf.smallWall <= 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("rows: %d, %lld columns exported, best of %d runs\n", kRows,
                static_cast<long long>(all.columnCount()), kRuns);
    std::printf("mdb-export FILE MyDataTable > FILE: %.3f s\n", reference);
    std::printf("text export of all rows:            %.3f s\n", text);
    std::printf("HTML export of all rows:            %.3f s\n", html);
    std::printf("PDF of %d rows: %.3f s (CPU %.3f s), of %d rows: %.3f s (CPU %.3f s)\n",
                kRows / 10, pdf.smallWall, pdf.smallCpu, kRows, pdf.bigWall, pdf.bigCpu);
    std::printf("wall-time ratio PDF 120,000 / 12,000 rows: %.2f\n", pdf.bigWall / pdf.smallWall);
    std::printf("resident growth printing %d rows: %.1f MB, the rows as CSV: %.1f MB\n", kRows,
                pdf.grown / 1e6, csv / 1e6);
    std::printf("ratio PDF resident growth / CSV: %.2f\n", pdf.grown / csv);
    std::printf("ratio PDF 120,000 / 12,000 rows (CPU time): %.2f\n", pdf.bigCpu / pdf.smallCpu);
    std::printf("ratio HTML / text export: %.2f\n", html / text);
    std::printf("ratio text export / mdb-export: %.2f\n", text / reference);
    return 0;
}
