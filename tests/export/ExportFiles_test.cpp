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

#include <sys/stat.h>
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
        addRow("text", 1, "all-rows.txt");
        addRow("HTML", 3, "all-rows.htm");
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
        addRow("text padded, number right-aligned", Cell::fromText("ab"), Cell::fromNumber(7),
               "ab     7\n");
        addRow("long text cut to its width", Cell::fromText("abcdef"), Cell::fromText("xyz"),
               "abcd xyz\n");
        addRow("long number cut too", Cell::fromNumber(123456), Cell::null(), "1234\n");
        addRow("trailing blanks dropped", Cell::fromText("a"), Cell::fromText(""), "a\n");
        addRow("no half character at the cut",
               Cell::fromText(QString::fromUtf8("abc\xF0\x9F\x93\xBB")), Cell::fromText("x"),
               "abc  x\n");
        addRow("whole character fits", Cell::fromText(QString::fromUtf8("ab\xF0\x9F\x93\xBB")),
               Cell::fromText("x"), QString::fromUtf8("ab\xF0\x9F\x93\xBB x\n"));
        addRow("East Asian wide characters take two columns",
               Cell::fromText(QString::fromUtf8("\xE4\xB8\xAD")), Cell::fromText("x"),
               QString::fromUtf8("\xE4\xB8\xAD   x\n"));
        addRow("a wide character crossing the cut is left out",
               Cell::fromText(QString::fromUtf8("a\xE4\xB8\xAD\xE5\x9B\xBD")), Cell::fromText("x"),
               QString::fromUtf8("a\xE4\xB8\xAD  x\n"));
    }
    void textLine() {
        QFETCH(jet::Cell, first);
        QFETCH(jet::Cell, second);
        QFETCH(QString, line);
        const ExportTable table("", {{0, "A", 4}, {1, "B", 3}}, {0},
                                [&](int column, int) { return column == 0 ? first : second; });
        QCOMPARE(textRow(table, 0), line);
    }

    void templates_data() {
        QTest::addColumn<QByteArray>("templateText"); // "(none)": no file, "(folder)": a folder
        QTest::addColumn<QString>("message");         // after the folder path; "" none
        QTest::addColumn<QByteArray>("pageStart");
        addRow("placeholders filled, unknown kept, values escaped",
               QByteArray("{{TITLE}}|{{CAPTION}}|{{GENERATED}}|{{NAME}}|{{TITLE}}\n{{TABLE}}"), "",
               QByteArray("Skedwise Schedule|{{TABLE}} &amp; &lt;i&gt;|2026-03-01 21:05|{{NAME}}|"
                          "Skedwise Schedule\n<table>"));
        addRow("second TABLE left empty", QByteArray("{{TABLE}}[{{TABLE}}]"), "",
               QByteArray("<table>\n<thead>\n<tr><th>Freq</th></tr>\n</thead>\n<tbody>\n<tr><td "
                          "class=\"num\">9575</td></tr>\n</tbody>\n</table>[]"));
        addRow("no TABLE placeholder", QByteArray("<p>{{CAPTION}}</p>"),
               "\" has no {{TABLE}} placeholder for the rows", QByteArray("<!DOCTYPE html>"));
        addRow("missing template", QByteArray("(none)"),
               "\" cannot be read (No such file or directory)", QByteArray("<!DOCTYPE html>"));
        addRow("unreadable template (a folder)", QByteArray("(folder)"), "\" cannot be read (",
               QByteArray("<!DOCTYPE html>"));
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

    void failures_data() {
        QTest::addColumn<QString>("target"); // inside the temporary folder
        QTest::addColumn<QString>("made");   // what is there before: locked folder, dir, fifo
        QTest::addColumn<QString>("reason"); // %1 the target's path
        addRow("read-only folder", "locked/plan.txt", "locked", "Permission denied");
        addRow("name is a folder", "plan.txt", "dir",
               "\"%1\" is a folder; nothing was written there.");
        addRow("name is a pipe, refused and left alone", "plan.txt", "fifo",
               "\"%1\" is not a regular file (a device, pipe or socket); nothing was written "
               "there.");
        addRow("folder missing", "gone/plan.txt", "", "No such file or directory");
    }
    void failures() {
        QFETCH(QString, target);
        QFETCH(QString, made);
        QFETCH(QString, reason);
        if (made == u"locked" && geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir dir;
        const QString path = dir.filePath(target);
        if (made == u"locked") {
            QVERIFY(QDir(dir.path()).mkdir("locked"));
            QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
        } else if (made == u"dir") {
            QVERIFY(QDir(dir.path()).mkdir(target));
        } else if (made == u"fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        const QStringList before = entries(dir.path());
        FakeExportPort port = testsupport::exportRecords();
        Run run;
        run.exportAll(1, port, path);
        QCOMPARE(run.messages(), QStringList{"Export: The file \"" + path +
                                             "\" could not be written: " + reason.arg(path)});
        QCOMPARE(entries(dir.path()), before);
        if (made == u"locked")
            QCOMPARE(entries(dir.filePath("locked")), QStringList{});
        if (made == u"fifo")
            QVERIFY(!QFileInfo(path).isFile()); // still the pipe
    }

    // A link keeps pointing at the new file.
    void exportFollowsALink() {
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.filePath("real.txt"), dir.filePath("plan.txt")));
        FakeExportPort port = testsupport::exportRecords();
        Run run;
        run.exportAll(1, port, dir.filePath("plan.txt"));
        QVERIFY(QFileInfo(dir.filePath("plan.txt")).isSymLink());
        QVERIFY(fileBytes(dir.filePath("real.txt")).startsWith("Freq      Station"));
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
