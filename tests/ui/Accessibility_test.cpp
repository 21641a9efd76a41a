// Both programs worked by the keyboard alone, named for a screen reader, readable on a dark
// desktop. The walk opens every window in the table below; a new window gets its row there.
#include "app/Contrast.h"
#include "logbook/NoticeWindowUi.h"
#include "logbook/RemarksWindowUi.h"
#include "mainwindow/FieldSelectionDialog.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "onair/TimeZoneDialog.h"
#include "reference/AboutBox.h"
#include "reference/HelpWindow.h"
#include "reference/LegendsWindow.h"
#include "reference/SingleRecordWindow.h"
#include "rx/RxSettingsDialog.h"
#include "rx/RxWindow.h"
#include "schedule/FilterStatusWindow.h"
#include "schedule/LanguageSelectorWindow.h"
#include "schedule/QueryDialog.h"
#include "support/ProgramUnderTest.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include <functional>

namespace {

QDateTime at(int hour, int minute) {
    return QDateTime(QDate(2024, 5, 17), QTime(hour, minute, 40), Qt::UTC);
}

// By Freq: 6000 Radio B, 7000 Radio C, 9575 Radio A.
std::shared_ptr<const jet::Table> stations() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language,UTCB,UTCE,ADM\r\n"
                      "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"2200\",\"0200\",\"G\"\r\n"
                      "2,6000,\"Radio B\",\"2230-0200\",\"French\",\"2230\",\"0200\",\"F\"\r\n"
                      "3,7000,\"Radio C\",\"0600-0900\",\"German\",\"0600\",\"0900\",\"D\"\r\n"));
}

struct NoRig : rx::TunePort {
    void tune(double, quint64) override {}
};

rx::RigState tunedTo(double hz, int signalDb) {
    rx::RigState s;
    s.connected = true;
    s.hzKnown = s.hzFromRig = true;
    s.hz = hz;
    s.mode = QStringLiteral("AM");
    s.modes = {QStringLiteral("AM"), QStringLiteral("USB")};
    s.filters = {6000, 2400};
    s.filterHz = 6000;
    s.signalDb = signalDb;
    return s;
}

// Both programs side by side, the schedule's folder a temporary one.
struct Program : testsupport::ProgramUnderTest<> {
    QString sinpoStr, logEntry;
    NoRig rig;
    rx::ClipboardLink rxLink{clipboard, rig};

    Program() {
        state.SINPOPrompt = true;
        tables.add(dir.path() + "/ILGDATA.MDB", stations());
        start(dir.path(), at(1, 30));
    }
    QWidget *main() const { return form.get(); }
    QString logFile() const {
        QFile file(dir.path() + "/Skedwise.Log");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

// One window of either program and how it is opened. Windows without a parent are the
// test's to delete.
struct WindowRow {
    const char *name;
    std::function<QWidget *(Program &)> open;
};

const WindowRow Windows[] = {
    {"main window", [](Program &p) { return p.main(); }},
    {"select fields",
     [](Program &p) -> QWidget * {
         return new mainwindow::FieldSelectionDialog(p.state, p.prompts, p.main());
     }},
    {"custom filter", [](Program &p) -> QWidget * { return p.form->queryDialog(); }},
    {"language selector", [](Program &p) -> QWidget * { return p.form->languageSelector(); }},
    {"filter status",
     [](Program &p) -> QWidget * {
         return new schedule::FilterStatusWindow(p.state, *p.form, p.main());
     }},
    {"time zone", [](Program &p) -> QWidget * { return p.form->ChangeTZ_Click(); }},
    {"remarks with SINPO",
     [](Program &p) -> QWidget * {
         return new logbook::FrmRemarks(true, p.sinpoStr, p.logEntry, 0xffffff, 0, p.main());
     }},
    {"remarks without SINPO",
     [](Program &p) -> QWidget * {
         return new logbook::FrmRemarks(false, p.sinpoStr, p.logEntry, 0xffffff, 0, p.main());
     }},
    {"log notice",
     [](Program &p) -> QWidget * {
         return new logbook::FrmNotify("9575 Radio A", true, p.form->geometry(), 0xffffff, 0,
                                       p.main());
     }},
    {"about", [](Program &p) -> QWidget * { return new reference::AboutBox(p.main()); }},
    {"help",
     [](Program &p) -> QWidget * {
         p.form->ShowHelp_Click();
         return p.form->reference().help();
     }},
    {"legend",
     [](Program &p) -> QWidget * {
         p.form->Legends_Click();
         return p.form->reference().legends();
     }},
    {"single record",
     [](Program &p) -> QWidget * {
         p.state.SelStationID = 1;
         p.form->ShowSingleRecord();
         return p.form->reference().singleRecord();
     }},
    {"skedwise-rx",
     [](Program &p) -> QWidget * {
         auto *window = new rx::RxWindow(p.rxLink);
         window->showState(tunedTo(9575000, -12));
         return window;
     }},
    {"skedwise-rx settings",
     [](Program &) -> QWidget * { return new rx::RxSettingsDialog(rx::RigChoice{}, {}); }},
};

// What a screen reader says a control is: its name, else its label. A combo box's name is
// its value, so it needs a label (a buddy) or a description.
QString nameOf(QWidget *w) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    if (!face)
        return {};
    const bool combo = qobject_cast<QComboBox *>(w);
    if (!combo && !face->text(QAccessible::Name).isEmpty())
        return face->text(QAccessible::Name);
    for (const auto &[label, relation] : face->relations(QAccessible::Label))
        if (!label->text(QAccessible::Name).isEmpty())
            return label->text(QAccessible::Name);
    return combo ? face->text(QAccessible::Description) : QString();
}

QString describe(QWidget *w) {
    return QStringLiteral("%1 \"%2\" named \"%3\"")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName(), nameOf(w));
}

