#include "data/WholeNumber.h"

#include <QtTest>

// The one whole-number reader: what it takes and what it refuses.
class TestWholeNumber : public QObject {
    Q_OBJECT
private slots:
    void parsed_data();
    void parsed();
};

void TestWholeNumber::parsed_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("minusAllowed");
    QTest::addColumn<int>("maxLength");  // -1: no limit
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qlonglong>("value");
    QTest::newRow("digits") << QByteArray("133") << false << -1 << true << 133LL;
    QTest::newRow("leading zeros") << QByteArray("007") << false << -1 << true << 7LL;
    QTest::newRow("zero") << QByteArray("0") << false << -1 << true << 0LL;
    QTest::newRow("empty") << QByteArray("") << true << -1 << false << 0LL;
    QTest::newRow("blank before") << QByteArray(" 5") << true << -1 << false << 0LL;
    QTest::newRow("blank after") << QByteArray("5 ") << true << -1 << false << 0LL;
    QTest::newRow("tab") << QByteArray("\t5") << true << -1 << false << 0LL;
    QTest::newRow("plus sign") << QByteArray("+5") << true << -1 << false << 0LL;
    QTest::newRow("minus refused") << QByteArray("-5") << false << -1 << false << 0LL;
    QTest::newRow("minus allowed") << QByteArray("-5") << true << -1 << true << -5LL;
    QTest::newRow("minus zero") << QByteArray("-0") << true << -1 << true << 0LL;
    QTest::newRow("minus alone") << QByteArray("-") << true << -1 << false << 0LL;
    QTest::newRow("two minus signs") << QByteArray("--5") << true << -1 << false << 0LL;
    QTest::newRow("letter after") << QByteArray("12a") << false << -1 << false << 0LL;
    QTest::newRow("hexadecimal") << QByteArray("0x1F") << false << -1 << false << 0LL;
    QTest::newRow("zero byte inside") << QByteArray("1\0" "2", 3) << false << -1 << false << 0LL;
    QTest::newRow("largest") << QByteArray("9223372036854775807") << false << -1 << true << LLONG_MAX;
    QTest::newRow("one past the largest") << QByteArray("9223372036854775808") << false << -1 << false << 0LL;
    QTest::newRow("smallest") << QByteArray("-9223372036854775808") << true << -1 << true << LLONG_MIN;
    QTest::newRow("one past the smallest") << QByteArray("-9223372036854775809") << true << -1 << false << 0LL;
    QTest::newRow("far too many digits") << QByteArray(40, '9') << false << -1 << false << 0LL;
    QTest::newRow("within the width") << QByteArray("65535") << false << 5 << true << 65535LL;
    QTest::newRow("beyond the width") << QByteArray("000133") << false << 5 << false << 0LL;
    QTest::newRow("sign counts in the width") << QByteArray("-1234") << true << 4 << false << 0LL;
}

void TestWholeNumber::parsed() {
    QFETCH(QByteArray, text);
    QFETCH(bool, minusAllowed);
    QFETCH(int, maxLength);
    QFETCH(bool, ok);
    QFETCH(qlonglong, value);
    const auto parsed = ParseWholeNumber(std::string_view(text.constData(), size_t(text.size())),
                                         minusAllowed ? Minus::Allowed : Minus::Refused,
                                         maxLength < 0 ? SIZE_MAX : size_t(maxLength));
    QCOMPARE(parsed.has_value(), ok);
    if (ok) QCOMPARE(qlonglong(*parsed), value);
}

QTEST_APPLESS_MAIN(TestWholeNumber)
#include "test_wholenumber.moc"
