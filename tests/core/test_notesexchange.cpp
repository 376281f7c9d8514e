// The player's layer as a file: what is written reads back the same, what a
// hostile file gets (refused, or mended and said), the merge rule, and the
// documented example.
#include "notes/IsoTime.h"
#include "notes/JsonReader.h"
#include "notes/NotesExchange.h"

#include <QtTest>

#include <fstream>
#include <set>
#include <sstream>

namespace {

const CNotesBounds kMap{0, 0, 3300, 3800};
// The world the map covers, as the program reads files with.
const CNotesBounds kWorld{-125000, -130000, 175000, 220000};

CNoteItem Place(const std::string& name, bool visited, bool favourite, const std::string& note) {
    CNoteItem item;
    item.kind = CNoteItem::Kind::Place;
    item.name = name;
    item.x = 1324;
    item.y = 443;
    item.id = PlaceKey(name, item.x, item.y);
    item.visited = visited;
    item.favourite = favourite;
    item.note = note;
    item.updated = 1796796000123;
    return item;
}

CNoteItem Pin(const std::string& title, const std::string& note, PinColour colour) {
    CNoteItem item;
    item.kind = CNoteItem::Kind::Pin;
    item.id = "pin:0123456789abcdef0123456789abcdef";
    item.name = title;
    item.x = 3299;
    item.y = 0;
    item.note = note;
    item.colour = colour;
    item.updated = 1796796000999;
    return item;
}

// A file of our format around the given lists' items.
QByteArray Doc(const QByteArray& places, const QByteArray& pins = "") {
    return R"({"format": "zerim-notes", "version": 1, "places": [)" + places + R"(], "pins": [)" + pins + "]}";
}
const QByteArray kPin = R"({"id": "pin:0123456789abcdef0123456789abcdef", "x": 10, "y": 20, "title": "t"})";

std::string ReadText(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

Q_DECLARE_METATYPE(CNoteItem)

class TestNotesExchange : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void geoJson();
    void inPicturePixels();
    void hostile_data();
    void hostile();
    void jsonLimits_data();
    void jsonLimits();
    void isoTime_data();
    void isoTime();
    void merge_data();
    void merge();
    void example();
};

void TestNotesExchange::roundTrip_data() {
    QTest::addColumn<CNoteItem>("item");
    QTest::newRow("visited place") << Place("Hagholm Mines", true, false, "");
    QTest::newRow("favourite with a note of several lines, accents and markup")
        << Place("Château d'Ys", false, true, "Première ligne\n\tretrait <b>&amp;</b> \"guillemets\" \\ fin");
    QTest::newRow("pin") << Pin("Gué", "note", PinColour::Pink);
    QTest::newRow("pin without title at the map's last column") << Pin("", "", PinColour::Violet);
}

void TestNotesExchange::roundTrip() {
    QFETCH(CNoteItem, item);
    const std::string json = NotesToJson({item}, 0);
    const CNotesReading back = NotesFromJson(json, kMap);
    QVERIFY2(back.ok, back.error.c_str());
    QVERIFY(back.cleaned.empty());
    QCOMPARE(back.items.size(), size_t(1));
    QVERIFY(back.items[0] == item);
    QCOMPARE(NotesToJson(back.items, 0), json);
}

// World coordinates to the picture's pixels, as the map draws them.
void TestNotesExchange::inPicturePixels() {
    CNoteItem north, south;
    north.x = -125000;
    north.y = 220000;
    south.x = 175000 - 100;
    south.y = -130000 + 100;
    const CNoteItems pixels = InPicturePixels({north, south}, 3300, 3800);
    QCOMPARE(pixels[0].x, 0);
    QCOMPARE(pixels[0].y, 0);
    QCOMPARE(pixels[1].x, 3299);
    QCOMPARE(pixels[1].y, 3799);
}

void TestNotesExchange::geoJson() {
    const CJsonReading json =
        ReadJson(NotesToGeoJson({Pin("Gué", "n", PinColour::Cyan), Place("Hagholm Mines", true, false, "")}));
    QVERIFY2(json.ok, json.error.c_str());
    QCOMPARE(json.root.Member("type")->text, std::string("FeatureCollection"));
    const auto& features = json.root.Member("features")->items;
    QCOMPARE(features.size(), size_t(2));
    const CJsonValue& place = features[0].second;  // places first
    const auto& coordinates = place.Member("geometry")->Member("coordinates")->items;
    QCOMPARE(coordinates.size(), size_t(2));
    QCOMPARE(coordinates[0].second.number, int64_t(1324));
    QCOMPARE(coordinates[1].second.number, int64_t(443));
    QCOMPARE(place.Member("properties")->Member("kind")->text, std::string("place"));
    QVERIFY(place.Member("properties")->Member("visited")->boolean);
    const CJsonValue& pin = *features[1].second.Member("properties");
    QCOMPARE(pin.Member("colour")->text, std::string("cyan"));
    QCOMPARE(pin.Member("name")->text, std::string("Gué"));
}

void TestNotesExchange::hostile_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("refusal");  // the start of the error; empty when the file is read
    QTest::addColumn<QString>("mend");     // the one line of `cleaned`, or empty
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("note");  // the first item's "name|note"
    const QString none;
    // Refused.
    QTest::newRow("not JSON") << QByteArray("zerim") << "ligne 1, colonne 1 : valeur attendue" << none << 0 << none;
    QTest::newRow("truncated") << Doc(kPin).chopped(3) << "ligne 1, colonne " << none << 0 << none;
    QTest::newRow("huge") << QByteArray(int(kNotesFileLimit) + 1, ' ') << "fichier : plus de 64 Mio" << none << 0
                          << none;
    QTest::newRow("deep nesting") << Doc(QByteArray(40, '[')) << "ligne 1, colonne 82 : plus de 32 niveaux" << none << 0
                                  << none;
    QTest::newRow("not an object") << QByteArray("[]") << "fichier : objet JSON attendu" << none << 0 << none;
    QTest::newRow("format name") << QByteArray(R"({"format": "geojson", "version": 1})")
                                 << "format : « zerim-notes » attendu" << none << 0 << none;
    QTest::newRow("newer version") << QByteArray(R"({"format": "zerim-notes", "version": 2})")
                                   << "version 2 : ce fichier vient d'une version plus récente" << none << 0 << none;
    QTest::newRow("version missing") << QByteArray(R"({"format": "zerim-notes"})")
                                     << "version : nombre entier positif attendu" << none << 0 << none;
    QTest::newRow("list of the wrong type") << QByteArray(R"({"format": "zerim-notes", "version": 1, "pins": {}})")
                                            << "pins : liste attendue" << none << 0 << none;
    QTest::newRow("coordinate as text") << Doc("", R"({"x": "10", "y": 20})") << "pins[0].x : nombre entier attendu"
                                        << none << 0 << none;
    QTest::newRow("coordinate with a fraction")
        << Doc("", R"({"x": 10, "y": 2.5})") << "pins[0].y : nombre entier attendu" << none << 0 << none;
    QTest::newRow("number past 64 bits") << Doc("", R"({"x": 99999999999999999999, "y": 2})")
                                         << "pins[0].x : nombre entier attendu" << none << 0 << none;
    QTest::newRow("off the map") << Doc("", R"({"x": 3300, "y": 2})")
                                 << "pins[0].x : 3300 hors de la carte (de 0 à 3299)" << none << 0 << none;
    QTest::newRow("flag of the wrong type") << Doc(R"({"name": "a", "x": 1, "y": 1, "visited": 1})")
                                            << "places[0].visited : true ou false attendu" << none << 0 << none;
    QTest::newRow("place without a name")
        << Doc(R"({"x": 1, "y": 1, "visited": true})") << "places[0].name : texte attendu" << none << 0 << none;
    QTest::newRow("date") << Doc("", R"({"x": 1, "y": 1, "updated": "2026-02-29T00:00:00Z"})")
                          << "pins[0].updated : date UTC attendue" << none << 0 << none;
    QTest::newRow("nothing half read: a good item, then a bad one")
        << Doc("", kPin + R"(, {"x": 1, "y": true})") << "pins[1].y : nombre entier attendu" << none << 0 << none;
    QTest::newRow("invalid UTF-8") << Doc("", R"({"x": 1, "y": 1, "title": "a)"
                                              "\xC3\x28"
                                              R"("})")
                                   << "ligne 1, colonne 92 : texte qui n'est pas de l'UTF-8" << none << 0 << none;
    QTest::newRow("lone UTF-16 half") << Doc("", R"({"x": 1, "y": 1, "title": "\ud800"})")
                                      << "ligne 1, colonne 91 : demi-caractère UTF-16 seul" << none << 0 << none;
    QTest::newRow("raw control character in a string")
        << Doc("", "{\"x\": 1, \"y\": 1, \"title\": \"a\x01\"}") << "ligne 1, colonne 92 : caractère de contrôle brut"
        << none << 0 << none;
    QTest::newRow("key twice") << Doc("", R"({"x": 1, "x": 1})") << "ligne 1, colonne 73 : champ « x » en double"
                               << none << 0 << none;
    // Read, mended and said.
    QTest::newRow("control characters in a note")
        << Doc("", R"({"x": 1, "y": 1, "title": "t", "note": "a\u0007b\r\nc\rd\te\u009b"})") << none
        << "pins[0].note : 4 caractères de contrôle retirés ou remplacés" << 1 << "t|ab\nc\nd\te";
    QTest::newRow("line break in a name")
        << Doc(R"({"name": "a\nb\u0000", "x": 1, "y": 1, "visited": true})") << none
        << "places[0].name : 2 caractères de contrôle retirés ou remplacés" << 1 << "a b|";
    QTest::newRow("unknown colour") << Doc("", R"({"x": 1, "y": 1, "colour": "rouge"})") << none
                                    << "pins[0].colour : couleur inconnue, l'épingle sera bleue" << 1 << "|";
    QTest::newRow("pin id not ours") << Doc("", R"({"id": "pin:XYZ", "x": 1, "y": 1})") << none
                                     << "pins[0].id : identifiant d'épingle non valable, un nouveau est donné" << 1
                                     << "|";
    QTest::newRow("id twice: the later wins")
        << Doc("", kPin + ", " + QByteArray(kPin).replace("\"t\"", "\"u\""))  //
        << none << "pins[1] : même identifiant que pins[0], le dernier est gardé" << 1 << "u|";
    QTest::newRow("empty place mark") << Doc(R"({"name": "a", "x": 1, "y": 1})") << none
                                      << "places[0] : ni visité, ni favori, ni note : ignoré" << 0 << none;
    // Read as they are.
    QTest::newRow("markup is plain text")
        << Doc("", R"({"x": 1, "y": 1, "title": "<b>t</b>", "note": "<script>x()</script> &amp; <a href=\"j\">"})")
        << none << none << 1 << "<b>t</b>|<script>x()</script> &amp; <a href=\"j\">";
    QTest::newRow("unknown fields, nulls and a byte order mark")
        << "\xEF\xBB\xBF" + Doc(R"({"name": "a", "x": 0, "y": 3799, "favourite": true, "more": [{"z": null}]})",
                                R"({"x": 1, "y": 1, "note": null})")
        << none << none << 2 << "a|";
}

