#include "app/ScriptedPrompts.h"
#include "app/Services.h"
#include "reference/HelpWindow.h"
#include "reference/LegendsWindow.h"
#include "reference/ReferenceViewsUi.h"
#include "reference/SingleRecordWindow.h"
#include "support/Fakes.h"
#include "support/MemoryTables.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

using namespace reference;

namespace {

const char *FixtureCsv =
    "StationID,Freq,Station,UTC,Graphic,Location,Remarks,ADM,UTCB\n"
    "4711,9575.5,\"Radio Voz d'Africa\",\"1800-1900\","
    "\"____________________________________XX__________\",\"Țiganești\",,\"ROU\",\"1800\"\n"
    "4712,6000,\"Second Station\",\"0000-0100\",,,,\"D\",\"0000\"\n"
    "4713,15505.25,\"Long Frequency\",\"0000-0100\",,,,\"D\",\"0000\"\n";

// The program's folder with its database in memory and the two list files on disk.
struct Program {
    Program()
        : services{state,
                   store,
                   prompts,
                   clock,
                   clipboard,
                   tables,
                   app::Paths::besideProgram(dir.path())},
          views(services, dir.filePath("SkedwiseHelp.html"), nullptr) {
        tables.add(dir.filePath("ILGDATA.MDB"),
                   testsupport::tableFromCsv(jet::parseCsv(QString::fromUtf8(FixtureCsv))));
    }
    void write(const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void rightClick(qint32 stationId) {
        state.SelStationID = stationId;
        views.ShowSingleRecord();
    }
    QString box(int index) const { return views.singleRecord()->box(index)->text(); }

    QTemporaryDir dir;
    app::ProgramState state;
    testsupport::MemoryStore store;
    app::ScriptedPrompts prompts;
    testsupport::FixedClock clock;
    testsupport::FakeClipboard clipboard;
    testsupport::MemoryTables tables;
    app::Services services;
    ReferenceViewsUi views;
};

// Screenshots for a look at the windows when SKEDWISE_SCREENSHOTS names a folder.
void shoot(QWidget *window, const QString &name) {
    const QString folder = qEnvironmentVariable("SKEDWISE_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(50);
    window->grab().save(QDir(folder).filePath(name + ".png"));
}

} // namespace

class ReferenceWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void rightClickShowsTheRecord() {
        Program p;
        p.rightClick(4711);
        QVERIFY(p.views.singleRecord()->isVisible());
        QCOMPARE(p.views.singleRecord()->windowTitle(), QStringLiteral("Single Record"));
        QCOMPARE(p.box(15), QStringLiteral("Radio Voz d'Africa"));
        QCOMPARE(p.box(8), QStringLiteral("Țiganești"));
        QCOMPARE(p.box(4), QStringLiteral("____________________________________XX__________"));
        QCOMPARE(p.box(14), QString()); // Null
        QCOMPARE(p.box(3), QStringLiteral("9575.5"));
        QCOMPARE(p.box(16), QStringLiteral("4711"));
        shoot(p.views.singleRecord(), "single-record");
    }

    void boxesAreReadOnlyAndOnlyCloseWorks() {
        Program p;
        p.rightClick(4711);
        SingleRecordWindow *w = p.views.singleRecord();
        for (int i = 0; i < 27; ++i) {
            const QString before = w->box(i)->text();
            w->box(i)->setFocus();
            QTest::keyClicks(w->box(i), "xy");
            QTest::keyClick(w->box(i), Qt::Key_Backspace);
            QCOMPARE(w->box(i)->text(), before);
        }
        const QStringList buttons = {"Edit", "Update", "Cancel", "Close"};
        for (int i = 0; i < 4; ++i) {
            auto *button = w->findChild<QPushButton *>(QStringLiteral("Cmdilg%1").arg(i));
            QCOMPARE(button->text(), buttons[i]);
            QCOMPARE(button->isEnabled(), i == 3);
        }
    }

    void boxesKeepTheirLimitsCentringAndTips_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Graphic") << 4 << 48 << false << "";
        QTest::newRow("UTC") << 20 << 9 << true << " Format is HHMM-HHMM ";
        QTest::newRow("UTCB") << 21 << 5 << true << " Format is HHMM ";
        QTest::newRow("Station") << 15 << 20 << false << "";
        QTest::newRow("Status, no limit") << 23 << 32767 << true << "";
    }
    void boxesKeepTheirLimitsCentringAndTips() {
        QFETCH(int, box);
        Program p;
        p.rightClick(4711);
        QLineEdit *edit = p.views.singleRecord()->box(box);
        QTEST(edit->maxLength(), "maxLength");
        QTEST(bool(edit->alignment() & Qt::AlignHCenter), "centred");
        QTEST(edit->toolTip(), "tip");
    }

    void graphicReadsAgainstTheHourScale() {
        Program p;
        p.rightClick(4711);
        SingleRecordWindow *w = p.views.singleRecord();
        auto *scale = w->findChild<QLabel *>("HourScale");
        QCOMPARE(scale->text(),
                 QStringLiteral("00           06          12          18          24 hr"));
        QVERIFY(QFontInfo(w->box(GraphicBox)->font()).fixedPitch());
        QVERIFY(QFontInfo(scale->font()).fixedPitch());
    }

