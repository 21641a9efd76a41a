#include "app/ScriptedPrompts.h"
#include "mainwindow/DisplayOptions.h"
#include "schedule/QueryComposition.h"
#include "support/Fakes.h"
#include "support/StubGridPort.h"
#include "support/TestSupport.h"

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
        addRow("tooltips Yes", Handler(TTips_Click), 1, G(OptionGroup::TTips), "01", "DoTips",
               "True", QStringList{"tips on"});
        addRow("marked row font Bold", Handler(WhichFont_Click), 1, G(OptionGroup::WhichFont), "01",
               "FontIsBold", "True", QStringList{"SetupGrid"});
        addRow("Descending waits for the next query", Handler(FSort_Click), 1,
               G(OptionGroup::FSort), "01", "FSortStr", " DESC", QStringList{});
        addRow("Ascending", Handler(FSort_Click), 0, G(OptionGroup::FSort), "10", "FSortStr", "",
               QStringList{});
        addRow("Lock Freq + Next: three with StationID", Handler(LC_Click), 1, G(OptionGroup::LC),
               "01", "SplitterPosition", "3", QStringList{"locked 3", "refresh"});
        addRow("Multi Records Contiguous", Handler(SelectM_Click), 2, G(OptionGroup::SelectM),
               "001", "RowSelectType", "3", QStringList{"selection kind 3"});
        addRow("Clear BookMarks keeps the marks and the kind", Handler(SelectM_Click), 3,
               G(OptionGroup::SelectM), "", "RowSelectType", "1", QStringList{"clear selection"});
        addRow("an index the menu lacks does nothing", Handler(TTips_Click), 2,
               G(OptionGroup::TTips), "", "DoTips", "True", QStringList{});
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
        addRow("Courier: the name without the caption's blank", Handler(FontNames_Click), 0,
               "GridFontname", "Courier", "font name Courier");
        addRow("14 pt. after 12", Handler(DFonts_Click), 6, "GridFontSize", "14", "font size 14");
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
        addRow("Control Backcolor under black text is warned about", 0, "Control BackColor",
               "BackColor", false, "Control ForeColor on Control Backcolor: 1.8:1");
        addRow("Control ForeColor on white reads well", 1, "Control ForeColor", "Forecolor", false,
               "");
        addRow("Selected Row Backcolor spoils both marked styles", 2, "Selected Row BackColor",
               "MarkedRowBackColor", true,
               "On-Air on Selected Row Backcolor: 2.7:1\n"
               "On-Air Select on Selected Row Backcolor: 1.2:1");
        addRow("Grid BackColor spoils the on-air rows", 3, "Grid BackColor", "GridBackColor", true,
               "On-Air on Grid BackColor: 2.7:1");
        addRow("On-Air in a dark colour reads well", 4, "On-AirColor", "OnAirNormColor", true, "");
        addRow("On-Air Select in a dark colour reads well", 5, "On-Air SelectColor",
               "OnAirSelectColor", true, "");
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

    // A cancelled dialog changes nothing, not even the on-air mode a grid colour ends.
    void cancelledColourDialogKeepsTheOldColour() {
        RecordingPort port;
        port.s.OnAirMode = true;
        port.script.colors << 0x00FF00 << std::nullopt; // black was chosen earlier in the run
        Colors_Click(1, port);
        port.events.clear();
        Colors_Click(3, port);
        QCOMPARE(setting(port.s, "GridBackColor"), QString("16777215"));
        QVERIFY(port.events.isEmpty());
        QVERIFY(port.s.OnAirMode);
    }
};

QTEST_GUILESS_MAIN(DisplayOptionsTest)
#include "DisplayOptions_test.moc"
