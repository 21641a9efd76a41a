#include "rx/RxOptions.h"

#include "support/TestSupport.h"
#include <QSettings>
#include <QTemporaryDir>

using namespace rx;

class RxOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void optionsOverrideSaved_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("speed");
        addRow("nothing given keeps saved", QStringList{}, 16003, "/dev/ttyUSB1", 1200);
        addRow("rigctld", QStringList{"-m", "2", "-r", "127.0.0.1:4532"}, 2, "127.0.0.1:4532",
               1200);
        addRow("TCI server", QStringList{"-m", "TCI", "-r", "10.0.0.5:40001"}, -1, "10.0.0.5:40001",
               1200);
        addRow("speed only", QStringList{"-s", "9600"}, 16003, "/dev/ttyUSB1", 9600);
        addRow("long names", QStringList{"--model=1", "--rig-file=/dev/ttyS0"}, 1, "/dev/ttyS0",
               1200);
    }
    void optionsOverrideSaved() {
        QFETCH(QStringList, args);
        QFETCH(int, model);
        QFETCH(QString, port);
        QFETCH(int, speed);
        const CommandLine cl = parseCommandLine(QStringList{"skedwise-rx"} + args,
                                                {16003, QStringLiteral("/dev/ttyUSB1"), 1200});
        QVERIFY2(cl.text.isEmpty(), qPrintable(cl.text));
        QCOMPARE(cl.choice.model, model);
        QCOMPARE(cl.choice.port, port);
        QCOMPARE(cl.choice.speed, speed);
    }

    void badOptionsAndHelp_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("says");
        addRow("model not a number", QStringList{"-m", "rx320"}, false, "-m wants a number");
        addRow("negative speed", QStringList{"-s", "-5"}, false, "-s wants a number");
        addRow("unknown option", QStringList{"-q"}, false, "Unknown option");
        addRow("help names the program", QStringList{"--help"}, true,
               "Usage: skedwise-rx [options]");
    }
    void badOptionsAndHelp() {
        QFETCH(QStringList, args);
        QFETCH(bool, help);
        QFETCH(QString, says);
        const CommandLine cl = parseCommandLine(QStringList{"skedwise-rx"} + args, {});
        QCOMPARE(cl.help, help);
        QVERIFY2(cl.text.contains(says), qPrintable(cl.text));
    }

    void choiceSurvivesSettings() {
        QTemporaryDir dir;
        {
            QSettings s(dir.filePath("rx.ini"), QSettings::IniFormat);
            saveChoice(s, {2, QStringLiteral("radio.local:4532"), 0});
        }
        QSettings s(dir.filePath("rx.ini"), QSettings::IniFormat);
        const RigChoice c = loadChoice(s);
        QCOMPARE(c.model, 2);
        QCOMPARE(c.port, QStringLiteral("radio.local:4532"));
    }

    void rx320GoesToOwnDriver() {
        QVERIFY(
            makeRig({16003, QStringLiteral("/dev/ttyUSB0"), 0})->describe().startsWith("RX-320"));
        QVERIFY(makeRig({2, {}, 0})->describe().startsWith("rigctld at 127.0.0.1:4532"));
        QCOMPARE(makeRig({-1, {}, 0})->describe(), "the TCI server at 127.0.0.1:40001");
    }
};

QTEST_APPLESS_MAIN(RxOptionsTest)
#include "RxOptions_test.moc"
