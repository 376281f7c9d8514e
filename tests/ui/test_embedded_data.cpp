// The data compiled into the program meets every figure it is made to: read
// back from the embedded resources by the program's own readers.
#include "data/FirstLook.h"
#include "data/CharacterText.h"
#include "data/JpegDecoder.h"
#include "data/PlaceTable.h"
#include "res/QtResourceStore.h"
#include "data/ResourceIds.h"

#include <QImage>
#include <QtTest>

#include <map>
#include <set>

namespace {

ByteBlock Embedded(const char* type, int id) {
    static CQtResourceStore store;
    const auto block = store.Find(*ResType::Parse(type), id);
    if (!block) qFatal("resource %s %d is not embedded", type, id);
    return *block;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

class TestEmbeddedData : public QObject {
    Q_OBJECT
private slots:
    void places();
    void characters();
    void mapPicture();
    void pages();
    void toolBarStrip();
};

void TestEmbeddedData::places() {
    CPlaceList places;
    QVERIFY(ParsePlaceTable(Embedded("RCDATA", ResId::IDR_PLACES), places));
    QCOMPARE(places.GetSize(), 863);
    std::map<int, int> levels;
    std::set<int> types;
    std::map<std::string, int> names;
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    for (const CPlace* p : places) {
        ++levels[p->m_nLevel];
        types.insert(p->m_nType);
        ++names[p->m_strName];
        minX = std::min(minX, p->m_x), maxX = std::max(maxX, p->m_x);
        minY = std::min(minY, p->m_y), maxY = std::max(maxY, p->m_y);
        const std::string& n = p->m_strName;
        QVERIFY2(n.size() >= 3 && n.size() <= 39 && n.front() != ' ' && n.back() != ' ', n.c_str());
        for (unsigned char c : n) QVERIFY(c >= 0x20 && c < 0x7F);
    }
    QCOMPARE(levels, (std::map<int, int>{{0, 23}, {1, 8}, {2, 24}, {3, 281}, {4, 77}, {5, 450}}));
    QCOMPARE(types, (std::set<int>{10, 11, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
    QCOMPARE(int(names.size()), 835);
    int repeated = 0;
    for (const auto& [name, count] : names)
        if (count > 1) {
            ++repeated;
            QVERIFY(count <= 4);
        }
    QCOMPARE(repeated, 20);
    QCOMPARE(QList<int>({minX, maxX, minY, maxY}), QList<int>({-119535, 166797, -119573, 202171}));
}

void TestEmbeddedData::characters() {
    const ByteBlock table = Embedded("RCDATA", ResId::IDR_CHARACTERS);
    const CCharacterText text(table);
    QCOMPARE(text.Count(), 2405);
    QVERIFY(text.Size() < table.size);  // the tail behind the end is never read

    CPlaceList places;
    ParsePlaceTable(Embedded("RCDATA", ResId::IDR_PLACES), places);
    std::set<std::string> placeNames;
    for (const CPlace* p : places) placeNames.insert(p->m_strName);

    std::map<std::string, int> names;
    int emptyNotes = 0, alsoPlaces = 0;
    size_t longestName = 0, longestWhere = 0, longestNotes = 0;
    text.ForEach([&](int, size_t, const CharacterRecord& r) {
        ++names[Upper(r.name)];
        alsoPlaces += placeNames.count(std::string(r.name)) > 0;
        emptyNotes += r.notes.empty();
        longestName = std::max(longestName, r.name.size());
        longestWhere = std::max(longestWhere, r.whereabouts.size());
        longestNotes = std::max(longestNotes, r.notes.size());
        return !r.whereabouts.empty();
    });
    QCOMPARE(emptyNotes, 778);
    QCOMPARE(alsoPlaces, 2);
    QVERIFY(longestName <= 42 && longestWhere <= 115 && longestNotes <= 379);
    std::multiset<int> repeats;
    for (const auto& entry : names)
        if (entry.second > 1) repeats.insert(entry.second);
    QCOMPARE(repeats, (std::multiset<int>{2, 14}));
}

void TestEmbeddedData::mapPicture() {
    const ByteBlock jpeg = Embedded("JPG", ResId::IDR_MAP_PICTURE);
    QVERIFY(jpeg.size >= 1800000 && jpeg.size <= 2800000);
    JpegInfo info;
    QVERIFY(ReadJpegInfo(jpeg, info));
    QCOMPARE(info.width, 3300);
    QCOMPARE(info.height, 3800);
    // JFIF 1.02 with no density, then a baseline frame of three components,
    // luminance sampled 2 x 2 and both chrominance components 1 x 1.
    const QByteArray bytes(reinterpret_cast<const char*>(jpeg.data), int(jpeg.size));
    QCOMPARE(bytes.mid(6, 5), QByteArray("JFIF\0", 5));
    QCOMPARE(bytes.mid(11, 7), QByteArray("\x01\x02\x00\x00\x00\x00\x00", 7));
    const int frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(frame > 0);
    QVERIFY(bytes.indexOf(QByteArray("\xFF\xC2", 2)) < 0);  // not progressive
    QCOMPARE(int(uchar(bytes[frame + 4])), 8);               // 8-bit samples
    QCOMPARE(int(uchar(bytes[frame + 9])), 3);
    QCOMPARE(int(uchar(bytes[frame + 11])), 0x22);
    QCOMPARE(int(uchar(bytes[frame + 14])), 0x11);
    QCOMPARE(int(uchar(bytes[frame + 17])), 0x11);
    // The build's first look was made from these very bytes.
    const auto look = StoredFirstLook(Embedded("FIRSTLOOK", ResId::IDR_MAP_PICTURE), jpeg, jpeg);
    QVERIFY(look);
    QCOMPARE(look->width, 825);
    QCOMPARE(look->height, 950);
}

void TestEmbeddedData::pages() {
    const ByteBlock blank = Embedded("HTML", ResId::IDR_BLANK_PAGE);
    QCOMPARE(blank.size, size_t(190));
    const QByteArray page(reinterpret_cast<const char*>(blank.data), int(blank.size));
    QVERIFY(page.startsWith("<!-- La curiosite est un vilain defaut :-) -->\r\n"));
    QVERIFY(!page.endsWith('\n'));
    QCOMPARE(page.count('\n'), page.count("\r\n"));

    const ByteBlock about = Embedded("HTML", ResId::IDR_ABOUT_PAGE);
    const QByteArray aboutPage =
        QByteArray(reinterpret_cast<const char*>(about.data), int(about.size)).toLower();
    QVERIFY(aboutPage.contains("1.3.0.0"));
    const int links = aboutPage.count("<a ");
    QCOMPARE(links, 3);
    QCOMPARE(aboutPage.count("target=\"_blank\""), links);
}

void TestEmbeddedData::toolBarStrip() {
    const ByteBlock strip = Embedded("BITMAP", ResId::IDR_MAINFRAME);
    const QImage image = QImage::fromData(strip.data, int(strip.size), "BMP");
    QCOMPARE(image.size(), QSize(64, 15));
    QCOMPARE(int(uchar(strip.data[28])), 4);  // bits per pixel
}

QTEST_GUILESS_MAIN(TestEmbeddedData)
#include "test_embedded_data.moc"
