#include "npc/CrossLinker.h"
#include "npc/LinkTargets.h"
#include "npc/Tokenizer.h"
#include "data/PlaceTable.h"

#include <QtTest>

#include <memory>
#include <random>

namespace {

std::string CharacterTable(const std::vector<std::string>& names) {
    std::string table;
    for (const std::string& name : names) table += name + std::string("\0where\0notes\0", 13);
    return table + std::string(1, '\0');
}

// A place table and a character text standing in for the real ones.
struct World {
    CPlaceList places;
    std::string table;
    std::unique_ptr<CCharacterText> characters;
    std::unique_ptr<CLinkTargets> targets;

    World(const std::vector<std::string>& placeNames, const std::vector<std::string>& names)
        : table(CharacterTable(names)) {
        for (const std::string& name : placeNames) places.Add(name, 0, 0, 0, 0);
        characters = std::make_unique<CCharacterText>(ByteBlock(table));
        targets = std::make_unique<CLinkTargets>(places, *characters);
    }
};

// Places 0-7 and characters 0-2 are the usual examples; the rest are ours,
// named so that no example text reaches them.
const World& Examples() {
    static const World world(
        {"Kelwick", "Quen Harrow", "Oska, Brask Quarter", "Oska, Mill Quarter", "Ro-Dal",
         "Harrow", "Harrow", "Amrel Fort",
         "Tor of Vell", "Lost Four Word Town", "Vey-Orn'Tal", "\xC9lan", std::string(1500, 'x'),
         std::string(1200, 'y') + ", far"},
        {"Amrel", "Kelwick", "Bo Jiss", "Mad&Bad", "\"Tam\"", "amrel", "R&"});
    return world;
}

QString Describe(const std::vector<Token>& tokens) {
    QStringList parts;
    for (const Token& t : tokens)
        parts << QString::fromLatin1(t.kind == TokenKind::Word ? "W[" : "D[") +
                     QString::fromLatin1(t.text.c_str()) + "]";
    return parts.join(' ');
}

// The lookups as plain walks over the tables, to hold the indexes against.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return FoldAsciiCase(a) == FoldAsciiCase(b);
}

int WalkPlacePass(const CPlaceArray& places, std::string phrase, int pass) {
    if (pass == 2) {
        const size_t apostrophe = phrase.find('\'');
        if (apostrophe == std::string::npos) return -1;
        phrase[apostrophe] = '-';
    }
    int found = -1;
    for (int i = 0; i < places.GetSize(); ++i) {
        std::string_view name = places[i]->m_strName;
        if (pass == 1) {
            const size_t comma = name.find(',');
            if (comma == std::string_view::npos) continue;
            name = name.substr(0, comma);
        }
        if (!SameIgnoringAsciiCase(name, phrase)) continue;
        if (pass == 1) return i;
        if (found >= 0) return -1;
        found = i;
    }
    return found;
}

int WalkCharacters(const CCharacterText& text, std::string_view phrase) {
    int found = -1;
    text.ForEach([&](int ordinal, size_t, const CharacterRecord& r) {
        if (SameIgnoringAsciiCase(r.name, phrase)) found = ordinal;
        return found < 0;
    });
    return found;
}

}  // namespace

class TestCrossLinker : public QObject {
    Q_OBJECT
private slots:
    void tokenize_data();
    void tokenize();
    void linkify_data();
    void linkify();
    void placePasses_data();
    void placePasses();
    void indexesAnswerAsTheWalks();
    void longPhrases();
};

void TestCrossLinker::tokenize_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("tokens");
    QTest::newRow("words then a full stop") << QByteArray("Seen in Kelwick.")
                                            << "W[Seen] W[in] W[Kelwick] D[.]";
    QTest::newRow("comma and its space form one token")
        << QByteArray("Near Quen Harrow, ask Amrel.")
        << "W[Near] W[Quen] W[Harrow] D[, ] W[ask] W[Amrel] D[.]";
    QTest::newRow("space before a parenthesis joins it") << QByteArray("In Oska (east).")
                                                         << "W[In] W[Oska] D[ (] W[east] D[).]";
    QTest::newRow("apostrophe is a word character") << QByteArray("Ro'Dal") << "W[Ro'Dal]";
    QTest::newRow("spaces around a delimiter") << QByteArray("abc , def") << "W[abc] D[ , ] W[def]";
    QTest::newRow("one leading space dropped") << QByteArray(" ,abc") << "D[,] W[abc]";
    QTest::newRow("only the first leading space") << QByteArray("  ,abc") << "D[ ,] W[abc]";
    QTest::newRow("spaces before a word dropped") << QByteArray("   abc") << "W[abc]";
    QTest::newRow("trailing spaces after a word") << QByteArray("abc   ") << "W[abc]";
    QTest::newRow("trailing spaces after a delimiter") << QByteArray("abc;  ") << "W[abc] D[;  ]";
    QTest::newRow("spaces only") << QByteArray("   ") << "";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("every delimiter") << QByteArray("a().,;:/!?_*b") << "W[a] D[().,;:/!?_*] W[b]";
    QTest::newRow("tab hyphen quote are word bytes")
        << QByteArray("a\tb-c\"d<e&f") << "W[a\tb-c\"d<e&f]";
    QTest::newRow("a zero byte ends the text") << QByteArray("abc\0def", 7) << "W[abc]";
}

