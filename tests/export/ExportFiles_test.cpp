#include "app/ScriptedPrompts.h"
#include "export/ExportCommands.h"
#include "export/ExportRecords.h"
#include "export/HtmlExport.h"
#include "export/TextExport.h"
#include "support/Fakes.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <unistd.h>

using namespace exporting;
using testsupport::FakeExportPort;

Q_DECLARE_METATYPE(jet::Cell)

using testsupport::fileBytes;
using testsupport::writeFile;

namespace {

QStringList entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct Run {
    app::ScriptedPrompts prompts;
    testsupport::FixedClock clock;
    Run() { clock.now = QDateTime(QDate(2026, 3, 1), QTime(21, 5)); }
    // Exports all rows with this Export index to path.
    void exportAll(int index, FakeExportPort &port, const QString &path) {
        prompts.answers = {app::AnswerYes};
        prompts.fileNames = {path};
        Export_Click(index, port, prompts, clock);
    }
    QStringList messages() const { return prompts.shown.mid(2); } // after question and dialog
};

const QString BuiltIn = ". The page is written with the built-in template instead.";

} // namespace

class ExportFilesTest : public QObject {
    Q_OBJECT

private slots:
    void goldenFiles_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("golden");
        QTest::newRow("text") << 1 << "all-rows.txt";
        QTest::newRow("HTML") << 3 << "all-rows.htm";
    }
    void goldenFiles() {
        QFETCH(int, index);
        QFETCH(QString, golden);
        QTemporaryDir dir;
        FakeExportPort port = testsupport::exportRecords();
        port.folder = dir.path();
        QVERIFY(QFile::copy(testsupport::testFile("export/golden/page-template.htm"),
                            dir.filePath("template.htm")));
        Run run;
        run.exportAll(index, port, dir.filePath(golden));
        QCOMPARE(run.messages(), QStringList{});
        QCOMPARE(fileBytes(dir.filePath(golden)),
                 fileBytes(testsupport::testFile("export/golden/" + golden)));
    }

    void textLine_data() {
        QTest::addColumn<jet::Cell>("first");
        QTest::addColumn<jet::Cell>("second");
        QTest::addColumn<QString>("line"); // columns 4 and 3 wide
        using jet::Cell;
        QTest::newRow("text padded, number right-aligned")
            << Cell::fromText("ab") << Cell::fromNumber(7) << "ab     7\n";
        QTest::newRow("long text cut to its width")
            << Cell::fromText("abcdef") << Cell::fromText("xyz") << "abcd xyz\n";
        QTest::newRow("long number cut too")
            << Cell::fromNumber(123456) << Cell::null() << "1234\n";
        QTest::newRow("trailing blanks dropped")
            << Cell::fromText("a") << Cell::fromText("") << "a\n";
        QTest::newRow("no half character at the cut")
            << Cell::fromText(QString::fromUtf8("abc\xF0\x9F\x93\xBB")) << Cell::fromText("x")
            << "abc  x\n";
        QTest::newRow("whole character fits")
            << Cell::fromText(QString::fromUtf8("ab\xF0\x9F\x93\xBB")) << Cell::fromText("x")
            << QString::fromUtf8("ab\xF0\x9F\x93\xBB x\n");
    }
    void textLine() {
        QFETCH(jet::Cell, first);
        QFETCH(jet::Cell, second);
        QFETCH(QString, line);
        const ExportTable table("", {{0, "A", 4}, {1, "B", 3}}, {0},
                                [&](int column, int) { return column == 0 ? first : second; });
        QCOMPARE(textRow(table, 0), line);
    }

    void selectedRowsInGridOrder() {
        QTemporaryDir dir;
        FakeExportPort port = testsupport::exportRecords();
        port.selected = {4, 1};
        Run run;
        run.prompts.fileNames = {dir.filePath("two")};
        Export_Click(0, port, run.prompts, run.clock);
        QCOMPARE(fileBytes(dir.filePath("two.txt")),
                 QByteArray("Freq      Station                UTC        Language\n"
                            "--------- ---------------------- ---------- ------------------\n"
                            "     7000 Radio Gamma            0600-0900  Italian\n"
                            "     6000 Tom & Jerry's          1800-1900\n"));
    }

    void templates_data() {
        QTest::addColumn<QByteArray>("templateText"); // "(none)": no file, "(folder)": a folder
        QTest::addColumn<QString>("message");         // after the folder path; "" none
        QTest::addColumn<QByteArray>("pageStart");
        QTest::newRow("placeholders filled, unknown kept, values escaped")
            << QByteArray("{{TITLE}}|{{CAPTION}}|{{GENERATED}}|{{NAME}}|{{TITLE}}\n{{TABLE}}") << ""
            << QByteArray("Skedwise Schedule|{{TABLE}} &amp; &lt;i&gt;|2026-03-01 21:05|{{NAME}}|"
                          "Skedwise Schedule\n<table>");
        QTest::newRow("second TABLE left empty")
            << QByteArray("{{TABLE}}[{{TABLE}}]") << ""
            << QByteArray("<table>\n<thead>\n<tr><th>Freq</th></tr>\n</thead>\n<tbody>\n<tr><td "
                          "class=\"num\">9575</td></tr>\n</tbody>\n</table>[]");
        QTest::newRow("no TABLE placeholder")
            << QByteArray("<p>{{CAPTION}}</p>") << "\" has no {{TABLE}} placeholder for the rows"
            << QByteArray("<!DOCTYPE html>");
        QTest::newRow("missing template")
            << QByteArray("(none)") << "\" cannot be read (No such file or directory)"
            << QByteArray("<!DOCTYPE html>");
        QTest::newRow("unreadable template (a folder)")
            << QByteArray("(folder)") << "\" cannot be read (" << QByteArray("<!DOCTYPE html>");
    }
    void templates() {
        QFETCH(QByteArray, templateText);
        QFETCH(QString, message);
        QFETCH(QByteArray, pageStart);
        QTemporaryDir dir;
        const QString templatePath = dir.filePath("template.htm");
        if (templateText == "(folder)")
            QVERIFY(QDir(dir.path()).mkdir("template.htm"));
        else if (templateText != "(none)")
            QVERIFY(writeFile(templatePath, templateText));
        FakeExportPort port = testsupport::exportRecords();
        port.columns = {{1, "Freq", 9}};
        port.order = {0};
        port.gridCaption = "{{TABLE}} & <i>";
        port.folder = dir.path();
        Run run;
        run.exportAll(3, port, dir.filePath("page.htm"));
        if (message.isEmpty()) {
            QCOMPARE(run.messages(), QStringList{});
        } else {
            QCOMPARE(run.messages().size(), 1);
            const QString shown = run.messages().first();
            QVERIFY2(shown.startsWith("Export: The template \"" + templatePath + message),
                     qPrintable(shown));
            QVERIFY2(shown.endsWith(BuiltIn), qPrintable(shown));
        }
        QVERIFY(fileBytes(dir.filePath("page.htm")).startsWith(pageStart));
    }

    void builtInTemplateIsTheShippedOne() {
        const QString shipped =
            QString::fromUtf8(fileBytes(testsupport::testFile("../data/template.htm")));
        QCOMPARE(defaultTemplate(), shipped);
        QCOMPARE(QString::fromUtf8(fileBytes(testsupport::binary("template.htm"))), shipped);
        // Each once, and none in a comment, where a filled table would not show.
        QString outsideComments = shipped;
        outsideComments.remove(
            QRegularExpression("<!--.*?-->", QRegularExpression::DotMatchesEverythingOption));
        for (const char *placeholder : {"{{TITLE}}", "{{CAPTION}}", "{{GENERATED}}", "{{TABLE}}"}) {
            QVERIFY2(outsideComments.contains(placeholder), placeholder);
            QCOMPARE(outsideComments.count(placeholder), shipped.count(placeholder));
        }
        QCOMPARE(shipped.count("{{TABLE}}"), 1);
        for (const char *outside : {"<script", "http:", "https:", "@import", "url("})
            QVERIFY2(!shipped.contains(outside, Qt::CaseInsensitive), outside);
    }

    void failures_data() {
        QTest::addColumn<QString>("target"); // inside the temporary folder
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only folder") << "locked/plan.txt" << true << "Permission denied";
        QTest::newRow("name is a folder")
            << "plan.txt" << false << "Filename refers to a directory";
        QTest::newRow("folder missing") << "gone/plan.txt" << false << "No such file or directory";
    }
    void failures() {
        QFETCH(QString, target);
        QFETCH(bool, readOnlyFolder);
        QFETCH(QString, reason);
        if (readOnlyFolder && geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir dir;
        if (readOnlyFolder) {
            QVERIFY(QDir(dir.path()).mkdir("locked"));
            QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
        } else if (!target.contains('/')) {
            QVERIFY(QDir(dir.path()).mkdir(target));
        }
        const QStringList before = entries(dir.path());
        FakeExportPort port = testsupport::exportRecords();
        Run run;
        run.exportAll(1, port, dir.filePath(target));
        QCOMPARE(run.messages().size(), 1);
        QCOMPARE(run.messages().first(), "Export: The file \"" + dir.filePath(target) +
                                             "\" could not be written: " + reason);
        QCOMPARE(entries(dir.path()), before);
        if (readOnlyFolder)
            QCOMPARE(entries(dir.filePath("locked")), QStringList{});
    }

    // The old file stays whole until the new one is complete: while rows are written and when
    // the export is cancelled half-way.
    void existingFileReplacedOnlyWhenComplete() {
        QTemporaryDir dir;
        const QString path = dir.filePath("plan.txt");
        QVERIFY(writeFile(path, "old plan\n"));
        FakeExportPort port = testsupport::exportRecords();
        port.order.clear();
        for (int i = 0; i < 3 * ProgressStep; ++i)
            port.order << i % 5;
        testsupport::ScriptedProgress progress;
        port.reporter = &progress;
        QStringList seenWhileWriting;
        progress.onReport = [&] { seenWhileWriting << QString::fromUtf8(fileBytes(path)); };
        progress.cancelAt = 2;
        Run cancelled;
        cancelled.exportAll(1, port, path);
        QCOMPARE(cancelled.messages(), QStringList{});
        QCOMPARE(fileBytes(path), QByteArray("old plan\n"));
        QCOMPARE(entries(dir.path()), QStringList{"plan.txt"});
        QCOMPARE(progress.finished, 1);

        progress.cancelAt = -1;
        Run complete;
        complete.exportAll(1, port, path);
        QVERIFY(!seenWhileWriting.isEmpty());
        QCOMPARE(seenWhileWriting.filter("old plan\n").size(), seenWhileWriting.size());
        QCOMPARE(fileBytes(path).count('\n'), 2 + 3 * ProgressStep);
        QCOMPARE(entries(dir.path()), QStringList{"plan.txt"});
    }
};

QTEST_GUILESS_MAIN(ExportFilesTest)
#include "ExportFiles_test.moc"
