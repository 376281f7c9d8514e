#include "npc/NameIndex.h"

#include <QtTest>

#include <map>
#include <random>

// The index against std::map on random names: first value kept, every name
// found, names never given not found, through any number of regrowths.
class TestNameIndex : public QObject {
    Q_OBJECT
private slots:
    void matchesMap_data();
    void matchesMap();
};

void TestNameIndex::matchesMap_data() {
    QTest::addColumn<int>("names");
    QTest::addColumn<int>("expected");  // the size given up front
    QTest::addColumn<int>("letters");   // few letters: many repeats
    QTest::addColumn<int>("maxLength");
    QTest::newRow("none") << 0 << 0 << 4 << 4;
    QTest::newRow("empty names only") << 20 << 0 << 1 << 0;
    QTest::newRow("repeats, grown from nothing") << 5000 << 0 << 2 << 10;
    QTest::newRow("mostly distinct, grown") << 20000 << 0 << 26 << 12;
    QTest::newRow("mostly distinct, sized") << 20000 << 20000 << 26 << 12;
    QTest::newRow("undersized") << 20000 << 10 << 26 << 12;
    QTest::newRow("zero bytes and high bytes") << 3000 << 0 << 256 << 3;
    QTest::newRow("long names") << 500 << 0 << 3 << 2000;
}

void TestNameIndex::matchesMap() {
    QFETCH(int, names);
    QFETCH(int, expected);
    QFETCH(int, letters);
    QFETCH(int, maxLength);
    std::mt19937 random(uint32_t(names * 31 + letters));
    const auto randomName = [&] {
        std::string name(std::uniform_int_distribution<int>(0, maxLength)(random), '\0');
        const int first = letters < 256 ? 'a' : 0;
        for (char& c : name) c = char(first + std::uniform_int_distribution<int>(0, letters - 1)(random));
        return name;
    };
    CNameIndex index{size_t(expected)};
    std::map<std::string, int> reference;
    for (int value = 0; value < names; ++value) {
        const std::string name = randomName();
        const int kept = reference.emplace(name, value).first->second;
        QCOMPARE(index.Insert(name, value), kept);
    }
    QCOMPARE(index.Size(), reference.size());
    for (const auto& [name, value] : reference) {
        const int* found = index.Find(name);
        QVERIFY(found);
        QCOMPARE(*found, value);
    }
    for (int probe = 0; probe < 1000; ++probe) {
        const std::string name = randomName() + "#";
        QCOMPARE(index.Find(name) != nullptr, reference.count(name) == 1);
    }
}

QTEST_APPLESS_MAIN(TestNameIndex)
#include "test_nameindex.moc"
