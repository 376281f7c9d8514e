#include "npc/CrossLinker.h"
#include "npc/LinkTargets.h"
#include "npc/LocationLink.h"

#include <QtTest>

// The links the cross-linker finds, as the world generator reads them to
// check its texts: the targets built from names alone, and the list of
// phrases that LinkifyText turns into links.
class TestLinkFinder : public QObject {
    Q_OBJECT
private slots:
    void found_data();
    void found();
    void vendorLocation_data();
    void vendorLocation();
    void foldCase_data();
    void foldCase();
};

namespace {

const std::vector<std::string> kPlaces = {"Kelwick", "Quen Harrow", "Oska, Brask Quarter",
                                          "Harrow",  "Harrow",      "Ro-Dal"};
const std::vector<std::string> kCharacters = {"Amrel", "Kelwick", "Bo Jiss", "Amrel"};

// "P3:phrase" for place 3, "C0:phrase" for character 0, in text order.
QStringList Describe(const std::vector<FoundLink>& links) {
    QStringList parts;
    for (const FoundLink& link : links)
        parts << QString(link.kind == FoundLink::Place ? "P" : "C") + QString::number(link.number) + ":" +
                     QString::fromStdString(link.phrase);
    return parts;
}

}  // namespace

void TestLinkFinder::found_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("withCharacters");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("place over character, first character record")
        << QByteArray("met Amrel at Kelwick.") << true << QStringList{"C0:Amrel", "P0:Kelwick"};
    QTest::newRow("two words, shortest first") << QByteArray("to Quen Harrow") << true << QStringList{"P1:Quen Harrow"};
    QTest::newRow("a name two places share") << QByteArray("in Harrow") << true << QStringList{};
    QTest::newRow("part before the comma") << QByteArray("near Oska") << true << QStringList{"P2:Oska"};
    QTest::newRow("apostrophe read as a hyphen") << QByteArray("Ro'Dal") << true << QStringList{"P5:Ro'Dal"};
    QTest::newRow("case ignored, phrase as written") << QByteArray("bo jiss") << true << QStringList{"C2:bo jiss"};
    QTest::newRow("a delimiter ends the window")
        << QByteArray("Bo, Jiss; Bo  Jiss") << true << QStringList{"C2:Bo Jiss"};
    QTest::newRow("text ends at a zero byte") << QByteArray("Amrel\0Kelwick", 13) << true << QStringList{"C0:Amrel"};
    QTest::newRow("places only") << QByteArray("Amrel of Kelwick") << false << QStringList{"P0:Kelwick"};
}

void TestLinkFinder::found() {
    QFETCH(QByteArray, text);
    QFETCH(bool, withCharacters);
    QFETCH(QStringList, links);
    const CLinkTargets targets(kPlaces, withCharacters ? kCharacters : std::vector<std::string>{});
    const std::string_view view(text.constData(), size_t(text.size()));
    QCOMPARE(Describe(FindLinks(view, targets)), links);
    // The page shows exactly these links.
    QCOMPARE(int(QString::fromStdString(LinkifyText(view, targets)).count("<a href=")), int(links.size()));
}

// Names compare with a to z folded to capitals, and no other byte touched.
void TestLinkFinder::foldCase_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("folded");
    QTest::newRow("a to z") << QByteArray("abcxyz Kel") << QByteArray("ABCXYZ KEL");
    QTest::newRow("neighbours of the letters") << QByteArray("`{@[") << QByteArray("`{@[");
    QTest::newRow("beyond ASCII") << QByteArray("\xE9\xFF\x80\xE1") << QByteArray("\xE9\xFF\x80\xE1");
    QTest::newRow("zero byte kept") << QByteArray("a\0b", 3) << QByteArray("A\0B", 3);
    QTest::newRow("long text") << QByteArray(100, 'q') << QByteArray(100, 'Q');
}

void TestLinkFinder::foldCase() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, folded);
    QCOMPARE(QByteArray::fromStdString(FoldAsciiCase(std::string_view(text.constData(), size_t(text.size())))), folded);
}

QTEST_APPLESS_MAIN(TestLinkFinder)
#include "test_linkfinder.moc"

void TestLinkFinder::vendorLocation_data() {
    QTest::addColumn<QByteArray>("location");
    QTest::addColumn<int>("place");  // -1: names no place
    QTest::newRow("whole text") << QByteArray("Kelwick") << 0;
    QTest::newRow("text before the comma") << QByteArray("Quen Harrow, by the well") << 1;
    QTest::newRow("case and blanks as the linker reads them") << QByteArray("  quen   HARROW ,east gate") << 1;
    QTest::newRow("a name with a comma, whole") << QByteArray("Oska, Brask Quarter") << 2;
    QTest::newRow("head of a name with a comma") << QByteArray("Oska, south market") << 2;
    QTest::newRow("a name two places share") << QByteArray("Harrow, docks") << -1;
    QTest::newRow("apostrophe read as a hyphen") << QByteArray("Ro'Dal") << 5;
    QTest::newRow("names no place") << QByteArray("On the road, wandering") << -1;
    QTest::newRow("a place named later in the text") << QByteArray("The road to Kelwick") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
    QTest::newRow("only a comma") << QByteArray(" , ") << -1;
    QTest::newRow("text ends at a zero byte") << QByteArray("Kelwick\0, Ro-Dal", 16) << 0;
}

void TestLinkFinder::vendorLocation() {
    QFETCH(QByteArray, location);
    QFETCH(int, place);
    const CLinkTargets targets(kPlaces, kCharacters);
    const auto found = LocationPlace(std::string_view(location.constData(), size_t(location.size())), targets);
    QCOMPARE(found.value_or(-1), place);
}
