// Both programs worked by the keyboard alone, named for a screen reader, readable on a dark
// desktop. The walk opens every window of the table below: a new window gets its row there.
#include "app/Contrast.h"
#include "export/LogWindowUi.h"
#include "imports/UpdateScheduleDialog.h"
#include "logbook/NoticeWindowUi.h"
#include "logbook/RemarksWindowUi.h"
#include "mainwindow/FieldSelectionDialog.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "map/BandChartWindow.h"
#include "map/MapWindow.h"
#include "map/PictureWindows.h"
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
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

using app::White;
using namespace reference;

namespace {

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
    s.connected = s.hzKnown = s.hzFromRig = true;
    s.hz = hz;
    s.mode = QStringLiteral("AM");
    s.modes = {QStringLiteral("AM"), QStringLiteral("USB")};
    s.filters = {6000};
    s.filterHz = 6000;
    s.signalDb = signalDb;
    return s;
}

// Both programs side by side at 01:30 UTC, the schedule's folder a temporary one.
struct Program : testsupport::ProgramUnderTest<> {
    QString sinpo, entry;
    NoRig rig;
    rx::ClipboardLink rxLink{clipboard, rig};
    Program() {
        tables.add(dir.path() + "/ILGDATA.MDB", stations());
        start(dir.path(), QDateTime(QDate(2024, 5, 17), QTime(1, 30), Qt::UTC));
        activate();
    }
    void activate() {
        form->activateWindow();
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == form.get(); }))
            qWarning("the main window never became active");
    }
    QWidget *main() const { return form.get(); }
};

// One window of either program and how it is opened; one without a parent is the test's.
struct WindowRow {
    const char *name;
    QWidget *(*open)(Program &);
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
     [](Program &p) -> QWidget * { return new schedule::FilterStatusWindow(p.state, *p.form); }},
    {"time zone", [](Program &p) -> QWidget * { return p.form->ChangeTZ_Click(); }},
    {"remarks with SINPO",
     [](Program &p) -> QWidget * {
         return new logbook::FrmRemarks(true, p.sinpo, p.entry, White, 0);
     }},
    {"remarks alone",
     [](Program &p) -> QWidget * {
         return new logbook::FrmRemarks(false, p.sinpo, p.entry, White, 0);
     }},
    {"log notice",
     [](Program &) -> QWidget * { return new logbook::FrmNotify("x", true, {}, White, 0); }},
    {"about", [](Program &) -> QWidget * { return new AboutBox; }},
    {"help",
     [](Program &p) -> QWidget * { return p.form->ShowHelp_Click(), p.form->reference().help(); }},
    {"legend",
     [](Program &p) -> QWidget * {
         return p.form->Legends_Click(), p.form->reference().legends();
     }},
    {"single record",
     [](Program &p) -> QWidget * {
         p.state.SelStationID = 1;
         return p.form->ShowSingleRecord(), p.form->reference().singleRecord();
     }},
    {"update schedule",
     [](Program &p) -> QWidget * {
         return new imports::UpdateScheduleDialog(
             p.state.fetch, QDateTime(QDate(2024, 5, 17), QTime(1, 30), Qt::UTC),
             [](const imports::UpdateRequest &, const QString &) { return false; }, p.main());
     }},
    {"log window",
     [](Program &p) -> QWidget * {
         p.form->ShowLog_Click();
         return p.form->findChild<exporting::LogWindow *>();
     }},
    {"map",
     [](Program &p) -> QWidget * {
         p.form->Map_Click();
         return p.form->pictures().mapWindow();
     }},
    {"band chart",
     [](Program &p) -> QWidget * {
         p.form->BandChart_Click();
         return p.form->pictures().bandChartWindow();
     }},
    {"skedwise-rx",
     [](Program &p) -> QWidget * {
         auto *window = new rx::RxWindow(p.rxLink);
         window->showState(tunedTo(9575000, -12));
         return window;
     }},
    {"skedwise-rx settings",
     [](Program &) -> QWidget * { return new rx::RxSettingsDialog({}, {}); }},
};

// What a screen reader says a control is: its name, else its label. A combo box's name is
// its value, so it needs a label (a buddy) or a description.
QString nameOf(QWidget *w) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
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
        .arg(w->metaObject()->className(), w->objectName(), nameOf(w));
}

