#include "schedule/FakeMainWindow.h"
#include "schedule/FilterStatusWindow.h"
#include "schedule/LanguageSelectorWindow.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <set>

using namespace schedule;
using testsupport::FakeMainWindow;

namespace {

const QString Db = "/prog/ILGDATA.MDB";

// The fixture's Language column, read straight from the CSV.
std::vector<jet::Cell> fixtureLanguages() {
    const jet::CsvRows csv = jet::readCsvFile(testsupport::fixture("schedule/rows.csv"));
    const int column = csv.header.indexOf("Language");
    std::vector<jet::Cell> languages;
    for (const auto &row : csv.rows)
        languages.push_back(row[column]);
    return languages;
}

int countRows(const QString &language, bool exact) {
    int n = 0;
    for (const jet::Cell &cell : fixtureLanguages()) {
        if (cell.isNull())
            continue;
        const QString value = cell.text.toUpper(), wanted = language.toUpper();
        n += exact ? value == wanted : value.contains(wanted);
    }
    return n;
}

struct SelectorFixture {
    SelectorFixture() : window(testsupport::fixtureScheduleTable()) {
        window.tables.add(Db, testsupport::fixtureScheduleTable());
        selector = std::make_unique<LanguageSelectorWindow>(window, window.tables, Db);
        combo = selector->findChild<QComboBox *>("Combo0");
    }
    void open() {
        selector->showSelector();
        QApplication::setActiveWindow(selector.get());
        QVERIFY(QTest::qWaitForWindowActive(selector.get()));
    }
    void pick(const QString &language) {
        const int index = combo->findText(language);
        QVERIFY(index > 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void enter(const QString &language) {
        combo->setEditText(language);
        combo->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    FakeMainWindow window;
    std::unique_ptr<LanguageSelectorWindow> selector;
    QComboBox *combo = nullptr;
};

} // namespace

class LanguageSelectorTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!QFileInfo::exists(testsupport::fixture("schedule/rows.csv")))
            QSKIP("schedule fixture missing");
    }

    void listHasAllFirstThenEachLanguageOnce() {
        SelectorFixture f;
        std::set<QString> distinct;
        for (const jet::Cell &cell : fixtureLanguages())
            if (!cell.isNull() && !cell.text.contains("...    "))
                distinct.insert(cell.text.toUpper());
        QCOMPARE(f.selector->windowTitle(), QString("Language Selector"));
        QCOMPARE(f.combo->itemText(0), QString("ALL"));
        QCOMPARE(f.combo->count(), int(distinct.size()) + 1);
        QCOMPARE(f.combo->currentText(), QString("ALL"));
        QVERIFY(!f.window.s.LangSync);
    }

    void pickContainsEnterEquals_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("entered");
        QTest::newRow("picked English also matches English/French") << "English" << false;
        QTest::newRow("entered English matches only English") << "English" << true;
        QTest::newRow("picked Romanian") << "Romanian" << false;
        QTest::newRow("entered Romanian") << "Romanian" << true;
    }
    void pickContainsEnterEquals() {
        QFETCH(QString, language);
        QFETCH(bool, entered);
        SelectorFixture f;
        f.open();
        entered ? f.enter(language) : f.pick(language);
        const int expected = countRows(language, entered);
        QVERIFY(countRows(language, false) > countRows(language, true));
        QCOMPARE(f.window.rs().recordCount(), expected);
        QCOMPARE(f.window.s.Language, language);
        QCOMPARE(f.window.s.FilterStr, "Filter By \r\nLanguage = " + language);
        QCOMPARE(f.window.caption,
                 "VAZOdariDATA   " + QString::number(expected) + " Records in " + language);
        QCOMPARE(f.combo->toolTip(), " " + language + " ");
    }

    void pickingAllShowsEverything() {
        SelectorFixture f;
        f.window.s.Language = "French";
        f.combo->setCurrentIndex(0);
        emit f.combo->activated(0);
        QCOMPARE(f.window.rs().recordCount(), 1500);
        QCOMPARE(f.window.s.FilterStr, QString("Filter By \r\nLanguage = ALL"));
        QCOMPARE(f.window.caption, QString("VAZOdariDATA   1500 Records in ALL Languages"));
    }

    void doesNothing_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("pick while the program positions the list") << "sync";
        QTest::newRow("Enter with an empty text") << "empty";
        QTest::newRow("typing a listed language and leaving the box") << "leave";
    }
    void doesNothing() {
        QFETCH(QString, action);
        SelectorFixture f;
        f.open();
        if (action == "sync") {
            f.window.s.LangSync = true;
            f.pick("English");
        } else if (action == "leave") {
            f.combo->setFocus();
            f.combo->setEditText("English");
            f.selector->findChild<QWidget *>("CmdClose")->setFocus();
        } else {
            f.enter("");
        }
        QVERIFY(f.window.events.isEmpty());
        QCOMPARE(f.window.s.Language, QString("ALL"));
    }

    void escEmptiesTheText() {
        SelectorFixture f;
        f.open();
        f.combo->setEditText("Eng");
        f.combo->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(f.combo->currentText(), QString());
        QVERIFY(f.selector->isVisible());
    }

    void positionRemembered_data() {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("Close button") << false;
        QTest::newRow("window frame hides it the same way") << true;
    }
    void positionRemembered() {
        QFETCH(bool, byFrame);
        SelectorFixture f;
        const double twipsPerPixel = 1440.0 / f.selector->logicalDpiX();
        f.window.s.LangFormLeft = QString::number(200 * twipsPerPixel);
        f.window.s.LangFormTop = QString::number(100 * twipsPerPixel);
        f.open();
        QCOMPARE(f.selector->pos(), QPoint(200, 100));
        f.selector->move(40, 60);
        byFrame ? void(f.selector->close()) : f.selector->CmdClose_Click();
        QVERIFY(!f.selector->isVisible());
        QCOMPARE(f.window.s.LangFormLeft.toDouble(), 40 * twipsPerPixel);
        QCOMPARE(f.window.s.LangFormTop.toDouble(), 60 * twipsPerPixel);
        f.selector->move(0, 0);
        f.open();
        QCOMPARE(f.selector->pos(), QPoint(40, 60));
    }

    void filterStatusWhileHeld() {
        app::ProgramState s;
        s.FilterStr = "Filter By \r\nCountry = ITALY";
        s.SortBy = "Station";
        s.FSortStr = " DESC";
        QWidget mainWindow;
        mainWindow.setGeometry(100, 80, 800, 400);
        mainWindow.show();
        FilterStatusPopup popup(s, mainWindow);
        popup.CmdFilter_MouseDown();
        FilterStatusWindow *window = popup.window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Filter Settings"));
        QCOMPARE(window->findChild<QPlainTextEdit *>("FilText")->toPlainText(),
                 QString("Filter By \nCountry = ITALY\nSorted By Station, Frequency\n"
                         "Frequency in Descending Order\n"));
        const QRect frame = mainWindow.frameGeometry();
        QCOMPARE(window->pos(), QPoint(frame.left() + frame.width() / 4, frame.top()));
        popup.CmdFilter_MouseUp();
        QVERIFY(!popup.window());
    }
};

QTEST_MAIN(LanguageSelectorTest)
#include "LanguageSelector_test.moc"
