#include "JpegMaker.h"

#include "render/MapPicture.h"
#include "data/FirstLook.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QPainter>
#include <QtTest>

using namespace TestJpeg;

namespace {

// Draws `source` of the picture into a w x h image and returns it.
QImage Draw(const CMapPicture& picture, int w, int h, const CRect& source, bool wholePicture = false) {
    QImage target(w, h, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    picture.Render(painter, {0, 0, w, h}, source, wholePicture);
    return target;
}

bool IsQuadrant(QRgb pixel, int quadrant) {
    const Rgb want = kQuadrants[quadrant];
    return Near(qRed(pixel), want.r) && Near(qGreen(pixel), want.g) && Near(qBlue(pixel), want.b);
}

}  // namespace

class TestMapPicture : public QObject {
    Q_OBJECT
private slots:
    void init();
    void sizes();
    void renderStretchesSource();
    void wholePictureIgnoresSource();
    void emptyPicture();
    void undecodableBlockLeavesPictureEmpty();
    void missingResourceKeepsPicture();
    void progressiveLoadSharpens();
    void progressiveLoadOfJunkIsEmpty();
    void storedFirstLook_data();
    void storedFirstLook();
    void fullDecodeWaitsWhenHeld();
    void problemsOfTheBytes_data();
    void problemsOfTheBytes();
    void tinyPictures_data();
    void tinyPictures();

private:
    CMemoryResourceStore m_store;
};

void TestMapPicture::init() { m_store = CMemoryResourceStore(); }

void TestMapPicture::sizes() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, Quadrants(66, 76));
    CMapPicture picture;
    QVERIFY(picture.Load(m_store, ResId::IDR_MAP_PICTURE));
    QCOMPARE(picture.GetPixelSize(), CSize({66, 76}));
    QCOMPARE(picture.GetHimetricSize(), CSize({1746, 2011}));  // at 96 pixels per inch
    // Only the low 16 bits of the id count.
    CMapPicture again;
    QVERIFY(again.Load(m_store, 0x10000u + ResId::IDR_MAP_PICTURE));
    QVERIFY(!again.IsEmpty());
}

void TestMapPicture::renderStretchesSource() {
    CMapPicture picture;
    picture.LoadFromBytes(ByteBlock(Quadrants(64, 48)));
    // The whole picture, halved.
    const QImage whole = Draw(picture, 32, 24, {0, 0, 64, 48});
    QVERIFY(IsQuadrant(whole.pixel(4, 4), 0));
    QVERIFY(IsQuadrant(whole.pixel(28, 4), 1));
    QVERIFY(IsQuadrant(whole.pixel(4, 20), 2));
    QVERIFY(IsQuadrant(whole.pixel(28, 20), 3));
    // The bottom-right quadrant alone, doubled, fills the destination.
    const QImage part = Draw(picture, 64, 48, {32, 24, 64, 48});
    for (QPoint p : {QPoint(2, 2), QPoint(60, 2), QPoint(2, 45), QPoint(60, 45)})
        QVERIFY(IsQuadrant(part.pixel(p), 3));
}

void TestMapPicture::wholePictureIgnoresSource() {
    CMapPicture picture;
    picture.LoadFromBytes(ByteBlock(Quadrants(64, 48)));
    const QImage reference = Draw(picture, 32, 24, {0, 0, 64, 48}, true);
    for (const CRect& source : {CRect{32, 24, 64, 48}, CRect{0, 0, 1, 1}, CRect{-9, 99, 3, 4}})
        QCOMPARE(Draw(picture, 32, 24, source, true), reference);
    QVERIFY(Draw(picture, 32, 24, {32, 24, 64, 48}) != reference);  // the mode is what ignores it
    QVERIFY(IsQuadrant(reference.pixel(28, 20), 3));
}

void TestMapPicture::emptyPicture() {
    const CMapPicture picture;
    QVERIFY(picture.IsEmpty());
    QCOMPARE(picture.GetPixelSize(), CSize());
    QCOMPARE(picture.GetHimetricSize(), CSize());
}

void TestMapPicture::undecodableBlockLeavesPictureEmpty() {
    CMapPicture picture;
    picture.LoadFromBytes(ByteBlock(Quadrants(8, 8)));
    QVERIFY(!picture.IsEmpty());
    std::vector<unsigned char> junk(300, 0xAB);
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, junk);
    // Found but undecodable: the load succeeds, the old picture is gone.
    QVERIFY(picture.Load(m_store, ResId::IDR_MAP_PICTURE));
    QVERIFY(picture.IsEmpty());
    QCOMPARE(picture.GetPixelSize(), CSize());
}

