#include "app/Conversions.h"
#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "mainwindow/DisplayWindow.h"
#include "support/Fakes.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// The program as a separate process, with its own settings folder.
std::unique_ptr<QProcess> startProgram(const QString &configHome) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configHome);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SKEDWISE_SCRIPTED_PROMPTS", "1");
    p->setProcessEnvironment(env);
    p->start(testsupport::binary("skedwise"), {});
    return p;
}

bool waitForFile(const QString &path, int ms) {
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(path) && t.elapsed() < ms)
        QTest::qWait(50);
    return QFileInfo::exists(path);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

    struct Harness {
        Harness() { clock.now = QDateTime(QDate(2026, 1, 2), QTime(1, 30), Qt::UTC); }
        QTemporaryDir dir;
        app::IniSettingsStore store{dir.path()};
        app::ProgramState state;
        app::ScriptedPrompts prompts;
        testsupport::FixedClock clock;
        testsupport::FakeClipboard clipboard;
        testsupport::MemoryTables tables;
        app::Services services{
            state, store, prompts, clock, clipboard, tables, app::Paths::besideProgram(dir.path())};
        QString file() const { return store.fileFor(app::SettingsApplication); }
    };

private slots:
    void secondCopyIsRefusedAndFirstRunsOn() {
        QTemporaryDir config;
        auto first = startProgram(config.path());
        QVERIFY(first->waitForStarted());
        QVERIFY(waitForFile(config.filePath(app::SettingsApplication + ".lock"), 10000));

        auto second = startProgram(config.path());
        QVERIFY(second->waitForFinished(15000));
        QCOMPARE(second->exitCode(), 1);
        QVERIFY(QString::fromUtf8(second->readAllStandardError())
                    .contains("Error Loading: Program Already Running!"));
        QCOMPARE(first->state(), QProcess::Running);

        first->kill(); // a dead first copy must not keep later ones out
        QVERIFY(first->waitForFinished());
        auto third = startProgram(config.path());
        QVERIFY(third->waitForStarted());
        // The lock file names its holder's process first.
        const QString lock = config.filePath(app::SettingsApplication + ".lock");
        QTRY_COMPARE_WITH_TIMEOUT(testsupport::fileBytes(lock).split('\n').first(),
                                  QByteArray::number(third->processId()), 10000);
        QCOMPARE(third->state(), QProcess::Running);
        third->kill();
        third->waitForFinished();
    }

    // Both exits save all settings; only "Exit" takes the window's new top and left. The
    // offscreen screen has 96 dots per inch: 15 twips a pixel.
    void exitsSaveTheSettings_data() {
        QTest::addColumn<bool>("exitMenu");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        addRow("Exit menu saves the new place and size", true, true, "10500", "6000", "900", "600");
        addRow("close box keeps the loaded top and left", false, true, "10500", "6000", "1500",
               "1500");
        addRow("window left alone saves the size it was given", true, false, "8000", "3600", "1500",
               "1500");
    }
    void exitsSaveTheSettings() {
        QFETCH(bool, exitMenu);
        QFETCH(bool, moved);
        Harness h;
        h.state.FormTop = "1500";
        h.state.FormLeft = 1500;
        mainwindow::DisplayForm form(h.services);
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (moved) {
            form.move(40, 60);
            form.resize(700, 400);
        }
        exitMenu ? form.ExitNow_Click() : void(form.close());

        QSettings raw(h.file(), QSettings::IniFormat);
        raw.beginGroup(app::SettingsSection);
        QCOMPARE(raw.childKeys().size(), 36);
        QTEST(raw.value("FormWidth").toString(), "width");
        QTEST(raw.value("FormHeight").toString(), "height");
        QTEST(raw.value("FormTop").toString(), "top");
        QTEST(h.state.FormTop, "top");
        QTEST(raw.value("FormLeft").toString(), "left");
    }
};

QTEST_MAIN(StartupTest)
#include "Startup_test.moc"
