#include "reference/Legends.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace reference;

using testsupport::writeFile;

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

} // namespace

class LegendsTest : public QObject {
    Q_OBJECT
private slots:
    void builtInTextIsTheChosenLegend() {
        QVERIFY(legendText(ProgramOption).startsWith("Program Definitions\r\n\r\nN  News"));
        QVERIFY(legendText(ProgramOption).endsWith("= Time/Frequency Standard\r\n"));
    }

    void listIsTrimmedAndSorted_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        addRow("blanks around each line go, UTF-8 names kept",
               QByteArray("  ZWE  Zimbabwe  \n\tCIV  C\xc3\xb4te d'Ivoire\nAFG  Afghanistan\n"),
               QStringList{"AFG  Afghanistan", QString::fromUtf8("CIV  Côte d'Ivoire"),
                           "ZWE  Zimbabwe"});
        addRow("letter case aside, as the list files", QByteArray("b second\nA first\nC third\n"),
               QStringList{"A first", "b second", "C third"});
        addRow("an empty line is an empty entry, first", QByteArray("KEN  Kenya\n\nIND  India\n"),
               QStringList{"", "IND  India", "KEN  Kenya"});
        addRow("CR LF line ends, no end on the last", QByteArray("J  Japan\r\nF  France"),
               QStringList{"F  France", "J  Japan"});
    }
    void listIsTrimmedAndSorted() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Codes.txt"), content));
        const LegendList list = LoadLList(dir.filePath("Codes.txt"));
        QTEST(list.entries, "expected");
        QCOMPARE(list.note, QString());
    }

    void missingFileGivesTheLineAndNoEntries() {
        QTemporaryDir dir;
        FakeLegendsView view;
        view.entries = {"left over"};
        XOption_Click(view, app::Paths::besideProgram(dir.path()), CirafOption);
        QCOMPARE(view.entries, QStringList{});
        QCOMPARE(view.note,
                 "CIRAF.txt was not found in " + QDir::toNativeSeparators(dir.path()) + ".");
        QVERIFY(view.listEnabled);
    }

    void switchingAdmToCirafReplacesTheList() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Codes.txt"), "USA  United States\nD  Germany\n"));
        QVERIFY(writeFile(dir.filePath("CIRAF.txt"), "02  Western Canada\n01  Alaska\n"));
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
