#include "app/ScriptedPrompts.h"
#include "mainwindow/FieldSelectionDialog.h"
#include "schedule/QueryComposition.h"
#include "support/TestSupport.h"

#include <QListWidget>

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

} // namespace

class FieldSelectionDialogTest : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(FieldSelectionDialogTest)
#include "FieldSelectionDialog_test.moc"
