#include "logbook/NoticeWindowUi.h"
#include "logbook/RemarksWindowUi.h"
#include "receiver/WatchedClipboardUi.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

using logbook::FrmNotify;
using logbook::FrmRemarks;

namespace {

// With SKEDWISE_SCREENSHOTS set to a folder, the windows are saved there to be looked at.
void saveShot(QWidget &w, const QString &name) {
    const QString dir = qEnvironmentVariable("SKEDWISE_SCREENSHOTS");
    if (!dir.isEmpty())
        w.grab().save(dir + "/" + name + ".png");
}

} // namespace

class LogWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void remarksLayouts_data() {
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<bool>("sinpoShown");
        QTest::addColumn<bool>("focusOnSinpo");
        QTest::newRow("SINPO prompt on") << true << true << true;
        QTest::newRow("SINPO prompt off") << false << false << false;
    }
    void remarksLayouts() {
        QFETCH(bool, prompt);
        QFETCH(bool, sinpoShown);
        QFETCH(bool, focusOnSinpo);
        QString sinpoStr = "SINPO: 11111 ", entry = "LINE";
        FrmRemarks dialog(prompt, sinpoStr, entry, 0xFFFFFF, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Enter any Remarks"));
        QCOMPARE(dialog.hint()->text(), QString("ESC to cancel    Enter to Accept"));
        QCOMPARE(dialog.sinpoBox()->isVisible(), sinpoShown);
        QCOMPARE(dialog.sinpoHint()->isVisible(), sinpoShown); // Enter confirms the code
        QCOMPARE(dialog.sinpoBox()->maxLength(), 5);
        QCOMPARE(sinpoStr, QString());
        QTRY_COMPARE(dialog.sinpoBox()->hasFocus(), focusOnSinpo);
        QCOMPARE(dialog.remarksBox()->hasFocus(), !focusOnSinpo);
        QVERIFY(dialog.height() < 2000);
        saveShot(dialog, QString("remarks-%1").arg(prompt ? "sinpo" : "plain"));
    }

    void typedCodeAndRemarksReachTheEntry() {
        QString sinpoStr, entry = "LINE";
        FrmRemarks dialog(true, sinpoStr, entry, 0xFFFFFF, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.sinpoBox(), "4544477");
        QCOMPARE(dialog.sinpoBox()->text(), QString("45444"));
        QTest::keyClick(dialog.sinpoBox(), Qt::Key_Return);
        QVERIFY(dialog.remarksBox()->hasFocus());
        QTest::keyClicks(dialog.remarksBox(), QString(70, 'r'));
        QCOMPARE(dialog.remarksBox()->toPlainText().size(), 65);
        QTest::keyClick(dialog.remarksBox(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(entry, "LINE\r\nSINPO: 45444 " + QString(65, 'r'));
    }

    // The S digit from the meter stands in the box, the cursor after it; the key rules stay.
    void meterFillsTheSDigit_data() {
        QTest::addColumn<QString>("typed");  // after the digit; "\b" is Backspace
        QTest::addColumn<bool>("confirmed"); // Enter in the SINPO box, else the remarks clicked
        QTest::addColumn<QString>("appended");
        QTest::newRow("four more digits") << "4444" << true << "\r\nSINPO: 44444 x";
        QTest::newRow("digit overwritten") << "\b35444" << true << "\r\nSINPO: 35444 x";
        QTest::newRow("the digit alone confirmed") << "" << true << "\r\nSINPO: 4 x";
        QTest::newRow("not confirmed: not written") << "4444" << false << "\r\nx";
    }
    void meterFillsTheSDigit() {
        QFETCH(QString, typed);
        QFETCH(bool, confirmed);
        QFETCH(QString, appended);
        QString sinpoStr, entry = "LINE";
        FrmRemarks dialog(true, sinpoStr, entry, 0xFFFFFF, 0, "S7");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY(dialog.sinpoBox()->hasFocus());
        QCOMPARE(dialog.sinpoBox()->text(), QString("4"));
        QCOMPARE(dialog.sinpoBox()->cursorPosition(), 1);
        QVERIFY(!dialog.sinpoBox()->hasSelectedText());
        QCOMPARE(dialog.hint()->text(), QString("ESC to cancel    Enter to Accept    Meter: S7"));
        saveShot(dialog, "remarks-meter");
        for (const QChar c : typed)
            c == u'\b' ? QTest::keyClick(dialog.sinpoBox(), Qt::Key_Backspace)
                       : QTest::keyClick(dialog.sinpoBox(), c.toLatin1());
        if (confirmed)
            QTest::keyClick(dialog.sinpoBox(), Qt::Key_Return);
        QTest::keyClicks(dialog.remarksBox(), "x");
        QTest::keyClick(dialog.remarksBox(), Qt::Key_Return);
        QCOMPARE(entry, "LINE" + appended);
    }

    void escapeInSinpoBoxClosesWithoutLine() {
        QString sinpoStr, entry = "LINE";
        FrmRemarks dialog(true, sinpoStr, entry, 0xFFFFFF, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.sinpoBox(), "44444");
        QTest::keyClick(dialog.sinpoBox(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(entry, QString("LINE"));
    }

    void noticeShowsAndClosesItselfWithoutBlocking() {
        QWidget main;
        main.setGeometry(100, 100, 800, 400);
        QElapsedTimer timer;
        timer.start();
        QPointer<FrmNotify> notice = FrmNotify::showNotice("9575           Radio Alpha", true,
                                                           main.geometry(), 0xFFFFFF, 0, &main);
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(notice->windowTitle(), QString(" Logging is ON!"));
        QCOMPARE(notice->text1()->text(), QString("9575           Radio Alpha"));
        QCOMPARE(notice->pos(), QPoint(500, 200));
        saveShot(*notice, "notice");
        QTest::qWait(1500);
        QVERIFY(!notice.isNull());
        QTRY_VERIFY_WITH_TIMEOUT(notice.isNull(), 2000);
    }

    void noticeCaption_data() {
        QTest::addColumn<bool>("logOn");
        QTest::addColumn<QString>("caption");
        QTest::newRow("on") << true << " Logging is ON!";
        QTest::newRow("off") << false << " Logging is OFF!";
    }
    void noticeCaption() {
        QFETCH(bool, logOn);
        QFETCH(QString, caption);
        QCOMPARE(logbook::noticeCaption(logOn), caption);
    }

    void clipboardIsReadOnlyAfterAChange() {
        receiver::WatchedClipboard clipboard;
        QApplication::clipboard()->setText("hello");
        QCOMPARE(clipboard.text(), QString("hello"));
        const int reads = clipboard.reads();
        for (int tick = 0; tick < 10; ++tick)
            QCOMPARE(clipboard.text(), QString("hello"));
        QCOMPARE(clipboard.reads(), reads);
        QApplication::clipboard()->setText("0101019575");
        QCOMPARE(clipboard.text(), QString("0101019575"));
        clipboard.clear();
        QCOMPARE(clipboard.text(), QString());
        clipboard.setText("111001");
        QCOMPARE(clipboard.text(), QString("111001"));
        QCOMPARE(QApplication::clipboard()->text(), QString("111001"));
    }
};

QTEST_MAIN(LogWindowsTest)
#include "LogWindows_test.moc"
