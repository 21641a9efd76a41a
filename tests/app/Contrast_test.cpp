#include "app/Contrast.h"

#include <QTest>

using namespace app;

// Ratios worked out by hand from the WCAG 2 formula; colours are red + 256 * green + 65536 * blue.
class ContrastTest : public QObject {
    Q_OBJECT

private slots:
    void ratio_data() {
        QTest::addColumn<int>("fore");
        QTest::addColumn<int>("back");
        QTest::addColumn<double>("expected");
        QTest::newRow("black on white is the most there is") << 0 << 0xffffff << 21.0;
        QTest::newRow("the order of the two does not matter") << 0xffffff << 0 << 21.0;
        QTest::newRow("a colour on itself") << 0x123456 << 0x123456 << 1.0;
        QTest::newRow("on-air red on the default grid white") << 255 << 0xffffff << 3.9985;
        QTest::newRow("on-air red on the default pale green") << 255 << 13172680 << 3.5403;
        QTest::newRow("find blue on the default pale green") << 0xff0000 << 13172680 << 7.6080;
        QTest::newRow("green weighs most: pure green on white") << 0x00ff00 << 0xffffff << 1.3722;
        QTest::newRow("grey 0x76 just reads on white") << 0x767676 << 0xffffff << 4.5422;
        QTest::newRow("grey 0x77 just does not") << 0x777777 << 0xffffff << 4.4781;
        QTest::newRow("dark channels take the linear part") << 0x0a0a0a << 0 << 1.0607;
    }
    void ratio() {
        QFETCH(int, fore);
        QFETCH(int, back);
        QFETCH(double, expected);
        QVERIFY2(qAbs(contrastRatio(fore, back) - expected) < 0.0005,
                 qPrintable(QString::number(contrastRatio(fore, back), 'f', 4)));
    }

    void readable_data() {
        QTest::addColumn<int>("back");
        QTest::addColumn<QList<int>>("candidates");
        QTest::addColumn<int>("expected");
        const QList<int> blackOrWhite = {Black, White};
        QTest::newRow("black text on the default grid white") << 0xffffff << blackOrWhite << Black;
        QTest::newRow("white text on a dark grid") << 0x202020 << blackOrWhite << White;
        QTest::newRow("none reads well: the better one")
            << 0x808080 << QList{White, 0x0000ff} << White;
        QTest::newRow("dark red fails on a dark window grey, light red reads")
            << 0x353535 << QList{0x0000a0, 0x8080ff} << 0x8080ff;
    }
    void readable() {
        QFETCH(int, back);
        QFETCH(QList<int>, candidates);
        QFETCH(int, expected);
        QCOMPARE(readableOn(back, candidates), expected);
    }
};

QTEST_MAIN(ContrastTest)
#include "Contrast_test.moc"
