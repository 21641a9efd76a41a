#include "app/SettingsStore.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QHeaderView>

using mainwindow::DisplayForm;

namespace {

const QString ProgramDir = QStringLiteral("/skedwise-test");

std::shared_ptr<const jet::Table> schedule() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language,UTCB,UTCE\r\n"
                      "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"2200\",\"0200\"\r\n"
                      "2,6000,\"Radio B\",\"2230-0200\",\"French\",\"2230\",\"0200\"\r\n"));
}

// A whole program on the real settings store, which writes to XDG_CONFIG_HOME (a temporary
// folder here); it can be closed and started again on the same folder.
struct Program : testsupport::ProgramUnderTest<testsupport::MemoryTables, app::IniSettingsStore> {
    Program() {
        state.FormWidth = 9000;
        tables.add(ProgramDir + QStringLiteral("/ILGDATA.MDB"), schedule());
        start(ProgramDir, QDateTime(QDate(2024, 5, 17), QTime(22, 45, 15), Qt::UTC));
    }

    mainwindow::ScheduleGridWidget *grid() const { return form->grid(); }
    void trigger(const char *name) {
        QVERIFY2(item(name), name);
        item(name)->trigger();
    }
};

} // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    void init() {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        for (const QString &name : QDir(m_config.path()).entryList(QDir::Files))
            QFile::remove(m_config.filePath(name));
    }

    void choicesComeBackAfterARestart() {
        int widenedTwips = 0;
        {
            Program p;
            p.form->DFonts_Click(6); // 14 pt
            p.trigger("LC_1");
            p.trigger("SelectM_2");
            p.trigger("FSort_1");
            p.trigger("TTips_1");
            p.trigger("WhichFont_1");
            p.prompts.colors = QList<std::optional<qint32>>{0x123456};
            p.trigger("Colors_2");
            p.rows()->horizontalHeader()->resizeSection(4, 400); // the last one, widened by hand
            widenedTwips = p.grid()->columnWidthTwips(4);
            p.form->close();
        }
        QVERIFY(!QDir(m_config.path()).entryList(QDir::Files).isEmpty());
        Program again;
        QCOMPARE(again.grid()->fontSize(), 14);
        QVERIFY(again.item("DFonts_6")->isChecked());
        QCOMPARE(again.grid()->lockedColumns(), 3);
        QVERIFY(again.item("LC_1")->isChecked());
        QCOMPARE(again.grid()->rowSelectionKind(), 3);
        QVERIFY(again.item("SelectM_2")->isChecked());
        QVERIFY(again.item("FSort_1")->isChecked());
        QCOMPARE(again.state.FSortStr, " DESC");
        QVERIFY(again.grid()->toolTipsEnabled());
        QVERIFY(again.item("TTips_1")->isChecked());
        QVERIFY(again.item("WhichFont_1")->isChecked());
        QCOMPARE(again.state.MarkedRowBackColor, 0x123456);
        // Widths are kept in whole characters.
        const int charTwips = again.state.CharWidth;
        QVERIFY2(
            std::abs(again.grid()->columnWidthTwips(4) - widenedTwips) <= charTwips,
            qPrintable(
                QString("%1 against %2").arg(again.grid()->columnWidthTwips(4)).arg(widenedTwips)));
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "OptionsWindow_test.moc"
