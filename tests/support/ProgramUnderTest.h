#pragma once

#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "jet/IsolatedTableProvider.h"
#include "mainwindow/DisplayWindow.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "support/Fakes.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace testsupport {

// The real .MDB reader in its own process, as the program starts it.
struct IsolatedReader : jet::IsolatedTableProvider {
    IsolatedReader() : jet::IsolatedTableProvider(binary("skedwise-jetread")) {}
};

// A whole program around one main window: settings as at a first start, a fixed clock, a
// temporary folder, and the tables, store and clipboard a test chooses. Tests set state and
// tables, then start().
template <class Tables = MemoryTables, class Store = MemoryStore, class Clip = FakeClipboard>
struct ProgramUnderTest {
    QTemporaryDir dir;
    app::ProgramState state;
    Store store;
    app::ScriptedPrompts prompts;
    FixedClock clock;
    Clip clipboard;
    Tables tables;
    std::unique_ptr<mainwindow::DisplayForm> form;

    ProgramUnderTest() {
        state.codes = schedule::buildCodeTables();
        app::LoadSettings(state, store, {19200, 14400});
    }

    QString database() const { return dir.filePath("ILGDATA.MDB"); }
    QAction *item(const char *name) const {
        return form->findChild<QAction *>(QString::fromLatin1(name));
    }
    QTableView *rows() const {
        return form->grid()->findChild<QTableView *>(QStringLiteral("scheduleRows"));
    }
    jet::RecordSet &records() const { return form->data1().recordset(); }
    int stationAt(int position) const { return int(records().value(position, 0).number); }
    QString current(const QString &field) const {
        return jet::displayText(records().value(records().position(), records().fieldIndex(field)));
    }
    // The current record's StationID, -1 when there is none.
    int currentStation() const {
        return records().position() < 0 ? -1 : stationAt(records().position());
    }
    // The grid row of the record with this StationID, -1 when it is not shown.
    int rowOfStation(int id) const {
        for (int p = 0; p < records().recordCount(); ++p)
            if (stationAt(p) == id)
                return p;
        return -1;
    }

    // An installed program in dir: usr/bin, its shipped files in usr/share/skedwise, the
    // listener's folder data/Skedwise.
    app::Paths installedPaths() const {
        return app::Paths::locate(dir.filePath("usr/bin"), dir.filePath("data"), dir.path());
    }

    // Loads the main window from programDir at now; on screen, at the top, 7200 twips high.
    void start(const QString &programDir, const QDateTime &now, bool onScreen = true) {
        start(app::Paths::besideProgram(programDir), now, onScreen);
    }
    void start(const app::Paths &paths, const QDateTime &now, bool onScreen = true) {
        if (onScreen) {
            state.FormTop = QStringLiteral("0");
            state.FormHeight = QStringLiteral("7200");
        }
        clock.now = now;
        form = std::make_unique<mainwindow::DisplayForm>(
            app::Services{state, store, prompts, clock, clipboard, tables, paths});
        form->Form_Load();
        if (!onScreen)
            return;
        form->show();
        // A window that never appears fails the test, whatever the test checks afterwards.
        if (!QTest::qWaitForWindowExposed(form.get()))
            QTest::qFail("the main window never appeared", __FILE__, __LINE__);
    }
};

} // namespace testsupport
