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
        "2,6000,\"Tom & Jerry's\",\"2230-0200\",\"French\",\"Mali\",\"2230\",\"0200\"\r\n"
        "3,7000,\"Radio C\",\"0600-0900\",,\"Kenya\",\"0600\",\"0900\"\r\n"
        "4,5000,\"Radio D\",\"1200-1300\",\"Swahili\",\"Kenya\",\"1200\",\"1300\"\r\n"));
}

// A whole program around one main window whose program folder is programDir.
struct Program : testsupport::ProgramUnderTest<> {
    explicit Program(const QString &programDir) {
        tables.add(programDir + QStringLiteral("/ILGDATA.MDB"), scheduleTable());
        start(programDir, QDateTime(QDate(2024, 5, 17), QTime(1, 30, 15), Qt::UTC));
    }

    QAction *item(const char *name) const { return form->findChild<QAction *>(name); }
    void filterByCountry(const QString &country) {
        prompts.inputs << country;
        item("FindNow_5")->trigger();
        prompts.shown.clear();
    }
};

QString readAll(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(no file %1)").arg(path);
    return QString::fromUtf8(file.readAll());
}

} // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }

    void textExportTakesTheGridAsShown_data() {
        QTest::addColumn<int>("hiddenColumn");
        QTest::addColumn<QString>("expected");
        QTest::newRow("filtered rows in Freq order, the grid's columns and widths")
            << -1
            << "Freq      Station                UTC        Language\n"
               "--------- ---------------------- ---------- ------------------\n"
               "     5000 Radio D                1200-1300  Swahili\n"
               "     7000 Radio C                0600-0900\n"
               "     9575 Radio A                2200-0200  English\n";
        QTest::newRow("a column hidden in the grid is left out")
            << 2
            << "Freq      UTC        Language\n"
               "--------- ---------- ------------------\n"
               "     5000 1200-1300  Swahili\n"
               "     7000 0600-0900\n"
               "     9575 2200-0200  English\n";
    }
    void textExportTakesTheGridAsShown() {
        QFETCH(int, hiddenColumn);
        QFETCH(QString, expected);
        Program p(folder().path());
        p.filterByCountry("kenya");
        if (hiddenColumn >= 0)
            p.form->grid()->setColumnWidthTwips(hiddenColumn, 0);
        p.prompts.answers << app::AnswerYes;
        p.prompts.fileNames << folder().filePath("kenya");
        p.item("Export_1")->trigger();
        QCOMPARE(p.prompts.shown.first(),
                 QString("ALL Records!: Export  3 Record(s) to Text Files?"));
        QCOMPARE(readAll(folder().filePath("kenya.txt")), expected);
    }

    void selectedExportWithNoneSelectedSaysSo() {
        Program p(folder().path());
        p.form->grid()->clearSelection();
        p.item("Export_0")->trigger();
        QCOMPARE(p.prompts.shown, QStringList{"No Records!: No Records Selected!"});
        QVERIFY(QDir(folder().path()).entryList(QDir::Files).isEmpty());
    }

    void selectedExportTakesTheSelectedRows() {
        Program p(folder().path());
        p.form->grid()->setRowSelectionKind(2);
        auto *rows = p.form->grid()->findChild<QTableView *>();
        rows->selectionModel()->select(rows->model()->index(1, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        p.prompts.fileNames << folder().filePath("one.TXT.bak");
        p.item("Export_0")->trigger();
        QCOMPARE(readAll(folder().filePath("one.TXT.bak")),
                 QString("Freq      Station                UTC        Language\n"
                         "--------- ---------------------- ---------- ------------------\n"
                         "     6000 Tom & Jerry's          2230-0200  French\n"));
    }

    // The page comes from template.htm in the program folder, values escaped.
    void htmlExportFillsTheProgramsTemplate() {
        QFile page(folder().filePath("template.htm"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<h1>{{TITLE}}</h1>\n<p>{{CAPTION}}</p>\n{{TABLE}}<p>{{GENERATED}}</p>\n");
        page.close();
        Program p(folder().path());
        p.clock.now = QDateTime(QDate(2024, 5, 17), QTime(21, 5));
        p.prompts.answers << app::AnswerYes;
        p.prompts.fileNames << folder().filePath("all.html");
        p.item("Export_3")->trigger();
        const QString html = readAll(folder().filePath("all.html"));
        QVERIFY2(html.startsWith("<h1>Skedwise Schedule</h1>\n<p>"), qPrintable(html));
        QVERIFY2(html.endsWith("</table><p>2024-05-17 21:05</p>\n"), qPrintable(html));
        const QStringList expectedRows = {
            "<tr><td class=\"num\">5000</td><td>Radio "
            "D</td><td>1200-1300</td><td>Swahili</td></tr>",
            "<tr><td class=\"num\">6000</td><td>Tom &amp; Jerry&#39;s</td><td>2230-0200</td>"
            "<td>French</td></tr>",
            "<tr><td class=\"num\">7000</td><td>Radio C</td><td>0600-0900</td><td></td></tr>",
            "<tr><td class=\"num\">9575</td><td>Radio "
            "A</td><td>2200-0200</td><td>English</td></tr>"};
        QStringList rows;
        for (const QString &line : html.split('\n'))
            if (line.startsWith("<tr><td"))
                rows << line;
        QCOMPARE(rows, expectedRows);
        QCOMPARE(p.prompts.shown, QStringList({"ALL Records!: Export  4 Record(s) to HTML Files?",
                                               "Save Records to A HTML File!: *.htm *.htm"}));
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
        QVERIFY(html.contains("<td>Tom &amp; Jerry&#39;s</td>"));
    }

    // The clock ticks without pause while the print dialog is open; an on-air update then
    // must not re-query the rows being printed.
    void printEntireTableToPdfThroughTheDialog() {
        if (run("pdftotext", {"-v"}).contains("did not finish"))
            QSKIP("pdftotext is not installed");
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

    // The printout goes under a temporary name first: a cancelled one leaves no file.
    void cancelledPrintToFileLeavesNoFile() {
        struct CancelAtOnce : exporting::ProgressReporter {
            bool progress(qint64, qint64) override { return false; }
            void finish() override {}
        } cancel;
        const exporting::ExportTable table("Caption", {{1, "Freq", 9}}, {0, 1, 2},
                                           [](int, int row) { return jet::Cell::fromNumber(row); });
        QWidget window;
        const QString pdf = folder().filePath("cancelled.pdf");
        bool asked = false;
        printToFileWhenAsked(pdf, asked);
        QVERIFY(
            !exporting::printWithDialog(&window, table, exporting::printFonts(), false, cancel));
        QVERIFY(asked);
        QCOMPARE(QDir(folder().path()).entryList(QDir::Files), QStringList());
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder; // a fresh one for each test
    QTemporaryDir &folder() { return *m_folder; }
};

QTEST_MAIN(ExportWindowTest)
#include "ExportWindow_test.moc"
