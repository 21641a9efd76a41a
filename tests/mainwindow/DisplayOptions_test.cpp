#include "app/ScriptedPrompts.h"
#include "app/Settings.h"
#include "mainwindow/DisplayOptions.h"
#include "mainwindow/FieldSelection.h"
#include "schedule/QueryComposition.h"
#include "support/Fakes.h"
#include "support/MemoryTables.h"
#include "support/StubGridPort.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <functional>

using namespace mainwindow;

namespace {

using Handler = void (*)(int, DisplayOptionsPort &);

// A main window that only remembers what it was asked; marks holds the check marks per group.
class RecordingPort : public DisplayOptionsPort, public testsupport::StubGridPort {
public:
    RecordingPort() { s.codes = schedule::buildCodeTables(); }
    app::ProgramState s;
    app::ScriptedPrompts script;
    QStringList events;
    QMap<OptionGroup, QMap<int, bool>> marks;

    app::ProgramState &state() override { return s; }
    app::Prompts &prompts() override { return script; }
    void setChecked(OptionGroup group, int index, bool on) override { marks[group][index] = on; }
    void setGridFontName(const QString &name) override { events << "font name " + name; }
    void setGridFontSize(int points) override { events << "font size " + QString::number(points); }
    void refreshGrid() override { events << "refresh"; }
    void setLockedColumns(int n) override { events << "locked " + QString::number(n); }
    void setRowSelectionKind(int k) override { events << "selection kind " + QString::number(k); }
    void setGridToolTips(bool on) override { events << (on ? "tips on" : "tips off"); }
    void clearGridSelection() override { events << "clear selection"; }
    void SetupGrid() override { events << "SetupGrid"; }
    void CheckFontSize() override { events << "CheckFontSize"; }
    void DisableOnAir() override {
        events << "DisableOnAir";
        s.WhereStr.clear();
        s.OnAirMode = false;
    }
    void repaintWindowColours() override { events << "repaint"; }

    // "01" for a two-item group with the second item checked; "" when never touched.
    QString marksOf(OptionGroup group) const {
        QString text;
        for (bool on : marks.value(group))
            text += on ? u'1' : u'0';
        return text;
    }
};

// The settings a display option writes, as text.
QString setting(const app::ProgramState &s, const QString &name) {
    const QMap<QString, QString> values = {
        {"DoTips", s.DoTips},
        {"FontIsBold", s.FontIsBold},
        {"FSortStr", s.FSortStr},
        {"SplitterPosition", QString::number(s.SplitterPosition)},
        {"RowSelectType", QString::number(s.RowSelectType)},
        {"GridFontname", s.GridFontname},
        {"GridFontSize", s.GridFontSize},
        {"BackColor", QString::number(s.BackColor, 'f', 0)},
        {"Forecolor", QString::number(s.Forecolor, 'f', 0)},
        {"MarkedRowBackColor", QString::number(s.MarkedRowBackColor)},
        {"GridBackColor", QString::number(s.GridBackColor)},
        {"OnAirNormColor", QString::number(s.OnAirNormColor)},
        {"OnAirSelectColor", QString::number(s.OnAirSelectColor)}};
    return values.value(name, "no such setting");
}

struct RecordingGrid : schedule::ResultGrid {
    void rebuildColumns() override {}
    void setColumnWidthTwips(int, double) override {}
    void refresh() override {}
    void setCaption(const QString &) override {}
};

struct FakeWindows : app::SaveContext {
    QList<double> columnTwips;
    double formHeightTwips() const override { return 3600; }
    double formWidthTwips() const override { return 8000; }
    int gridColumnCount() const override { return int(columnTwips.size()); }
    double gridColumnWidthTwips(int c) const override { return columnTwips.value(c); }
};

} // namespace

Q_DECLARE_METATYPE(Handler)
Q_DECLARE_METATYPE(OptionGroup)

class DisplayOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void groupsCheckOneItem_data() {
        QTest::addColumn<Handler>("handler");
        QTest::addColumn<int>("index");
        QTest::addColumn<OptionGroup>("group");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QString>("settingName");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("events");
        const auto G = [](OptionGroup g) { return g; };
        QTest::newRow("tooltips No") << Handler(TTips_Click) << 0 << G(OptionGroup::TTips) << "10"
                                     << "DoTips"
                                     << "False" << QStringList{"tips off"};
        QTest::newRow("tooltips Yes") << Handler(TTips_Click) << 1 << G(OptionGroup::TTips) << "01"
                                      << "DoTips"
                                      << "True" << QStringList{"tips on"};
        QTest::newRow("marked row font Normal")
            << Handler(WhichFont_Click) << 0 << G(OptionGroup::WhichFont) << "10"
            << "FontIsBold"
            << "False" << QStringList{"SetupGrid"};
        QTest::newRow("marked row font Bold")
            << Handler(WhichFont_Click) << 1 << G(OptionGroup::WhichFont) << "01"
            << "FontIsBold"
            << "True" << QStringList{"SetupGrid"};
        QTest::newRow("Descending waits for the next query")
            << Handler(FSort_Click) << 1 << G(OptionGroup::FSort) << "01"
            << "FSortStr"
            << " DESC" << QStringList{};
        QTest::newRow("Ascending") << Handler(FSort_Click) << 0 << G(OptionGroup::FSort) << "10"
                                   << "FSortStr"
                                   << "" << QStringList{};
        QTest::newRow("Lock Freq Column: StationID and Freq")
            << Handler(LC_Click) << 0 << G(OptionGroup::LC) << "10"
            << "SplitterPosition"
            << "2" << QStringList{"locked 2", "refresh"};
        QTest::newRow("Lock Freq + Next: three with StationID")
            << Handler(LC_Click) << 1 << G(OptionGroup::LC) << "01"
            << "SplitterPosition"
            << "3" << QStringList{"locked 3", "refresh"};
        QTest::newRow("Single Record")
            << Handler(SelectM_Click) << 0 << G(OptionGroup::SelectM) << "100"
            << "RowSelectType"
            << "1" << QStringList{"selection kind 1"};
        QTest::newRow("Multi Records (1 row at a time)")
            << Handler(SelectM_Click) << 1 << G(OptionGroup::SelectM) << "010"
            << "RowSelectType"
            << "2" << QStringList{"selection kind 2"};
        QTest::newRow("Multi Records Contiguous")
            << Handler(SelectM_Click) << 2 << G(OptionGroup::SelectM) << "001"
            << "RowSelectType"
            << "3" << QStringList{"selection kind 3"};
        QTest::newRow("Clear BookMarks keeps the marks and the kind")
            << Handler(SelectM_Click) << 3 << G(OptionGroup::SelectM) << ""
            << "RowSelectType"
            << "1" << QStringList{"clear selection"};
        QTest::newRow("an index the menu lacks does nothing")
            << Handler(TTips_Click) << 2 << G(OptionGroup::TTips) << ""
            << "DoTips"
            << "True" << QStringList{};
        QTest::newRow("a negative index does nothing")
            << Handler(LC_Click) << -1 << G(OptionGroup::LC) << ""
            << "SplitterPosition"
            << "2" << QStringList{};
    }
    void groupsCheckOneItem() {
        QFETCH(Handler, handler);
        QFETCH(int, index);
        QFETCH(OptionGroup, group);
        QFETCH(QString, marks);
        QFETCH(QString, settingName);
        QFETCH(QString, value);
        QFETCH(QStringList, events);
        RecordingPort port;
        handler(index, port);
        QCOMPARE(port.marksOf(group), marks);
        QCOMPARE(setting(port.s, settingName), value);
        QCOMPARE(port.events, events);
        QCOMPARE(port.marks.size(), marks.isEmpty() ? 0 : 1); // no other group touched
    }

    void fonts_data() {
        QTest::addColumn<Handler>("handler");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("settingName");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("gridCall");
        QTest::newRow("Courier: the name without the caption's blank")
            << Handler(FontNames_Click) << 0 << "GridFontname"
            << "Courier"
            << "font name Courier";
        QTest::newRow("MS Serif, substituted by the system")
            << Handler(FontNames_Click) << 3 << "GridFontname"
            << "MS Serif"
            << "font name MS Serif";
        QTest::newRow("7 pt.") << Handler(DFonts_Click) << 0 << "GridFontSize"
                               << "7"
                               << "font size 7";
        QTest::newRow("14 pt. after 12") << Handler(DFonts_Click) << 6 << "GridFontSize"
                                         << "14"
                                         << "font size 14";
    }
    void fonts() {
        QFETCH(Handler, handler);
        QFETCH(int, index);
        QFETCH(QString, settingName);
        QFETCH(QString, value);
        QFETCH(QString, gridCall);
        RecordingPort port;
        handler(index, port);
        QCOMPARE(setting(port.s, settingName), value);
        QCOMPARE(port.events, QStringList({gridCall, "refresh", "CheckFontSize", "SetupGrid"}));
    }

    // 0x123456 (red 0x56, green 0x34, blue 0x12) is dark brown: 1.8:1 under black text,
    // 2.7:1 under red, 1.2:1 under blue; it reads at 11:1 on white, 9.8:1 on pale green.
    void colours_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("settingName");
        QTest::addColumn<bool>("endsOnAir");
        QTest::addColumn<QString>("warning");
        QTest::newRow("Control Backcolor under black text is warned about")
            << 0 << "Control BackColor"
            << "BackColor" << false << "Control ForeColor on Control Backcolor: 1.8:1";
        QTest::newRow("Control ForeColor on white reads well") << 1 << "Control ForeColor"
                                                               << "Forecolor" << false << "";
        QTest::newRow("Selected Row Backcolor spoils both marked styles")
            << 2 << "Selected Row BackColor"
            << "MarkedRowBackColor" << true
            << "On-Air on Selected Row Backcolor: 2.7:1\n"
               "On-Air Select on Selected Row Backcolor: 1.2:1";
        QTest::newRow("Grid BackColor spoils the on-air rows")
            << 3 << "Grid BackColor"
            << "GridBackColor" << true << "On-Air on Grid BackColor: 2.7:1";
        QTest::newRow("On-Air in a dark colour reads well") << 4 << "On-AirColor"
                                                            << "OnAirNormColor" << true << "";
        QTest::newRow("On-Air Select in a dark colour reads well")
            << 5 << "On-Air SelectColor"
            << "OnAirSelectColor" << true << "";
    }
    void colours() {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, settingName);
        QFETCH(bool, endsOnAir);
        QFETCH(QString, warning);
        RecordingPort port;
        port.s.OnAirMode = true;
        port.s.WhereStr = " Where (UTCB <= '1200')";
        port.script.colors << 0x123456;
        Colors_Click(index, port);
        QStringList shown = {title + ": colour"};
        if (!warning.isEmpty())
            shown << "Colors: These colours are hard to read (4.5:1 or more reads well):\n" +
                         warning + "\nThe colours are kept.";
        QCOMPARE(port.script.shown, shown);
        QCOMPARE(setting(port.s, settingName), QString::number(0x123456));
        const QStringList gridEvents = {"DisableOnAir", "SetupGrid"};
        QCOMPARE(port.events, (endsOnAir ? gridEvents : QStringList{}) + QStringList{"repaint"});
        QCOMPARE(port.s.OnAirMode, !endsOnAir);
        QCOMPARE(port.s.WhereStr.isEmpty(), endsOnAir);
    }

    void cancelledColourDialogKeepsTheOldColour_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("settingName");
        QTest::addColumn<QString>("old");
        QTest::newRow("control back colour") << 0 << "BackColor"
                                             << "16777215";
        QTest::newRow("grid back colour, on the air") << 3 << "GridBackColor"
                                                      << "16777215";
        QTest::newRow("on-air colour") << 4 << "OnAirNormColor"
                                       << "255";
    }
    void cancelledColourDialogKeepsTheOldColour() {
        QFETCH(int, index);
        QFETCH(QString, settingName);
        QFETCH(QString, old);
        RecordingPort port;
        port.s.OnAirMode = true;
        port.script.colors << 0x00FF00 << std::nullopt; // black was chosen earlier in the run
        Colors_Click(1, port);
        port.events.clear();
        Colors_Click(index, port);
        QCOMPARE(setting(port.s, settingName), old);
        QVERIFY(port.events.isEmpty());
        QVERIFY(port.s.OnAirMode);
    }

    void descendingShowsAtTheNextQuery() {
        testsupport::MemoryTables tables;
        tables.add("db", testsupport::tableFromCsv(
                             jet::parseCsv("StationID,Freq,Station,UTC,Language\r\n"
                                           "1,9575,\"A\",\"0000-0100\",\"English\"\r\n"
                                           "2,6000,\"B\",\"0000-0100\",\"English\"\r\n"
                                           "3,15100,\"C\",\"0000-0100\",\"English\"\r\n"
                                           "4,7000,\"D\",\"0000-0100\",\"English\"\r\n")));
        jet::DataSource data(tables);
        data.setDatabaseName("db");
        RecordingPort port;
        app::ProgramState &s = port.s;
        schedule::ParseFieldLists(s.fieldLists(), s.DisplayFields);
        schedule::BuildSQL(s);
        s.SQLStr = "Select " + s.FieldListStr + " From MyDataTable";
        RecordingGrid grid;
        QVERIFY(schedule::ReadDB(s, s.SQLStr, data, grid, port.script));
        const auto freqs = [&data] {
            QList<int> list;
            jet::RecordSet &rs = data.recordset();
            for (rs.moveFirst(); !rs.eof(); rs.moveNext())
                list << int(rs.field(u"Freq").number);
            return list;
        };
        FSort_Click(1, port);
        QVERIFY(port.events.isEmpty()); // no query, no repaint
        QCOMPARE(freqs(), QList<int>({6000, 7000, 9575, 15100}));
        QVERIFY(schedule::ReadDB(s, s.SQLStr, data, grid, port.script));
        QCOMPARE(freqs(), QList<int>({15100, 9575, 7000, 6000}));
    }

    void choicesSurviveARestart_data() {
        QTest::addColumn<bool>("iniFile");
        QTest::newRow("settings in memory") << false;
        QTest::newRow("settings file in a folder") << true;
    }
    void choicesSurviveARestart() {
        QFETCH(bool, iniFile);
        QTemporaryDir folder;
        testsupport::MemoryStore memory;
        std::unique_ptr<app::IniSettingsStore> ini;
        if (iniFile)
            ini = std::make_unique<app::IniSettingsStore>(folder.path());
        app::SettingsStore &store = iniFile ? static_cast<app::SettingsStore &>(*ini) : memory;

        RecordingPort port;
        app::LoadSettings(port.s, store, {19200, 14400});
        port.script.colors << 0x0000FF << 0x123456;
        Colors_Click(0, port);
        Colors_Click(3, port);
        FontNames_Click(2, port);
        DFonts_Click(4, port);
        WhichFont_Click(0, port);
        FSort_Click(1, port);
        LC_Click(1, port);
        SelectM_Click(2, port);
        TTips_Click(0, port);
        FieldSelection dialog(port.s, port.script);
        dialog.Form_Load();
        QVERIFY(dialog.CmdSwap_Click(0, 3) >= 0); // Country
        QVERIFY(dialog.CmdDone_Click());
        schedule::ParseFieldLists(port.s.fieldLists(), port.s.DisplayFields);
        port.s.CharWidth = 120;
        FakeWindows windows; // Station widened by hand from 23 to 30 characters
        windows.columnTwips = {0, 960, 3600, 1200, 2160, 2280};
        app::SaveSettings(port.s, store, windows);

        app::ProgramState again;
        app::LoadSettings(again, store, {19200, 14400});
        QCOMPARE(again.BackColor, double(0x0000FF));
        QCOMPARE(again.GridBackColor, 0x123456);
        QCOMPARE(again.GridFontname, QString("Lucida Console"));
        QCOMPARE(again.GridFontSize, QString("11"));
        QCOMPARE(again.FontIsBold, QString("False"));
        QCOMPARE(again.FSortStr, QString(" DESC"));
        QCOMPARE(int(again.SplitterPosition), 3);
        QCOMPARE(int(again.RowSelectType), 3);
        QCOMPARE(again.DoTips, QString("False"));
        QCOMPARE(again.DisplayListStr, QString("Station,UTC,Language,Country"));
        QCOMPARE(again.SourceListStr,
                 QString("ADM,Azi,CIRAF,Days,Graphic,Lati,LC,Location,Longi,Mode,P,Power,Program,"
                         "Region,Remarks,Status,STN,Target,TargetALL,UTCB,UTCE"));
        QCOMPARE(again.FnamesStr,
                 "StationID,Freq,Station,UTC,Language,Country" + QString(",").repeated(21));
        QCOMPARE(again.FieldNums, "0,1,2,3,5,17" + QString(",0").repeated(21));
        QCOMPARE(again.ColChars, "0,8,30,10,18,19" + QString(",0").repeated(21));
    }
};

QTEST_GUILESS_MAIN(DisplayOptionsTest)
#include "DisplayOptions_test.moc"
