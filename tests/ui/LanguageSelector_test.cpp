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
    void init() { REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv")); }

    void listHasAllFirstThenEachLanguageOnce() {
        SelectorFixture f;
        std::set<QString> distinct;
        for (const jet::Cell &cell : fixtureLanguages())
            if (!cell.isNull() && !cell.text.contains("...    "))
                distinct.insert(cell.text.toUpper());
        QCOMPARE(f.combo->itemText(0), QString("ALL"));
        QCOMPARE(f.combo->count(), int(distinct.size()) + 1);
        QCOMPARE(f.combo->currentText(), QString("ALL"));
        QVERIFY(!f.window.s.LangSync);
    }

    void pickContainsEnterEquals_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("entered");
        addRow("picked English also matches English/French", "English", false);
        addRow("entered English matches only English", "English", true);
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
};

QTEST_MAIN(LanguageSelectorTest)
#include "LanguageSelector_test.moc"
