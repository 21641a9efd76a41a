#include "imports/ImportUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

using namespace imports;

class ImportUiTest : public QObject {
    Q_OBJECT

private slots:
    void progressDialogShowsAndCancels() {
        QWidget window;
        window.show();
        int reloads = 0;
        ImportUi ui(&window, QString(), [&reloads] { ++reloads; }, {});
        QVERIFY(ui.progress(10, "Importing the EiBi schedule…"));
        auto *dialog = window.findChild<QProgressDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->value(), 10);
        QCOMPARE(dialog->labelText(), QString("Importing the EiBi schedule…"));
        dialog->cancel();
        QVERIFY(!ui.progress(20, "Importing the EiBi schedule…"));
        ui.closeProgress();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.findChild<QProgressDialog *>());
        ui.reloadDatabase();
        QCOMPARE(reloads, 1);
    }

    void dayDialogGivesTheDayOrAll_data() {
        QTest::addColumn<bool>("all");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the day set in the field") << false << true << "2026-06-02";
        QTest::newRow("every entry") << true << true << "all";
        QTest::newRow("cancelled") << false << false << "none";
    }

    void dayDialogGivesTheDayOrAll() {
        QFETCH(bool, all);
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        QWidget window;
        ImportUi ui(&window, QString(), {}, {});
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            auto *day = dialog->findChild<QDateEdit *>("ValidOn");
            QCOMPARE(day->date(), QDate(2026, 5, 31)); // today is offered
            day->setDate(QDate(2026, 6, 2));
            dialog->findChild<QCheckBox *>("AllDates")->setChecked(all);
            accept ? dialog->accept() : dialog->reject();
        });
        const auto validity = ui.chooseValidity("/x/a26allx2.zip", QDate(2026, 5, 31));
        QVERIFY2(seen, "the day dialog never appeared");
        const QString got = !validity              ? QString("none")
                            : validity->allDates() ? QString("all")
                                                   : validity->day.toString(Qt::ISODate);
        QCOMPARE(got, expected);
    }
};

QTEST_MAIN(ImportUiTest)
#include "ImportUi_test.moc"
