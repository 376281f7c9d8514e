// The kinds of places: names and keys (an unknown code included), the
// words that name a kind, counts per kind, and what to hide to show only
// some kinds.
#include "data/PlaceKinds.h"
#include "data/PlaceList.h"
#include "search/SearchQuery.h"

#include <QtTest>

class TestPlaceKinds : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void words_data();
    void words();
    void counts();
    void hiddenBeside_data();
    void hiddenBeside();
};

void TestPlaceKinds::names_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("singular");
    QTest::addColumn<QString>("plural");
    QTest::newRow("first") << 10 << "region" << "Région" << "Régions";
    QTest::newRow("an accent in the key's name") << 18 << "cite" << "Cité" << "Cités";
    QTest::newRow("two words") << 29 << "site" << "Site remarquable" << "Sites remarquables";
    QTest::newRow("unknown code") << 37 << "37" << "Type 37" << "Type 37";
    QTest::newRow("a code between known ones") << 12 << "12" << "Type 12" << "Type 12";
}

void TestPlaceKinds::names() {
    QFETCH(int, code);
    QFETCH(QString, key);
    QFETCH(QString, singular);
    QFETCH(QString, plural);
    QCOMPARE(QString::fromStdString(PlaceKindKey(code)), key);
    QCOMPARE(QString::fromStdString(PlaceKindName(code)), singular);
    QCOMPARE(QString::fromStdString(PlaceKindPlural(code)), plural);
}

// Every kind of the table has its own key, and its key names it back.
void TestPlaceKinds::words_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("code");  // -1: no kind
    QTest::newRow("key") << "port" << 21;
    QTest::newRow("name, capitals and accents") << "FORTERESSE" << 22;
    QTest::newRow("plural with accents") << "Régions" << 10;
    QTest::newRow("key without its accent") << "cite" << 18;
    QTest::newRow("code of an unknown kind") << "37" << 37;
    QTest::newRow("a word of no kind") << "chateau" << -1;
    QTest::newRow("a prefix is not a key") << "por" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("a code too large") << "99999999999" << -1;
}

void TestPlaceKinds::words() {
    QFETCH(QString, word);
    QFETCH(int, code);
    const auto kind = PlaceKindOfWord(word.toStdString());
    QCOMPARE(kind ? *kind : -1, code);
    for (const PlaceKind& known : KnownPlaceKinds()) QCOMPARE(PlaceKindOfWord(known.key), known.code);
}

void TestPlaceKinds::counts() {
    CPlaceList places;
    for (const int type : {21, 37, 10, 21, 21, 10}) places.Add("P", 0, 0, 0, type);
    const std::vector<PlaceKindCount> expected{{10, 2}, {21, 3}, {37, 1}};
    QVERIFY(CountPlaceKinds(places) == expected);
    QVERIFY(CountPlaceKinds(CPlaceList()).empty());
}

void TestPlaceKinds::hiddenBeside_data() {
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<QList<int>>("hidden");
    QTest::newRow("one kind") << QList<int>{21} << QList<int>{10, 37};
    QTest::newRow("a kind not present") << QList<int>{26} << QList<int>{10, 21, 37};
    QTest::newRow("all present") << QList<int>{37, 21, 10} << QList<int>{};
}

void TestPlaceKinds::hiddenBeside() {
    QFETCH(QList<int>, shown);
    QFETCH(QList<int>, hidden);
    CPlaceList places;
    for (const int type : {21, 37, 10}) places.Add("P", 0, 0, 0, type);
    const auto result = KindsHiddenBeside(places, std::vector<int32_t>(shown.begin(), shown.end()));
    QCOMPARE(QList<int>(result.begin(), result.end()), hidden);
}

QTEST_APPLESS_MAIN(TestPlaceKinds)
#include "test_placekinds.moc"
