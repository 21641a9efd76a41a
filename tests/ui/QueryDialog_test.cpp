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

QStringList items(const QComboBox *combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
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
    void fillEverything() {
        for (int n = 0; n < 6; ++n) {
            combo(n)->setEditText(combo(n)->itemText(1));
            check(n)->setChecked(true);
        }
        for (int i = 0; i < 3; ++i)
            text(i)->setText("6000");
        option(0)->setChecked(true);
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
    void listsFilledAtLoad() {
        DialogFixture f;
        QCOMPARE(f.dialog->windowTitle(), QString("Select Fields to Search"));
        QCOMPARE(items(f.combo(0)), (QStringList{"English", "French"}));
        QCOMPARE(items(f.combo(1)), (QStringList{"Radio A", "Radio B", "Radio C", "Radio D"}));
        QCOMPARE(items(f.combo(2)), (QStringList{"FRANCE", "GERMANY", "ITALY"}));
        QCOMPARE(items(f.combo(3)), (QStringList{"D", "F", "I"}));
        QCOMPARE(items(f.combo(4)),
                 (QStringList{"AF", "AS", "AU", "CA", "EU", "ME", "NA", "PA", "SA"}));
        QCOMPARE(f.combo(5)->count(), 12);
        QCOMPARE(f.combo(5)->itemText(1), QString("E Language Lesson"));
        for (int n = 0; n < 6; ++n)
            QCOMPARE(f.combo(n)->currentText(), QString());
        QVERIFY(f.option(2)->isChecked());
    }

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
        QCOMPARE(f.state.FilterStr,
                 QString("Filter By\r\nLanguage = ENGLISH\r\nCountry = NOT GERMANY\r\nFreq Range "
                         "is \r\n6000.00 kHz to 7000.00 kHz\r\n"));
        QCOMPARE(f.moves, QList<int>{1}); // "English" is listed first, after "ALL"
        QVERIFY(!f.dialog->isVisible());
        QVERIFY(!f.state.DlgCancel);
    }

    void listedProgramEntry() {
        DialogFixture f;
        f.open();
        f.combo(5)->setCurrentIndex(1);
        f.dialog->CmdDone_Click();
        QCOMPARE(f.state.SQLStr, QString("Select StationID,Freq From MyDataTable Where  P = 'E'"));
        QCOMPARE(f.state.FilterStr, QString("Filter By\r\nProgram = Language Lesson\r\n"));
    }

    void clearAllLeavesProgram() {
        DialogFixture f;
        f.open();
        f.fillEverything();
        f.state.QueryOnAir = false;
        f.check(6)->setChecked(true);
        f.dialog->findChild<QAction *>("ClearAll")->trigger();
        for (int n = 0; n < 5; ++n) {
            QCOMPARE(f.combo(n)->currentText(), QString());
            QVERIFY(!f.check(n)->isChecked());
        }
        QCOMPARE(f.combo(5)->currentText(), QString("E Language Lesson"));
        QVERIFY(f.check(5)->isChecked());
        QVERIFY(f.check(6)->isChecked());
        QVERIFY(f.state.QueryOnAir);
        QVERIFY(f.option(2)->isChecked());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(f.text(i)->text(), QString());
        QCOMPARE(QApplication::focusWidget(), f.combo(0));
    }

    void clearOnStartupEmptiesProgramToo_data() {
        QTest::addColumn<bool>("clearOnStart");
        QTest::newRow("ticked: everything emptied on showing") << true;
        QTest::newRow("unticked: entries kept for the next use") << false;
    }
    void clearOnStartupEmptiesProgramToo() {
        QFETCH(bool, clearOnStart);
        DialogFixture f;
        f.open();
        f.fillEverything();
        f.check(10)->setChecked(clearOnStart);
        QCOMPARE(f.state.ClearOnStart, clearOnStart);
        f.dialog->CmdCancel_Click();
        f.open();
        QCOMPARE(f.combo(5)->currentText().isEmpty(), clearOnStart);
        QCOMPARE(f.check(5)->isChecked(), !clearOnStart);
        QCOMPARE(f.text(0)->text().isEmpty(), clearOnStart);
        QCOMPARE(f.option(2)->isChecked(), clearOnStart);
        QVERIFY(!f.state.DlgCancel);
    }

    void keys_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("rangeChosen");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("Enter in From goes to To and chooses the range")
            << "Text1" << int(Qt::Key_Return) << "Text2" << true << false;
        QTest::newRow("Enter in To does not close the dialog")
            << "Text2" << int(Qt::Key_Return) << "Text2" << false << false;
        QTest::newRow("Esc in a text box empties it, dialog stays")
            << "Text0" << int(Qt::Key_Escape) << "Text0" << false << true;
        QTest::newRow("Esc in a list empties it, dialog stays")
            << "Combo2" << int(Qt::Key_Escape) << "Combo2" << false << true;
        QTest::newRow("Enter in a list neither closes nor adds")
            << "Combo2" << int(Qt::Key_Return) << "Combo2" << false << false;
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
        QTest::newRow("Cancel button") << "button";
        QTest::newRow("window frame counts as Cancel") << "frame";
        QTest::newRow("Esc on a button counts as Cancel") << "esc";
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

    void missingFrequencyOkKeepsDialogOpen() {
        DialogFixture f;
        f.open();
        f.option(1)->setChecked(true);
        f.text(2)->setText("7000");
        f.prompts.answers << app::AnswerOk;
        f.dialog->CmdDone_Click();
        QCOMPARE(f.prompts.shown, QStringList{": Missing Frequencies"});
        QVERIFY(f.dialog->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.text(1));
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
