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
    QTest::addColumn<bool>("batched");  // InsertBatch, in batches of 1 to kBatch names
    QTest::newRow("none") << 0 << 0 << 4 << 4 << false;
    QTest::newRow("empty names only") << 20 << 0 << 1 << 0 << false;
    QTest::newRow("repeats, grown from nothing") << 5000 << 0 << 2 << 10 << false;
    QTest::newRow("mostly distinct, grown") << 20000 << 0 << 26 << 12 << false;
    QTest::newRow("mostly distinct, sized") << 20000 << 20000 << 26 << 12 << false;
    QTest::newRow("undersized") << 20000 << 10 << 26 << 12 << false;
    QTest::newRow("zero bytes and high bytes") << 3000 << 0 << 256 << 3 << false;
    QTest::newRow("long names") << 500 << 0 << 3 << 2000 << false;
    QTest::newRow("batched repeats") << 5000 << 0 << 2 << 10 << true;
    QTest::newRow("batched distinct, undersized") << 20000 << 10 << 26 << 12 << true;
    QTest::newRow("batched zero bytes") << 3000 << 0 << 256 << 3 << true;
}

void TestNameIndex::matchesMap() {
    QFETCH(int, names);
    QFETCH(int, expected);
    QFETCH(int, letters);
    QFETCH(int, maxLength);
    QFETCH(bool, batched);
    std::mt19937 random(uint32_t(names * 31 + letters));
    const auto randomName = [&] {
        std::string name(std::uniform_int_distribution<int>(0, maxLength)(random), '\0');
        const int first = letters < 256 ? 'a' : 0;
        for (char& c : name) c = char(first + std::uniform_int_distribution<int>(0, letters - 1)(random));
        return name;
    };
    CNameIndex index{size_t(expected)};
    std::map<std::string, int> reference;
    std::vector<std::string> batch;
    std::vector<int> values;
    size_t batchSize = 1;
    const auto flush = [&] {
        index.InsertBatch(batch.data(), values.data(), batch.size());
        batch.clear();
        values.clear();
        batchSize = std::uniform_int_distribution<size_t>(1, CNameIndex::kBatch)(random);
    };
    for (int value = 0; value < names; ++value) {
        const std::string name = randomName();
        const int kept = reference.emplace(name, value).first->second;
        if (!batched) {
            QCOMPARE(index.Insert(name, value), kept);
            continue;
        }
        batch.push_back(name);
        values.push_back(value);
        if (batch.size() == batchSize) flush();
    }
    flush();
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
