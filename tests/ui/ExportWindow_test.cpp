// Export and print as the main window runs them on its grid.
#include "export/ExportCommands.h"
#include "export/PrintUi.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "support/PrintToFile.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTableView>
#include <QTimer>

using testsupport::printToFileWhenAsked;
using testsupport::run;

namespace {

// In Freq order the rows come D, B, C, A; Kenya's are D, C, A.
std::shared_ptr<const jet::Table> scheduleTable() {
    return testsupport::tableFromCsv(jet::parseCsv(
        "StationID,Freq,Station,UTC,Language,Country,UTCB,UTCE\r\n"
        "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"Kenya\",\"2200\",\"0200\"\r\n"
        "2,6000,\"Tom & \"\"Jerry's\"\"\",\"2230-0200\",\"French\",\"Mali\",\"2230\",\"0200\"\r\n"
        "3,7000,\"Radio C\",\"0600-0900\",,\"Kenya\",\"0600\",\"0900\"\r\n"
        "4,5000,\"Radio D\",\"1200-1300\",\"Swahili\",\"Kenya\",\"1200\",\"1300\"\r\n"));
}

// A whole program around one main window whose program folder is programDir.
struct Program : testsupport::ProgramUnderTest<> {
    explicit Program(const QString &programDir) {
        tables.add(programDir + QStringLiteral("/ILGDATA.MDB"), scheduleTable());
        start(programDir, QDateTime(QDate(2024, 5, 17), QTime(1, 30, 15), Qt::UTC));
    }

