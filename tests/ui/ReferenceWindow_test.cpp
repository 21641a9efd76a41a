// The reference windows as the main window opens them: right click, "Clear Filter" and the
// Help menu.
#include "mainwindow/ScheduleGridWidget.h"
#include "reference/HelpWindow.h"
#include "reference/LegendsWindow.h"
#include "reference/SingleRecord.h"
#include "reference/SingleRecordWindow.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

namespace {

using mainwindow::DisplayForm;

const char *ScheduleCsv =
    "StationID,Freq,Station,UTC,Language,UTCB,UTCE,ADM\r\n"
    "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"2200\",\"0200\",\"USA\"\r\n"
    "2,6000,\"Radio B\",\"2230-0200\",\"French\",\"2230\",\"0200\",\"F\"\r\n"
    "3,7000,\"Radio C\",\"0600-0900\",\"German\",\"0600\",\"0900\",\"D\"\r\n"
    "4,8000,\"Radio D\",\"0000-0000\",\"English\",\"0000\",\"0000\",\"G\"\r\n";

// The main window in a program folder holding the help and the code list beside it.
struct Program : testsupport::ProgramUnderTest<> {
    Program() {
        for (const char *name : {"SkedwiseHelp.html", "Codes.txt"})
            QFile::copy(testsupport::testFile(QStringLiteral("../data/") + name),
                        dir.filePath(name));
        tables.add(dir.filePath("ILGDATA.MDB"),
                   testsupport::tableFromCsv(jet::parseCsv(QString::fromLatin1(ScheduleCsv))));
        start(dir.path(), QDateTime(QDate(2024, 5, 17), QTime(12, 0), Qt::UTC));
    }

    void rightClickStation(int id) {
        QTableView *view = rows();
        const QRect cell = view->visualRect(view->model()->index(rowOfStation(id), 2));
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, cell.center());
    }
    reference::SingleRecordWindow *singleRecord() const {
        return form->findChild<reference::SingleRecordWindow *>("frmILGDataTable");
    }
    QString shownStation() const { return singleRecord()->box(reference::StationIdBox)->text(); }
};

// The modal About box runs its own loop: this notes its caption and presses its OK.
QString captionOfModalAfter(const std::function<void()> &open) {
    QString caption;
    QTimer::singleShot(0, [&caption] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        caption = modal->objectName() + u'|' + modal->windowTitle();
        if (auto *ok = modal->findChild<QPushButton *>("Command1"))
            ok->click();
    });
    open();
    return caption;
}

} // namespace

class ReferenceWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Open at once, without an event loop turn: the click itself opens it.
    void rightClickOpensThatRow() {
        Program p;
        p.rightClickStation(1); // the last row in Freq order
        QVERIFY(p.singleRecord() && p.singleRecord()->isVisible());
        QCOMPARE(p.shownStation(), "1");
    }

    void clearFilterClosesTheSingleRecord() {
        Program p;
        p.rightClickStation(3);
        QTest::mouseClick(p.form->findChild<QPushButton *>("SelectAll"), Qt::LeftButton);
        QVERIFY(!p.singleRecord() || !p.singleRecord()->isVisible());
    }

    // Legend with the code list beside the program, Contents with the help file.
    void helpItemsOpenTheirWindows() {
        Program p;
        p.form->findChild<QAction *>("Legends")->trigger();
        auto *legends = p.form->findChild<reference::LegendsWindow *>("FrmLegends");
        QVERIFY(legends && legends->isVisible());
        QVERIFY(!legends->findChild<QListWidget *>("LList")
                     ->findItems("G ", Qt::MatchStartsWith)
                     .isEmpty());
        p.form->findChild<QAction *>("ShowHelp")->trigger();
        auto *help = p.form->findChild<reference::HelpWindow *>("HelpWindow");
        QVERIFY(help && help->isVisible());
        QVERIFY(help->browser()->toPlainText().contains("F9"));
        p.form->findChild<QAction *>("ShowHelp")->trigger(); // brought to the front, not again
        QCOMPARE(p.form->findChildren<reference::HelpWindow *>().size(), 1);
    }

    void aboutShowsTheBox() {
        Program p;
        const QString caption =
            captionOfModalAfter([&p] { p.form->findChild<QAction *>("DoAbout")->trigger(); });
        QCOMPARE(caption, QString("FrmAbout|Skedwise Database program"));
    }
};

QTEST_MAIN(ReferenceWindowTest)
#include "ReferenceWindow_test.moc"
