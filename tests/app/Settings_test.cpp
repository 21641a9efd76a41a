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
        QTest::newRow("colour with trailing letters keeps the leading number")
            << "GridBackColor"
            << "255abc"
            << "GridBackColor" << QVariant(255);
        QTest::newRow("colour without digits is 0") << "OnAirNormColor"
                                                    << "abc"
                                                    << "OnAirNormColor" << QVariant(0);
        QTest::newRow("real colour with letters") << "BackColor"
                                                  << "12.5xyz"
                                                  << "BackColor" << QVariant(12.5);
        QTest::newRow("half rounds down to even") << "SplitterPosition"
                                                  << "2.5"
                                                  << "SplitterPosition" << QVariant(2);
        QTest::newRow("half rounds up to even") << "RowSelectType"
                                                << "3.5"
                                                << "RowSelectType" << QVariant(4);
        QTest::newRow("negative half to even") << "FormLeft"
                                               << "-2.5"
                                               << "FormLeft" << QVariant(-2);
        QTest::newRow("16-bit overflow takes the default") << "FormWidth"
                                                           << "40000"
                                                           << "FormWidth" << QVariant(8000);
        QTest::newRow("integer that is no number takes the default")
            << "RowSelectType"
            << "two"
            << "RowSelectType" << QVariant(1);
        QTest::newRow("colour beyond 32 bits takes the default")
            << "GridBackColor"
            << "99999999999"
            << "GridBackColor" << QVariant(16777215);
        QTest::newRow("flag lower-case true") << "AutoOnAir"
                                              << "true"
                                              << "AutoOnAir" << QVariant(true);
        QTest::newRow("flag upper-case FALSE") << "DisplayClock"
                                               << "FALSE"
                                               << "DisplayClock" << QVariant(false);
        QTest::newRow("flag zero is false") << "SINPOPrompt"
                                            << "0"
                                            << "SINPOPrompt" << QVariant(false);
        QTest::newRow("flag -1 is true") << "ClearOnStart"
                                         << "-1"
                                         << "ClearOnStart" << QVariant(true);
        QTest::newRow("flag nonsense takes the default") << "DisplayClock"
                                                         << "maybe"
                                                         << "DisplayClock" << QVariant(true);
        QTest::newRow("time zone behind UTC") << "TimeZone"
                                              << "-5"
                                              << "TimeZone" << QVariant(-5.0);
        QTest::newRow("fractional time zone") << "TimeZone"
                                              << "5.5"
                                              << "TimeZone" << QVariant(5.5);
        QTest::newRow("language trimmed") << "Language"
                                          << "  ALL "
                                          << "Language" << QVariant("ALL");
        QTest::newRow("key read in other letter case")
            << "gridfontNAME"
            << "Lucida Console"
            << "GridFontname" << QVariant("Lucida Console");
        QTest::newRow("list with commas stays one text")
            << "FnamesStr"
            << "StationID,Freq"
            << "FnamesStr" << QVariant("StationID,Freq");
        QTest::newRow("sort naming no field is left for the Freq repair")
            << "SortBy"
            << "Nonsense"
            << "SortBy" << QVariant("");
        QTest::newRow("sort naming a field in other letter case is kept")
            << "SortBy"
            << "country"
            << "SortBy" << QVariant("country");
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

    void fileHoldsEachKeyOnce() {
        QTemporaryDir d;
        IniSettingsStore store(d.path());
        store.write(SettingsApplication, SettingsSection, "GridFontname", "Courier ");
        store.write(SettingsApplication, SettingsSection, "LANGUAGE", "French");
        ProgramState s;
        LoadSettings(s, store, Screen);
        QCOMPARE(s.Language, QString("French"));
        SaveSettings(s, store, FakeWindows{});
        QSettings raw(store.fileFor(SettingsApplication), QSettings::IniFormat);
        raw.beginGroup(SettingsSection);
        const QStringList keys = raw.childKeys();
        QCOMPARE(keys.size(), 36);
        QVERIFY(keys.contains("GridFontName"));
        QVERIFY(!keys.contains("GridFontname"));
        QVERIFY(!keys.contains("LANGUAGE"));
        QCOMPARE(raw.value("GridFontName").toString(), QString("Courier "));
    }

    void versionReset_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("kept");
        QTest::newRow("same version") << "1.06a" << true;
        QTest::newRow("same version other case") << "1.06A" << true;
        QTest::newRow("older version discarded") << "1.05" << false;
        QTest::newRow("empty version discarded") << "" << false;
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
        a.own.MyLocation = "JO62QM";
        SaveSettings(a, store, FakeWindows{});
        store.write(SettingsApplication, SettingsSection, "AVersion", "1.05");
        ResetStaleSettings(store);
        ProgramState b;
        LoadSettings(b, store, Screen);
        QCOMPARE(b.own.SetReceiverMode, false);
        QCOMPARE(b.own.MyLocation, QString("JO62QM"));
    }

    void widenedColumnReachesColChars() {
        QTemporaryDir d;
        IniSettingsStore store(d.path());
        ProgramState s;
        LoadSettings(s, store, Screen);
        schedule::ParseFieldLists(s.fieldLists(), s.DisplayFields);
        s.CharWidth = 120;
        FakeWindows w;
        w.columnTwips = {0, 9 * 120, 30 * 120, 10 * 120 + 60, 18 * 120 + 59};
        SaveSettings(s, store, w);
        const QStringList entries = s.ColChars.split(',');
        QCOMPARE(entries.size(), 27);
        // 10.5 characters round to the even 10; past the grid's columns the slots keep theirs.
        QCOMPARE(entries.mid(0, 6), QStringList({"0", "9", "30", "10", "18", "0"}));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "Settings_test.moc"
