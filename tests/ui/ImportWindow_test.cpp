// "Functions" > "Import EiBi Schedule…" through the main window on a real ILGDATA.MDB.
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"
#include "support/LocalHttpServer.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The program's folder holds a copy of the 1,500-row sample database; installed, the shipped
// folder does.
struct Program : testsupport::ProgramUnderTest<testsupport::IsolatedReader> {
    // A local server holds the EiBi test schedule as A24, the season of the program's clock.
    LocalHttpServer server;

    explicit Program(const std::function<void(app::FetchSettings &)> &settings = {},
                     bool installed = false) {
        const app::Paths paths =
            installed ? installedPaths() : app::Paths::besideProgram(dir.path());
        QDir().mkpath(paths.shippedFolder());
        QFile::copy(testsupport::fixture("schedule/ILGDATA.MDB"), paths.database());
        server.start();
        server.answers.insert(
            "/sked-a24.csv",
            {200,
             testsupport::fileBytes(testsupport::testFile("imports/data/sked-test.csv")),
             {{"Last-Modified", "Fri, 17 May 2024 10:00:00 GMT"}},
             {}});
        state.fetch.eibiAddress =
            QStringLiteral("http://127.0.0.1:%1/sked-<season>.csv").arg(server.serverPort());
        if (settings)
            settings(state.fetch);
        start(paths, QDateTime(QDate(2024, 5, 17), QTime(12, 0), Qt::UTC), false);
    }
    QString dialogFolder; // where the import's file dialog opened

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

    // Runs the menu item; the file dialog gets schedule, the day dialog keeps every entry.
    void importFromMenu(const QString &schedule, const char *item = "ImportEibi") {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [this, schedule] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                dialogFolder = files->directory().path();
                // Typed as a listener would: selectFile() goes through the folder model, which
                // fills in a thread and may not know the file yet on a busy machine.
                files->findChild<QLineEdit *>("fileNameEdit")->setText(schedule);
                static_cast<QDialog *>(files)->accept();
            } else if (modal && modal->objectName() == "ImportValidity") {
                modal->findChild<QCheckBox *>("AllDates")->setChecked(true);
                static_cast<QDialog *>(modal)->accept();
            }
        });
        answer.start(10);
        form->findChild<QAction *>(item)->trigger();
    }

    // "Update Schedule…" with every entry kept: Download, and Close when it stays open.
    bool updateFromMenu() {
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != "UpdateSchedule")
                return;
            seen = true;
            dialog->findChild<QCheckBox *>("AllDates")->setChecked(true);
            dialog->findChild<QPushButton *>("Download")->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        form->findChild<QAction *>("UpdateSchedule")->trigger();
        return seen;
    }
};

QByteArray digest(const QString &path) {
    return QCryptographicHash::hash(testsupport::fileBytes(path), QCryptographicHash::Sha256);
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

    void installedImportGoesToTheListenersFolder() {
        Program p({}, true);
        const QString shipped = p.dir.filePath("usr/share/skedwise/ILGDATA.MDB");
        const QByteArray sample = digest(shipped);
        QCOMPARE(p.caption(), SampleCaption);
        p.prompts.answers = {app::AnswerOk};
        p.importFromMenu(testsupport::testFile("imports/data/sked-test.csv"));
        QCOMPARE(p.dialogFolder, p.dir.filePath("data/Skedwise"));
        QCOMPARE(p.caption(), QString("VAZOdariDATA   23 Records in ALL Languages"));
        QVERIFY(QFileInfo::exists(p.dir.filePath("data/Skedwise/ILGDATA.MDB")));
        QCOMPARE(digest(shipped), sample);
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

    void updateFetchesThenIsUpToDate() {
        Program p;
        p.prompts.answers = {app::AnswerOk, app::AnswerOk};
        QVERIFY2(p.updateFromMenu(), "the Update Schedule dialog never appeared");
        QCOMPARE(p.caption(), QString("VAZOdariDATA   23 Records in ALL Languages"));
        QCOMPARE(p.store.values.value("source") + ' ' + p.store.values.value("season"),
                 QString("EiBi A24")); // kept at once, not only at exit
        QVERIFY(p.updateFromMenu());
        QCOMPARE(p.prompts.shown.last(), QString("Update Schedule: The schedule is up to date."));
    }

    void startOffersTheNewSeason() {
        Program p([](app::FetchSettings &f) { f.inUse.season = "B23"; });
        auto *notice = p.form->findChild<QLabel *>("ScheduleNotice");
        QVERIFY(notice);
        QVERIFY2(notice->text().startsWith("The B23 schedule is in use and A24 has begun"),
                 qPrintable(notice->text()));
        bool dialogSeen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            dialogSeen = dialog && dialog->objectName() == "UpdateSchedule";
            if (dialog)
                dialog->reject();
        });
        emit notice->linkActivated("update");
        QVERIFY(dialogSeen);
        QVERIFY(p.server.requests.isEmpty()); // nothing fetched unasked
    }

    void weeklyCheckPutsTheScheduleInPlaceInTheBackground() {
        Program p([](app::FetchSettings &f) { f.checkWeekly = true; });
        QTRY_COMPARE_WITH_TIMEOUT(p.caption(),
                                  QString("VAZOdariDATA   23 Records in ALL Languages"), 20000);
        QCOMPARE(p.form->findChild<QLabel *>("ScheduleNotice")->text(),
                 QString("A new schedule was put in place: EiBi A24."));
        QCOMPARE(p.store.values.value("lastweeklycheck"), QString("2024-05-17"));
        QAction *option = p.form->findChild<QAction *>("CheckWeekly");
        QVERIFY(option->isChecked());
        option->trigger();
        QCOMPARE(p.store.values.value("checkweekly"), QString("False"));
    }
};

QTEST_MAIN(ImportWindowTest)
#include "ImportWindow_test.moc"
