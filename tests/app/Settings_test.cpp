#include "app/Settings.h"
#include "support/TestSupport.h"

#include <QSettings>
#include <QTemporaryDir>

using namespace app;

namespace {

struct FakeWindows : SaveContext {
    double height = 3600, width = 8000;
    QVector<double> columnTwips;
    double formHeightTwips() const override { return height; }
    double formWidthTwips() const override { return width; }
    int gridColumnCount() const override { return int(columnTwips.size()); }
    double gridColumnWidthTwips(int c) const override { return columnTwips.value(c); }
};

const ScreenTwips Screen{19200, 14400};

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    ProgramState loadWith(const QString &key, const QString &text) {
        QTemporaryDir d;
        IniSettingsStore store(d.path());
        store.write(SettingsApplication, SettingsSection, key, text);
        ProgramState s;
        LoadSettings(s, store, Screen);
        return s;
    }

private slots:
    void storedTextsConvert_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("expected");
        addRow("colour with trailing letters keeps the leading number", "GridBackColor", "255abc",
               "GridBackColor", QVariant(255));
        addRow("colour without digits is 0", "OnAirNormColor", "abc", "OnAirNormColor",
               QVariant(0));
        addRow("half rounds down to even", "SplitterPosition", "2.5", "SplitterPosition",
               QVariant(2));
        addRow("16-bit overflow takes the default", "FormWidth", "40000", "FormWidth",
               QVariant(8000));
        addRow("colour beyond 32 bits takes the default", "GridBackColor", "99999999999",
               "GridBackColor", QVariant(16777215));
        addRow("flag lower-case true", "AutoOnAir", "true", "AutoOnAir", QVariant(true));
        addRow("flag zero is false", "SINPOPrompt", "0", "SINPOPrompt", QVariant(false));
        addRow("flag nonsense takes the default", "DisplayClock", "maybe", "DisplayClock",
               QVariant(true));
        addRow("fractional time zone", "TimeZone", "5.5", "TimeZone", QVariant(5.5));
        addRow("language trimmed", "Language", "  ALL ", "Language", QVariant("ALL"));
        addRow("key read in other letter case", "gridfontNAME", "Lucida Console", "GridFontname",
               QVariant("Lucida Console"));
        addRow("list with commas stays one text", "FnamesStr", "StationID,Freq", "FnamesStr",
               QVariant("StationID,Freq"));
        addRow("sort naming no field is left for the Freq repair", "SortBy", "Nonsense", "SortBy",
               QVariant(""));
        addRow("sort naming a field in other letter case is kept", "SortBy", "country", "SortBy",
               QVariant("country"));
    }
    void storedTextsConvert() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(QVariant, expected);
        const ProgramState s = loadWith(key, text);
        const QMap<QString, QVariant> got{
            {"GridBackColor", s.GridBackColor}, {"OnAirNormColor", s.OnAirNormColor},
            {"BackColor", s.BackColor},         {"SplitterPosition", s.SplitterPosition},
            {"RowSelectType", s.RowSelectType}, {"FormLeft", s.FormLeft},
            {"FormWidth", s.FormWidth},         {"AutoOnAir", s.AutoOnAir},
            {"DisplayClock", s.DisplayClock},   {"SINPOPrompt", s.SINPOPrompt},
            {"ClearOnStart", s.ClearOnStart},   {"TimeZone", s.TimeZone},
            {"Language", s.Language},           {"GridFontname", s.GridFontname},
            {"FnamesStr", s.FnamesStr},         {"SortBy", s.SortBy}};
        QVERIFY(got.contains(field));
        QCOMPARE(got[field].toString(), expected.toString());
    }

    void firstRunGivesDefaults() {
        QTemporaryDir d;
        IniSettingsStore store(d.path());
        ResetStaleSettings(store); // deleting an absent section is no error
        ProgramState s;
        LoadSettings(s, store, Screen);
        QCOMPARE(s.SortBy, QString("Freq"));
        QCOMPARE(s.FormTop, QString("7200"));
        QCOMPARE(s.FormLeft, qint16(4800));
        QCOMPARE(s.FnamesStr,
                 QString("StationID,Freq,Station,UTC,Language,,,,,,,,,,,,,,,,,,,,,,,,,"));
        QCOMPARE(s.GridFontname, QString("Courier New"));
    }

    void saveThenLoadGivesEveryValueBack() {
        QTemporaryDir d;
        ProgramState a;
        {
            IniSettingsStore store(d.path());
            LoadSettings(a, store, Screen);
            a.SplitterPosition = 3;
            a.AutoOnAir = true;
            a.OnAirNormColor = 65280;
            a.BackColor = 12632256;
            a.TimeZone = -3.5;
            a.Language = "Romanian";
            a.FSortStr = " DESC";
            a.GridFontname = "Lucida Console";
            a.LogFileName = "/tmp/x y.log";
            a.FormTop = "1234";
            a.FormLeft = -20;
            FakeWindows w;
            w.height = 5000;
            w.width = 9000;
            SaveSettings(a, store, w);
        }
        IniSettingsStore store(d.path());
        ProgramState b;
        LoadSettings(b, store, Screen);
        QCOMPARE(b.AVersion, QString("1.06a"));
        QCOMPARE(b.SplitterPosition, qint16(3));
        QCOMPARE(b.AutoOnAir, true);
        QCOMPARE(b.OnAirNormColor, 65280);
        QCOMPARE(b.BackColor, 12632256.0);
        QCOMPARE(b.TimeZone, -3.5);
        QCOMPARE(b.Language, QString("Romanian"));
        QCOMPARE(b.FSortStr, QString(" DESC"));
        QCOMPARE(b.GridFontname, QString("Lucida Console"));
        QCOMPARE(b.LogFileName, QString("/tmp/x y.log"));
        QCOMPARE(b.FormHeight, QString("5000"));
        QCOMPARE(b.FormWidth, qint16(9000));
        QCOMPARE(b.FormTop, QString("1234"));
        QCOMPARE(b.FormLeft, qint16(-20));
        QCOMPARE(b.FnamesStr, a.FnamesStr);
        QCOMPARE(b.SourceListStr, a.SourceListStr);
    }

    void versionReset_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("kept");
        addRow("same version", "1.06a", true);
        addRow("same version other case", "1.06A", true);
        addRow("older version discarded", "1.05", false);
        addRow("empty version discarded", "", false);
    }
    void versionReset() {
        QFETCH(QString, stored);
        QFETCH(bool, kept);
        QTemporaryDir d;
        IniSettingsStore store(d.path());
        store.write(SettingsApplication, SettingsSection, "AVersion", stored);
        store.write(SettingsApplication, SettingsSection, "SortBy", "Station");
        ResetStaleSettings(store);
        ProgramState s;
        LoadSettings(s, store, Screen);
        QCOMPARE(s.SortBy, kept ? QString("Station") : QString("Freq"));
    }

    void ownSectionRoundTripsAndOutlivesAVersionReset() {
        QTemporaryDir d;
        IniSettingsStore store(d.path());
        ProgramState a;
        a.own.SetReceiverMode = false;
        a.own.SampleNoticeShown = true;
        a.own.MyLocation = "JO62QM";
        SaveSettings(a, store, FakeWindows{});
        store.write(SettingsApplication, SettingsSection, "AVersion", "1.05");
        ResetStaleSettings(store);
        ProgramState b;
        LoadSettings(b, store, Screen);
        QCOMPARE(b.own.SetReceiverMode, false);
        QCOMPARE(b.own.SampleNoticeShown, true);
        QCOMPARE(b.own.MyLocation, QString("JO62QM"));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "Settings_test.moc"
