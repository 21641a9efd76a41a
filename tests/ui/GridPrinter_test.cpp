#include "export/ExportCommands.h"
#include "export/GridPrinter.h"
#include "export/PrintUi.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QPrinter>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>

using namespace exporting;

namespace {

using testsupport::run;

// count rows: Freq 5000 + row, Station "Station row", UTC "0000-2400", Language "English".
ExportTable numberedRows(int count) {
    QList<int> bookmarks;
    for (int i = 0; i < count; ++i)
        bookmarks << i;
    const QList<GridColumn> columns = {{0, "StationID", 5},
                                       {1, "Freq", 9},
                                       {2, "Station", 22},
                                       {3, "UTC", 10},
                                       {4, "Language", 18}};
    return ExportTable("Filter By Language = English", columns, bookmarks,
                       [](int column, int bookmark) {
                           switch (column) {
                           case 1:
                               return jet::Cell::fromNumber(5000 + bookmark);
                           case 2:
                               return jet::Cell::fromText("Station " + QString::number(bookmark));
                           case 3:
                               return jet::Cell::fromText("0000-2400");
                           case 4:
                               return jet::Cell::fromText("English");
                           default:
                               return jet::Cell::fromNumber(bookmark);
                           }
                       });
}

int pageCount(const QString &path) {
    const QString info = run("pdfinfo", {path});
    for (const QString &line : info.split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

QString pageText(const QString &path, int page) {
    return run("pdftotext",
               {"-layout", "-f", QString::number(page), "-l", QString::number(page), path, "-"});
}

} // namespace

class GridPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void pdfPages() {
        const int rows = 130; // three pages, the last one part full
        REQUIRE_TOOL("pdftotext");
        REQUIRE_TOOL("pdfinfo");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("plan.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        const ExportTable table = numberedRows(rows);
        NoProgress progress;
        const PrintResult result = GridPrinter(table, printFonts()).print(printer, progress);
        QVERIFY(result.done);
        // 267 mm of A4 less caption, headings and footer, at about 5.5 mm per 9 pt row.
        QVERIFY2(result.rowsPerPage >= 40 && result.rowsPerPage <= 60,
                 qPrintable(QString::number(result.rowsPerPage)));
        const int expectedPages = (rows + result.rowsPerPage - 1) / result.rowsPerPage;
        QCOMPARE(result.pages, expectedPages);
        QCOMPARE(pageCount(pdf), expectedPages);

        const QString first = pageText(pdf, 1);
        for (const QString &expected :
             {QString("Filter By Language = English"), QString("Freq"), QString("Station"),
              QString("UTC"), QString("Language"), QString("Station 0"), QString("Station 1"),
              QString("5000"), QString("Page 1 of %1").arg(expectedPages)})
            QVERIFY2(first.contains(expected), qPrintable(expected + " not in:\n" + first));
        QVERIFY2(!first.contains("StationID"), "the record key is not printed");
        QVERIFY(!first.contains(QString("Station %1\n").arg(result.rowsPerPage)));

        const QString last = pageText(pdf, expectedPages);
        for (const QString &expected : {QString("Freq"), QString("Station %1").arg(rows - 1),
                                        QString("Page %1 of %1").arg(expectedPages)})
            QVERIFY2(last.contains(expected), qPrintable(expected + " not in last page"));
    }

    void emptyTablePrintsOnePageOfHeadings() {
        REQUIRE_TOOL("pdftotext");
        REQUIRE_TOOL("pdfinfo");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("empty.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        const ExportTable table = numberedRows(0);
        NoProgress progress;
        QVERIFY(GridPrinter(table, printFonts()).print(printer, progress).done);
        QCOMPARE(pageCount(pdf), 1);
        QVERIFY(pageText(pdf, 1).contains("Page 1 of 1"));
    }
};

QTEST_MAIN(GridPrinterTest)
#include "GridPrinter_test.moc"