void TestNotesExchange::hostile() {
    QFETCH(QByteArray, text);
    QFETCH(QString, refusal);
    QFETCH(QString, mend);
    QFETCH(int, items);
    QFETCH(QString, note);
    const CNotesReading reading = NotesFromJson(text.toStdString(), kMap);
    QVERIFY2(QString::fromStdString(reading.error).startsWith(refusal), reading.error.c_str());
    QCOMPARE(reading.ok, refusal.isEmpty());
    QCOMPARE(int(reading.items.size()), items);
    QCOMPARE(reading.cleaned.size(), size_t(mend.isEmpty() ? 0 : 1));
    if (!mend.isEmpty()) QCOMPARE(QString::fromStdString(reading.cleaned[0]), mend);
    if (!note.isNull()) QCOMPARE(QString::fromStdString(reading.items[0].name + "|" + reading.items[0].note), note);
    for (const CNoteItem& item : reading.items) {
        const bool pinId = item.id.size() == 36 && item.id.rfind("pin:", 0) == 0;
        QVERIFY(item.kind == CNoteItem::Kind::Pin ? pinId : item.id == PlaceKey(item.name, item.x, item.y));
    }
}

// The reader's own bounds, small: each reached, then passed by one.
void TestNotesExchange::jsonLimits_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("at the depth") << QByteArray("[[1]]") << "";
    QTest::newRow("past the depth") << QByteArray("[[[1]]]") << "ligne 1, colonne 3 : plus de 2 niveaux d'imbrication";
    QTest::newRow("at the values") << "[" + QByteArray("0,").repeated(28) + "0]"
                                   << "";
    QTest::newRow("past the values") << "[" + QByteArray("0,").repeated(29) + "0]"
                                     << "ligne 1, colonne 60 : plus de 30 valeurs, le fichier est trop grand";
    QTest::newRow("at the size") << QByteArray(199, ' ') + "0"
                                 << "";
    QTest::newRow("past the size") << QByteArray(200, ' ') + "0"
                                   << "fichier : plus de 200 octets, trop grand pour être lu";
    QTest::newRow("many keys, one twice") << "{" +
                                                 [] {
                                                     QByteArray members;
                                                     for (int i = 0; i < 20; ++i)
                                                         members += "\"" + QByteArray::number(i % 19) + "\": 0,";
                                                     return members.chopped(1);
                                                 }() +
                                                 "}"
                                          << "ligne 1, colonne 144 : champ « 0 » en double";
}