    void filterByCountry(const QString &country) {
        prompts.inputs << country;
        item("FindNow_5")->trigger();
        prompts.shown.clear();
    }
};

QString readAll(const QString &path) {
    return QString::fromUtf8(testsupport::fileBytes(path));
}

} // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }

    // Filtered rows in Freq order, the grid's columns and widths; a hidden one left out.
    void textExportTakesTheGridAsShown() {
        Program p(folder().path());
        p.filterByCountry("kenya");
        p.form->grid()->setColumnWidthTwips(2, 0);
        p.prompts.answers << app::AnswerYes;
        p.prompts.fileNames << folder().filePath("kenya");
        p.item("Export_1")->trigger();
        QCOMPARE(p.prompts.shown.first(),
                 QString("ALL Records!: Export  3 Record(s) to Text Files?"));
        QCOMPARE(readAll(folder().filePath("kenya.txt")),
                 QString("Freq      UTC        Language\n"
                         "--------- ---------- ------------------\n"
                         "     5000 1200-1300  Swahili\n"
                         "     7000 0600-0900\n"
                         "     9575 2200-0200  English\n"));
    }

    // Rows clicked bottom first come out in the grid's order; a re-query (here a filter) drops
    // the selection, since the rows at those positions are others now, as Clear BookMarks does.
    void selectedExportTakesTheSelectedRows_data() {
        QTest::addColumn<QString>("after");    // the item chosen after the clicks
        QTest::addColumn<QString>("expected"); // "" for no file
        addRow("two rows clicked in reverse order, in grid order", "",
               "Freq      Station                UTC        Language\n"
               "--------- ---------------------- ---------- ------------------\n"
               "     5000 Radio D                1200-1300  Swahili\n"
               "     6000 Tom & \"Jerry's\"        2230-0200  French\n");
        addRow("a filter after the clicks clears the selection", "FindNow_5", "");
        addRow("Clear BookMarks clears it", "SelectM_3", "");
    }
    void selectedExportTakesTheSelectedRows() {
        QFETCH(QString, after);
        QFETCH(QString, expected);
        Program p(folder().path());
        p.item("SelectM_1")->trigger();
        auto *rows = p.form->grid()->findChild<QTableView *>("scheduleRows");
        for (int row : {1, 0})
            QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                              rows->visualRect(rows->model()->index(row, 2)).center());
        p.prompts.inputs << "kenya";
        if (!after.isEmpty())
            p.item(qPrintable(after))->trigger();
        p.prompts.shown.clear();
        p.prompts.fileNames << folder().filePath("two.TXT.bak");
        p.item("Export_0")->trigger();
        if (expected.isEmpty()) {
            QCOMPARE(p.prompts.shown, QStringList{"No Records!: No Records Selected!"});
            QVERIFY(QDir(folder().path()).entryList(QDir::Files).isEmpty());
        } else {
            QCOMPARE(readAll(folder().filePath("two.TXT.bak")), expected);
        }
    }

    // The build's own template.htm beside the program is found: no message of a missing one.
    void htmlExportFindsTheBuildsTemplate() {
        Program p(QStringLiteral(SKEDWISE_BIN_DIR));
        p.prompts.answers << app::AnswerYes;
        p.prompts.fileNames << folder().filePath("page");
        p.item("Export_3")->trigger();
        QCOMPARE(p.prompts.shown, QStringList({"ALL Records!: Export  4 Record(s) to HTML Files?",
                                               "Save Records to A HTML File!: *.htm *.htm"}));
        const QString html = readAll(folder().filePath("page.htm"));
        QVERIFY2(html.contains("<meta name=\"generator\" content=\"Skedwise\">"), qPrintable(html));
        QVERIFY(html.contains("<td>Tom &amp; &quot;Jerry&#39;s&quot;</td>"));
    }

    // The clock ticks without pause while the print dialog is open; an on-air update then
    // must not re-query the rows being printed.
    void printEntireTableToPdfThroughTheDialog() {
        REQUIRE_TOOL("pdftotext");
        Program p(folder().path());
        p.filterByCountry("kenya");
        p.state.OnAirMode = true;
        p.state.AutoOnAir = true;
        p.clock.now = QDateTime(QDate(2024, 5, 17), QTime(12, 30, 0), Qt::UTC);
        p.form->timer()->setInterval(0);
        const QString pdf = folder().filePath("kenya.pdf");
        bool asked = false;
        printToFileWhenAsked(pdf, asked);
        p.prompts.answers << app::AnswerYes;
        p.item("PrintData_1")->trigger();
        QVERIFY(asked);
        QCOMPARE(p.prompts.shown, QStringList({"ALL Records!: Print  3 Record(s)?"}));
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.startsWith("VAZOdariDATA 3 Records"), qPrintable(text));
        const qsizetype d = text.indexOf("Radio D"), c = text.indexOf("Radio C"),
                        a = text.indexOf("Radio A");
        QVERIFY2(d > 0 && d < c && c < a, qPrintable(text));
        QVERIFY(text.contains("Page 1 of 1"));
        QVERIFY(!text.contains("Tom"));
    }

    // The printout goes under a temporary name first: a cancelled or failed one leaves no file,
    // and a failure says which file and why.
    void printToFileLeavesNoPartialFile_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("error");
        addRow("cancelled", "cancelled.pdf", true, "");
        addRow("folder missing", "gone/p.pdf", false,
               "The file \"%1/gone/p.pdf\" could not be written: No such file or directory");
    }
    void printToFileLeavesNoPartialFile() {
        QFETCH(QString, target);
        QFETCH(bool, cancel);
        QFETCH(QString, error);
        struct Progress : exporting::ProgressReporter {
            bool cancel = false;
            bool progress(qint64, qint64) override { return !cancel; }
            void finish() override {}
        } progress;
        progress.cancel = cancel;
        const exporting::ExportTable table("Caption", {{1, "Freq", 9}}, {0, 1, 2},
                                           [](int, int row) { return jet::Cell::fromNumber(row); });
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(folder().filePath(target));
        const exporting::WriteOutcome outcome =
            exporting::printTable(printer, table, exporting::printFonts(), progress);
        QCOMPARE(outcome.written(), false);
        QCOMPARE(outcome.error, error.isEmpty() ? QString() : error.arg(folder().path()));
        QCOMPARE(QDir(folder().path()).entryList(QDir::Files), QStringList());
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder; // a fresh one for each test
    QTemporaryDir &folder() { return *m_folder; }
};

QTEST_MAIN(ExportWindowTest)
#include "ExportWindow_test.moc"
