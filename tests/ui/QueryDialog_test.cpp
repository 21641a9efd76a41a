#include "app/ScriptedPrompts.h"
#include "schedule/FakeMainWindow.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

using namespace schedule;

namespace {

const QString Db = "/prog/ILGDATA.MDB";

std::shared_ptr<const jet::Table> smallTable() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,Language,Country,ADM\r\n"
                      "1,6000,\"Radio A\",\"French\",\"FRANCE\",\"F\"\r\n"
                      "2,7000,\"Radio B\",\"English\",\"GERMANY\",\"D\"\r\n"
                      "3,7000,\"Radio B\",,\"GERMANY\",\"D\"\r\n"
                      "4,9000,\"Radio C\",\"...    more\",\"ITALY\",\"I\"\r\n"
                      "5,9500,\"Radio D\",\"english\",\"ITALY\",\"I\"\r\n"));
}

// The dialog over a small database, with its lists filled.
struct DialogFixture {
    DialogFixture() {
        state.codes = buildCodeTables();
        state.FieldListStr = "StationID,Freq";
        state.SortBy = "Station";
        tables.add(Db, smallTable());
        dialog = std::make_unique<QueryDialog>(state, prompts, tables, Db);
        dialog->setLanguageSelectorMover([this](int p) { moves << p; });
    }
    template <typename T> T *get(const QString &name) {
        T *w = dialog->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QComboBox *combo(int n) { return get<QComboBox>(QString("Combo%1").arg(n)); }
    QCheckBox *check(int n) { return get<QCheckBox>(QString("Check%1").arg(n)); }
    QLineEdit *text(int n) { return get<QLineEdit>(QString("Text%1").arg(n)); }
    QRadioButton *option(int n) { return get<QRadioButton>(QString("FreqOption%1").arg(n)); }
    void open() {
        dialog->Form_Activate();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    app::ProgramState state;
    app::ScriptedPrompts prompts;
    testsupport::MemoryTables tables;
    std::unique_ptr<QueryDialog> dialog;
    QList<int> moves;
};

} // namespace

class QueryDialogTest : public QObject {
    Q_OBJECT

private slots:

    void workedExampleThroughTheControls() {
        DialogFixture f;
        f.open();
        f.combo(0)->setEditText("ENGLISH");
        f.combo(2)->setEditText("GERMANY");
        f.check(2)->setChecked(true);
        f.option(1)->setChecked(true);
        f.text(1)->setText("6000");
        f.text(2)->setText("7000");
        QTest::mouseClick(f.get<QPushButton>("CmdDone"), Qt::LeftButton);
        QCOMPARE(f.state.SQLStr,
                 QString("Select StationID,Freq From MyDataTable Where (instr(Language,'ENGLISH') "
                         "<> 0) And Country <> 'GERMANY' And Freq >= ' 6000.00' AND Freq <= "
                         "' 7000.00' "));
        QCOMPARE(f.moves, QList<int>{1}); // "English" is listed first, after "ALL"
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.state.DlgCancel);
    }

    void keys_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("rangeChosen");
        QTest::addColumn<bool>("emptied");
        addRow("Enter in From goes to To and chooses the range", "Text1", int(Qt::Key_Return),
               "Text2", true, false);
        addRow("Enter in To does not close the dialog", "Text2", int(Qt::Key_Return), "Text2",
               false, false);
        addRow("Esc in a text box empties it, dialog stays", "Text0", int(Qt::Key_Escape), "Text0",
               false, true);
        addRow("Esc in a list empties it, dialog stays", "Combo2", int(Qt::Key_Escape), "Combo2",
               false, true);
        addRow("Enter in a list neither closes nor adds", "Combo2", int(Qt::Key_Return), "Combo2",
               false, false);
    }
    void keys() {
        QFETCH(QString, box);
        QFETCH(int, key);
        QFETCH(QString, focus);
        QFETCH(bool, rangeChosen);
        QFETCH(bool, emptied);
        DialogFixture f;
        f.open();
        f.text(0)->setText("6000");
        f.text(1)->setText("6000");
        f.text(2)->setText("7000");
        f.combo(2)->setEditText("SPAIN");
        auto editor = [&](const QString &name) -> QWidget * {
            if (name.startsWith("Combo"))
                return f.get<QComboBox>(name);
            return f.get<QLineEdit>(name);
        };
        QWidget *target = editor(box);
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), editor(focus));
        QCOMPARE(f.option(1)->isChecked(), rangeChosen);
        const QString after =
            box.startsWith("Combo") ? f.combo(2)->currentText() : f.get<QLineEdit>(box)->text();
        QCOMPARE(after.isEmpty(), emptied);
        QCOMPARE(f.combo(2)->count(), 3);
        QVERIFY(f.dialog->isVisible());
        QVERIFY(!f.state.DlgCancel);
    }

    void waysOfCancelling_data() {
        QTest::addColumn<QString>("how");
        addRow("Cancel button", "button");
        addRow("window frame counts as Cancel", "frame");
        addRow("Esc on a button counts as Cancel", "esc");
    }
    void waysOfCancelling() {
        QFETCH(QString, how);
        DialogFixture f;
        f.open();
        f.state.SQLStr = "kept";
        auto *cancel = f.get<QPushButton>("CmdCancel");
        if (how == "button") {
            QTest::mouseClick(cancel, Qt::LeftButton);
        } else if (how == "frame") {
            f.dialog->close();
        } else {
            f.get<QPushButton>("CmdDone")->setFocus();
            QTest::keyClick(f.get<QPushButton>("CmdDone"), Qt::Key_Escape);
        }
        QVERIFY(f.state.DlgCancel);
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.state.SQLStr, QString("kept"));
    }

    void languageChoiceMovesSelectorWithoutRequery() {
        testsupport::FakeMainWindow w(smallTable());
        w.tables.add(Db, smallTable());
        LanguageSelectorWindow selector(w, w.tables, Db);
        app::ScriptedPrompts prompts;
        QueryDialog dialog(w.s, prompts, w.tables, Db);
        dialog.setLanguageSelectorMover([&](int p) { selector.setListPosition(p); });
        dialog.Form_Activate();
        dialog.findChild<QComboBox *>("Combo0")->setCurrentIndex(1); // French
        dialog.CmdDone_Click();
        QCOMPARE(selector.listText(), QString("French"));
        QVERIFY(w.events.filter("ReadDB").isEmpty());
    }
};

QTEST_MAIN(QueryDialogTest)
#include "QueryDialog_test.moc"