void TestMapPicture::missingResourceKeepsPicture() {
    CMapPicture picture;
    picture.LoadFromBytes(ByteBlock(Quadrants(8, 8)));
    QVERIFY(!picture.Load(m_store, ResId::IDR_MAP_PICTURE));  // the store has no picture
    QCOMPARE(picture.GetPixelSize(), CSize({8, 8}));
}

// The quarter-size copy comes first and is drawn from at any zoom; the full
// picture takes over later and the owner hears of it.
void TestMapPicture::progressiveLoadSharpens() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, Quadrants(640, 480));
    CMapPicture picture;
    bool sharper = false;
    QVERIFY(picture.LoadProgressively(m_store, ResId::IDR_MAP_PICTURE, [&] { sharper = true; }));
    picture.WaitForFirstLook();
    QCOMPARE(picture.GetPixelSize(), CSize({640, 480}));
    QVERIFY(IsQuadrant(Draw(picture, 64, 48, {320, 240, 640, 480}).pixel(30, 20), 3));
    QTRY_VERIFY(sharper);
    QVERIFY(!picture.Level(0).isNull());
    QCOMPARE(picture.Level(0).size(), QSize(640, 480));
    QVERIFY(IsQuadrant(Draw(picture, 640, 480, {0, 0, 640, 480}).pixel(100, 100), 0));
}

void TestMapPicture::progressiveLoadOfJunkIsEmpty() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, std::vector<unsigned char>(500, 0x5A));
    CMapPicture picture;
    QVERIFY(picture.LoadProgressively(m_store, ResId::IDR_MAP_PICTURE, nullptr));
    picture.WaitForFirstLook();
    picture.FinishLoading();
    QVERIFY(picture.IsEmpty());
    QVERIFY(!CMapPicture().LoadProgressively(m_store, ResId::IDR_MAP_PICTURE + 1, nullptr));
}

// A first look stored for the very bytes of the picture is drawn as it is;
// one made for other bytes is ignored and the quarter is decoded. The stored
// pixels are made grey here, to tell them from a decode.
namespace {
// A picture laid over the built one, as a --data folder lays it.
class PictureOver : public IResourceStore {
public:
    PictureOver(const IResourceStore& built, Bytes jpeg) : m_built(built), m_jpeg(std::move(jpeg)) {}
    std::optional<ByteBlock> Find(const ResType& type, int id) const override {
        return type == ResType::Named("JPG") ? ByteBlock(m_jpeg) : m_built.Find(type, id);
    }
    std::optional<ByteBlock> FindBuiltIn(const ResType& type, int id) const override {
        return m_built.FindBuiltIn(type, id);
    }

private:
    const IResourceStore& m_built;
    Bytes m_jpeg;
};
}  // namespace

void TestMapPicture::storedFirstLook_data() {
    QTest::addColumn<bool>("sameBytes");
    QTest::addColumn<bool>("laidOver");
    QTest::newRow("made for this picture") << true << false;
    QTest::newRow("made for another picture") << false << false;
    QTest::newRow("built picture, another laid over it") << true << true;
}

void TestMapPicture::storedFirstLook() {
    QFETCH(bool, sameBytes);
    QFETCH(bool, laidOver);
    const Bytes jpeg = Quadrants(640, 480);
    Bytes look = MakeFirstLook(ByteBlock(sameBytes ? jpeg : Quadrants(640, 481)));
    std::fill(look.end() - 160 * 120 * 4, look.end(), 0x80);
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, jpeg);
    m_store.Add(ResType::Named("FIRSTLOOK"), ResId::IDR_MAP_PICTURE, look);
    Bytes other = jpeg;
    other[other.size() / 2] ^= 0x10;
    const PictureOver over(m_store, other);
    CMapPicture picture;
    QVERIFY(picture.LoadProgressively(laidOver ? static_cast<const IResourceStore&>(over) : m_store,
                                      ResId::IDR_MAP_PICTURE, nullptr));
    picture.WaitForFirstLook();
    QCOMPARE(picture.Level(2).size(), QSize(160, 120));
    const QRgb corner = picture.Level(2).pixel(10, 10);
    QCOMPARE(corner == qRgb(0x80, 0x80, 0x80), sameBytes && !laidOver);  // the stored pixels, or a decode
    if (laidOver) return;  // the changed byte may damage the decode
    QCOMPARE(picture.Problem(), JpegProblem::None);
    QVERIFY(sameBytes || IsQuadrant(corner, 0));
    picture.FinishLoading();
    QVERIFY(IsQuadrant(picture.Level(0).pixel(10, 10), 0));
}

