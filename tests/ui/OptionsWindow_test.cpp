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
    QList<int> stationsInGridOrder() {
        jet::RecordSet &rs = form->data1().recordset();
        QList<int> ids;
        for (int p = 0; p < rs.recordCount(); ++p)
            ids << int(rs.value(p, 0).number);
        return ids;
    }
    QColor backOfRow(int position) const {
        const QAbstractItemModel *model = rows()->model();
        return model->data(model->index(position, 2), Qt::BackgroundRole).value<QColor>();
    }
    // Columns whose cells can be seen: in the locked part, or in the rows right of it.
    QList<int> visibleColumns() const {
        mainwindow::ScheduleGridView *view = rows();
        QTableView *locked = view->lockedView();
        const int lockedWidth = locked->isVisible() ? locked->width() : 0;
        QList<int> visible;
        for (int c = 0; c < grid()->columnCount(); ++c) {
            const bool inLocked =
                locked->isVisible() && !locked->isColumnHidden(c) && locked->columnWidth(c) > 0;
            const int x = view->columnViewportPosition(c);
            const bool inRows = view->columnWidth(c) > 0 &&
                                x + view->columnWidth(c) > lockedWidth &&
                                x < view->viewport()->width();
            if (inLocked || inRows)
                visible << c;
        }
        return visible;
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

Q_DECLARE_METATYPE(std::optional<qint32>)

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

    void movedFieldsBecomeColumnsInThatOrder() {
        Program p;
        QCOMPARE(p.columns(), QStringList({"StationID", "Freq", "Station", "UTC", "Language"}));
        selectFields(p, {"Country", "UTCE", "UTCB"});
        QCOMPARE(p.columns(), QStringList({"StationID", "Freq", "Station", "UTC", "Language",
                                           "Country", "UTCE", "UTCB"}));
        QCOMPARE(p.grid()->cellText(5, p.form->data1().recordset().bookmarkAt(0)), "IND");
    }

    // Through the menu items: 7 pt is checked for MS Serif only; for another font the grid
    // takes it but the item is disabled and no size is checked.
    void fontSizeReachesTheGrid_data() {
        QTest::addColumn<int>("fontItem");
        QTest::addColumn<int>("sizeItem");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("checkedItem");
        QTest::addColumn<bool>("sevenEnabled");
        QTest::newRow("7 pt with MS Serif") << 3 << 0 << 7 << 0 << true;
        QTest::newRow("7 pt with Courier") << 0 << 0 << 7 << -1 << false;
        QTest::newRow("12 pt") << 1 << 5 << 12 << 5 << true;
        QTest::newRow("16 pt") << 2 << 7 << 16 << 7 << true;
    }
    void fontSizeReachesTheGrid() {
        QFETCH(int, fontItem);
        QFETCH(int, sizeItem);
        QFETCH(int, points);
        QFETCH(int, checkedItem);
        QFETCH(bool, sevenEnabled);
        Program p;
        p.trigger(QStringLiteral("FontNames_%1").arg(fontItem));
        p.trigger(QStringLiteral("DFonts_%1").arg(sizeItem));
        QCOMPARE(p.grid()->fontSize(), points);
        QCOMPARE(p.state.GridFontSize, QString::number(points));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(p.item(QStringLiteral("DFonts_%1").arg(i))->isChecked(), i == checkedItem);
        QCOMPARE(p.item("DFonts_0")->isEnabled(), sevenEnabled);
    }

    void lockedColumnsStayInViewScrolledRight() {
        Program p;
        QHeaderView *header = p.rows()->horizontalHeader();
        header->resizeSection(3, 250); // UTC, widened by hand
        header->resizeSection(4, 450); // Language
        p.trigger("LC_1");             // "Lock Freq + Next"
        QCOMPARE(p.grid()->lockedColumns(), 3);
        QVERIFY(p.item("LC_1")->isChecked());
        QVERIFY(!p.item("LC_0")->isChecked());
        QTest::qWait(0); // the scroll range follows the widened columns once laid out
        QScrollBar *sideways = p.rows()->horizontalScrollBar();
        QVERIFY2(sideways->maximum() > 0, "the grid is not wider than the window");
        sideways->setValue(sideways->maximum());
        QTest::qWait(0);
        const QList<int> visible = p.visibleColumns();
        QCOMPARE(visible.mid(0, 2), QList<int>({1, 2})); // Freq and Station stay
        QVERIFY(visible.contains(4));
        QVERIFY2(!visible.contains(3), "UTC did not scroll under the locked columns");
    }

    void selectMethodSetsTheGridsSelectionKind_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("kind");
        QTest::newRow("Single Record") << 0 << 1;
        QTest::newRow("Multi Records Non-Contiguous") << 1 << 2;
        QTest::newRow("Multi Records Contiguous") << 2 << 3;
    }
    void selectMethodSetsTheGridsSelectionKind() {
        QFETCH(int, item);
        QFETCH(int, kind);
        Program p;
        p.trigger(QStringLiteral("SelectM_%1").arg(item));
        QCOMPARE(p.grid()->rowSelectionKind(), kind);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(p.item(QStringLiteral("SelectM_%1").arg(i))->isChecked(), i == item);
    }

    void clearBookMarksItemLeavesNoSelectedRow() {
        Program p;
        p.trigger("SelectM_1");
        p.rows()->selectRow(0);
        p.rows()->selectionModel()->select(p.rows()->model()->index(2, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(p.grid()->selectedCount() > 0);
        p.trigger("SelectM_3");
        QCOMPARE(p.grid()->selectedCount(), 0);
    }

    // Grid BackColor while stations on the air are shown: a chosen colour ends the on-air
    // selection and repaints; a cancelled dialog keeps colour and selection.
    void gridColourWhileOnAir_data() {
        QTest::addColumn<std::optional<qint32>>("picked");
        QTest::addColumn<bool>("stillOnAir");
        QTest::addColumn<QColor>("rowBack");
        QTest::newRow("colour picked")
            << std::optional<qint32>(0x80FFFF) << false << QColor(255, 255, 128);
        QTest::newRow("dialog cancelled")
            << std::optional<qint32>() << true << QColor(255, 255, 255);
    }
    void gridColourWhileOnAir() {
        QFETCH(std::optional<qint32>, picked);
        QFETCH(bool, stillOnAir);
        QFETCH(QColor, rowBack);
        Program p;
        p.form->CmdONAir_Click();
        QVERIFY(p.state.OnAirMode);
        p.prompts.colors = QList<std::optional<qint32>>{picked};
        p.trigger("Colors_3");
        QCOMPARE(p.state.OnAirMode, stillOnAir);
        QCOMPARE(p.state.GridBackColor, picked ? 0x80FFFF : 16777215);
        QCOMPARE(p.stationsInGridOrder().size(), stillOnAir ? 2 : 6); // 1 and 2 run at 2245
        // Station 4 runs 0000-0000: never on the air, a plain row.
        const int plain = int(p.stationsInGridOrder().indexOf(stillOnAir ? 1 : 4));
        if (!stillOnAir)
            QCOMPARE(p.backOfRow(plain), rowBack);
    }

    void descendingFrequenciesWaitForTheNextQuery() {
        Program p;
        const QList<int> ascending = {6, 2, 3, 4, 1, 5};
        QCOMPARE(p.stationsInGridOrder(), ascending);
        p.trigger("FSort_1");
        QCOMPARE(p.stationsInGridOrder(), ascending);
        p.form->ReadDB(p.state.SQLStr);
        const QList<int> order = p.stationsInGridOrder();
        QCOMPARE(order.mid(2), QList<int>({4, 3, 2, 6}));
        QCOMPARE(QSet<int>(order.begin(), order.begin() + 2), QSet<int>({1, 5}));
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
            p.rows()->horizontalHeader()->resizeSection(2, 400); // Station, widened by hand
            widenedTwips = p.grid()->columnWidthTwips(2);
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
            std::abs(again.grid()->columnWidthTwips(2) - widenedTwips) <= charTwips,
            qPrintable(
                QString("%1 against %2").arg(again.grid()->columnWidthTwips(2)).arg(widenedTwips)));
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "OptionsWindow_test.moc"
