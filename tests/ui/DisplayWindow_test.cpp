#include "mainwindow/ScheduleGridWidget.h"
#include "onair/OnAir.h"
#include "onair/TimeZoneDialog.h"
#include "schedule/LanguageSelectorWindow.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using mainwindow::DisplayForm;

namespace {

const QString ProgramDir = QStringLiteral("/skedwise-test");

using testsupport::FakeClipboard;
using testsupport::FixedClock;
using testsupport::MemoryStore;

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
    QTableView *rows() const { return grid()->findChild<QTableView *>("scheduleRows"); }
    jet::RecordSet &records() { return form->data1().recordset(); }
    QAction *item(const char *name) const { return form->findChild<QAction *>(name); }
    QPushButton *button(const char *name) const { return form->findChild<QPushButton *>(name); }

    int firstVisible() const {
        return form->data1().recordset().positionOf(grid()->firstVisibleBookmark());
    }
    int stationAt(int position) { return int(records().value(position, 0).number); }
    int currentStation() { return records().position() < 0 ? -1 : stationAt(records().position()); }
    int rowOfStation(int id) {
        for (int p = 0; p < records().recordCount(); ++p)
            if (stationAt(p) == id)
                return p;
        return -1;
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

// The look a row's cells are painted with, read from the grid's model.
struct CellLook {
    QColor fore, back;
    bool bold = false;
};

CellLook lookOf(Program &p, int position, int column) {
    const QAbstractItemModel *model = p.rows()->model();
    const QModelIndex index = model->index(position, column);
    CellLook look;
    look.fore = model->data(index, Qt::ForegroundRole).value<QColor>();
    look.back = model->data(index, Qt::BackgroundRole).value<QColor>();
    const QVariant font = model->data(index, Qt::FontRole);
    look.bold = font.isValid() && font.value<QFont>().bold();
    return look;
}

// What the four style sets and the plain row look like with the default colours: red text
// (OnAirNormColor 255), blue text (OnAirSelectColor 16711680), on white (GridBackColor
// 16777215) or pale green (MarkedRowBackColor 13172680).
CellLook expectedLook(const QString &style) {
    const QColor red(255, 0, 0), blue(0, 0, 255), white(255, 255, 255), paleGreen(200, 255, 200);
    if (style == u"RedNormal")
        return {red, white, false};
    if (style == u"BlueBold")
        return {blue, paleGreen, true};
    if (style == u"RedBold")
        return {red, paleGreen, true};
    return {QColor(Qt::black), white, false}; // plain text reads on the white grid
}

// Plain reading of "on the air at t" over the schedule's text times: a window whose end
// sorts before its begin runs over midnight; an unknown end ("....") runs to midnight;
// equal begin and end is never selected.
bool onAirAt(const QString &b, const QString &e, const QString &t) {
    if (e > b)
        return t >= b && t < e;
    if (e < b)
        return t >= b || (e != u"...." && t < e);
    return false;
}

int fixtureOnAirCount(const QString &t) {
    const jet::CsvRows csv =
        jet::readCsvFile(testsupport::fixture(QStringLiteral("schedule/rows.csv")));
    const qsizetype b = csv.header.indexOf(QStringLiteral("UTCB"));
    const qsizetype e = csv.header.indexOf(QStringLiteral("UTCE"));
    int count = 0;
    for (const auto &row : csv.rows)
        count += !row[b].isNull() && !row[e].isNull() && onAirAt(row[b].text, row[e].text, t);
    return count;
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
    void startsOnTheFixture() {
        REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv"));
        Program p(fixture(), at("0130"));
        QCOMPARE(p.grid()->caption(), "VAZOdariDATA   1500 Records in ALL Languages");
        QCOMPARE(p.state.SQLStr, "Select StationID,Freq,Station,UTC,Language From MyDataTable");
        QCOMPARE(p.state.FilterStr, "ALL Languages");
        QCOMPARE(p.clipboard.content, QString());
        const QStringList columns = {"StationID", "Freq", "Station", "UTC", "Language"};
        QCOMPARE(p.grid()->columnCount(), columns.size());
        for (int c = 0; c < columns.size(); ++c)
            QCOMPARE(p.grid()->columnFieldName(c), columns[c]);
        QCOMPARE(p.grid()->columnWidthTwips(0), 0);
        QVERIFY(p.rows()->isColumnHidden(0));
        QVERIFY(p.state.CharWidth > 0);
        QVERIFY(qAbs(p.grid()->columnWidthTwips(2) - 22 * p.state.CharWidth) < 30);
        QVERIFY(p.form->timer()->isActive());
        QCOMPARE(p.form->timer()->interval(), 900);
        QVERIFY(!p.button("CmdLog_1")->isEnabled());

        p.tickAt("0130", 15);
        QCOMPARE(p.form->windowTitle(),
                 "Skedwise 01:30:15 UTC  01:30:15   01:30:15 " + QLocale().amText() + " Local");
    }

    void menuCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("find captions carry their key texts") << "FindA_1"
                                                             << "Station        F3";
        QTest::newRow("STN has F7 in its caption only") << "FindA_5"
                                                        << "STN            F7";
        QTest::newRow("program types start at index 1") << "Progs_1"
                                                        << "Classic Music";
        QTest::newRow("program submenu is FindNow 1") << "FindNow_1"
                                                      << "Program";
        QTest::newRow("last filter item") << "FindNow_11"
                                          << "Target";
        QTest::newRow("first font name keeps its blank") << "FontNames_0"
                                                         << "Courier ";
        QTest::newRow("print caption as shipped") << "PrintData_0"
                                                  << "Print Seleted Rows";
        QTest::newRow("clock display off") << "ClockOnOff_0"
                                           << "Display OFF";
        QTest::newRow("lock two columns") << "LC_1"
                                          << "Lock Freq + Next";
        QTest::newRow("exit on the menu bar") << "ExitNow"
                                              << "Exit";
    }
    void menuCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Program p(stylingTable(), at("1200"));
        QAction *item = p.item(qPrintable(name));
        QVERIFY2(item, qPrintable(name));
        QCOMPARE(item->text().remove(u'&'), caption); // a mnemonic's mark is not shown
    }