void TestCrossLinker::tokenize() {
    QFETCH(QByteArray, text);
    QFETCH(QString, tokens);
    QCOMPARE(Describe(TokenizeText(std::string_view(text.constData(), size_t(text.size())))),
             tokens);
}

void TestCrossLinker::linkify_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("html");
    auto row = [](const char* name, const char* text, const char* html) {
        QTest::newRow(name) << QByteArray(text) << QByteArray(html);
    };
    // The examples that fix the linker's behaviour.
    row("place wins over character", "Seen in Kelwick.",
        "Seen in <a href=\"quil://locidx=0\">Kelwick</a>.");
    row("two-word place, two spaces after the comma", "Near Quen Harrow, ask Amrel.",
        "Near <a href=\"quil://locidx=1\">Quen Harrow</a>,  ask <a href=\"quil://npcidx=0\">Amrel</a>.");
    row("comma pass takes the first match", "In Oska (east).",
        "In <a href=\"quil://locidx=2\">Oska</a> (east).");
    row("apostrophe pass keeps the apostrophe", "Ro'Dal", "<a href=\"quil://locidx=4\">Ro'Dal</a>");
    row("ambiguous place stays plain", "Harrow", "Harrow");
    row("scan resumes behind a link", "Quen Harrow Harrow",
        "<a href=\"quil://locidx=1\">Quen Harrow</a> Harrow");
    row("shortest window first", "Amrel Fort", "<a href=\"quil://npcidx=0\">Amrel</a> Fort");
    row("link text joined by one space", "Bo  Jiss", "<a href=\"quil://npcidx=2\">Bo Jiss</a>");
    row("case ignored, kept in the text", "KELWICK", "<a href=\"quil://locidx=0\">KELWICK</a>");
    row("comma pass compares the head only", "Brask Quarter", "Brask Quarter");
    row("space after a comma token", "abc, def", "abc,  def");
    row("adjacent words", "abc def", "abc def");
    row("no space after an opening delimiter", "(abc)", "(abc)");
    row("spaces around a delimiter kept", "abc , def", "abc ,  def");
    row("one leading space dropped", " ,abc", ",abc");
    row("second leading space kept", "  ,abc", " ,abc");
    row("three spaces", "   ", "");
    row("empty", "", "");
    // Windows: where they start, how far they reach, where the scan resumes.
    row("three-word window in the middle", "x Tor of Vell y",
        "x <a href=\"quil://locidx=8\">Tor of Vell</a> y");
    row("three-word window ending the text", "Tor of Vell",
        "<a href=\"quil://locidx=8\">Tor of Vell</a>");
    row("window cut short by the text's end", "a Tor of", "a Tor of");
    row("window never spans a delimiter", "Tor of, Vell", "Tor of,  Vell");
    row("four words are never a phrase", "Lost Four Word Town", "Lost Four Word Town");
    row("failed start retried one word later", "Quen Quen Harrow",
        "Quen <a href=\"quil://locidx=1\">Quen Harrow</a>");
    row("two links side by side", "Bo Jiss Kelwick",
        "<a href=\"quil://npcidx=2\">Bo Jiss</a> <a href=\"quil://locidx=0\">Kelwick</a>");
    row("link right after a bare delimiter", "Kelwick.Kelwick",
        "<a href=\"quil://locidx=0\">Kelwick</a>.<a href=\"quil://locidx=0\">Kelwick</a>");
    row("link after a delimiter ending in a space", "(Amrel) Kelwick",
        "(<a href=\"quil://npcidx=0\">Amrel</a>)  <a href=\"quil://locidx=0\">Kelwick</a>");
    row("tab inside a word", "Bo\tJiss", "Bo\tJiss");
    row("first of a duplicated name wins", "amrel", "<a href=\"quil://npcidx=0\">amrel</a>");
    row("only the first apostrophe becomes a hyphen", "Vey'Orn'Tal Vey'Orn-Tal",
        "<a href=\"quil://locidx=10\">Vey'Orn'Tal</a> Vey'Orn-Tal");
    row("only a to z ignore case", "\xE9lan \xC9LAN",
        "\xE9lan <a href=\"quil://locidx=11\">\xC9LAN</a>");
    // Escaping: the page gets entities, the lookups and the spacing the raw text.
    row("markup characters escaped", "Fish & <chips> \"x\"",
        "Fish &amp; &lt;chips&gt; &quot;x&quot;");
    row("name holding an ampersand", "Mad&Bad", "<a href=\"quil://npcidx=3\">Mad&amp;Bad</a>");
    row("name in quotation marks", "\"Tam\"", "<a href=\"quil://npcidx=4\">&quot;Tam&quot;</a>");
    row("escaped ampersand still followed by a space", "S& Kelwick",
        "S&amp; <a href=\"quil://locidx=0\">Kelwick</a>");
    row("link text ending in an ampersand", "R& Amrel",
        "<a href=\"quil://npcidx=6\">R&amp;</a> <a href=\"quil://npcidx=0\">Amrel</a>");
}

