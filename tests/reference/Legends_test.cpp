#include "reference/Legends.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace reference;

namespace {

// What the legends window shows, kept for the checks.
struct FakeLegendsView : LegendsView {
    void setListEntries(const QStringList &e) override {
        entries = e;
        calls << "entries";
    }
    void setListEnabled(bool enabled) override {
        listEnabled = enabled;
        calls << (enabled ? "enabled" : "disabled");
    }
    void setLegendText(const QString &t) override { text = t; }
    void setNote(const QString &n) override { note = n; }
    QStringList entries, calls;
    bool listEnabled = true;
    QString text = "untouched", note;
};

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class LegendsTest : public QObject {
    Q_OBJECT
private slots:
    void builtInTextsLineByLine_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        addRow("2 Program, last line ended, one blank in it", 2,
               "Program Definitions\r\n\r\nN  News Bulletin/Information\r\nC  Classic Programs\r\n"
               "E  Language Lesson\r\nH  Home Service\r\nL  Local Service\r\nM  Music\r\n"
               "P  Pop Music\r\nR  Religious Program\r\nS  Sports Report\r\n"
               "U  Underground/Clandestine/Pirate Radio\r\nX  Mixed Programs\r\n"
               "= Time/Frequency Standard\r\n");
        addRow("6 out of range", 6, "");
    }
    void builtInTextsLineByLine() {
        QFETCH(int, index);
        QFETCH(QString, expected);
        QCOMPARE(legendText(index), expected);
    }

    void listIsTrimmedAndSorted_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        addRow("blanks around each line go",
               QByteArray("  ZWE  Zimbabwe  \n\tB    Brasil\nAFG  Afghanistan\n"),
               QStringList{"AFG  Afghanistan", "B    Brasil", "ZWE  Zimbabwe"});
        addRow("letter case aside, as the list files", QByteArray("b second\nA first\nC third\n"),
               QStringList{"A first", "b second", "C third"});
        addRow("an empty line is an empty entry, first", QByteArray("KEN  Kenya\n\nIND  India\n"),
               QStringList{"", "IND  India", "KEN  Kenya"});
        addRow("CR LF line ends, no end on the last", QByteArray("J  Japan\r\nF  France"),
               QStringList{"F  France", "J  Japan"});
        addRow("UTF-8 names kept", QByteArray("CIV  C\xc3\xb4te d'Ivoire\n"),
               QStringList{QString::fromUtf8("CIV  Côte d'Ivoire")});
        addRow("empty file, empty list", QByteArray(), QStringList{});
    }
    void listIsTrimmedAndSorted() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        writeFile(dir.filePath("Codes.txt"), content);
        const LegendList list = LoadLList(dir.filePath("Codes.txt"));
        QTEST(list.entries, "expected");
        QCOMPARE(list.note, QString());
    }

    void missingFileGivesTheLineAndNoEntries_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("named");
        addRow("ADM", int(AdmOption), "Codes.txt was not found in ");
        addRow("CIRAF", int(CirafOption), "CIRAF.txt was not found in ");
    }
    void missingFileGivesTheLineAndNoEntries() {
        QFETCH(int, option);
        QFETCH(QString, named);
        QTemporaryDir dir;
        FakeLegendsView view;
        view.entries = {"left over"};
        XOption_Click(view, app::Paths::besideProgram(dir.path()), option);
        QCOMPARE(view.entries, QStringList{});
        QCOMPARE(view.note, named + QDir::toNativeSeparators(dir.path()) + ".");
        QVERIFY(view.listEnabled);
    }

    void switchingAdmToCirafReplacesTheList() {
        QTemporaryDir dir;
        writeFile(dir.filePath("Codes.txt"), "USA  United States\nD  Germany\n");
        writeFile(dir.filePath("CIRAF.txt"), "02  Western Canada\n01  Alaska\n");
        FakeLegendsView view;
        XOption_Click(view, app::Paths::besideProgram(dir.path()), AdmOption);
        QCOMPARE(view.entries, (QStringList{"D  Germany", "USA  United States"}));
        view.calls.clear();
        XOption_Click(view, app::Paths::besideProgram(dir.path()), CirafOption);
        QCOMPARE(view.entries, (QStringList{"01  Alaska", "02  Western Canada"}));
        // Emptied and disabled while it is read, enabled after.
        QCOMPARE(view.calls, (QStringList{"entries", "disabled", "entries", "enabled"}));
        QCOMPARE(view.text, QStringLiteral("untouched")); // the text box keeps its legend
    }
};

QTEST_GUILESS_MAIN(LegendsTest)
#include "Legends_test.moc"
