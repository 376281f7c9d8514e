#include "TableBuilder.h"

#include "data/PlaceTable.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace TestTables;

namespace {

struct Parsed {
    CPlaceList places;
    bool complete = false;
    explicit Parsed(const Bytes& bytes) { complete = ParsePlaceTable(ByteBlock(bytes), places); }
};

const std::vector<Place> kThree = {
    {"Kelwick", 21, 3, 1200, -4500},
    {"Orvane, Salt Ward", 10, 0, -119535, 202171},
    {"Dun-Carrow", 29, 5, 166797, -119573},
};

}  // namespace

Q_DECLARE_METATYPE(std::vector<Place>)

class TestPlaceTable : public QObject {
    Q_OBJECT
private slots:
    void records_data();
    void records();
    void longestName();
    void cutAtEveryOffset();
    void missingTerminator();
    void randomBytes();
    void growth_data();
    void growth();
    void growthIsAmortised_data();
    void growthIsAmortised();
    void newSlotsAreNull();
    void listKeepsPlacesInPlace();
};

void TestPlaceTable::records_data() {
    QTest::addColumn<std::vector<Place>>("input");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("fields");  // x, y, level, type of the last record

    QTest::newRow("empty table") << std::vector<Place>{} << QStringList{} << QList<int>{};
    QTest::newRow("one-byte name") << std::vector<Place>{{"K", 10, 1, 5, 6}} << QStringList{"K"}
                                   << QList<int>{5, 6, 1, 10};
    QTest::newRow("zero byte cuts the name, fields still follow the whole field")
        << std::vector<Place>{{std::string("Ab\0cd", 5), 18, 2, 77, 88}} << QStringList{"Ab"}
        << QList<int>{77, 88, 2, 18};
    QTest::newRow("name of only a zero byte") << std::vector<Place>{{std::string(1, '\0'), 1, 2, 3, 4}}
                                              << QStringList{""} << QList<int>{3, 4, 2, 1};
    QTest::newRow("negative coordinates stay signed")
        << std::vector<Place>{{"Vask", 20, 4, -119535, -119573}} << QStringList{"Vask"}
        << QList<int>{-119535, -119573, 4, 20};
    QTest::newRow("words are zero-extended")
        << std::vector<Place>{{"Top", 0xFFFF, 0xFFFF, 0, 0}} << QStringList{"Top"}
        << QList<int>{0, 0, 65535, 65535};
    QTest::newRow("extreme coordinates")
        << std::vector<Place>{{"Edge", 11, 5, INT32_MIN, INT32_MAX}} << QStringList{"Edge"}
        << QList<int>{INT32_MIN, INT32_MAX, 5, 11};
    QTest::newRow("repeated names are two places, in table order")
        << std::vector<Place>{{"Mire", 19, 3, 1, 2}, {"Ash", 19, 3, 3, 4}, {"Mire", 19, 5, 7, 8}}
        << QStringList{"Mire", "Ash", "Mire"} << QList<int>{7, 8, 5, 19};
}

void TestPlaceTable::records() {
    QFETCH(std::vector<Place>, input);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, fields);
    Parsed parsed(PlaceTable(input));
    QVERIFY(parsed.complete);
    QCOMPARE(parsed.places.GetSize(), names.size());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(QString::fromStdString(parsed.places[i]->m_strName), names[i]);
    if (fields.isEmpty()) return;
    const CPlace* last = parsed.places[parsed.places.GetSize() - 1];
    QCOMPARE(QList<int>({last->m_x, last->m_y, last->m_nLevel, last->m_nType}), fields);
}

void TestPlaceTable::longestName() {
    const std::string name(65535, 'n');
    Parsed parsed(PlaceTable({{name, 10, 2, -1, 1}, {"After", 11, 3, 9, 9}}));
    QVERIFY(parsed.complete);
    QCOMPARE(parsed.places.GetSize(), 2);
    QCOMPARE(parsed.places[0]->m_strName.size(), size_t(65535));
    QCOMPARE(parsed.places[0]->m_x, -1);
    QCOMPARE(parsed.places[1]->m_strName, std::string("After"));
}

// A table cut at any byte keeps exactly the records that lie whole before the
// cut, and never reads past it (the sanitizer build checks the latter).
void TestPlaceTable::cutAtEveryOffset() {
    const Bytes full = PlaceTable(kThree);
    std::vector<size_t> recordEnds;
    size_t end = 0;
    for (const Place& p : kThree) recordEnds.push_back(end += 14 + p.name.size());

    for (size_t cut = 0; cut < full.size(); ++cut) {
        // A heap copy of exactly `cut` bytes, so any overread is caught.
        std::unique_ptr<unsigned char[]> prefix(new unsigned char[cut ? cut : 1]);
        std::copy(full.begin(), full.begin() + long(cut), prefix.get());
        CPlaceList places;
        const bool complete = ParsePlaceTable(ByteBlock(prefix.get(), cut), places);
        const int whole = int(std::count_if(recordEnds.begin(), recordEnds.end(),
                                            [cut](size_t e) { return e <= cut; }));
        QVERIFY2(!complete, qPrintable(QString("cut at %1").arg(cut)));
        QCOMPARE(places.GetSize(), whole);
        for (int i = 0; i < whole; ++i) QCOMPARE(places[i]->m_strName, kThree[size_t(i)].name);
    }
    Parsed parsed(full);
    QVERIFY(parsed.complete);
    QCOMPARE(parsed.places.GetSize(), 3);
}

