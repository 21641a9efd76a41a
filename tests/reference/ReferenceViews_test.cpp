#include "reference/ReferenceViews.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace reference;

namespace {

// The reference windows as open flags and a record of what was asked.
struct FakeWindows : ReferenceWindows {
    bool singleRecordOpen() const override { return singleOpen; }
    void openSingleRecord(qint32 id) override {
        singleOpen = true;
        calls << QStringLiteral("open %1").arg(id);
    }
    void bringSingleRecordToFront() override { calls << "single to front"; }
    void closeSingleRecord() override {
        singleOpen = false;
        calls << "close";
    }
    bool helpOpen() const override { return helpShown; }
    void openHelp(const QString &file) override {
        helpShown = true;
        calls << "help " + file;
    }
    void bringHelpToFront() override { calls << "help to front"; }
    bool singleOpen = false, helpShown = false;
    QStringList calls;
};

} // namespace

class ReferenceViewsTest : public QObject {
    Q_OBJECT
private slots:
    void windowsOpenOnceAndClose_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("calls");
        addRow("second click keeps the first record", QStringList{"show 10", "show 20"},
               QStringList{"open 10", "single to front"});
        addRow("after Close the new record is read", QStringList{"show 10", "close", "show 20"},
               QStringList{"open 10", "close", "open 20"});
        addRow("Clear Filter without the window does nothing", QStringList{"close"}, QStringList{});
        addRow("second Contents brings the help to the front", QStringList{"help", "help"},
               QStringList{"help h.html", "help to front"});
    }
    void windowsOpenOnceAndClose() {
        QFETCH(QStringList, steps);
        FakeWindows windows;
        for (const QString &step : steps) {
            if (step.startsWith("show"))
                ShowSingleRecord(windows, step.mid(5).toInt());
            else if (step == "help")
                ShowHelp(windows, "h.html");
            else
                CloseSingleRecord(windows);
        }
        QTEST(windows.calls, "calls");
    }
};

QTEST_GUILESS_MAIN(ReferenceViewsTest)
#include "ReferenceViews_test.moc"
