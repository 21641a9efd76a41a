// "Functions" > "Import EiBi Schedule…" through the main window on a real ILGDATA.MDB.
#include "mainwindow/ScheduleGridWidget.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QTimer>

namespace {

// The program's folder holds a copy of the 1,500-row sample database; installed, the shipped
// folder does.
struct Program : testsupport::ProgramUnderTest<testsupport::IsolatedReader> {
    explicit Program(bool installed = false) {
        const app::Paths paths =
            installed ? installedPaths() : app::Paths::besideProgram(dir.path());
        QDir().mkpath(paths.shippedFolder());
        QFile::copy(testsupport::fixture("schedule/ILGDATA.MDB"), paths.database());
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

    // Runs the menu item; the file dialog gets schedule, or is cancelled when it is empty.
    void importFromMenu(const QString &schedule) {
        QTimer::singleShot(0, [this, schedule] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialogFolder = dialog->directory().path();
            if (schedule.isEmpty())
                return dialog->reject();
            dialog->selectFile(schedule);
            static_cast<QDialog *>(dialog)->accept();
        });
        form->findChild<QAction *>("ImportEibi")->trigger();
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

    void menuItemEndsTheFunctionsMenu() {
        Program p;
        QAction *item = p.form->findChild<QAction *>("ImportEibi");
        QVERIFY(item);
        QCOMPARE(item->text(), QString("Import EiBi Schedule…"));
        const QList<QAction *> items = p.form->findChild<QMenu *>("Func")->actions();
        QCOMPARE(items.last(), item);
    }

    void importReplacesTheScheduleInTheGrid() {
        Program p;
        QCOMPARE(p.caption(), SampleCaption);
        QVERIFY(!p.languages().contains("Faroese"));
        p.prompts.answers = {app::AnswerOk};
        p.importFromMenu(testsupport::testFile("eibi/data/sked-test.csv"));
        QCOMPARE(p.caption(), QString("VAZOdariDATA   23 Records in ALL Languages"));
        QCOMPARE(p.form->data1().recordset().recordCount(), 23);
        QVERIFY(QFileInfo::exists(p.database() + ".bak"));
        // The lists read from the database at start show the new schedule's entries.
        QVERIFY(p.languages().contains("Faroese"));
        QVERIFY(p.stations().contains("Radio Decimal 24h"));
    }

    void installedImportGoesToTheListenersFolder() {
        Program p(true);
        const QString shipped = p.dir.filePath("usr/share/skedwise/ILGDATA.MDB");
        const QByteArray sample = digest(shipped);
        QCOMPARE(p.caption(), SampleCaption);
        p.prompts.answers = {app::AnswerOk};
        p.importFromMenu(testsupport::testFile("eibi/data/sked-test.csv"));
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
        p.importFromMenu(testsupport::testFile("eibi/data/sked-test.csv"));
        // Three French rows and "English/Spanish/Castellano/French".
        QCOMPARE(p.caption(), QString("VAZOdariDATA   4 Records in French"));
        QCOMPARE(p.languages().first(), QString("ALL"));
    }

    void cancelOrBadFileLeavesDatabaseAndGrid_data() {
        QTest::addColumn<QString>("schedule");
        QTest::addColumn<int>("messages");
        QTest::newRow("file dialog cancelled") << QString() << 0;
        QTest::newRow("not an EiBi file")
            << testsupport::testFile("eibi/data/sked-test.expected.csv") << 1;
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