// Option buttons of one set share a Tab stop; the arrows move between them.
bool sameOptionSet(const QWidget *a, const QWidget *b) {
    const auto *x = qobject_cast<const QRadioButton *>(a);
    const auto *y = qobject_cast<const QRadioButton *>(b);
    return x && y && x->autoExclusive() && y->autoExclusive() && x->parent() == y->parent();
}

// Where Tab goes from the focus until it comes round again. A date box takes a Tab per part
// of the date before it lets the focus go, as a keyboard user expects.
QList<QWidget *> tabCycle(QWidget *first, qsizetype limit) {
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != first->window())
        first->setFocus(Qt::TabFocusReason);
    QList<QWidget *> cycle{QApplication::focusWidget()};
    for (int presses = 0; cycle.size() <= limit && presses < 4 * limit; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == cycle.first())
            break;
        if (QApplication::focusWidget() != cycle.last())
            cycle << QApplication::focusWidget();
    }
    return cycle;
}

// Top to bottom; side by side (overlapping heights), left to right.
bool readsBefore(const QWidget *a, const QWidget *b) {
    const QRect x(a->mapToGlobal(QPoint()), a->size()), y(b->mapToGlobal(QPoint()), b->size());
    const bool sideBySide = x.top() < y.bottom() && y.top() < x.bottom();
    return sideBySide ? x.left() < y.left() : x.top() < y.top();
}

