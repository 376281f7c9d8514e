#include "npc/CharacterPage.h"
#include "npc/LinkAddress.h"
#include "data/PlaceTable.h"

#include <QtTest>

namespace {

template <size_t N>
std::string Bytes(const char (&text)[N]) { return std::string(text, N - 1); }

const char* const kHead =
    "<FONT face=\"Tahoma\" size=\"3\"><b>Amrel</b><FONT size=2><BR><BR><b>Localisation<BR></b>";

struct Places {
    CPlaceList array;
    explicit Places(const std::vector<std::string>& names) {
        for (const std::string& name : names) array.Add(name, 0, 0, 0, 0);
    }
};

}  // namespace

Q_DECLARE_METATYPE(LinkKind)

class TestNpcPage : public QObject {
    Q_OBJECT
private slots:
    void page_data();
    void page();
    void pagesByOrdinal();
    void resolveLink_data();
    void resolveLink();
};

void TestNpcPage::page_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QByteArray>("page");
    const QByteArray head(kHead);
    QTest::newRow("empty notes: no heading")
        << QByteArray::fromStdString(Bytes("Amrel\0Near Kelwick.\0\0\0"))
        << head + "Near <a href=\"quil://locidx=0\">Kelwick</a>.<BR></FONT>";
    QTest::newRow("notes under their heading")
        << QByteArray::fromStdString(Bytes("Amrel\0Near Kelwick.\0Ask Amrel.\0\0"))
        << head + "Near <a href=\"quil://locidx=0\">Kelwick</a>.<BR><BR><b>Commentaires</b><BR>"
                  "Ask <a href=\"quil://npcidx=0\">Amrel</a>.</FONT>";
    QTest::newRow("notes of spaces only: no heading")
        << QByteArray::fromStdString(Bytes("Amrel\0Mill\0   \0\0"))
        << head + "Mill<BR></FONT>";
    QTest::newRow("a single space of notes: no heading")
        << QByteArray::fromStdString(Bytes("Amrel\0Mill\0 \0\0")) << head + "Mill<BR></FONT>";
    QTest::newRow("notes of a delimiter get the heading")
        << QByteArray::fromStdString(Bytes("Amrel\0Mill\0?\0\0"))
        << head + "Mill<BR><BR><b>Commentaires</b><BR>?</FONT>";
    QTest::newRow("empty whereabouts")
        << QByteArray::fromStdString(Bytes("Amrel\0\0\0\0")) << head + "<BR></FONT>";
    QTest::newRow("markup in the name escaped")
        << QByteArray::fromStdString(Bytes("<i>Jo & \"Mo\"\0Mill\0\0\0"))
        << QByteArray("<FONT face=\"Tahoma\" size=\"3\"><b>&lt;i&gt;Jo &amp; &quot;Mo&quot;</b>"
                      "<FONT size=2><BR><BR><b>Localisation<BR></b>Mill<BR></FONT>");
    QTest::newRow("markup in the texts escaped")
        << QByteArray::fromStdString(Bytes("Amrel\0<script>\0a&b\0\0"))
        << head + "&lt;script&gt;<BR><BR><b>Commentaires</b><BR>a&amp;b</FONT>";
}

void TestNpcPage::page() {
    QFETCH(QByteArray, table);
    QFETCH(QByteArray, page);
    const Places places({"Kelwick"});
    const std::string bytes = table.toStdString();
    const CCharacterPages pages(places.array, ByteBlock(bytes));
    QCOMPARE(QByteArray::fromStdString(pages.Page(0).value_or("none")), page);
}

void TestNpcPage::pagesByOrdinal() {
    const Places places({"Kelwick", "Ro-Dal"});
    std::string bytes = Bytes("Ilsa\0Gate\0See Bo.\0Bo\0Ro'Dal\0\0\0Cy\0\0\0");
    const CCharacterPages pages(places.array, ByteBlock(bytes));
    bytes.assign(bytes.size(), '\0');  // the pages keep their own copy
    QCOMPARE(pages.Text().Count(), 2);
    QCOMPARE(pages.PlaceCount(), 2);
    QVERIFY(pages.Page(0)->find("See <a href=\"quil://npcidx=1\">Bo</a>.") != std::string::npos);
    QVERIFY(pages.Page(1)->find("<a href=\"quil://locidx=1\">Ro'Dal</a><BR></FONT>") !=
            std::string::npos);
    QVERIFY(!pages.Page(2));  // past the end marker: the tail is never shown
    QVERIFY(!pages.Page(-1));
}

void TestNpcPage::resolveLink_data() {
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<LinkKind>("kind");
    QTest::addColumn<int>("index");
    auto row = [](const char* name, const char* url, LinkKind kind, int index) {
        QTest::newRow(name) << QByteArray(url) << kind << index;
    };
    // Four places, three characters.
    row("place", "quil://locidx=3", LinkKind::Place, 3);
    row("character", "quil://npcidx=2", LinkKind::Character, 2);
    row("first place", "quil://locidx=0", LinkKind::Place, 0);
    row("place one past the end", "quil://locidx=4", LinkKind::OutOfRange, 0);
    row("character one past the end", "quil://npcidx=3", LinkKind::OutOfRange, 0);
    row("negative", "quil://npcidx=-1", LinkKind::OutOfRange, 0);
    row("far too large", "quil://locidx=99999999999999999999999", LinkKind::OutOfRange, 0);
    row("wraps to a small number in 32 bits", "quil://locidx=4294967297", LinkKind::OutOfRange, 0);
    row("white space and sign", "quil://locidx= \t+2", LinkKind::Place, 2);
    row("digits up to the first other byte", "quil://npcidx=1x5", LinkKind::Character, 1);
    row("no digits reads 0", "quil://locidx=abc", LinkKind::Place, 0);
    row("nothing after the equals sign", "quil://npcidx=", LinkKind::Character, 0);
    row("place tested first", "x/npcidx=1/locidx=2", LinkKind::Place, 2);
    row("scheme not examined", "http://host/locidx=1", LinkKind::Place, 1);
    row("web address", "https://example.org/page", LinkKind::External, 0);
    row("key is case-sensitive", "quil://LOCIDX=1", LinkKind::External, 0);
    row("slash required", "quil:locidx=1", LinkKind::External, 0);
    row("empty", "", LinkKind::External, 0);
}

void TestNpcPage::resolveLink() {
    QFETCH(QByteArray, url);
    QFETCH(LinkKind, kind);
    QFETCH(int, index);
    const LinkAction action = ResolveLink(url.toStdString(), 4, 3);
    QCOMPARE(action.kind, kind);
    QCOMPARE(action.index, index);
}

QTEST_APPLESS_MAIN(TestNpcPage)
#include "test_npcpage.moc"
