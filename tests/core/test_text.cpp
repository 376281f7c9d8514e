#include "data/ShownText.h"
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
    void undefinedBytes_data();
    void undefinedBytes();
    void shown_data();
    void shown();
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

static bool IsUndefined(int byte) { return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D; }

// Every byte with a character comes back from UTF-8 as it was.
void TestText::everyByteRoundTrips() {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (!IsUndefined(b)) all += char(b);
    const auto back = Utf8ToWin1252(Win1252ToUtf8(all));
    QVERIFY(back);
    QCOMPARE(*back, all);
}

// The bytes without a character reach the terminal and the window as the
// replacement character, never as C1 controls; the C1 controls typed as
// UTF-8 still store as those bytes.
void TestText::undefinedBytes_data() {
    QTest::addColumn<QByteArray>("cp1252");
    QTest::addColumn<QString>("shown");
    const QChar r(0xFFFD);
    QTest::newRow("0x81") << QByteArray("\x81") << QString(r);
    QTest::newRow("0x8D") << QByteArray("\x8D") << QString(r);
    QTest::newRow("0x8F") << QByteArray("\x8F") << QString(r);
    QTest::newRow("0x90") << QByteArray("\x90") << QString(r);
    QTest::newRow("0x9D") << QByteArray("\x9D") << QString(r);
    QTest::newRow("within a name, neighbours kept")
        << QByteArray("Nor\x81\x80th\x9D\x9E") << QString("Nor") + r + QChar(0x20AC) + "th" + r + QChar(0x017E);
}

void TestText::undefinedBytes() {
    QFETCH(QByteArray, cp1252);
    QFETCH(QString, shown);
    const QString converted = QString::fromStdString(Win1252ToUtf8(cp1252.toStdString()));
    QCOMPARE(converted, shown);  // as the window and the terminal get it
    if (cp1252.size() != 1) return;
    const auto stored = Utf8ToWin1252(QString(QChar(uchar(cp1252[0]))).toStdString());
    QVERIFY(stored);
    QCOMPARE(QByteArray::fromStdString(*stored), cp1252);
}

// What a title, a label or a terminal gets of a text: one U+FFFD for each
// control character and each byte outside a valid UTF-8 sequence.
void TestText::shown_data() {
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("shown");  // "?" stands for U+FFFD
    QTest::newRow("plain and accented letters kept") << QByteArray("Hôtel Zed, 2") << QByteArray("Hôtel Zed, 2");
    QTest::newRow("escape sequence") << QByteArray("a\x1B[31mb") << QByteArray("a?[31mb");
    QTest::newRow("bell, tab, line feed, return") << QByteArray("\x07x\ty\nz\r") << QByteArray("?x?y?z?");
    QTest::newRow("delete") << QByteArray("a\x7F") << QByteArray("a?");
    QTest::newRow("C1 control U+009B") << QByteArray("a\xC2\x9B" "b") << QByteArray("a?b");
    QTest::newRow("lone continuation byte") << QByteArray("a\x80" "b") << QByteArray("a?b");
    QTest::newRow("cut sequence at the end") << QByteArray("a\xE2\x82") << QByteArray("a??");
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QByteArray("??");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("???");
    QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QByteArray("????");
    QTest::newRow("four-byte letter kept") << QByteArray("\xF0\x9F\x97\xBA") << QByteArray("\xF0\x9F\x97\xBA");
}

void TestText::shown() {
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, shown);
    shown.replace("?", "\xEF\xBF\xBD");
    QCOMPARE(QByteArray::fromStdString(ShownText(utf8.toStdString())), shown);
    // A table text: Windows-1252's controls are the same bytes.
    if (utf8 == "a\x7F") QCOMPARE(QByteArray::fromStdString(ShownText1252("a\x7F\x1B")), "a" + shown.mid(1) + shown.mid(1));
}

QTEST_APPLESS_MAIN(TestText)
#include "test_text.moc"
