#include "reference/Legends.h"

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
        QTest::newRow("0 Mode, no end after the last line")
            << 0
            << "Mode definitions\r\n\r\nD - AM\r\nN - Digital\r\nL - LSB Lower Sideband\r\n"
               "U - USB Upper sideband\r\nS - SSB reduced carier -12db\r\n"
               "T - SSB reduced carier -6db";
        QTest::newRow("1 Status, no end after the last line")
            << 1
            << "Status Definitions\r\n\r\nC - Confirmed\r\nE - Estimated\r\nI - inactive\r\n"
               "N - NOT Confirmed\r\nP - Planned";
        QTest::newRow("2 Program, last line ended, one blank in it")
            << 2
            << "Program Definitions\r\n\r\nN  News Bulletin/Information\r\nC  Classic Programs\r\n"
               "E  Language Lesson\r\nH  Home Service\r\nL  Local Service\r\nM  Music\r\n"
               "P  Pop Music\r\nR  Religious Program\r\nS  Sports Report\r\n"
               "U  Underground/Clandestine/Pirate Radio\r\nX  Mixed Programs\r\n"
               "= Time/Frequency Standard\r\n";
        QTest::newRow("3 Cont., last line ended")
            << 3
            << "Continent Abreviations\r\n\r\nAF  Africa\r\nAS  Asia\r\nAU  Australia\r\n"
               "CA  Central America\r\nEU  Europe\r\nME  Middle East\r\nNA  North America\r\n"
               "PA  Pacific Ocean\r\nSA  South America\r\ne  east\r\nw  west\r\ns  south\r\n"
               "n  north\r\nne  north east\r\nnw  north west\r\nse  south east\r\n"
               "sw  south west\r\n";
        QTest::newRow("4 ADM is a list, no text") << 4 << "";
        QTest::newRow("6 out of range") << 6 << "";
    }
    void builtInTextsLineByLine() {
        QFETCH(int, index);
        QFETCH(QString, expected);
        QCOMPARE(legendText(index), expected);
    }

    void listIsTrimmedAndSorted_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("blanks around each line go")
            << QByteArray("  ZWE  Zimbabwe  \n\tB    Brasil\nAFG  Afghanistan\n")
            << QStringList{"AFG  Afghanistan", "B    Brasil", "ZWE  Zimbabwe"};
        QTest::newRow("letter case aside, as the list files")
            << QByteArray("b second\nA first\nC third\n")
            << QStringList{"A first", "b second", "C third"};
        QTest::newRow("an empty line is an empty entry, first")
            << QByteArray("KEN  Kenya\n\nIND  India\n")
            << QStringList{"", "IND  India", "KEN  Kenya"};
        QTest::newRow("CR LF line ends, no end on the last")
            << QByteArray("J  Japan\r\nF  France") << QStringList{"F  France", "J  Japan"};
        QTest::newRow("UTF-8 names kept") << QByteArray("CIV  C\xc3\xb4te d'Ivoire\n")
                                          << QStringList{QString::fromUtf8("CIV  Côte d'Ivoire")};
        QTest::newRow("empty file, empty list") << QByteArray() << QStringList{};
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
        QTest::newRow("ADM") << int(AdmOption) << "Codes.txt was not found in ";
        QTest::newRow("CIRAF") << int(CirafOption) << "CIRAF.txt was not found in ";
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

    void textLegendLeavesTheList() {
        QTemporaryDir dir;
        writeFile(dir.filePath("Codes.txt"), "D  Germany\n");
        FakeLegendsView view;
        XOption_Click(view, app::Paths::besideProgram(dir.path()), AdmOption);
        XOption_Click(view, app::Paths::besideProgram(dir.path()), StatusOption);
        QCOMPARE(view.entries, QStringList{"D  Germany"});
        QVERIFY(view.text.startsWith("Status Definitions\r\n"));
        XOption_Click(view, app::Paths::besideProgram(dir.path()),
                      7); // no such option: nothing changes
        QVERIFY(view.text.startsWith("Status Definitions\r\n"));
    }
};

QTEST_GUILESS_MAIN(LegendsTest)
#include "Legends_test.moc"