// A dark desktop as Qt takes it from the platform theme.
QPalette darkPalette() {
    QPalette p(QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(role, QColor(0xee, 0xee, 0xee));
    return p;
}

// The colour pair of a widget that reads below 4.5:1, "" when all read well.
QString unreadable(QWidget *w) {
    using Roles = std::pair<QPalette::ColorRole, QPalette::ColorRole>;
    for (auto [fore, back] :
         {Roles{QPalette::WindowText, QPalette::Window},
          Roles{QPalette::ButtonText, QPalette::Button}, Roles{QPalette::Text, QPalette::Base}}) {
        const double ratio = app::contrastRatio(app::rgb24FromColor(w->palette().color(fore)),
                                                app::rgb24FromColor(w->palette().color(back)));
        if (ratio < app::ReadableContrast)
            return describe(w) + QStringLiteral(" at %1:1").arg(ratio, 0, 'f', 1);
    }
    return {};
}

// Plays keys into the window find() gives once it is up: it blocks the step that opens it.
void whenUp(QWidget *(*find)(), std::function<void()> keys, int tries = 250) {
    QTimer::singleShot(20, [=] {
        QWidget *window = find();
        if (window &&
            (window == QApplication::activeWindow() || window == QApplication::activePopupWidget()))
            keys();
        else if (tries > 0)
            whenUp(find, keys, tries - 1);
    });
}
void whenModal(std::function<void()> keys) {
    whenUp(&QApplication::activeModalWidget, std::move(keys));
}
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}
void type(const QString &text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Counts mouse presses while it lives: the keyboard paths must not need one.
struct NoMouse : QObject {
    int presses = 0;
    NoMouse() { qApp->installEventFilter(this); }
    ~NoMouse() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override {
        presses += e->type() == QEvent::MouseButtonPress;
        return false;
    }
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setPalette(darkPalette()); }

    void everyWindowIsNamedTabbedInReadingOrderAndReadable_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(Windows)); ++row)
            addRow(Windows[row].name, row);
    }
    void everyWindowIsNamedTabbedInReadingOrderAndReadable() {
        QFETCH(int, row);
        Program p;
        QWidget *window = Windows[row].open(p);
        std::unique_ptr<QWidget> owned(window->parent() || window == p.main() ? nullptr : window);
        window->show();
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QCOMPARE(window->palette().color(QPalette::Window), darkPalette().color(QPalette::Window));
        QStringList names;
        QList<QWidget *> stops;
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->isVisible())
                QVERIFY2(unreadable(w).isEmpty(), qPrintable(unreadable(w)));
            if (w->window() != window || !w->isVisible() || !w->isEnabled() || w->focusProxy() ||
                !(w->focusPolicy() & Qt::TabFocus))
                continue;
            QVERIFY2(!nameOf(w).trimmed().isEmpty(), qPrintable("no name: " + describe(w)));
            QVERIFY2(!names.contains(nameOf(w)), qPrintable("two controls say " + describe(w)));
            names << nameOf(w);
            if (std::none_of(stops.begin(), stops.end(),
                             [w](auto *s) { return sameOptionSet(s, w); }))
                stops << w;
        }
        QList<QWidget *> cycle = tabCycle(stops.first(), stops.size());
        for (QWidget *w : stops)
            QVERIFY2(std::any_of(cycle.begin(), cycle.end(),
                                 [w](QWidget *c) { return c == w || sameOptionSet(c, w); }),
                     qPrintable("Tab never reaches " + describe(w)));
        QCOMPARE(cycle.size(), stops.size());
        std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end(), readsBefore),
                    cycle.end());
        for (qsizetype i = 1; i < cycle.size(); ++i)
            QVERIFY2(readsBefore(cycle[i - 1], cycle[i]),
                     qPrintable(describe(cycle[i]) + " comes after " + describe(cycle[i - 1])));
    }

    // The focused cell reads its row, in the order a listener asks for it.
    void theGridReadsTheRowItMovesTo() {
        Program p;
        p.rows()->setFocus();
        press(Qt::Key_Home);
        press(Qt::Key_Down);
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(p.rows())->focusChild();
        QCOMPARE(cell->text(QAccessible::Name), "Radio C, 7000 kHz, 0600 to 0900 UTC, German");
    }

    // 24 points from the Options menu: the rows and the 22-character Station column grow.
    void largeGridTextKeepsRowsAndColumnsWhole() {
        Program p;
        p.form->findChild<QAction *>("DFonts_10")->trigger();
        const QFontMetrics shown(p.rows()->font());
        QCOMPARE(p.rows()->font().pointSize(), 24);
        QVERIFY(p.rows()->rowHeight(0) >= shown.height());
        QVERIFY(p.rows()->columnWidth(2) >= 0.95 * shown.horizontalAdvance(QString(22, u'W')));
    }

    // The rig is polled twice a second: the display says the frequency, and only a new one.
    void theReceiverDisplayReadsTheFrequency() {
        Program p;
        rx::RxWindow window(p.rxLink);
        auto labels = window.findChildren<QLabel *>();
        QLabel *digits = *std::find_if(labels.begin(), labels.end(),
                                       [](QLabel *l) { return l->text() == u"----.--"; });
        QCOMPARE(nameOf(digits), "Frequency unknown");
        window.showState(tunedTo(9575000, -12));
        window.showState(tunedTo(9575000, -6)); // a poll: only the signal moved
        QCOMPARE(nameOf(digits), "Frequency 9575.00 kHz");
        window.showState(tunedTo(6000000, -6));
        QCOMPARE(nameOf(digits), "Frequency 6000.00 kHz");
    }

    void fieldSelectionByKeysAlone() {
        Program p;
        NoMouse mouse;
        whenModal([] {
            press(Qt::Key_A, Qt::AltModifier); // "Available Fields"
            press(Qt::Key_Home);               // ADM, the first
            press(Qt::Key_Return);             // moves it across
            press(Qt::Key_D, Qt::AltModifier);
        });
        press(Qt::Key_S, Qt::AltModifier); // "Select Fields"
        QCOMPARE(p.state.DisplayListStr, "Station,UTC,Language,ADM");
        QCOMPARE(p.form->grid()->columnFieldName(5), "ADM");
        QCOMPARE(mouse.presses, 0);
    }

    // Esc empties a box, and in an empty box cancels; then a filter by keys.
    void customFilterByKeysAlone() {
        Program p;
        NoMouse mouse;
        bool cancelledByEsc = false;
        whenModal([&cancelledByEsc] {
            press(Qt::Key_T, Qt::AltModifier); // Station
            type("Zz");
            press(Qt::Key_Escape);
            press(Qt::Key_Escape);
            cancelledByEsc = !QApplication::activeModalWidget();
            if (!cancelledByEsc)
                QApplication::activeModalWidget()->close();
        });
        p.form->FindNow_Click(0);
        QVERIFY(cancelledByEsc);
        p.activate();
        whenModal([] {
            press(Qt::Key_L, Qt::AltModifier);
            type("German");
            press(Qt::Key_F, Qt::AltModifier); // "A Frequency"
            press(Qt::Key_Tab);
            type("7000");
            press(Qt::Key_D, Qt::AltModifier);
        });
        whenUp(&QApplication::activePopupWidget,
               [] { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return); });
        press(Qt::Key_B, Qt::AltModifier); // "Filter By", then its first item "Custom Filter"
        QTRY_COMPARE(p.form->grid()->rowCount(), 1);
        QCOMPARE(p.form->grid()->cellText(2, p.form->grid()->bookmarkAt(0)), "Radio C");
        QCOMPARE(mouse.presses, 0);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "Accessibility_test.moc"