void TestNotesExchange::jsonLimits() {
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    CJsonLimits limits;
    limits.bytes = 200;
    limits.depth = 2;
    limits.values = 30;
    const CJsonReading json = ReadJson(std::string_view(text.constData(), size_t(text.size())), limits);
    QCOMPARE(QString::fromStdString(json.error), error);
    QCOMPARE(json.ok, error.isEmpty());
}

void TestNotesExchange::isoTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("ms");
    QTest::addColumn<QString>("written");  // empty: refused
    QTest::newRow("ours") << "2026-12-09T06:00:00.000Z" << 1796796000000LL << "2026-12-09T06:00:00.000Z";
    QTest::newRow("no fraction, a leap day") << "2024-02-29T23:59:59Z" << 1709251199000LL << "2024-02-29T23:59:59.000Z";
    QTest::newRow("offset, longer fraction")
        << "2026-12-09T07:30:00.1239+01:30" << 1796796000123LL << "2026-12-09T06:00:00.123Z";
    QTest::newRow("before 1970") << "1969-12-31T23:59:59.999Z" << -1LL << "1969-12-31T23:59:59.999Z";
    QTest::newRow("no day 29") << "2026-02-29T00:00:00Z" << -1LL << "";
    QTest::newRow("hour 24") << "2026-01-01T24:00:00Z" << -1LL << "";
    QTest::newRow("no zone") << "2026-01-01T00:00:00" << -1LL << "";
    QTest::newRow("past year 9999 by its offset") << "9999-12-31T23:00:00-02:00" << -1LL << "";
}

