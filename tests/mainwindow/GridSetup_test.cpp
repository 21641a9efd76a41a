#include "mainwindow/GridSetup.h"
#include "support/TestSupport.h"

using namespace mainwindow;

class GridSetupTest : public QObject {
    Q_OBJECT

private slots:
    void fontMenus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("checkedName");
        QTest::addColumn<int>("checkedSize");
        QTest::addColumn<bool>("sevenEnabled");
        addRow("defaults", "Courier New", "8", 1, 1, true);
        addRow("7 pt. only exists in MS Serif", "Courier New", "7", 1, -1, false);
        addRow("MS Serif at 7 points", "MS Serif", "7", 3, 0, true);
        addRow("13 points has no item", "Lucida Console", "13", 2, -1, true);
        addRow("16 points is item 7", "Courier", "16", 0, 7, true);
        addRow("large text: 24 points is the last item", "Courier New", "24", 1, 10, true);
        addRow("unknown font name checks no name", "Arial", "12", -1, 5, true);
        addRow("a menu caption with its blank is no font name", "Courier ", "14", -1, 6, true);
    }
    void fontMenus() {
        QFETCH(QString, name);
        QFETCH(QString, size);
        QFETCH(int, checkedName);
        QFETCH(int, checkedSize);
        QFETCH(bool, sevenEnabled);
        const FontMenuMarks marks = fontMenuMarks(name, size);
        QCOMPARE(marks.checkedName, checkedName);
        QCOMPARE(marks.checkedSize, checkedSize);
        QCOMPARE(marks.sevenEnabled, sevenEnabled);
    }

    void layoutRule_data() {
        QTest::addColumn<double>("outerHeight");
        QTest::addColumn<double>("gridHeight");
        QTest::addColumn<double>("buttonTop");
        addRow("default window", 3600.0, 2400.0, 2480.0);
        addRow("very low window keeps a 1100 grid", 1000.0, 1100.0, -120.0);
        addRow("just above 1100 is clamped, not negative", 1150.0, 0.0, 30.0);
    }
    void layoutRule() {
        QFETCH(double, outerHeight);
        QFETCH(double, gridHeight);
        QFETCH(double, buttonTop);
        const MainLayout layout = mainLayout(outerHeight);
        QCOMPARE(layout.gridHeight, gridHeight);
        QCOMPARE(layout.buttonTop, buttonTop);
    }
};

QTEST_GUILESS_MAIN(GridSetupTest)
#include "GridSetup_test.moc"
