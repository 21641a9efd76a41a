#include "app/ScriptedPrompts.h"
#include "mainwindow/FieldSelectionDialog.h"
#include "schedule/QueryComposition.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using mainwindow::FieldSelectionDialog;

namespace {

app::ProgramState startState() {
    app::ProgramState s;
    s.codes = schedule::buildCodeTables();
    schedule::ParseFieldLists(s.fieldLists(), s.DisplayFields);
    schedule::BuildSQL(s);
    return s;
}

// The dialog over the start-up lists, with the state and prompts it writes to.
struct Dialog {
    app::ProgramState s = startState();
    app::ScriptedPrompts prompts;
    FieldSelectionDialog dialog{s, prompts};
    bool show() {
        dialog.show();
        return QTest::qWaitForWindowExposed(&dialog);
    }
};

QListWidget *list(QDialog &d, const char *name) {
    return d.findChild<QListWidget *>(name);
}

QStringList lines(QListWidget *w) {
    QStringList texts;
    for (int i = 0; i < w->count(); ++i)
        texts << w->item(i)->text();
    return texts;
}

void doubleClick(QListWidget *w, const QString &text) {
    const QList<QListWidgetItem *> found = w->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    const QPoint at = w->visualItemRect(found.first()).center();
    // The system delivers a first click before the double-click event.
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(w->viewport(), Qt::LeftButton, {}, at);
}

void highlight(QListWidget *w, const QString &text) {
    const QList<QListWidgetItem *> found = w->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(found.first()).center());
}

void click(QDialog &d, const char *button) {
    QTest::mouseClick(d.findChild<QPushButton *>(button), Qt::LeftButton);
}

} // namespace

class FieldSelectionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void captions() {
        Dialog d;
        auto &[s, prompts, dialog] = d;
        QCOMPARE(dialog.windowTitle(), QString("Select Fields to Display"));
        QStringList texts;
        for (const char *name : {"Label_0", "Label_1"})
            texts << dialog.findChild<QLabel *>(name)->text().remove(u'&');
        for (const char *name : {"CmdSwap_0", "CmdSwap_1", "CmdDone", "CmdCancel"})
            texts << dialog.findChild<QPushButton *>(name)->text().remove(u'&');
        QCOMPARE(texts, QStringList(
                            {"Available Fields", "Fields to Display", ">", "<", "Done", "Cancel"}));
    }

    void doubleClickMovesAField() {
        Dialog d;
        QVERIFY(d.show());
        auto &[s, prompts, dialog] = d;
        doubleClick(list(dialog, "SourceList"), "Country");
        QCOMPARE(lines(list(dialog, "DisplayList")),
                 QStringList({"Station", "UTC", "Language", "Country"}));
        QVERIFY(!lines(list(dialog, "SourceList")).contains("Country"));
        QCOMPARE(list(dialog, "DisplayList")->currentItem()->text(), QString("Country"));
        doubleClick(list(dialog, "DisplayList"), "Station");
        QCOMPARE(lines(list(dialog, "SourceList")).indexOf("Station"), 15);
        QCOMPARE(lines(list(dialog, "DisplayList")), QStringList({"UTC", "Language", "Country"}));
    }

    void arrowsMoveTheHighlightedField() {
        Dialog d;
        QVERIFY(d.show());
        auto &[s, prompts, dialog] = d;
        click(dialog, "CmdSwap_0"); // nothing highlighted yet
        QCOMPARE(list(dialog, "DisplayList")->count(), 3);
        highlight(list(dialog, "SourceList"), "UTCE");
        click(dialog, "CmdSwap_0");
        highlight(list(dialog, "DisplayList"), "UTC");
        click(dialog, "CmdSwap_1");
        QCOMPARE(lines(list(dialog, "DisplayList")), QStringList({"Station", "Language", "UTCE"}));
        click(dialog, "CmdDone"); // UTCE without UTCB: refused, still open
        QCOMPARE(prompts.shown,
                 QStringList{"Skedwise: Time Field Missing. Select either UTC or UTCB AND UTCE"});
        QVERIFY(dialog.isVisible());
        QVERIFY(list(dialog, "DisplayList")->isEnabled());
        QCOMPARE(lines(list(dialog, "DisplayList")), QStringList({"Station", "Language", "UTCE"}));
        highlight(list(dialog, "SourceList"), "UTCB");
        click(dialog, "CmdSwap_0");
        click(dialog, "CmdDone");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!s.DlgCancel);
        QCOMPARE(s.DisplayListStr, QString("Station,Language,UTCE,UTCB"));
    }

    void closingWithoutDoneCancels_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Esc key") << true;
    }
    void closingWithoutDoneCancels() {
        QFETCH(bool, escape);
        app::ProgramState s = startState();
        const app::ProgramState before = s;
        app::ScriptedPrompts prompts;
        FieldSelectionDialog dialog(s, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        doubleClick(list(dialog, "DisplayList"), "UTC");
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            click(dialog, "CmdCancel");
        QVERIFY(!dialog.isVisible());
        QVERIFY(s.DlgCancel);
        QCOMPARE(s.DisplayFields, before.DisplayFields);
        QCOMPARE(s.DisplayListStr, before.DisplayListStr);
        QCOMPARE(s.SourceListStr, before.SourceListStr);
    }

    void listsTakeTheWindowColours() {
        app::ProgramState s = startState();
        s.BackColor = 0x00FFFF; // yellow
        s.Forecolor = 0x800000; // dark blue
        app::ScriptedPrompts prompts;
        FieldSelectionDialog dialog(s, prompts);
        for (const char *name : {"SourceList", "DisplayList"}) {
            QCOMPARE(list(dialog, name)->palette().color(QPalette::Base), QColor(255, 255, 0));
            QCOMPARE(list(dialog, name)->palette().color(QPalette::Text), QColor(0, 0, 128));
        }
    }

    void grabShowsBothLists() {
        Dialog d;
        QVERIFY(d.show());
        auto &[s, prompts, dialog] = d;
        doubleClick(list(dialog, "SourceList"), "Country");
        const QImage image = dialog.grab().toImage();
        QVERIFY(image.save(QStringLiteral("/tmp/skedwise-fieldselection.png")));
        QVERIFY(image.width() > 200 && image.height() > 200);
    }
};

QTEST_MAIN(FieldSelectionDialogTest)
#include "FieldSelectionDialog_test.moc"