    void secondRightClickBringsItToFrontWithoutReading() {
        Program p;
        p.rightClick(4711);
        const int loads = p.tables.loads;
        SingleRecordWindow *first = p.views.singleRecord();
        p.rightClick(4712);
        QCOMPARE(p.tables.loads, loads);
        QCOMPARE(p.views.singleRecord(), first);
        QCOMPARE(p.box(16), QStringLiteral("4711"));
    }

    void clearFilterClosesItAndTheNextClickReads() {
        Program p;
        p.rightClick(4711);
        p.views.SelectAllClosesSingleRecord();
        QVERIFY(!p.views.singleRecordOpen());
        p.rightClick(4712);
        QCOMPARE(p.box(15), QStringLiteral("Second Station"));
    }

    void closeButtonClosesIt() {
        Program p;
        p.rightClick(4711);
        p.views.singleRecord()->findChild<QPushButton *>("Cmdilg3")->click();
        QVERIFY(!p.views.singleRecordOpen());
    }

    // The limit is for typing; a stored value longer than it is not cut.
    void valueLongerThanTheLimitShowsWhole() {
        Program p;
        p.rightClick(4713);
        QCOMPARE(p.box(3), QStringLiteral("15505.25"));
    }

    void unknownStationGivesEmptyBoxes() {
        Program p;
        p.rightClick(99);
        for (int i = 0; i < 27; ++i)
            QCOMPARE(p.box(i), QString());
    }

    void legendsOpenOnTheAdmList() {
        Program p;
        p.write("Codes.txt", "ROU  Romania\n  D  Germany\n");
        p.write("CIRAF.txt", "02  Western Canada\n01  Alaska\n");
        p.views.Legends_Click();
        LegendsWindow *w = p.views.legends();
        QCOMPARE(w->windowTitle(), QStringLiteral("VAZOdari Legend/Abreviations"));
        auto *list = w->findChild<QListWidget *>("LList");
        auto *text = w->findChild<QPlainTextEdit *>("LText");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("D  Germany"));
        QVERIFY(text->toPlainText().isEmpty());
        QVERIFY(w->findChild<QRadioButton *>("XOption4")->isChecked());
        w->findChild<QRadioButton *>("XOption2")->click();
        QVERIFY(text->toPlainText().startsWith("Program Definitions\n\nN  News"));
        shoot(w, "legends-program");
        w->findChild<QRadioButton *>("XOption5")->click();
        QCOMPARE(list->item(0)->text(), QStringLiteral("01  Alaska"));
        QVERIFY(w->findChild<QRadioButton *>("XOption5")->isChecked());
        QVERIFY(!w->findChild<QRadioButton *>("XOption2")->isChecked());
    }

    void legendsSayWhichFileIsMissing() {
        Program p;
        p.views.Legends_Click();
        LegendsWindow *w = p.views.legends();
        QCOMPARE(w->findChild<QListWidget *>("LList")->count(), 0);
        auto *note = w->findChild<QLabel *>("LNote");
        QVERIFY(note->isVisibleTo(w));
        QCOMPARE(note->text(),
                 "Codes.txt was not found in " + QDir::toNativeSeparators(p.dir.path()) + ".");
    }

    void shippedListsInTheWindow() {
        Program p;
        p.services.paths = app::Paths::besideProgram(SKEDWISE_BIN_DIR);
        p.views.Legends_Click();
        LegendsWindow *w = p.views.legends();
        QVERIFY(w->findChild<QListWidget *>("LList")->count() > 200);
        shoot(w, "legends-adm");
        w->findChild<QRadioButton *>("XOption5")->click();
        QCOMPARE(w->findChild<QListWidget *>("LList")->count(), 85);
        shoot(w, "legends-ciraf");
    }

    void aboutBlocksUntilOk() {
        Program p;
        QString caption, label;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            modal = box->isModal();
            caption = box->windowTitle();
            label = box->findChild<QLabel *>("Label1")->text();
            shoot(box, "about");
            box->findChild<QPushButton *>("Command1")->click();
        });
        p.views.DoAbout_Click();
        QVERIFY(modal);
        QCOMPARE(caption, QStringLiteral("Skedwise Database program"));
        QVERIFY(label.contains("Version " SKEDWISE_PROJECT_VERSION));
        QVERIFY(label.contains("1999, 2000"));
        QVERIFY(label.contains("Database available at:"));
    }

    void contentsShowsTheHelpOnce() {
        Program p;
        QVERIFY(QFile::copy(QStringLiteral(SKEDWISE_BIN_DIR "/SkedwiseHelp.html"),
                            p.dir.filePath("SkedwiseHelp.html")));
        p.views.ShowHelp_Click();
        HelpWindow *help = p.views.help();
        QVERIFY(help->isVisible());
        QVERIFY(help->browser()->toPlainText().contains("The listening road"));
        help->resize(760, 620);
        shoot(help, "help");
        p.views.ShowHelp_Click();
        QCOMPARE(p.views.help(), help);
    }

    void missingHelpSaysWhereItLooked() {
        Program p;
        p.views.ShowHelp_Click();
        const QString text = p.views.help()->browser()->toPlainText();
        QVERIFY(text.contains(QDir::toNativeSeparators(p.dir.filePath("SkedwiseHelp.html"))));
    }
};

QTEST_MAIN(ReferenceWindowsTest)
#include "ReferenceWindows_test.moc"