    void optionMarks_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("unchecked");
        QTest::newRow("link disabled") << "LinkOK"
                                       << "False"
                                       << "DoLink_1"
                                       << "DoLink_0";
        QTest::newRow("descending frequencies") << "FSortStr"
                                                << " DESC"
                                                << "FSort_1"
                                                << "FSort_0";
        QTest::newRow("auto update on") << "AutoOnAir"
                                        << "True"
                                        << "SelAutoUpdate_1"
                                        << "SelAutoUpdate_0";
        QTest::newRow("clock hidden") << "DisplayClock"
                                      << "False"
                                      << "ClockOnOff_0"
                                      << "ClockOnOff_1";
        QTest::newRow("three locked columns") << "SplitterPosition"
                                              << "3"
                                              << "LC_1"
                                              << "LC_0";
        QTest::newRow("normal weight") << "FontIsBold"
                                       << "False"
                                       << "WhichFont_0"
                                       << "WhichFont_1";
        QTest::newRow("unknown selection kind checks nothing") << "RowSelectType"
                                                               << "5"
                                                               << ""
                                                               << "SelectM_0";
    }
    void optionMarks() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, checked);
        QFETCH(QString, unchecked);
        Program p(stylingTable(), at("1200"), [&](app::ProgramState &s) {
            MemoryStore store;
            store.values[key.toLower()] = value;
            app::LoadSettings(s, store, {19200, 14400});
        });
        if (!checked.isEmpty())
            QVERIFY(p.item(qPrintable(checked))->isChecked());
        QVERIFY(!p.item(qPrintable(unchecked))->isChecked());
        if (key == u"SplitterPosition")
            QCOMPARE(p.grid()->lockedColumns(), 3);
        if (key == u"RowSelectType")
            QCOMPARE(p.grid()->rowSelectionKind(), 1);
    }

    void rowStyling_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("station");
        QTest::addColumn<int>("findType");
        QTest::addColumn<QString>("style");
        QTest::newRow("2200-0200 at 23:30, before midnight") << "2330" << 1 << 0 << "RedNormal";
        QTest::newRow("2200-0200 at 01:30, after midnight") << "0130" << 1 << 0 << "RedNormal";
        QTest::newRow("2200-0200 at 03:00, over") << "0300" << 1 << 0 << "";
        QTest::newRow("2200-0200 at 22:45") << "2245" << 1 << 0 << "RedNormal";
        QTest::newRow("2230-0200 at 23:30") << "2330" << 2 << 0 << "RedNormal";
        QTest::newRow("2230-0200 at 01:30") << "0130" << 2 << 0 << "RedNormal";
        QTest::newRow("2230-0200 at 03:00") << "0300" << 2 << 0 << "";
        QTest::newRow("2230-0200 at 22:45, begin above the hour")
            << "2245" << 2 << 0 << "RedNormal";
        QTest::newRow("0600-0900 at 06:00, begin included") << "0600" << 3 << 0 << "RedNormal";
        QTest::newRow("0600-0900 at 09:00, end excluded") << "0900" << 3 << 0 << "";
        QTest::newRow("0000-0000 at midnight") << "0000" << 4 << 0 << "RedNormal";
        QTest::newRow("0000-0000 at noon") << "1200" << 4 << 0 << "RedNormal";
        QTest::newRow("unknown begin is never red") << "0800" << 5 << 0 << "";
        QTest::newRow("unknown begin found by frequency is blue bold")
            << "0800" << 5 << 1 << "BlueBold";
        QTest::newRow("found and on the air is red bold") << "2330" << 1 << 1 << "RedBold";
        QTest::newRow("other frequency is not found") << "1230" << 6 << 1 << "RedNormal";
    }
    void rowStyling() {
        QFETCH(QString, time);
        QFETCH(int, station);
        QFETCH(int, findType);
        QFETCH(QString, style);
        Program p(stylingTable(), at("1000"));
        p.state.FindType = qint16(findType);
        p.state.SearchStr = QStringLiteral("   9575.0");
        p.tickAt(time);
        const int row = p.rowOfStation(station);
        const CellLook expected = expectedLook(style);
        for (int column : {0, 1, 4}) {
            const CellLook look = lookOf(p, row, column);
            QCOMPARE(look.fore, expected.fore);
            QCOMPARE(look.back, expected.back);
            QCOMPARE(look.bold, expected.bold);
        }
    }

    void setupGridFollowsColours_data() {
        QTest::addColumn<QString>("fontIsBold");
        QTest::newRow("bold marked rows") << "True";
        QTest::newRow("normal weight marked rows") << "False";
    }
    void setupGridFollowsColours() {
        QFETCH(QString, fontIsBold);
        Program p(stylingTable(), at("2330"));
        p.state.GridBackColor = 0x102030;
        p.state.FontIsBold = fontIsBold;
        p.form->SetupGrid();
        p.state.FindType = 1;
        p.state.SearchStr = QStringLiteral("9575");
        p.tickAt("2330");
        const bool bold = fontIsBold == u"True";
        const QColor gridBack(0x30, 0x20, 0x10); // red in the low byte
        const QColor marked(200, 255, 200);
        QCOMPARE(lookOf(p, p.rowOfStation(6), 2).back, gridBack); // plain
        QCOMPARE(lookOf(p, p.rowOfStation(2), 2).back, gridBack); // red normal
        QCOMPARE(lookOf(p, p.rowOfStation(1), 2).back, marked);   // red bold
        QCOMPARE(lookOf(p, p.rowOfStation(1), 2).bold, bold);
        QCOMPARE(lookOf(p, p.rowOfStation(5), 2).back, marked); // blue bold
        QCOMPARE(lookOf(p, p.rowOfStation(5), 2).bold, bold);
        QCOMPARE(p.grid()->columnCount(), 5);
    }

    void fontMenus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("checkedName");
        QTest::addColumn<QString>("checkedSize");
        QTest::addColumn<bool>("sevenEnabled");
        QTest::newRow("defaults") << "Courier New"
                                  << "8"
                                  << "FontNames_1"
                                  << "DFonts_1" << true;
        QTest::newRow("Courier New at 7 points") << "Courier New"
                                                 << "7"
                                                 << "FontNames_1"
                                                 << "" << false;
        QTest::newRow("MS Serif at 7 points") << "MS Serif"
                                              << "7"
                                              << "FontNames_3"
                                              << "DFonts_0" << true;
        QTest::newRow("13 points") << "Courier"
                                   << "13"
                                   << "FontNames_0"
                                   << "" << true;
    }
    void fontMenus() {
        QFETCH(QString, name);
        QFETCH(QString, size);
        QFETCH(QString, checkedName);
        QFETCH(QString, checkedSize);
        QFETCH(bool, sevenEnabled);
        Program p(stylingTable(), at("1200"));
        p.state.GridFontSize = QStringLiteral("7"); // the 7 pt. item starts disabled
        p.form->CheckFontSize();
        p.state.GridFontname = name;
        p.state.GridFontSize = size;
        p.form->CheckFontSize();
        for (int i = 0; i < 4; ++i) {
            const QString item = QStringLiteral("FontNames_%1").arg(i);
            QCOMPARE(p.item(qPrintable(item))->isChecked(), item == checkedName);
        }
        for (int i = 0; i < 8; ++i) {
            const QString item = QStringLiteral("DFonts_%1").arg(i);
            QCOMPARE(p.item(qPrintable(item))->isChecked(), item == checkedSize);
        }
        QCOMPARE(p.item("DFonts_0")->isEnabled(), sevenEnabled);
    }

    void onAirSelectsStationsOnTheAir_data() {
        QTest::addColumn<QString>("time");
        QTest::newRow("just after midnight") << "0005";
        QTest::newRow("inside windows over midnight") << "0130";
        QTest::newRow("last minute before midnight") << "2359";
    }
    void onAirSelectsStationsOnTheAir() {
        QFETCH(QString, time);
        REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv"));
        Program p(fixture(), at(time, 30));
        p.form->CmdONAir_Click();
        const int expected = fixtureOnAirCount(time);
        QVERIFY(expected > 0);
        QCOMPARE(p.records().recordCount(), expected);
        QCOMPARE(p.grid()->rowCount(), expected);
        QCOMPARE(p.grid()->caption(),
                 "VAZOdariDATA   " + QString::number(expected) + " Records in ALL Languages");
        QCOMPARE(p.state.FilterStr,
                 "ALL Languages\r\nFilter By \r\nStations On Air @ " + time + " Z");
        QCOMPARE(p.state.SearchStr, time);
        QCOMPARE(p.button("CmdONAir")->palette().color(QPalette::Button),
                 QColor(255, 192, 192)); // light red
    }

    void onAirToggleRestoresTheView() {
        REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv"));
        Program p(fixture(), at("0130", 30));
        const QString sql = p.state.SQLStr;
        p.form->CmdONAir_Click();
        p.clock.now = at("0131", 30);
        p.form->Timer_Timer(0);
        p.form->CmdONAir_MouseDown(Qt::RightButton);
        QCOMPARE(p.state.FilterStr.count("Stations On Air @ "), 1);
        QVERIFY(p.state.FilterStr.endsWith("Stations On Air @ 0131 Z"));
        p.form->SSDBGrid_SortColumn(2);
        QCOMPARE(p.state.SortBy, "Station");
        QCOMPARE(p.state.WhereStr, onair::OnAirCondition("0131")); // joined anew by each query

        p.form->CmdONAir_Click();
        QVERIFY(!p.state.OnAirMode);
        QCOMPARE(p.state.SQLStr, sql);
        QCOMPARE(p.state.FilterStr, "ALL Languages");
        QCOMPARE(p.state.SortBy, "Freq");
        QCOMPARE(p.state.WhereStr, QString());
        QCOMPARE(p.records().recordCount(), 1500);
        QCOMPARE(p.grid()->caption(), "VAZOdariDATA   1500 Records in ALL Languages");
        QCOMPARE(p.button("CmdONAir")->palette().color(QPalette::Button), QColor(192, 192, 192));
    }

    // The language chosen while On Air is on narrows the on-air rows.
    void languagePickedWhileOnAir() {
        Program p(stylingTable(), at("2330"));
        p.form->CmdONAir_Click();
        QCOMPARE(p.records().recordCount(), 2); // Radio A and Radio B
        auto *selector = p.form->languageSelector();
        selector->setListText("English");
        selector->Combo_Click();
        QCOMPARE(p.records().recordCount(), 1);
        QCOMPARE(p.grid()->caption(), "VAZOdariDATA   1 Records in English");
        QCOMPARE(p.grid()->cellText(2, p.grid()->bookmarkOfVisibleRow(0)), "Radio A");
    }

    void onAirKeepsTheCurrentStation() {
        REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv"));
        Program p(fixture(), at("0130", 30));
        // A station on the air at 01:30, far down the list.
        p.form->CmdONAir_Click();
        const int onAirRows = p.records().recordCount();
        const int station = p.stationAt(onAirRows - 10);
        p.form->CmdONAir_Click();
        const int row = p.rowOfStation(station);
        p.records().moveTo(row);
        p.grid()->setFirstVisibleRow(p.records().bookmark());
        p.form->CmdONAir_Click();
        QCOMPARE(p.currentStation(), station);
        QCOMPARE(p.state.SelStationID, station);
        const int current = p.records().position();
        QVERIFY(p.firstVisible() <= current);
        QVERIFY(current < p.firstVisible() + p.grid()->visibleRowCount());
    }

    // Clicked with the mouse, then On Air twice: the station off the air comes back HalfRows
    // below the top, not the last on-air row on the bottom line.
    void onAirOffRestoresAStationNotOnTheAir() {
        REQUIRE_FIXTURE(testsupport::fixture("schedule/rows.csv"));
        Program p(fixture(), at("0130", 30));
        // Station 601 is not on the air at 01:30; 161 stations are.
        const int row = 600;
        p.records().moveTo(row - 5);
        p.grid()->setFirstVisibleRow(p.records().bookmark());
        QTableView *view = p.rows();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row, 1)).center());
        QCOMPARE(p.state.SelStationID, 601);
        QTest::mouseClick(p.button("CmdONAir"), Qt::LeftButton);
        QCOMPARE(p.records().recordCount(), 161);
        QTest::mouseClick(p.button("CmdONAir"), Qt::LeftButton);
        QCOMPARE(p.state.SelStationID, 601);
        QCOMPARE(p.currentStation(), 601);
        QCOMPARE(p.state.HalfRows, 10);
        QCOMPARE(p.firstVisible(), 590);
    }

    void onAirRightClickWhileOff() {
        Program p(stylingTable(), at("1200"));
        p.state.FindType = 1;
        const QString sql = p.state.SQLStr;
        p.form->CmdONAir_MouseDown(Qt::RightButton);
        QCOMPARE(p.state.FindType, 0);
        QVERIFY(!p.state.OnAirMode);
        QCOMPARE(p.state.SQLStr, sql);
        QCOMPARE(p.state.WhereStr, QString());
    }

    void minuteTick_data() {
        QTest::addColumn<bool>("autoUpdate");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("line");
        QTest::newRow("auto update at the full minute") << true << 0 << "0131";
        QTest::newRow("no update between full minutes") << true << 30 << "0130";
        QTest::newRow("no update without auto update") << false << 0 << "0130";
    }
    void minuteTick() {
        QFETCH(bool, autoUpdate);
        QFETCH(int, second);
        QFETCH(QString, line);
        Program p(stylingTable(), at("0130", 30));
        p.form->CmdONAir_Click();
        p.form->SelAutoUpdate_Click(autoUpdate ? 1 : 0);
        QCOMPARE(p.item("SelAutoUpdate_1")->isChecked(), autoUpdate);
        p.tickAt("0131", second);
        QVERIFY(p.state.FilterStr.endsWith("Stations On Air @ " + line + " Z"));
    }

    void clockDisplay() {
        Program p(stylingTable(), at("1200"));
        p.item("ClockOnOff_0")->trigger();
        QCOMPARE(p.form->windowTitle(), "Skedwise Database Program");
        QVERIFY(p.item("ClockOnOff_0")->isChecked());
        p.tickAt("1305", 9);
        QCOMPARE(p.form->windowTitle(), "Skedwise Database Program");
        QCOMPARE(p.state.UTCHHMM, "1305");
        p.item("ClockOnOff_1")->trigger();
        QVERIFY(!p.item("ClockOnOff_0")->isChecked());
        p.tickAt("1306", 9);
        QVERIFY(p.form->windowTitle().startsWith("Skedwise 13:06:09 UTC  13:06:09   01:06:09 "));
    }

    void timeZoneDialog_data() {
        QTest::addColumn<double>("timeZone");
        QTest::addColumn<int>("row");
        QTest::newRow("twelve ahead preselects the first entry") << 12.0 << 0;
        QTest::newRow("eastern time") << -5.0 << 17;
        QTest::newRow("a fraction leaves the last entry and the offset") << 5.5 << 24;
    }
    void timeZoneDialog() {
        QFETCH(double, timeZone);
        QFETCH(int, row);
        Program p(stylingTable(), at("1200"));
        p.state.TimeZone = timeZone;
        p.item("ChangeTZ")->trigger();
        auto *dialog = p.form->findChild<onair::TimeZoneDialog *>("FrmTZSelect");
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), "Select Timezone");
        QCOMPARE(dialog->list()->count(), 25);
        QCOMPARE(dialog->list()->currentRow(), row);
        QCOMPARE(p.state.TimeZone, timeZone);
        dialog->list()->setCurrentRow(12);
        QCOMPARE(p.state.TimeZone, 0.0);
        dialog->findChild<QPushButton *>("CmdDone")->click();
        QTRY_VERIFY(!p.form->findChild<onair::TimeZoneDialog *>("FrmTZSelect"));
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
            QTest::newRow(("Page Down scrolls a page less one row" + from).constData())
                << target << int(Qt::Key_PageDown) << 0 << "page"
                << "same";
            QTest::newRow(("Shift+Page Down also moves to the last record" + from).constData())
                << target << int(Qt::Key_PageDown) << shift << "page"
                << "last";
            QTest::newRow(("Ctrl+Shift+Page Down only scrolls" + from).constData())
                << target << int(Qt::Key_PageDown) << ctrlShift << "page"
                << "same";
            QTest::newRow(("Shift+Page Up moves to the first record" + from).constData())
                << target << int(Qt::Key_PageUp) << shift << "up"
                << "first";
            QTest::newRow(("End moves to the last record" + from).constData())
                << target << int(Qt::Key_End) << 0 << "none"
                << "last";
            QTest::newRow(("Home moves to the first record" + from).constData())
                << target << int(Qt::Key_Home) << 0 << "none"
                << "first";
            QTest::newRow(("F7 does nothing" + from).constData())
                << target << int(Qt::Key_F7) << 0 << "none"
                << "same";
            QTest::newRow(("Down moves the grid's current row, not a button's" + from).constData())
                << target << int(Qt::Key_Down) << 0 << "none"
                << (target == u"grid" ? "next" : "same");
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

    void pagingKeysOnAnEmptyResult_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Shift+Page Up") << int(Qt::Key_PageUp) << int(Qt::ShiftModifier);
        QTest::newRow("Shift+Page Down") << int(Qt::Key_PageDown) << int(Qt::ShiftModifier);
        QTest::newRow("Home") << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << int(Qt::Key_End) << 0;
    }
    void pagingKeysOnAnEmptyResult() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Program p(stylingTable(), at("1200"));
        p.state.SQLStr += QStringLiteral(" Where Freq = 1");
        QVERIFY(p.form->ReadDB(p.state.SQLStr));
        QCOMPARE(p.records().recordCount(), 0);
        sendKey(p, "grid", Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(p.records().position(), -1);
        QCOMPARE(p.grid()->caption(), "VAZOdariDATA   0 Records in ALL Languages");
    }

    // The keys switch LogOn and the buttons; StartLog and StopLog write nothing yet.
    void logKeys() {
        Program p(stylingTable(), at("1200"));
        sendKey(p, "grid", Qt::Key_F10, {});
        QVERIFY(!p.state.LogOn);
        sendKey(p, "grid", Qt::Key_F9, {});
        QVERIFY(p.state.LogOn);
        QVERIFY(!p.button("CmdLog_0")->isEnabled());
        QVERIFY(p.button("CmdLog_1")->isEnabled());
        sendKey(p, "button", Qt::Key_F9, {});
        QVERIFY(p.state.LogOn);
        sendKey(p, "button", Qt::Key_F10, {});
        QVERIFY(!p.state.LogOn);
        QVERIFY(p.button("CmdLog_0")->isEnabled());
        QVERIFY(!p.button("CmdLog_1")->isEnabled());
    }

    void pickRow_data() {
        QTest::addColumn<bool>("logOn");
        QTest::newRow("no log entry open") << false;
        // Only the question and the buttons: closing the entry itself (StopLog) is still empty.
        QTest::newRow("open log entry is asked about, the buttons reset") << true;
    }
    void pickRow() {
        QFETCH(bool, logOn);
        Program p(stylingTable(), at("1200"));
        p.state.LogOn = logOn;
        p.prompts.answers << app::AnswerNo;
        p.records().moveTo(p.rowOfStation(3));
        p.grid()->refresh();
        sendKey(p, "grid", Qt::Key_Return, {});
        QCOMPARE(p.form->findChild<QLabel *>("Label_0")->text(), "7000");
        QCOMPARE(p.prompts.shown.size(), logOn ? 1 : 0);
        QVERIFY(!p.state.LogOn);
        QVERIFY(p.button("CmdLog_0")->isEnabled());
    }

    void headingClick_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<int>("findType");
        QTest::newRow("Freq heading keeps the find marking") << 1 << "Freq" << 1;
        QTest::newRow("other heading clears the find marking") << 2 << "Station" << 0;
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

    void resizeRule() {
        Program p(stylingTable(), at("1200"));
        const double tpp = 1440.0 / p.form->logicalDpiY();
        p.form->applyLayout(1000);
        QCOMPARE(p.grid()->height(), qRound(1100 / tpp));
        QCOMPARE(p.button("CmdGo")->y(), qRound(-120 / tpp));
        QCOMPARE(p.form->findChild<QLabel *>("Label_0")->y(), qRound(-120 / tpp));
        p.form->applyLayout(7200);
        QCOMPARE(p.grid()->height(), qRound(6000 / tpp));
        QCOMPARE(p.state.HalfRows, p.grid()->visibleRowCount() / 2);
    }

    void exitSavesColumnWidths() {
        Program p(stylingTable(), at("1200"));
        p.grid()->setColumnWidthTwips(2, 30 * p.state.CharWidth);
        p.item("ExitNow")->trigger();
        QVERIFY(p.store.values.value("colchars").startsWith("0,9,30,10,18,"));
        QCOMPARE(p.store.values.value("colchars").count(u','), 26);
    }
};

QTEST_MAIN(DisplayWindowTest)
#include "DisplayWindow_test.moc"
