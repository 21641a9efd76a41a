#include "mainwindow/OptionMarks.h"
#include "support/TestSupport.h"

using namespace mainwindow;

class OptionMarksTest : public QObject {
    Q_OBJECT

private slots:
    void marksFromSettings_data() {
        QTest::addColumn<QString>("linkOK");
        QTest::addColumn<QString>("doTips");
        QTest::addColumn<QString>("fSort");
        QTest::addColumn<int>("rowSelectType");
        QTest::addColumn<int>("splitter");
        QTest::addColumn<QList<int>>("marks"); // link, tips, sort, method, lock
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("locked");
        addRow("link on, tips on, descending, contiguous, Freq + Next", "True", "True", " DESC", 3,
               3, QList<int>{0, 1, 1, 2, 1}, 3, 3);
        addRow("link off, tips off, ascending, single, Freq locked", "False", "False", "", 1, 2,
               QList<int>{1, 0, 0, 0, 0}, 1, 2);
        addRow("out-of-range selection and lock leave their groups alone", "False", "False", "", 0,
               7, QList<int>{1, 0, 0, -1, -1}, 0, 0);
    }
    void marksFromSettings() {
        QFETCH(QString, linkOK);
        QFETCH(QString, doTips);
        QFETCH(QString, fSort);
        QFETCH(int, rowSelectType);
        QFETCH(int, splitter);
        QFETCH(QList<int>, marks);
        QFETCH(int, kind);
        QFETCH(int, locked);
        app::ProgramState s;
        s.LinkOK = linkOK;
        s.DoTips = doTips;
        s.FSortStr = fSort;
        s.RowSelectType = qint16(rowSelectType);
        s.SplitterPosition = qint16(splitter);
        const OptionMarks m = optionMarks(s);
        QCOMPARE((QList<int>{m.doLink, m.tips, m.freqSort, m.selectMethod, m.lockColumns}), marks);
        QCOMPARE(m.tipsShown, doTips == "True");
        QCOMPARE(m.rowSelectionKind, kind);
        QCOMPARE(m.lockedColumns, locked);
    }

    void flagsFollowTheirSettings() {
        app::ProgramState s;
        s.SINPOPrompt = true;
        s.FontIsBold = "True";
        s.AutoOnAir = false;
        s.DisplayClock = true;
        const OptionMarks m = optionMarks(s);
        QCOMPARE((QList<int>{m.sinpo, m.markedRowFont, m.autoUpdate, m.clock}),
                 (QList<int>{1, 1, 0, 1}));
    }

    void autoUpdate_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mark");
        QTest::addColumn<bool>("autoOnAir");
        addRow("No", 0, 0, false);
        addRow("Yes", 1, 1, true);
    }
    void autoUpdate() {
        QFETCH(int, index);
        QFETCH(int, mark);
        QFETCH(bool, autoOnAir);
        app::ProgramState s;
        s.AutoOnAir = true;
        QCOMPARE(SelAutoUpdate_Click(s, index), mark);
        QCOMPARE(s.AutoOnAir, autoOnAir);
    }

    void clock_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mark");
        QTest::addColumn<bool>("displayClock");
        QTest::addColumn<QString>("title");
        addRow("off puts the plain title back", 0, 0, false, "Skedwise Database Program");
        addRow("on leaves the title to the next tick", 1, 1, true, "");
    }
    void clock() {
        QFETCH(int, index);
        QFETCH(int, mark);
        QFETCH(bool, displayClock);
        QFETCH(QString, title);
        app::ProgramState s;
        s.DisplayClock = true;
        const ClockChoice choice = ClockOnOff_Click(s, index);
        QCOMPARE(choice.mark, mark);
        QCOMPARE(s.DisplayClock, displayClock);
        QCOMPARE(choice.title.value_or(QString()), title);
    }
};

QTEST_GUILESS_MAIN(OptionMarksTest)
#include "OptionMarks_test.moc"
