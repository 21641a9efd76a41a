#include "app/ScriptedPrompts.h"
#include "export/ExportCommands.h"
#include "export/ExportRecords.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

using namespace exporting;
using testsupport::FakeExportPort;

namespace {

const QString Txt = "Save Records to A File!: *.txt *.txt";
const QString Htm = "Save Records to A HTML File!: *.htm *.htm";

testsupport::FixedClock clock2105() {
    testsupport::FixedClock clock;
    clock.now = QDateTime(QDate(2026, 3, 1), QTime(21, 5));
    return clock;
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

class ExportCommandsTest : public QObject {
    Q_OBJECT

private slots:

    // The file an export writes for a typed name, through the whole command.
    void writtenFile_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        addRow("selected text, bare name", 0, "plan", "plan.txt");
        addRow("all text, .TXT kept", 1, "Plan.TXT", "Plan.TXT");
        addRow("selected HTML, .html kept", 2, "page.html", "page.html");
        addRow("all HTML, bare name", 3, "page", "page.htm");
    }
    void writtenFile() {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTemporaryDir dir;
        FakeExportPort port = testsupport::exportRecords();
        port.selected = {0};
        port.folder = dir.path();
        app::ScriptedPrompts prompts;
        prompts.answers = {app::AnswerYes};
        prompts.fileNames = {dir.filePath(typed)};
        const testsupport::FixedClock clock = clock2105();
        Export_Click(index, port, prompts, clock);
        QCOMPARE(filesIn(dir.path()), QStringList{written});
    }

    // What each command asks and shows before any file is written.
    void exportDialogs_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("shown");
        addRow("selected text with none selected", 0, 0, 12, QList<int>{},
               QStringList{"No Records!: No Records Selected!"});
        addRow("selected rows never asked", 0, 3, 12, QList<int>{}, QStringList{Txt});
        addRow("all text: two blanks before the count, No stops", 1, 0, 12,
               QList<int>{app::AnswerNo},
               QStringList{"ALL Records!: Export  12 Record(s) to Text Files?"});
        addRow("all HTML: question, Yes reaches the dialog", 3, 0, 12, QList<int>{app::AnswerYes},
               QStringList{"ALL Records!: Export  12 Record(s) to HTML Files?", Htm});
        addRow("empty record set still asked and reaches the dialog", 1, 0, 0,
               QList<int>{app::AnswerYes},
               QStringList{"ALL Records!: Export  0 Record(s) to Text Files?", Txt});
        addRow("index 4 does nothing", 4, 3, 12, QList<int>{}, QStringList{});
    }
    void exportDialogs() {
        QFETCH(int, index);
        QFETCH(int, selected);
        QFETCH(int, rows);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, shown);
        QTemporaryDir dir;
        FakeExportPort port = testsupport::exportRecords();
        port.selected = QList<int>{0, 1, 2}.mid(0, selected);
        port.rowCountOverride = rows;
        app::ScriptedPrompts prompts;
        prompts.answers = answers;
        const testsupport::FixedClock clock = clock2105();
        Export_Click(index, port, prompts, clock); // the dialog is cancelled: no file name left
        QCOMPARE(prompts.shown, shown);
        QCOMPARE(filesIn(dir.path()), QStringList{});
    }

    void patternTypedBackCancels_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        addRow("text pattern", 0, "*.txt");
        addRow("HTML pattern", 2, "*.htm");
    }
    void patternTypedBackCancels() {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path()); // a relative "*.txt.txt" would land here
        FakeExportPort port = testsupport::exportRecords();
        port.selected = {0};
        port.folder = dir.path();
        app::ScriptedPrompts prompts;
        prompts.fileNames = {typed};
        const testsupport::FixedClock clock = clock2105();
        Export_Click(index, port, prompts, clock);
        QDir::setCurrent(before);
        QCOMPARE(prompts.shown.size(), 1); // the dialog, nothing after it
        QCOMPARE(filesIn(dir.path()), QStringList{});
    }

    void failedPrintoutIsSaid() {
        FakeExportPort port = testsupport::exportRecords();
        port.selected = {2};
        const QString why = "The file \"/x/p.pdf\" could not be written: Permission denied";
        port.printOutcome = {exporting::WriteOutcome::Status::Failed, why};
        app::ScriptedPrompts prompts;
        PrintData_Click(0, port, prompts);
        QCOMPARE(prompts.shown, QStringList{"Print: " + why});
    }

    void print_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("printedRows"); // -1: nothing printed
        addRow("selected with none selected", 0, 0, 5, QList<int>{},
               QStringList{"No Records!: No Records Selected!"}, -1);
        addRow("selected rows printed without a question", 0, 2, 5, QList<int>{}, QStringList{}, 2);
        addRow("all rows: No prints nothing", 1, 0, 5, QList<int>{app::AnswerNo},
               QStringList{"ALL Records!: Print  5 Record(s)?"}, -1);
        addRow("all rows: Yes prints in grid order", 1, 0, 5, QList<int>{app::AnswerYes},
               QStringList{"ALL Records!: Print  5 Record(s)?"}, 5);
        addRow("empty record set still asked and printed", 1, 0, 0, QList<int>{app::AnswerYes},
               QStringList{"ALL Records!: Print  0 Record(s)?"}, 0);
        addRow("index 2 does nothing", 2, 2, 5, QList<int>{}, QStringList{}, -1);
    }
    void print() {
        QFETCH(int, index);
        QFETCH(int, selected);
        QFETCH(int, rows);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, shown);
        QFETCH(int, printedRows);
        FakeExportPort port = testsupport::exportRecords();
        port.selected = QList<int>{2, 4}.mid(0, selected);
        if (rows == 0)
            port.order.clear();
        app::ScriptedPrompts prompts;
        prompts.answers = answers;
        PrintData_Click(index, port, prompts);
        QCOMPARE(prompts.shown, shown);
        if (printedRows < 0) {
            QVERIFY(port.printouts.isEmpty());
            return;
        }
        QCOMPARE(port.printouts.size(), 1);
        const FakeExportPort::Printout &p = port.printouts.first();
        QCOMPARE(p.rows, printedRows);
        QCOMPARE(p.fonts.headingFont, QString("Times New Roman"));
        QCOMPARE(p.fonts.rowFont, QString("Arial"));
        QVERIFY2(!p.pageSetup && p.printDialog, "print dialog yes, page set-up no");
        const QStringList first =
            index == 0  ? QStringList{"5005.5", "<script>alert(1)</script>", "0000-2400", ""}
            : rows == 0 ? QStringList{}
                        : QStringList{"15100", "Radio Ñandú Internacional de Paraguay", "",
                                      "Español & Guaraní"};
        QCOMPARE(p.firstRow, first);
    }
};

QTEST_GUILESS_MAIN(ExportCommandsTest)
#include "ExportCommands_test.moc"