void TestNotesExchange::isoTime() {
    QFETCH(QString, text);
    QFETCH(qlonglong, ms);
    QFETCH(QString, written);
    const auto parsed = ParseIsoTime(text.toStdString());
    QCOMPARE(parsed.has_value(), !written.isEmpty());
    if (!parsed) return;
    QCOMPARE(qlonglong(*parsed), ms);
    QCOMPARE(QString::fromStdString(IsoTimeUtc(*parsed)), written);
}

void TestNotesExchange::merge_data() {
    QTest::addColumn<bool>("known");
    QTest::addColumn<qlonglong>("knownUpdated");
    QTest::addColumn<qlonglong>("incomingUpdated");
    QTest::addColumn<QString>("incomingNote");  // the current item's note is "a"
    QTest::addColumn<QString>("outcome");
    QTest::newRow("absent: added") << false << 0LL << 5LL << "b"
                                   << "added";
    QTest::newRow("newer: updated") << true << 5LL << 6LL << "b"
                                    << "updated";
    QTest::newRow("newer, only the time differs: updated") << true << 5LL << 6LL << "a"
                                                           << "updated";
    QTest::newRow("same time, other note: skipped") << true << 5LL << 5LL << "b"
                                                    << "skipped";
    QTest::newRow("older: skipped") << true << 5LL << 4LL << "b"
                                    << "skipped";
    QTest::newRow("identical: skipped") << true << 5LL << 5LL << "a"
                                        << "skipped";
}

