#include "data/Win1252.h"

#include <QtTest>

class TestText : public QObject {
    Q_OBJECT
private slots:
    void toUtf8_data();
    void toUtf8();
    void rejected_data();
    void rejected();
    void everyByteRoundTrips();
};

void TestText::toUtf8_data() {
    QTest::addColumn<QByteArray>("cp1252");
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("ascii") << QByteArray("Kelwick") << QByteArray("Kelwick");
    QTest::newRow("e acute") << QByteArray("Pr\xEAt") << QByteArray("Pr\xC3\xAAt");
    QTest::newRow("euro, a high control slot") << QByteArray("\x80") << QByteArray("\xE2\x82\xAC");
    QTest::newRow("oe ligature") << QByteArray("c\x9Cur") << QByteArray("c\xC5\x93ur");
    QTest::newRow("right quote") << QByteArray("l\x92\xE9t\xE9")
                                 << QByteArray("l\xE2\x80\x99\xC3\xA9t\xC3\xA9");
    QTest::newRow("undefined byte keeps its value") << QByteArray("\x81")
                                                    << QByteArray("\xC2\x81");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestText::toUtf8() {
    QFETCH(QByteArray, cp1252);
    QFETCH(QByteArray, utf8);
    QCOMPARE(QByteArray::fromStdString(Win1252ToUtf8(cp1252.toStdString())), utf8);
    const auto back = Utf8ToWin1252(utf8.toStdString());
    QVERIFY(back);
    QCOMPARE(QByteArray::fromStdString(*back), cp1252);
}

void TestText::rejected_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("outside the code page") << QByteArray("\xC4\x80");  // U+0100
    QTest::newRow("cut sequence") << QByteArray("caf\xC3");
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
    QTest::newRow("lone continuation") << QByteArray("\x80");
    QTest::newRow("beyond unicode") << QByteArray("\xF4\x90\x80\x80");
}

void TestText::rejected() {
    QFETCH(QByteArray, utf8);
    QVERIFY(!Utf8ToWin1252(utf8.toStdString()));
}

void TestText::everyByteRoundTrips() {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    const auto back = Utf8ToWin1252(Win1252ToUtf8(all));
    QVERIFY(back);
    QCOMPARE(*back, all);
}

QTEST_APPLESS_MAIN(TestText)
#include "test_text.moc"