// Held, the full decode starts only when released (or when the load is
// finished or dropped); the first look comes all the same.
void TestMapPicture::fullDecodeWaitsWhenHeld() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, Quadrants(64, 48));
    CMapPicture picture;
    bool sharper = false;
    picture.HoldFullDecode();
    QVERIFY(picture.LoadProgressively(m_store, ResId::IDR_MAP_PICTURE, [&] { sharper = true; }));
    picture.WaitForFirstLook();
    QVERIFY(!picture.IsEmpty());
    QTest::qWait(200);
    QVERIFY(!sharper);
    QVERIFY(picture.Level(0).isNull());
    picture.ReleaseFullDecode();
    QTRY_VERIFY(sharper);
    QCOMPARE(picture.Level(0).size(), QSize(64, 48));
    CMapPicture dropped;  // held and never released: goes without waiting
    dropped.HoldFullDecode();
    QVERIFY(dropped.LoadProgressively(m_store, ResId::IDR_MAP_PICTURE, nullptr));
}

// What the load tells about bad bytes, by either way of loading: a refused
// picture is empty, one cut short keeps what was decoded.
void TestMapPicture::problemsOfTheBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("problem");
    QTest::addColumn<bool>("shown");
    const auto held = [](const Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), int(b.size())); };
    const Bytes good = Quadrants(256, 192);
    QTest::newRow("sound") << held(good) << int(JpegProblem::None) << true;
    QTest::newRow("empty") << QByteArray() << int(JpegProblem::Empty) << false;
    QTest::newRow("cmyk") << held(Cmyk(64, 64)) << int(JpegProblem::Cmyk) << false;
    QTest::newRow("12-bit") << held(WithPrecision(good, 12)) << int(JpegProblem::Precision) << false;
    QTest::newRow("600 scans") << held(ManyScans(64, 64, 600)) << int(JpegProblem::TooManyScans) << false;
    QTest::newRow("cut short") << held(CutInScan(good)) << int(JpegProblem::Truncated) << true;
}

void TestMapPicture::problemsOfTheBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, problem);
    QFETCH(bool, shown);
    const std::vector<unsigned char> block(bytes.begin(), bytes.end());
    CMapPicture direct;
    direct.LoadFromBytes(ByteBlock(block));
    QCOMPARE(int(direct.Problem()), problem);
    QCOMPARE(!direct.IsEmpty(), shown);

    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, block);
    CMapPicture progressive;
    QVERIFY(progressive.LoadProgressively(m_store, ResId::IDR_MAP_PICTURE, nullptr));
    progressive.WaitForFirstLook();
    QCOMPARE(int(progressive.Problem()), problem);
    QCOMPARE(!progressive.IsEmpty(), shown);
    progressive.FinishLoading();
    QCOMPARE(!progressive.IsEmpty(), shown);
    if (shown) QVERIFY(IsQuadrant(Draw(progressive, 64, 48, {0, 0, 256, 192}).pixel(4, 4), 0));
}

// Pictures of a pixel or three: every copy keeps at least a pixel and any
// draw, large or small, shows the picture's colour without a complaint.
void TestMapPicture::tinyPictures_data() {
    QTest::addColumn<QSize>("size");
    for (QSize size : {QSize(1, 1), QSize(1, 2), QSize(2, 1), QSize(3, 3)})
        QTest::addRow("%dx%d", size.width(), size.height()) << size;
}

void TestMapPicture::tinyPictures() {
    QFETCH(QSize, size);
    QTest::failOnWarning(QRegularExpression("."));
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, Solid(size.width(), size.height(), kQuadrants[1]));
    CMapPicture picture;
    QVERIFY(picture.LoadProgressively(m_store, ResId::IDR_MAP_PICTURE, nullptr));
    picture.WaitForFirstLook();
    for (bool full : {false, true}) {
        if (full) picture.FinishLoading();
        QCOMPARE(picture.GetPixelSize(), CSize({size.width(), size.height()}));
        for (int k = 0; k < picture.LevelCount(); ++k)
            QVERIFY(picture.Level(k).isNull() || (picture.Level(k).width() >= 1 && picture.Level(k).height() >= 1));
        for (QSize dest : {QSize(1, 1), QSize(40, 30)})
            QVERIFY(IsQuadrant(Draw(picture, dest.width(), dest.height(), {0, 0, size.width(), size.height()})
                                   .pixel(dest.width() / 2, dest.height() / 2), 1));
    }
}

QTEST_MAIN(TestMapPicture)
#include "test_mappicture.moc"
