#include "rx/RxWindow.h"
#include "support/Fakes.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace rx;

namespace {

struct RecordingPort : TunePort {
    QList<double> hz;
    void tune(double h, quint64) override { hz.append(h); }
};

RigState tunedState() {
    RigState s;
    s.connected = true;
    s.line = QStringLiteral("connected: RX-320 on /dev/ttyUSB0 (it cannot report its frequency or "
                            "mode: showing what was last set)");
    s.hzKnown = true;
    s.hz = 9575000;
    s.mode = QStringLiteral("AM");
    s.filterHz = 6000;
    s.signalDb = -12;
    s.minHz = 100e3;
    s.maxHz = 30e6;
    s.modes = QStringList{QStringLiteral("AM"), QStringLiteral("LSB"), QStringLiteral("USB"),
                          QStringLiteral("CW")};
    s.filters = {6000, 2400};
    return s;
}

QLabel *labelShowing(QWidget &w, const QString &start) {
    for (QLabel *l : w.findChildren<QLabel *>())
        if (l->text().startsWith(start))
            return l;
    return nullptr;
}

} // namespace

class RxWindowTest : public QObject {
    Q_OBJECT

    testsupport::FakeClipboard clipboard;
    RecordingPort port;
    std::unique_ptr<ClipboardLink> link;
    std::unique_ptr<RxWindow> window;

private slots:
    void init() {
        port.hz.clear();
        link = std::make_unique<ClipboardLink>(clipboard, port);
        link->rigStateChanged(tunedState());
        window = std::make_unique<RxWindow>(*link);
        window->showState(tunedState());
        window->show();
    }

    void showsFrequencyModeFilterSignalAndConnection() {
        QVERIFY(labelShowing(*window, "9575.00"));
        QVERIFY(labelShowing(*window, "last set here"));
        QVERIFY(labelShowing(*window, "connected: RX-320 on /dev/ttyUSB0"));
        const auto combos = window->findChildren<QComboBox *>();
        QCOMPARE(combos[0]->currentText(), QStringLiteral("AM"));
        QCOMPARE(combos[1]->currentText(), QStringLiteral("6000 Hz"));
        QCOMPARE(window->findChild<QProgressBar *>()->format(), QStringLiteral("S7"));
    }

    void wheelOverDigitsTunesByStep() {
        QLabel *digits = labelShowing(*window, "9575.00");
        QWheelEvent up(QPointF(5, 5), digits->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(digits, &up);
        QCOMPARE(port.hz, QList<double>{9576000});
    }

    void buttonsAndTypingTune() {
        const auto buttons = window->findChildren<QPushButton *>();
        auto button = [&](const QString &text) {
            return *std::find_if(buttons.begin(), buttons.end(),
                                 [&](QPushButton *b) { return b->text() == text; });
        };
        QTest::mouseClick(button(QStringLiteral("<")), Qt::LeftButton);
        QCOMPARE(port.hz.last(), 9574000.0);
        QLineEdit *typed = window->findChild<QLineEdit *>();
        QTest::keyClicks(typed, QStringLiteral("6202"));
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(port.hz.last(), 6202000.0);
        typed->clear();
        QTest::keyClicks(typed, QStringLiteral("31000"));
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(port.hz.size(), 2);
        QVERIFY(labelShowing(*window, "Not tuned: 31000 kHz is outside"));
    }

    void choosingModeAsksTheRig() {
        QSignalSpy chosen(window.get(), &RxWindow::modeChosen);
        QComboBox *mode = window->findChildren<QComboBox *>()[0];
        mode->setCurrentIndex(mode->findText(QStringLiteral("USB")));
        emit mode->activated(mode->currentIndex());
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toString(), QStringLiteral("USB"));
        QCOMPARE(chosen[0][1].toInt(), 6000);
    }

    // Wrapped lines get the height they need: nothing is drawn over another text, even at the
    // window's minimum size with a long error line.
    void longLinesNeverOverlapAtMinimumSize() {
        window->showProblem(QStringLiteral("Not tuned: \"%1\" is not a frequency, nor anything "
                                           "else this receiver could be tuned to")
                                .arg(QString(30, u'x')));
        window->resize(window->minimumSize());
        QTest::qWait(50);
        QLayout *rows = window->layout();
        for (int i = 1; i < rows->count(); ++i) {
            const QRect above = rows->itemAt(i - 1)->geometry(),
                        below = rows->itemAt(i)->geometry();
            QVERIFY2(above.bottom() < below.top(), qPrintable(QString("row %1 overlaps").arg(i)));
        }
        for (QLabel *label : window->findChildren<QLabel *>())
            if (label->wordWrap() && !label->text().isEmpty())
                QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                         qPrintable(label->text()));
    }

    void lostRigIsShownPlainly() {
        RigState s = tunedState();
        s.connected = false;
        s.line = QStringLiteral("rigctld at 127.0.0.1:4532 refused the connection (trying again "
                                "every 3 s)");
        s.signalDb.reset();
        window->showState(s);
        QVERIFY(labelShowing(*window, "rigctld at 127.0.0.1:4532 refused the connection"));
        QCOMPARE(window->findChild<QProgressBar *>()->format(),
                 QStringLiteral("no signal reading"));
    }
};

QTEST_MAIN(RxWindowTest)
#include "RxWindow_test.moc"