void TestNotesExchange::merge() {
    QFETCH(bool, known);
    QFETCH(qlonglong, knownUpdated);
    QFETCH(qlonglong, incomingUpdated);
    QFETCH(QString, incomingNote);
    QFETCH(QString, outcome);
    CNoteItem current = Pin("p", "a", PinColour::Blue), other = Pin("q", "", PinColour::Blue);
    current.updated = knownUpdated;
    other.id = "pin:ffffffffffffffffffffffffffffffff";
    CNoteItem incoming = current;
    incoming.updated = incomingUpdated;
    incoming.note = incomingNote.toStdString();
    CNoteItems currentItems{other};
    if (known) currentItems.push_back(current);
    const CNotesMerge merge = MergeNotes(currentItems, {incoming});
    QCOMPARE(merge.added, int(outcome == "added"));
    QCOMPARE(merge.updated, int(outcome == "updated"));
    QCOMPARE(merge.skipped, int(outcome == "skipped"));
    QCOMPARE(merge.puts.size(), size_t(outcome == "skipped" ? 0 : 1));
    if (!merge.puts.empty()) QVERIFY(merge.puts[0] == incoming);
}

// The documented example reads whole, holds each kind, is what the writer
// writes, and names places of the program's own world where they stand.
void TestNotesExchange::example() {
    const std::string text = ReadText(ZERIM_SOURCE_DIR "/docs/notes-example.json");
    const CNotesReading reading = NotesFromJson(text, kWorld);
    QVERIFY2(reading.ok, reading.error.c_str());
    QVERIFY(reading.cleaned.empty());
    int visited = 0, favourite = 0, noted = 0, pins = 0;
    for (const CNoteItem& item : reading.items) {
        pins += item.kind == CNoteItem::Kind::Pin;
        visited += item.visited;
        favourite += item.favourite;
        noted += item.kind == CNoteItem::Kind::Place && !item.note.empty();
    }
    QVERIFY(visited > 0 && favourite > 0 && noted > 0 && pins > 0);
    QCOMPARE(NotesToJson(reading.items, *ParseIsoTime("2026-12-09T06:00:00.000Z")), text);

    // res/places.tsv: name, type, level, world x, world y.
    std::istringstream table(ReadText(ZERIM_SOURCE_DIR "/res/places.tsv"));
    std::set<std::string> keys;
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string name, type, level, x, y;
        if (!std::getline(fields, name, '\t') || !(fields >> type >> level >> x >> y) || name == "name") continue;
        keys.insert(PlaceKey(name, std::stoi(x), std::stoi(y)));
    }
    for (const CNoteItem& item : reading.items)
        if (item.kind == CNoteItem::Kind::Place) QVERIFY2(keys.count(item.id), item.id.c_str());
}

QTEST_APPLESS_MAIN(TestNotesExchange)
#include "test_notesexchange.moc"
