#include "app/SettingsStore.h"
#include "mainwindow/ScheduleGridView.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "support/ProgramUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using mainwindow::DisplayForm;

namespace {

const QString ProgramDir = QStringLiteral("/skedwise-test");

// Six stations in table order; by Freq they come 6, 2, 3, 4, 1, 5 (1 and 5 share 9575).
std::shared_ptr<const jet::Table> schedule() {
    return testsupport::tableFromCsv(
        jet::parseCsv("StationID,Freq,Station,UTC,Language,UTCB,UTCE,Country\r\n"
                      "1,9575,\"Radio A\",\"2200-0200\",\"English\",\"2200\",\"0200\",\"UK\"\r\n"
                      "2,6000,\"Radio B\",\"2230-0200\",\"French\",\"2230\",\"0200\",\"F\"\r\n"
                      "3,7000,\"Radio C\",\"0600-0900\",\"German\",\"0600\",\"0900\",\"D\"\r\n"
                      "4,8000,\"Radio D\",\"0000-0000\",\"English\",\"0000\",\"0000\",\"USA\"\r\n"
                      "5,9575,\"Radio E\",\"....-0900\",\"English\",\"....\",\"0900\",\"CAN\"\r\n"
                      "6,5000,\"Radio F\",\"1200-1300\",\"Hindi\",\"1200\",\"1300\",\"IND\"\r\n"));
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
    mainwindow::ScheduleGridView *rows() const {
        return grid()->findChild<mainwindow::ScheduleGridView *>("scheduleRows");
    }
    QAction *item(const QString &name) const { return form->findChild<QAction *>(name); }
    void trigger(const QString &name) {
        QAction *action = item(name);
        QVERIFY2(action, qPrintable(name));
        action->trigger();
    }
    QStringList columns() const {
        QStringList names;
        for (int c = 0; c < grid()->columnCount(); ++c)
            names << grid()->columnFieldName(c);
        return names;
    }
};

// Runs the "Select Fields" item and, once the dialog is up, moves each field to the display
// list with ">" and presses Done, all through the dialog's object names.
void selectFields(Program &p, const QStringList &fields) {
    QTimer::singleShot(0, [&p, fields] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog && dialog->objectName() == u"FrmSelect");
        auto *source = dialog->findChild<QListWidget *>("SourceList");
        for (const QString &field : fields) {
            const QList<QListWidgetItem *> found = source->findItems(field, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            source->setCurrentItem(found.first());
            dialog->findChild<QPushButton *>("CmdSwap_0")->click();
        }
        dialog->findChild<QPushButton *>("CmdDone")->click();
    });
    p.trigger("SForm");
}

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
            selectFields(p, {"Country"});
            p.form->DFonts_Click(6); // 14 pt
            p.form->FontNames_Click(1);
            p.trigger("LC_1");
            p.trigger("SelectM_2");
            p.trigger("FSort_1");
            p.trigger("TTips_1");
            p.trigger("WhichFont_1");
            p.prompts.colors = QList<std::optional<qint32>>{0x123456};
            p.trigger("Colors_2");
            p.rows()->horizontalHeader()->resizeSection(5, 400); // the last one, widened by hand
            widenedTwips = p.grid()->columnWidthTwips(5);
            p.form->close();
        }
        QVERIFY(!QDir(m_config.path()).entryList(QDir::Files).isEmpty());
        Program again;
        QCOMPARE(again.columns(),
                 QStringList({"StationID", "Freq", "Station", "UTC", "Language", "Country"}));
        QCOMPARE(again.grid()->fontSize(), 14);
        QCOMPARE(again.grid()->fontName(), "Courier New");
        QVERIFY(again.item("FontNames_1")->isChecked());
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
            std::abs(again.grid()->columnWidthTwips(5) - widenedTwips) <= charTwips,
            qPrintable(
                QString("%1 against %2").arg(again.grid()->columnWidthTwips(5)).arg(widenedTwips)));
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "OptionsWindow_test.moc"
