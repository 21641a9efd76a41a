// "Log File" > "Show Log…" as the main window opens it, and its Export… and Print….
#include "export/LogWindowUi.h"
#include "support/PrintToFile.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QPushButton>
#include <QTableView>

using testsupport::fileBytes;

class LogWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menuShowsTheLogWhichExportsAndPrints() {
        testsupport::ProgramUnderTest<> p;
        QVERIFY(testsupport::writeFile(
            p.dir.filePath("Skedwise.Log"),
            fileBytes(testsupport::testFile("logbook/reception_expected.log"))));
        p.start(p.dir.path(), QDateTime(QDate(2024, 5, 17), QTime(3, 0), Qt::UTC));
        p.form->findChild<QAction *>("ShowLog")->trigger();
        auto *window = p.form->findChild<exporting::LogWindow *>();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto *table = window->findChild<QTableView *>("LogTable");
        QTRY_COMPARE(table->model()->rowCount(), 2);
        QCOMPARE(table->model()->index(0, 4).data().toString(), u"R\u00e1dio Nacional \u00d1"_qs);

        window->exportTo(p.dir.filePath("mine"), exporting::LogExportKind::Csv);
        const QList<QByteArray> lines = fileBytes(p.dir.filePath("mine.csv")).split('\n');
        QCOMPARE(lines.size(), 4); // heading, two rows, nothing after the last line end
        QVERIFY2(lines[1].contains("Nacional"), lines[1].constData()); // newest first, as shown

        REQUIRE_TOOL("pdftotext");
        const QString pdf = p.dir.filePath("log.pdf");
        bool asked = false;
        testsupport::printToFileWhenAsked(pdf, asked);
        window->findChild<QPushButton *>("Print")->click();
        QVERIFY(asked);
        const QString text = testsupport::run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains("Reception log") && text.contains("fair, music"), qPrintable(text));
        QVERIFY(text.indexOf("Nacional") < text.indexOf("Radio Alpha"));
    }
};

QTEST_MAIN(LogWindowTest)
#include "LogWindow_test.moc"
