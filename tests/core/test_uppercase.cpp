#include "data/Win1252.h"
#include "spells/SpellCollation.h"
#include "view/UpperCase.h"

#include <QtTest>

// The one upper-casing of Windows-1252 text, used by the place search and
// the spell finder's order alike.
class TestUpperCase : public QObject {
    Q_OBJECT
private slots:
    void capitals_data();
    void capitals();
    void everyByteAsUnicodeDoes();
    void spellOrderIgnoresCase_data();
    void spellOrderIgnoresCase();
};

// Windows-1252 bytes of a UTF-8 literal.
static QByteArray Cp1252(const char* utf8) { return QByteArray::fromStdString(Utf8ToWin1252(utf8).value()); }

void TestUpperCase::capitals_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("upper");
    QTest::newRow("ascii, digits and signs kept") << Cp1252("Holm-2 ab_z") << Cp1252("HOLM-2 AB_Z");
    QTest::newRow("é") << Cp1252("été") << Cp1252("ÉTÉ");
    QTest::newRow("à and ç") << Cp1252("çà et là") << Cp1252("ÇÀ ET LÀ");
    QTest::newRow("š, from the 0x80 row") << Cp1252("šal") << Cp1252("ŠAL");
    QTest::newRow("œ, from the 0x80 row") << Cp1252("cœur") << Cp1252("CŒUR");
    QTest::newRow("ž, from the 0x80 row") << Cp1252("žeta") << Cp1252("ŽETA");
    QTest::newRow("ÿ, capital in the 0x80 row") << Cp1252("l'ÿle") << Cp1252("L'ŸLE");
    QTest::newRow("þ, last of the 0x20 run") << Cp1252("þorn") << Cp1252("ÞORN");
    QTest::newRow("÷ is no letter") << Cp1252("a÷b") << Cp1252("A÷B");
    QTest::newRow("ß and µ have no capital here") << Cp1252("ßµ") << Cp1252("ßµ");
    QTest::newRow("capitals stay") << Cp1252("ŠŒŽŸÀÇ") << Cp1252("ŠŒŽŸÀÇ");
    QTest::newRow("undefined bytes stay") << QByteArray("\x81\x8D\x8F\x90\x9D") << QByteArray("\x81\x8D\x8F\x90\x9D");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestUpperCase::capitals() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, upper);
    QCOMPARE(QByteArray::fromStdString(UpperCase1252(text.toStdString())), upper);
}

// Each byte's capital is Unicode's, wherever that capital is one character
// the code page can store; otherwise the byte stays.
void TestUpperCase::everyByteAsUnicodeDoes() {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, char(b));
        const QString upper = QString::fromStdString(Win1252ToUtf8(byte)).toUpper();
        const auto stored = Utf8ToWin1252(upper.toStdString());
        const unsigned char expected = stored && stored->size() == 1 ? uchar((*stored)[0]) : uchar(b);
        QVERIFY2(CapitalOf1252(uchar(b)) == expected, qPrintable(QString::number(b, 16)));
    }
}

void TestUpperCase::spellOrderIgnoresCase_data() {
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::newRow("œ") << "Cœur de braise" << "CŒUR DE BRAISE";
    QTest::newRow("š ž") << "Šarž" << "ŠARŽ";
    QTest::newRow("ÿ") << "Ÿvre" << "ÿVRE";
    QTest::newRow("à ç") << "Façade à feu" << "FAÇADE À FEU";
}

void TestUpperCase::spellOrderIgnoresCase() {
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    const std::string a = Utf8ToWin1252(lower.toStdString()).value();
    const std::string b = Utf8ToWin1252(upper.toStdString()).value();
    QCOMPARE(CompareSpellNames(a, b), 0);
}

QTEST_APPLESS_MAIN(TestUpperCase)
#include "test_uppercase.moc"
