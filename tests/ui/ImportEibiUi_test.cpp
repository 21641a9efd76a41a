#include "eibi/ImportEibiUi.h"

#include <QApplication>
#include <QProgressDialog>
#include <QTest>

using namespace eibi;

class ImportEibiUiTest : public QObject {
    Q_OBJECT

private slots:
    void progressDialogShowsAndCancels();
    void closingWithoutProgressIsHarmless();
};

void ImportEibiUiTest::progressDialogShowsAndCancels() {
    QWidget window;
    window.show();
    int reloads = 0;
    ImportEibiUi ui(&window, QString(), [&reloads] { ++reloads; });
    QVERIFY(ui.progress(10));
    auto *dialog = window.findChild<QProgressDialog *>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->value(), 10);
    QCOMPARE(dialog->windowTitle(), QString("Import EiBi Schedule"));
    dialog->cancel();
    QVERIFY(!ui.progress(20));
    ui.closeProgress();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window.findChild<QProgressDialog *>());
    ui.reloadDatabase();
    QCOMPARE(reloads, 1);
}

void ImportEibiUiTest::closingWithoutProgressIsHarmless() {
    QWidget window;
    ImportEibiUi ui(&window, QString(), {});
    ui.closeProgress();
    ui.reloadDatabase();
    QVERIFY(!window.findChild<QProgressDialog *>());
}

QTEST_MAIN(ImportEibiUiTest)
#include "ImportEibiUi_test.moc"