// The controls that take the focus.
QList<QWidget *> focusable(QWidget *window) {
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>())
        if (w->window() == window && w->isVisible() && w->isEnabled() && !w->focusProxy() &&
            w->focusPolicy() != Qt::NoFocus && w->focusPolicy() != Qt::ClickFocus)
            controls << w;
    return controls;
}

// Option buttons of one set share a Tab stop; the arrows move between them.
bool sameOptionSet(const QWidget *a, const QWidget *b) {
    const auto *x = qobject_cast<const QRadioButton *>(a);
    const auto *y = qobject_cast<const QRadioButton *>(b);
    return x && y && x->autoExclusive() && y->autoExclusive() && x->parent() == y->parent();
}

QList<QWidget *> tabStops(const QList<QWidget *> &controls) {
    QList<QWidget *> stops;
    for (QWidget *w : controls)
        if (std::none_of(stops.begin(), stops.end(),
                         [w](QWidget *s) { return sameOptionSet(s, w); }))
            stops << w;
    return stops;
}

// Where Tab goes, from the focus until it comes round again.
QList<QWidget *> tabCycle(QWidget *window, const QList<QWidget *> &stops) {
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != window)
        stops.first()->setFocus(Qt::TabFocusReason);
    QWidget *start = QApplication::focusWidget();
    QList<QWidget *> cycle{start};
    for (qsizetype i = 0; i <= stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
        cycle << QApplication::focusWidget();
    }
    return cycle;
}

QRect placeOf(const QWidget *w) {
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

// Top to bottom; side by side (overlapping heights), left to right.
bool readsBefore(const QRect &a, const QRect &b) {
    const bool sideBySide = a.top() < b.bottom() && b.top() < a.bottom();
    return sideBySide ? a.left() < b.left() : a.top() < b.top();
}

// A desktop in dark colours, as Qt takes it from the platform theme.
QPalette darkPalette() {
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), text(0xee, 0xee, 0xee);
    for (auto role : {QPalette::Window, QPalette::Button})
        p.setColor(role, window);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(role, text);
    return p;
}

// Each pair of a widget's colours that draws text reads at 4.5:1; "" or what fails.
QString unreadable(QWidget *w) {
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::Text, QPalette::Base}};
    for (const auto &[fore, back] : pairs) {
        const double ratio = app::contrastRatio(app::rgb24FromColor(w->palette().color(fore)),
                                                app::rgb24FromColor(w->palette().color(back)));
        if (ratio < app::ReadableContrast)
            return describe(w) + QStringLiteral(" at %1:1").arg(ratio, 0, 'f', 1);
    }
    return {};
}

// Fails the test on any mouse event while it lives.
struct NoMouse : QObject {
    NoMouse() { qApp->installEventFilter(this); }
    ~NoMouse() override { qApp->removeEventFilter(this); }
    QStringList seen;
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease ||
            e->type() == QEvent::MouseButtonDblClick)
            seen << o->objectName();
        return false;
    }
};

