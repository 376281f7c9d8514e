#include "data/MulDiv.h"

#include <QtTest>
#include <climits>

class TestMulDiv : public QObject {
    Q_OBJECT
private slots:
    void rounding_data();
    void rounding();
};

void TestMulDiv::rounding_data() {
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("expected");
    QTest::newRow("exact") << 10 << 20 << 5 << 40;
    QTest::newRow("half up, all positive") << 5 << 1 << 2 << 3;
    QTest::newRow("half away, negative a") << -5 << 1 << 2 << -3;
    QTest::newRow("half away, negative b") << 5 << -1 << 2 << -3;
    QTest::newRow("half away, negative c") << 5 << 1 << -2 << -3;
    QTest::newRow("half away, a and b negative") << -5 << -1 << 2 << 3;
    QTest::newRow("half away, a and c negative") << -5 << 1 << -2 << 3;
    QTest::newRow("half away, all negative") << -5 << -1 << -2 << -3;
    QTest::newRow("one and a half") << 3 << 1 << 2 << 2;
    QTest::newRow("below half rounds down") << 7 << 1 << 3 << 2;
    QTest::newRow("below half, negative") << -7 << 1 << 3 << -2;
    QTest::newRow("above half rounds up") << 2 << 1 << 3 << 1;
    QTest::newRow("above half, negative") << -2 << 1 << 3 << -1;
    QTest::newRow("third rounds to zero") << 1 << 1 << 3 << 0;
    QTest::newRow("divisor zero") << 5 << 5 << 0 << -1;
    QTest::newRow("zero times anything") << 0 << INT_MAX << 7 << 0;
    QTest::newRow("64-bit intermediate") << 2000000000 << 3 << 4 << 1500000000;
    QTest::newRow("largest square") << INT_MAX << INT_MAX << INT_MAX << INT_MAX;
    QTest::newRow("too large") << INT_MAX << 2 << 1 << -1;
    QTest::newRow("too small") << INT_MIN << 2 << 1 << -1;
    QTest::newRow("smallest int fits") << INT_MIN << 1 << 1 << INT_MIN;
    QTest::newRow("negated smallest int leaves range") << INT_MIN << -1 << 1 << -1;
    QTest::newRow("rounding up leaves range") << INT_MAX << 2 << 2 << INT_MAX;
    QTest::newRow("pixels to himetric") << 3300 << 2540 << 96 << 87313;
    QTest::newRow("pixels to himetric, negative") << -3300 << 2540 << 96 << -87313;
    QTest::newRow("zoom 20%") << 3300 << 20 << 100 << 660;
}

void TestMulDiv::rounding() {
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, c);
    QFETCH(int, expected);
    QCOMPARE(MulDiv(a, b, c), expected);
}

QTEST_APPLESS_MAIN(TestMulDiv)
#include "test_muldiv.moc"