void TestCrossLinker::linkify() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, html);
    const std::string out = LinkifyText(text.toStdString(), *Examples().targets);
    QCOMPARE(QByteArray::fromStdString(out), html);
}

void TestCrossLinker::placePasses_data() {
    QTest::addColumn<QByteArray>("phrase");
    QTest::addColumn<int>("pass");
    QTest::addColumn<int>("index");  // -1: no match
    QTest::newRow("whole name") << QByteArray("quen harrow") << 0 << 1;
    QTest::newRow("whole name with comma") << QByteArray("Oska, Mill Quarter") << 0 << 3;
    QTest::newRow("ambiguous whole name") << QByteArray("Harrow") << 0 << -1;
    QTest::newRow("head needs pass 1") << QByteArray("Oska") << 0 << -1;
    QTest::newRow("first head wins") << QByteArray("OSKA") << 1 << 2;
    QTest::newRow("names without comma skipped") << QByteArray("Kelwick") << 1 << -1;
    QTest::newRow("no apostrophe, no pass 2") << QByteArray("Ro-Dal") << 2 << -1;
    QTest::newRow("apostrophe read as hyphen") << QByteArray("ro'dal") << 2 << 4;
    QTest::newRow("apostrophe pass keeps ambiguity") << QByteArray("Harrow'") << 2 << -1;
    QTest::newRow("unknown pass") << QByteArray("Kelwick") << 3 << -1;
}

void TestCrossLinker::placePasses() {
    QFETCH(QByteArray, phrase);
    QFETCH(int, pass);
    QFETCH(int, index);
    QCOMPARE(Examples().targets->FindPlacePass(phrase.toStdString(), pass).value_or(-1), index);
}

// Small alphabets make repeated names, commas, apostrophes and case
// differences common; every lookup must answer as the walk over the tables.
void TestCrossLinker::indexesAnswerAsTheWalks() {
    std::mt19937 random(20240611);
    const std::string alphabet = "aAbB-',";
    auto randomText = [&](size_t maxLength) {
        std::string s(1 + random() % maxLength, ' ');
        for (char& c : s) c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> placeNames, characterNames;
        for (int i = 0; i < 30; ++i) placeNames.push_back(randomText(4));
        for (int i = 0; i < 30; ++i) characterNames.push_back(randomText(3));
        const World world(placeNames, characterNames);
        for (int probe = 0; probe < 300; ++probe) {
            const std::string phrase = randomText(4);
            for (int pass = 0; pass < 3; ++pass)
                QCOMPARE(world.targets->FindPlacePass(phrase, pass).value_or(-1),
                         WalkPlacePass(world.places, phrase, pass));
            QCOMPARE(world.targets->FindCharacter(phrase).value_or(-1),
                     WalkCharacters(*world.characters, phrase));
        }
    }
}

void TestCrossLinker::longPhrases() {
    const CLinkTargets& targets = *Examples().targets;
    QCOMPARE(targets.FindPlace(std::string(1500, 'X')).value_or(-1), 12);
    QCOMPARE(targets.FindPlace(std::string(1200, 'y')).value_or(-1), 13);
    const std::string text = "at " + std::string(1500, 'x') + ".";
    const std::string html = LinkifyText(text, targets);
    QCOMPARE(QByteArray::fromStdString(html),
             QByteArray::fromStdString("at <a href=\"quil://locidx=12\">" + std::string(1500, 'x') +
                                       "</a>."));
}

QTEST_APPLESS_MAIN(TestCrossLinker)
#include "test_crosslinker.moc"
