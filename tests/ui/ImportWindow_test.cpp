// "Functions" > "Import EiBi Schedule…" through the main window on a real ILGDATA.MDB.
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QTimer>

namespace {

// The program's folder holds a copy of the 1,500-row sample database.
struct Program : testsupport::ProgramUnderTest<testsupport::IsolatedReader> {
    Program() {
        QFile::copy(testsupport::fixture("schedule/ILGDATA.MDB"), database());
        start(dir.path(), QDateTime(QDate(2024, 5, 17), QTime(12, 0), Qt::UTC), false);
    }

    QString caption() const { return form->grid()->caption(); }
    QStringList listOf(QWidget *window, const char *name) const {
        QStringList entries;
        const auto *combo = window->findChild<QComboBox *>(name);
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        return entries;
    }
    QStringList languages() const { return listOf(form->languageSelector(), "Combo0"); }
    QStringList stations() const { return listOf(form->queryDialog(), "Combo1"); }
    void chooseLanguage(const QString &language) {
        auto *combo = form->languageSelector()->findChild<QComboBox *>("Combo0");
        combo->setCurrentIndex(combo->findText(language));
        form->languageSelector()->Combo_Click();
    }

    // Runs the menu item; the file dialog gets schedule, or is cancelled when it is empty; the
    // day dialog keeps every entry.
    void importFromMenu(const QString &schedule, const char *item = "ImportEibi") {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [schedule] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                if (schedule.isEmpty())
                    return files->reject();
                files->selectFile(schedule);
                static_cast<QDialog *>(files)->accept();
            } else if (modal && modal->objectName() == "ImportValidity") {
                modal->findChild<QCheckBox *>("AllDates")->setChecked(true);
                static_cast<QDialog *>(modal)->accept();
            }
        });
        answer.start(10);
        form->findChild<QAction *>(item)->trigger();
    }
};

QByteArray digest(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

const QString SampleCaption = QStringLiteral("VAZOdariDATA   1500 Records in ALL Languages");

} // namespace

class ImportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        REQUIRE_FIXTURE(testsupport::fixture("schedule/ILGDATA.MDB"));
        if (!QFileInfo(testsupport::binary("skedwise-jetread")).isExecutable())
            QFAIL("skedwise-jetread is not built");
    }

    void scheduleItemsEndTheFunctionsMenu() {
        Program p;
        QStringList last;
        for (const QAction *item : p.form->findChild<QMenu *>("Func")->actions().last(3))
            last << item->objectName() + ": " + item->text();
        QCOMPARE(last, (QStringList{"ImportEibi: Import EiBi Schedule…",
                                    "ImportHfcc: Import HFCC Schedule…",
                                    "UpdateSchedule: Update Schedule…"}));
    }

    void importReplacesTheScheduleInTheGrid() {
        Program p;
        QCOMPARE(p.caption(), SampleCaption);
        QVERIFY(!p.languages().contains("Faroese"));
        p.prompts.answers = {app::AnswerOk};
        p.importFromMenu(testsupport::testFile("imports/data/sked-test.csv"));
        QCOMPARE(p.caption(), QString("VAZOdariDATA   23 Records in ALL Languages"));
        QCOMPARE(p.form->data1().recordset().recordCount(), 23);
        QVERIFY(QFileInfo::exists(p.database() + ".bak"));
        // The lists read from the database at start show the new schedule's entries.
        QVERIFY(p.languages().contains("Faroese"));
        QVERIFY(p.stations().contains("Radio Decimal 24h"));
    }

    void importKeepsTheLanguageFilter() {
        Program p;
        p.chooseLanguage("French");
        QVERIFY(p.caption().endsWith("Records in French"));
        p.prompts.answers = {app::AnswerOk};
        p.importFromMenu(testsupport::testFile("imports/data/sked-test.csv"));
        // Three French rows and "English/Spanish/Castellano/French".
        QCOMPARE(p.caption(), QString("VAZOdariDATA   4 Records in French"));
        QCOMPARE(p.languages().first(), QString("ALL"));
    }

    void cancelOrBadFileLeavesDatabaseAndGrid_data() {
        QTest::addColumn<QString>("schedule");
        QTest::addColumn<int>("messages");
        QTest::newRow("file dialog cancelled") << QString() << 0;
        QTest::newRow("not an EiBi file")
            << testsupport::testFile("imports/data/sked-test.expected.csv") << 1;
    }
    void cancelOrBadFileLeavesDatabaseAndGrid() {
        QFETCH(QString, schedule);
        QFETCH(int, messages);
        Program p;
        const QByteArray before = digest(p.database());
        p.prompts.answers = {app::AnswerOk};
        p.importFromMenu(schedule);
        QCOMPARE(digest(p.database()), before);
        QCOMPARE(p.caption(), SampleCaption);
        QCOMPARE(p.form->data1().recordset().recordCount(), 1500);
        QCOMPARE(int(p.prompts.shown.size()), messages);
    }
};

QTEST_MAIN(ImportWindowTest)
#include "ImportWindow_test.moc"