void TestPlaceTable::missingTerminator() {
    Bytes bytes = PlaceTable(kThree);
    bytes.resize(bytes.size() - 2);
    Parsed parsed(bytes);
    QVERIFY(!parsed.complete);
    QCOMPARE(parsed.places.GetSize(), 3);
}

void TestPlaceTable::randomBytes() {
    QRandomGenerator random(1036);
    for (int round = 0; round < 3000; ++round) {
        const size_t size = random.bounded(400);
        std::unique_ptr<unsigned char[]> bytes(new unsigned char[size ? size : 1]);
        for (size_t i = 0; i < size; ++i)
            // Mostly small length words, so that records do occur.
            bytes[i] = uchar(random.bounded(4) == 0 ? random.bounded(256) : random.bounded(24));
        CPlaceList places;
        ParsePlaceTable(ByteBlock(bytes.get(), size), places);
        size_t total = 0;
        for (const CPlace* p : places) total += 14 + p->m_strName.size();
        QVERIFY(total <= size);
    }
}

void TestPlaceTable::growth_data() {
    QTest::addColumn<int>("growBy");
    QTest::addColumn<int>("appends");
    QTest::addColumn<int>("capacity");
    QTest::newRow("first allocation is exact") << 0 << 1 << 1;
    QTest::newRow("small arrays grow by four") << 0 << 2 << 5;
    QTest::newRow("within the step") << 0 << 5 << 5;
    QTest::newRow("next step") << 0 << 6 << 9;
    QTest::newRow("half the count once past eight") << 0 << 20 << 28;
    QTest::newRow("fixed step") << 10 << 2 << 11;
    QTest::newRow("fixed step stays fixed") << 10 << 30 << 31;
}
void TestPlaceTable::growth() {
    QFETCH(int, growBy);
    QFETCH(int, appends);
    QFETCH(int, capacity);
    CPlaceArray array;
    array.SetGrowBy(growBy);
    CPlace dummy("x", 0, 0, 0, 0);
    for (int i = 0; i < appends; ++i) QCOMPARE(array.Add(&dummy), i);
    QCOMPARE(array.GetSize(), appends);
    QCOMPARE(array.GetCapacity(), capacity);
    array.SetSize(0);
    QCOMPARE(array.GetCapacity(), 0);
}

// Appending one by one copies the storage a logarithmic number of times, so
// a table of millions of places loads in linear time.
void TestPlaceTable::growthIsAmortised_data() {
    QTest::addColumn<int>("appends");
    QTest::addColumn<int>("maxReallocations");
    QTest::newRow("a thousand") << 1000 << 20;
    QTest::newRow("a million") << 1000000 << 40;
    QTest::newRow("three million") << 3000000 << 43;
}

void TestPlaceTable::growthIsAmortised() {
    QFETCH(int, appends);
    QFETCH(int, maxReallocations);
    CPlaceArray array;
    CPlace dummy("x", 0, 0, 0, 0);
    int reallocations = 0;
    int capacity = 0;
    for (int i = 0; i < appends; ++i) {
        array.Add(&dummy);
        if (array.GetCapacity() != capacity) ++reallocations;
        capacity = array.GetCapacity();
    }
    QCOMPARE(array.GetSize(), appends);
    QCOMPARE(array[appends - 1], &dummy);
    QVERIFY2(reallocations <= maxReallocations, qPrintable(QString::number(reallocations)));
    // Never more than half again what is held: memory stays bounded too.
    QVERIFY(qint64(capacity) <= qint64(appends) * 3 / 2 + 4);
}

void TestPlaceTable::newSlotsAreNull() {
    CPlace a("a", 0, 0, 0, 0), b("b", 0, 0, 0, 0);
    CPlaceArray places;
    places.Add(&a);
    places.SetSize(3);
    QCOMPARE(places[1], nullptr);
    QCOMPARE(places[2], nullptr);
    QCOMPARE(places.Add(&b), 3);
    QCOMPARE(places[0], &a);
}

// The list owns its places and never moves them while it grows: pointers
// taken early (the place bar's items, the highlight set) stay good. Its
// array grows by the array's own rule.
void TestPlaceTable::listKeepsPlacesInPlace() {
    CPlaceList places;
    const CPlace* first = &places.Add("Kelwick", 1200, -4500, 3, 21);
    for (int i = 0; i < 19; ++i) places.Add("p" + std::to_string(i), i, -i, 5, 20);
    QCOMPARE(places.Array().GetCapacity(), 28);
    for (int i = 19; i < 100000; ++i) places.Add("p" + std::to_string(i), i, -i, 5, 20);
    QCOMPARE(places.GetSize(), 100001);
    QCOMPARE(places[0], first);
    QCOMPARE(first->m_strName, std::string("Kelwick"));
    QCOMPARE(first->m_y, -4500);
    QCOMPARE(places[100000]->m_x, 99999);
    QCOMPARE(places.Array()[100000], places[100000]);
}

QTEST_APPLESS_MAIN(TestPlaceTable)
#include "test_placetable.moc"
