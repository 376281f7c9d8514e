#include "data/CharacterText.h"

#include <QtTest>

namespace {

// The bytes of a literal, embedded zeros included, without its final zero.
template <size_t N>
std::string Bytes(const char (&text)[N]) { return std::string(text, N - 1); }

CCharacterText TextOf(const std::string& table) { return CCharacterText(ByteBlock(table)); }

QStringList Names(const CCharacterText& text) {
    QStringList names;
    text.ForEach([&](int, size_t, const CharacterRecord& r) {
        names << QString::fromLatin1(r.name.data(), int(r.name.size()));
        return true;
    });
    return names;
}

}  // namespace

class TestCharacterText : public QObject {
    Q_OBJECT
private slots:
    void elevenByteExample();
    void tables_data();
    void tables();
    void cutAnywhere();
    void readAtAndOrdinals();
    void walkStops();
};

void TestCharacterText::elevenByteExample() {
    // Two records (A, x, "") and (B, "", y), then the end and a tail never read.
    const std::string table = Bytes("A\0x\0\0B\0\0y\0\0\0\0Z\0z\0z\0\0\0");
    const CCharacterText text = TextOf(table);
    QCOMPARE(std::string(text.Bytes().begin(), text.Bytes().end()),
             Bytes("A\0x\0\0B\0\0y\0\0"));
    QCOMPARE(text.Count(), 2);
    QCOMPARE(*text.OffsetOf(1), size_t(5));
    const CharacterRecord b = *text.Record(1);
    QCOMPARE(b.name, std::string_view("B"));
    QCOMPARE(b.whereabouts, std::string_view(""));
    QCOMPARE(b.notes, std::string_view("y"));
}

void TestCharacterText::tables_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("textSize");
    QTest::newRow("empty block") << QByteArray() << QStringList{} << 1;
    QTest::newRow("starts with the end") << QByteArray("\0A\0b\0c\0", 8) << QStringList{} << 1;
    QTest::newRow("empty whereabouts and notes") << QByteArray("Nim\0\0\0\0", 7)
                                                 << QStringList{"Nim"} << 7;
    QTest::newRow("no end marker") << QByteArray("A\0x\0y\0", 6) << QStringList{"A"} << 7;
    QTest::newRow("record cut in its notes") << QByteArray("A\0x\0y\0B\0w\0no", 12)
                                             << QStringList{"A"} << 7;
    QTest::newRow("name without zero") << QByteArray("A\0x\0y\0Bob", 9) << QStringList{"A"} << 7;
}

void TestCharacterText::tables() {
    QFETCH(QByteArray, table);
    QFETCH(QStringList, names);
    QFETCH(int, textSize);
    const CCharacterText text = TextOf(table.toStdString());
    QCOMPARE(Names(text), names);
    QCOMPARE(int(text.Size()), textSize);
    QCOMPARE(text.Bytes().back(), '\0');
}

// Cut at every byte: the whole records before the cut remain, and the text is
// those bytes plus the ending zero.
void TestCharacterText::cutAnywhere() {
    const std::string full = Bytes("Ilsa\0Mill\0Sells rye\0Bo\0Gate\0\0Cy\0\0\0\0");
    const std::vector<size_t> recordEnds = {20, 29, 34};
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        std::unique_ptr<char[]> prefix(new char[cut ? cut : 1]);
        std::copy(full.begin(), full.begin() + long(cut), prefix.get());
        const CCharacterText text{ByteBlock(prefix.get(), cut)};
        size_t kept = 0;
        int whole = 0;
        for (size_t end : recordEnds)
            if (end <= cut) kept = end, ++whole;
        QCOMPARE(text.Count(), whole);
        QCOMPARE(text.Size(), kept + 1);
        QVERIFY(std::equal(full.begin(), full.begin() + long(kept), text.Bytes().begin()));
    }
}

void TestCharacterText::readAtAndOrdinals() {
    const CCharacterText text = TextOf(Bytes("Ilsa\0Mill\0Sells rye\0Bo\0Gate\0\0\0"));
    const CharacterRecord ilsa = text.ReadAt(0);
    QCOMPARE(ilsa.whereabouts, std::string_view("Mill"));
    QCOMPARE(ilsa.notes, std::string_view("Sells rye"));
    QCOMPARE(text.ReadAt(20).name, std::string_view("Bo"));
    QCOMPARE(text.ReadAt(20).whereabouts, std::string_view("Gate"));
    // Past the end: empty strings, no read outside the text.
    QCOMPARE(text.ReadAt(text.Size()).name, std::string_view());
    QCOMPARE(text.ReadAt(100000).notes, std::string_view());
    QVERIFY(!text.OffsetOf(2));
    QVERIFY(!text.OffsetOf(-1));
    QVERIFY(!text.Record(2));
}

void TestCharacterText::walkStops() {
    const CCharacterText text = TextOf(Bytes("A\0\0\0B\0\0\0C\0\0\0\0"));
    QList<int> seen;
    QList<size_t> offsets;
    text.ForEach([&](int ordinal, size_t offset, const CharacterRecord&) {
        seen << ordinal;
        offsets << offset;
        return ordinal < 1;
    });
    QCOMPARE(seen, QList<int>({0, 1}));
    QCOMPARE(offsets, QList<size_t>({0, 4}));
}

QTEST_APPLESS_MAIN(TestCharacterText)
#include "test_charactertext.moc"
