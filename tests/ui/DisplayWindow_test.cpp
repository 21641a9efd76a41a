#include "mainwindow/ScheduleGridWidget.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>

using mainwindow::DisplayForm;

namespace {

const QString ProgramDir = QStringLiteral("/skedwise-test");

QDateTime at(const QString &hhmm, int second = 15) {
    return QDateTime(QDate(2024, 5, 17), QTime(hhmm.left(2).toInt(), hhmm.right(2).toInt(), second),
                     Qt::UTC);
}

// A whole program around one main window: default settings, a clock at UTC (TimeZone 0).
struct Program : testsupport::ProgramUnderTest<> {
    Program(std::shared_ptr<const jet::Table> table, const QDateTime &now,
            const std::function<void(app::ProgramState &)> &settings = {}) {
        if (settings)
            settings(state);
        tables.add(ProgramDir + QStringLiteral("/ILGDATA.MDB"), std::move(table));
        start(ProgramDir, now);
    }

    mainwindow::ScheduleGridWidget *grid() const { return form->grid(); }
    QPushButton *button(const char *name) const { return form->findChild<QPushButton *>(name); }

    int firstVisible() const {
        return form->data1().recordset().positionOf(grid()->firstVisibleBookmark());
    }
    // A tick at the full minute: the clock moves on and the grid repaints.
    void tickAt(const QString &hhmm, int second = 0) {
        clock.now = at(hhmm, second);
        form->Timer_Timer(0);
    }
};

std::shared_ptr<const jet::Table> fixture() {
    return testsupport::fixtureScheduleTable();
}

// Rows in table order; in Freq order they come 6, 2, 3, 4, 1, 5.
std::shared_ptr<const jet::Table> stylingTable() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language,UTCB,UTCE\r\n"
                      "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"2200\",\"0200\"\r\n"
                      "2,6000,\"Radio B\",\"2230-0200\",\"French\",\"2230\",\"0200\"\r\n"
                      "3,7000,\"Radio C\",\"0600-0900\",\"German\",\"0600\",\"0900\"\r\n"
                      "4,8000,\"Radio D\",\"0000-0000\",\"English\",\"0000\",\"0000\"\r\n"
                      "5,9575,\"Radio E\",\"....-0900\",\"English\",\"....\",\"0900\"\r\n"
                      "6,5000,\"Radio F\",\"1200-1300\",\"Hindi\",\"1200\",\"1300\"\r\n"));
}

void sendKey(Program &p, const QString &target, Qt::Key key, Qt::KeyboardModifiers mods) {
    QWidget *receiver = target == u"grid" ? static_cast<QWidget *>(p.rows())
                                          : static_cast<QWidget *>(p.button("CmdGo"));
    receiver->setFocus();
    QTest::keyClick(receiver, key, mods);
}

} // namespace

class DisplayWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The record key is read, not shown; the clock ticks and the log starts closed.
    void startsWithTheClockRunning() {
        Program p(stylingTable(), at("0130"));
        QVERIFY(p.rows()->isColumnHidden(0));
        QVERIFY(p.form->timer()->isActive());
        QCOMPARE(p.form->timer()->interval(), 900);
        QVERIFY(!p.button("CmdLog_1")->isEnabled());
        p.tickAt("0130", 15);
        QCOMPARE(p.form->windowTitle(),
                 "Skedwise 01:30:15 UTC  01:30:15   01:30:15 " + QLocale().amText() + " Local");
    }

    // The help names every item of the menus, so a new item comes with its help text.
    void helpNamesEveryMenuItem() {
        Program p(stylingTable(), at("1200"));
        QString help = QString::fromUtf8(
            testsupport::fileBytes(testsupport::testFile("../data/SkedwiseHelp.html")));
        help.remove(QRegularExpression("<[^>]*>"));
        help.replace("&gt;", ">")
            .replace("&lt;", "<")
            .replace("&amp;", "&")
            .replace("&hellip;", "…");
        help = help.simplified();
        QStringList missing;
        QList<QAction *> items = p.form->menuBar()->actions();
        while (!items.isEmpty()) {
            QAction *item = items.takeFirst();
            if (item->menu())
                items << item->menu()->actions();
            const QString caption = QString(item->text()).remove('&').simplified();
            if (!item->isSeparator() && !help.contains(caption))
                missing << caption;
        }
        QCOMPARE(missing, QStringList());
    }

    // The row styling reaches the grid: found and on the air is red bold on the marked colour.
    void foundRowOnTheAirIsRedBold() {
        Program p(stylingTable(), at("1000"));
        p.state.FindType = 1;
        p.state.SearchStr = QStringLiteral("9575");
        p.tickAt("2330");
        const QModelIndex cell = p.rows()->model()->index(p.rowOfStation(1), 2);
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(200, 255, 200));
        QVERIFY(cell.data(Qt::FontRole).value<QFont>().bold());
    }

    void pagingKeys_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("scroll");  // "page" down, "up" a page, "none"
        QTest::addColumn<QString>("current"); // "same", "first", "last"
        const int shift = Qt::ShiftModifier;
        const int ctrlShift = Qt::ShiftModifier | Qt::ControlModifier;
        for (const QString target : {"grid", "button"}) {
            const QByteArray from = " from the " + target.toLatin1();
            addRow(("Page Down scrolls a page less one row" + from).constData(), target,
                   int(Qt::Key_PageDown), 0, "page", "same");
            addRow(("Shift+Page Down also moves to the last record" + from).constData(), target,
                   int(Qt::Key_PageDown), shift, "page", "last");
            addRow(("Ctrl+Shift+Page Down only scrolls" + from).constData(), target,
                   int(Qt::Key_PageDown), ctrlShift, "page", "same");
            addRow(("Shift+Page Up moves to the first record" + from).constData(), target,
                   int(Qt::Key_PageUp), shift, "up", "first");
            addRow(("End moves to the last record" + from).constData(), target, int(Qt::Key_End), 0,
                   "none", "last");
            addRow(("Home moves to the first record" + from).constData(), target, int(Qt::Key_Home),
                   0, "none", "first");
            addRow(("F7 does nothing" + from).constData(), target, int(Qt::Key_F7), 0, "none",
                   "same");
            addRow(("Down moves the grid's current row, not a button's" + from).constData(), target,
                   int(Qt::Key_Down), 0, "none", target == u"grid" ? "next" : "same");
        }
    }
    void pagingKeys() {
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, scroll);
        QFETCH(QString, current);
        REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv"));
        Program p(fixture(), at("1200"));
        const int visible = p.grid()->visibleRowCount();
        QVERIFY(visible > 3);
        p.records().moveTo(200);
        p.grid()->setFirstVisibleRow(p.records().bookmark());
        QCOMPARE(p.firstVisible(), 200);
        sendKey(p, target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        if (current == u"same" || current == u"next") {
            QCOMPARE(p.records().position(), current == u"next" ? 201 : 200);
            const int expectedTop = scroll == u"page" ? 200 + visible - 1
                                    : scroll == u"up" ? 200 - (visible - 1)
                                                      : 200;
            QCOMPARE(p.firstVisible(), expectedTop);
        } else {
            QCOMPARE(p.records().position(), current == u"first" ? 0 : 1499);
            QVERIFY(p.grid()->currentRow() >= 0); // shown
        }
    }

    // Clicked, then On Air twice: the station off the air comes back HalfRows below the top,
    // not clamped to the on-air rows' scroll range (the locked overlay shares the scroll bar).
    void onAirOffRestoresAStationNotOnTheAir() {
        REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv"));
        Program p(fixture(), at("0130", 30));
        const int row = 600; // station 601 is not on the air at 01:30; 161 rows are
        p.records().moveTo(row - 5);
        p.grid()->setFirstVisibleRow(p.records().bookmark());
        QTableView *view = p.rows();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row, 1)).center());
        QCOMPARE(p.state.SelStationID, 601);
        QTest::mouseClick(p.button("CmdONAir"), Qt::LeftButton);
        QCOMPARE(p.records().recordCount(), 161);
        QTest::mouseClick(p.button("CmdONAir"), Qt::LeftButton);
        QCOMPARE(p.currentStation(), 601);
        QCOMPARE(p.firstVisible(), 600 - p.state.HalfRows);
    }

    void headingClick_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<int>("findType");
        addRow("Freq heading keeps the find marking", 1, "Freq", 1);
        addRow("other heading clears the find marking", 2, "Station", 0);
    }
    void headingClick() {
        QFETCH(int, column);
        QFETCH(QString, sortBy);
        QFETCH(int, findType);
        Program p(stylingTable(), at("1200"));
        p.state.FindType = 1;
        QTableView *view = p.rows();
        const QRect cell = view->visualRect(view->model()->index(p.rowOfStation(4), 2));
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, cell.center());
        QCOMPARE(p.state.SelStationID, 4);
        QCOMPARE(p.state.LastStationID, 4);
        QHeaderView *header = view->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        QCOMPARE(p.state.SortBy, sortBy);
        QCOMPARE(p.state.FindType, findType);
        QCOMPARE(p.currentStation(), 4);
    }

    void exitSavesColumnWidths() {
        Program p(stylingTable(), at("1200"));
        p.grid()->setColumnWidthTwips(2, 30 * p.state.CharWidth);
        p.item("ExitNow")->trigger();
        QVERIFY(p.store.values.value("colchars").startsWith("0,9,30,10,18,"));
        QCOMPARE(p.store.values.value("colchars").count(u','), 26);
    }

    // Off, a pick sends the frequency alone: the choice is kept for the next start.
    void setReceiverModeItemIsKept() {
        Program p(stylingTable(), at("1200"));
        QVERIFY(p.item("SetReceiverMode")->isChecked());
        p.item("SetReceiverMode")->trigger();
        QVERIFY(!p.item("SetReceiverMode")->isChecked());
        app::OwnSettings kept;
        app::LoadOwnSettings(kept, p.store);
        QCOMPARE(kept.SetReceiverMode, false);
    }
};

QTEST_MAIN(DisplayWindowTest)
#include "DisplayWindow_test.moc"
