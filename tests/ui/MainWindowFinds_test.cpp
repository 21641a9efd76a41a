// The finds, filters and companion windows as the main window runs them.
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/FilterStatusWindow.h"
#include "schedule/LanguageSelectorWindow.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTableView>

namespace {

const QString ProgramDir = QStringLiteral("/skedwise-finds");

struct Program : testsupport::ProgramUnderTest<> {
    explicit Program(std::shared_ptr<const jet::Table> table) {
        if (table)
            tables.add(ProgramDir + QStringLiteral("/ILGDATA.MDB"), std::move(table));
        start(ProgramDir, QDateTime(QDate(2024, 5, 17), QTime(1, 30), Qt::UTC));
    }

    void key(Qt::Key k) {
        rows()->setFocus();
        QTest::keyClick(rows(), k);
    }
};

schedule::FilterStatusWindow *statusWindow() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *status = qobject_cast<schedule::FilterStatusWindow *>(w))
            return status;
    return nullptr;
}

} // namespace

class MainWindowFindsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv")); }

    void functionKeysRunTheQuickFinds_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("found");
        addRow("F3 finds a station with an apostrophe", int(Qt::Key_F3), "people's", "Station",
               "Station", "People's Radio");
        addRow("F2 finds a frequency", int(Qt::Key_F2), "17645", "Freq", "Freq", "17645");
    }
    void functionKeysRunTheQuickFinds() {
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(QString, sortBy);
        QFETCH(QString, field);
        QFETCH(QString, found);
        Program p(testsupport::fixtureScheduleTable());
        p.prompts.inputs << typed;
        p.key(Qt::Key(key));
        QCOMPARE(p.state.SortBy, sortBy);
        QCOMPARE(p.current(field), found);
        QVERIFY(p.prompts.shown.filter("NOT Found").isEmpty());
    }

    void filterStatusShowsWhileHeld_data() {
        QTest::addColumn<int>("mouseButton");
        addRow("left button", int(Qt::LeftButton));
        addRow("right button too", int(Qt::RightButton));
    }
    void filterStatusShowsWhileHeld() {
        QFETCH(int, mouseButton);
        Program p(testsupport::fixtureScheduleTable());
        auto *button = p.form->findChild<QPushButton *>("CmdFilter");
        QTest::mousePress(button, Qt::MouseButton(mouseButton));
        auto *status = statusWindow();
        QVERIFY(status && status->isVisible());
        QVERIFY(status->text().startsWith("ALL Languages\nSorted By Freq"));
        QTest::mouseRelease(button, Qt::MouseButton(mouseButton));
        QTRY_VERIFY(!statusWindow());
    }

    void languageSelectorIsFilledAtStart() {
        Program p(testsupport::fixtureScheduleTable());
        p.item("FindNow_2")->trigger();
        auto *selector = p.form->languageSelector();
        QVERIFY(selector->isVisible());
        QCOMPARE(selector->listText(), QString("ALL"));
    }

    void missingDatabaseIsSaidAndTheGridIsEmpty() {
        Program p(nullptr);
        QCOMPARE(p.prompts.shown.filter("was not found").size(), 1);
        QVERIFY(p.prompts.shown.filter("was not found")[0].contains(ProgramDir + "/ILGDATA.MDB"));
        QCOMPARE(p.records().recordCount(), 0);
        QCOMPARE(p.form->grid()->rowCount(), 0);
    }
};

QTEST_MAIN(MainWindowFindsTest)
#include "MainWindowFinds_test.moc"