// Plays keys into the window find() gives once it is up and active; the window blocks the
// step that opens it, so this waits from the event loop.
void whenUp(std::function<QWidget *()> find, std::function<void()> keys, int tries = 250) {
    QTimer::singleShot(20, [=] {
        QWidget *window = find();
        const bool up = window && (QApplication::activeWindow() == window ||
                                   QApplication::activePopupWidget() == window);
        if (up)
            keys();
        else if (tries > 0)
            whenUp(find, keys, tries - 1);
    });
}
void whenModal(std::function<void()> keys) {
    whenUp(&QApplication::activeModalWidget, std::move(keys));
}

void type(const QString &text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setPalette(darkPalette()); }

    void everyWindowIsNamedTabbedInReadingOrderAndReadable_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(Windows)); ++row)
            QTest::newRow(Windows[row].name) << row;
    }
    void everyWindowIsNamedTabbedInReadingOrderAndReadable() {
        QFETCH(int, row);
        Program p;
        QWidget *window = Windows[row].open(p);
        QVERIFY(window);
        std::unique_ptr<QWidget> owned(window->parent() || window == p.main() ? nullptr : window);
        window->show();
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QCOMPARE(window->palette().color(QPalette::Window), darkPalette().color(QPalette::Window));
        for (QWidget *w : window->findChildren<QWidget *>())
            if (w->isVisible())
                QVERIFY2(unreadable(w).isEmpty(), qPrintable(unreadable(w)));

        const QList<QWidget *> controls = focusable(window);
        QVERIFY(!controls.isEmpty());
        QStringList names;
        for (QWidget *w : controls) {
            QVERIFY2(!nameOf(w).trimmed().isEmpty(), qPrintable("no name: " + describe(w)));
            QVERIFY2(!names.contains(nameOf(w)), qPrintable("two controls say " + describe(w)));
            names << nameOf(w);
        }
        const QList<QWidget *> stops = tabStops(controls);
        QList<QWidget *> cycle = tabCycle(window, stops);
        for (QWidget *w : stops)
            QVERIFY2(std::any_of(cycle.begin(), cycle.end(),
                                 [w](QWidget *c) { return c == w || sameOptionSet(c, w); }),
                     qPrintable("Tab never reaches " + describe(w)));
        QCOMPARE(cycle.size(), stops.size());
        const auto first = std::min_element(cycle.begin(), cycle.end(), [](auto *a, auto *b) {
            return readsBefore(placeOf(a), placeOf(b));
        });
        std::rotate(cycle.begin(), first, cycle.end());
        for (qsizetype i = 1; i < cycle.size(); ++i)
            QVERIFY2(
                readsBefore(placeOf(cycle[i - 1]), placeOf(cycle[i])),
                qPrintable(describe(cycle[i]) + " comes by Tab after " + describe(cycle[i - 1])));
    }

    // A screen reader reads the focused cell; moving the row reads the new row.
    void theGridReadsTheRowItMovesTo() {
        Program p;
        auto *rows = p.form->grid()->findChild<QTableView *>("scheduleRows");
        rows->setFocus();
        press(Qt::Key_Home);
        press(Qt::Key_Down);
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(rows)->focusChild();
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), "Radio C, 7000 kHz, 0600 to 0900 UTC, German");
        const QModelIndex plain = rows->model()->index(1, 2); // 7000 is not on the air at 01:30
        const QColor back = plain.data(Qt::BackgroundRole).value<QColor>();
        QCOMPARE(back, QColor(Qt::white)); // the grid keeps the listener's colours
        const QVariant fore = plain.data(Qt::ForegroundRole); // else the desktop's text colour
        QCOMPARE(fore.isValid() ? fore.value<QColor>() : rows->palette().color(QPalette::Text),
                 QColor(Qt::black));
    }

    // 24 points from the Options menu: rows and the Station column (22 characters) grow.
    void largeGridTextKeepsRowsAndColumnsWhole() {
        Program p;
        p.form->findChild<QAction *>("DFonts_10")->trigger();
        auto *rows = p.form->grid()->findChild<QTableView *>("scheduleRows");
        QCOMPARE(rows->font().pointSize(), 24);
        const QFontMetrics shown(rows->font());
        QVERIFY(rows->rowHeight(0) >= shown.height());
        QVERIFY2(rows->columnWidth(2) >= 0.95 * shown.horizontalAdvance(QString(22, u'W')),
                 qPrintable(QString::number(rows->columnWidth(2))));
    }

    // The rig is polled twice a second: the frequency display says the frequency, and only
    // a new frequency changes what it says.
    void theReceiverDisplayReadsTheFrequency() {
        Program p;
        rx::RxWindow window(p.rxLink);
        QLabel *digits = nullptr;
        for (QLabel *label : window.findChildren<QLabel *>())
            if (label->text() == u"----.--")
                digits = label;
        QVERIFY(digits);
        QCOMPARE(nameOf(digits), "Frequency unknown");
        window.showState(tunedTo(9575000, -12));
        QCOMPARE(nameOf(digits), "Frequency 9575.00 kHz");
        window.showState(tunedTo(9575000, -6)); // a poll: only the signal moved
        QCOMPARE(nameOf(digits), "Frequency 9575.00 kHz");
        window.showState(tunedTo(6000000, -6));
        QCOMPARE(nameOf(digits), "Frequency 6000.00 kHz");
    }

    void fieldSelectionByKeysAlone() {
        Program p;
        NoMouse mouse;
        p.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.main()));
        whenModal([] {
            press(Qt::Key_A, Qt::AltModifier); // "Available Fields"
            press(Qt::Key_Home);               // ADM, the first
            press(Qt::Key_Return);             // moves it across
            press(Qt::Key_Return);             // nothing highlighted now: nothing moves
            press(Qt::Key_D, Qt::AltModifier);
        });
        press(Qt::Key_S, Qt::AltModifier); // "Select Fields"
        QCOMPARE(p.state.DisplayListStr, "Station,UTC,Language,ADM");
        QCOMPARE(p.form->grid()->columnFieldName(5), "ADM");
        QCOMPARE(mouse.seen, QStringList());
    }

    void customFilterByKeysAlone() {
        Program p;
        NoMouse mouse;
        p.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.main()));
        whenModal([] {
            press(Qt::Key_L, Qt::AltModifier);
            type("German");
            press(Qt::Key_F, Qt::AltModifier); // "A Frequency"
            press(Qt::Key_Tab);
            type("7000");
            press(Qt::Key_D, Qt::AltModifier);
        });
        whenUp(&QApplication::activePopupWidget, [] {
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return); // Custom Filter
        });
        press(Qt::Key_B, Qt::AltModifier); // "Filter By"
        QTRY_COMPARE(p.form->grid()->rowCount(), 1);
        QCOMPARE(p.form->grid()->cellText(2, p.form->grid()->bookmarkAt(0)), "Radio C");
        QCOMPARE(mouse.seen, QStringList());
    }

    // Esc empties a box; in an empty one it cancels, as Esc does in any dialog.
    void escapeEmptiesTheBoxThenCancelsTheCustomFilter() {
        Program p;
        QString left;
        bool closedByEsc = true;
        whenModal([&] {
            press(Qt::Key_L, Qt::AltModifier);
            type("German");
            press(Qt::Key_Escape);
            left = qobject_cast<QComboBox *>(QApplication::focusWidget())->currentText();
            press(Qt::Key_Escape);
            if (QWidget *still = QApplication::activeModalWidget()) {
                closedByEsc = false;
                still->close();
            }
        });
        p.form->FindNow_Click(0);
        QCOMPARE(left, "");
        QVERIFY(closedByEsc);
        QVERIFY(p.state.DlgCancel);
        QCOMPARE(p.form->grid()->rowCount(), 3);
    }

    void logEntryWithRemarksByKeysAlone() {
        Program p;
        NoMouse mouse;
        p.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.main()));
        p.form->grid()->findChild<QTableView *>("scheduleRows")->setFocus();
        press(Qt::Key_End); // 9575 Radio A
        press(Qt::Key_F9);
        QVERIFY(p.state.LogOn);
        QCOMPARE(p.clipboard.content, "111001");
        p.clipboard.writtenByOtherProgram("100001,AM,S7");
        p.form->Timer_Timer(0);
        whenModal([] {
            type("54444");
            press(Qt::Key_Return);
            type("Faded at 0140");
            press(Qt::Key_Return);
        });
        p.clock.now = at(1, 45);
        press(Qt::Key_F10);
        QVERIFY2(p.logFile().contains(" 9575 ") && p.logFile().contains("Radio A"),
                 qPrintable(p.logFile()));
        QVERIFY2(p.logFile().endsWith("\r\nSINPO: 54444 Faded at 0140\r\n"),
                 qPrintable(p.logFile()));
        QCOMPARE(mouse.seen, QStringList());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "Accessibility_test.moc"
