#include "text/Text.h"

#include <QtTest>

// The texts a widget shows from the tables: every character beyond Latin-1
// that Windows-1252 puts in 0x80..0x9F must arrive as itself (a Latin-1
// reading would turn them into C1 controls), and a slice of a longer string
// is read to its own end only.
class TestTextQt : public QObject {
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void sliceStopsAtItsEnd();
};

void TestTextQt::shown_data() {
    QTest::addColumn<QByteArray>("cp1252");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ascii") << QByteArray("Kelwick") << QString("Kelwick");
    QTest::newRow("accents of Latin-1") << QByteArray("\xC0 l\x92\xE9t\xE9 \xE7\xE0 \xFF")
                                        << QString::fromUtf8("À l’été çà ÿ");
    QTest::newRow("letters of 0x80..0x9F") << QByteArray("\x8A\x9C\x8E\x9F\x80")
                                           << QString::fromUtf8("ŠœŽŸ€");
    QTest::newRow("undefined byte") << QByteArray("a\x81z") << QString("a") + QChar(0xFFFD) + "z";
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestTextQt::shown() {
    QFETCH(QByteArray, cp1252);
    QFETCH(QString, shown);
    QCOMPARE(FromWin1252(std::string_view(cp1252.constData(), size_t(cp1252.size()))), shown);
}

void TestTextQt::sliceStopsAtItsEnd() {
    const char text[] = "Val d\xE9" "bord\xE9";
    QCOMPARE(FromWin1252(std::string_view(text, 6)), QString::fromUtf8("Val dé"));
}

QTEST_APPLESS_MAIN(TestTextQt)
#include "test_text_qt.moc"
