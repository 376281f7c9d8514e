// The zoomed picture kept in tiles: after any sequence of zooms, device pixel
// ratios and scrolls, the renderer that kept its tiles paints exactly what a
// fresh renderer paints; the tiles kept stay within their bound; on a
// high-density screen the picture is drawn at the device's resolution.
#include "JpegMaker.h"

#include "data/PlaceList.h"
#include "render/MapPicture.h"
#include "render/MapRenderer.h"
#include "render/ZoomedTiles.h"
#include "view/FixedPictureHost.h"
#include "view/ZoomScaler.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <vector>

namespace {

constexpr int kWidth = 400, kHeight = 300;

// A picture with detail at every scale: wide bands of colour and a fine
// pattern, so that a tile drawn at another zoom, or shifted, shows.
std::vector<unsigned char> Detailed(int width, int height) {
    return TestJpeg::Encode(width, height, [](int x, int y) {
        const bool fine = (x / 3 + y / 2) % 2 == 0;
        return TestJpeg::Rgb{(unsigned char)(x / 7 % 256), (unsigned char)(y / 5 % 256),
                             (unsigned char)(fine ? 200 : 40)};
    });
}

struct Scene {
    std::vector<unsigned char> jpeg = Detailed(1600, 1200);
    CMapPicture picture;
    CPlaceList places;
    CFixedPictureHost host{{1600, 1200}};
    ViewGeometry geometry{host};
    CPlaceOverlay overlay{geometry, host};

    explicit Scene(bool withPlaces = true) {
        picture.LoadFromBytes(ByteBlock(jpeg));
        if (withPlaces) {
            places.Add("Orvane", 0, 0, 0, 10);
            places.Add("Kelwick", -20000, 150000, 0, 21);
            places.Add("Dun-Carrow", 30000, 90000, 0, 29);
        }
        geometry.Resize({kWidth, kHeight}, 0);
        geometry.SetDetailOverride(5);
    }
};

// A scroll position, a zoom, a ratio and the rectangle painted (the whole
// client area unless given), as one paint of the view.
struct Step {
    int zoom = 100;
    qreal ratio = 1.0;
    QPoint scroll;
    QRect update{0, 0, kWidth, kHeight};
};
using Steps = std::vector<Step>;

QImage Paint(MapRenderer& renderer, Scene& scene, const Step& step) {
    scene.geometry.SetZoom(step.zoom);
    scene.geometry.ScrollTo({step.scroll.x(), step.scroll.y()});
    QImage image(int(kWidth * step.ratio), int(kHeight * step.ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(step.ratio);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    const QRect& u = step.update;
    renderer.Paint(painter, {u.left(), u.top(), u.right() + 1, u.bottom() + 1}, &scene.picture);
    return image;
}

}  // namespace

Q_DECLARE_METATYPE(Steps)

class TestZoomedTiles : public QObject {
    Q_OBJECT
private slots:
    void keptFramesEqualFreshOnes_data();
    void keptFramesEqualFreshOnes();
    void tilesShowNoSeams();
    void tilesStayWithinTheirBound();
    void highDensityPictureIsDrawnPixelForPixel();
};

void TestZoomedTiles::keptFramesEqualFreshOnes_data() {
    QTest::addColumn<Steps>("steps");
    const QPoint middle(800, 600);
    QTest::newRow("pan right, down and back at 150%")
        << Steps{{150, 1, middle}, {150, 1, middle + QPoint(40, 0)}, {150, 1, middle + QPoint(40, 30)},
                 {150, 1, middle}};
    QTest::newRow("pan across tile edges at 700%")
        << Steps{{700, 1, {5000, 4000}}, {700, 1, {5257, 4000}}, {700, 1, {5257, 4065}}, {700, 1, {4999, 3999}}};
    QTest::newRow("to the bottom right corner: the last tiles in part")
        << Steps{{150, 1, {0, 0}}, {150, 1, {99999, 99999}}, {150, 1, {1000, 99999}}};
    // A frame's edge tiles are scaled only as far as it shows them: pans of
    // a few pixels each way show the rest.
    QTest::newRow("edge tiles scaled in part, then further")
        << Steps{{150, 1, {700, 500}}, {150, 1, {703, 502}}, {150, 1, {696, 497}}, {150, 1, {700, 500}}};
    QTest::newRow("edge tiles scaled in part at ratio 2, then further")
        << Steps{{90, 2, {500, 300}}, {90, 2, {500, 333}}, {90, 2, {371, 300}}};
    QTest::newRow("zoom 150, 225, 150") << Steps{{150, 1, middle}, {225, 1, middle}, {150, 1, middle}};
    QTest::newRow("ratio 1, then 2, then 1 at 150%")
        << Steps{{150, 1, middle}, {150, 2, middle}, {150, 1, middle}};
    QTest::newRow("pan at ratio 2, 60%") << Steps{{60, 2, {300, 200}}, {60, 2, {340, 200}}, {60, 2, {340, 230}}};
    QTest::newRow("ratio 1.5 at 150%") << Steps{{150, 1.5, middle}, {150, 1.5, middle + QPoint(41, 29)}};
    QTest::newRow("a plain copy between enlargements") << Steps{{150, 1, middle}, {100, 1, middle}, {150, 1, middle}};
    QTest::newRow("the whole zoomed copy, then tiles, then it again")
        << Steps{{33, 1, {0, 0}}, {150, 1, middle}, {33, 1, {0, 0}}};
    QTest::newRow("strips painted one by one, as on an exposure")
        << Steps{{150, 1, middle}, {150, 1, middle + QPoint(40, 0), QRect(360, 0, 40, kHeight)},
                 {150, 1, middle + QPoint(40, 30), QRect(0, 270, kWidth, 30)}};
    // Strips make their few tiles one at a time; a whole new frame makes
    // its many on two threads.
    Steps strips;
    for (int top = 0; top < kHeight; top += 30) strips.push_back({60, 2, {300, 200}, QRect(0, top, kWidth, 30)});
    strips.push_back({60, 2, {300, 200}});
    QTest::newRow("tiles made a few at a time, then a whole frame's at once") << strips;
}

void TestZoomedTiles::keptFramesEqualFreshOnes() {
    QFETCH(Steps, steps);
    Scene scene;
    MapRenderer kept(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    for (size_t i = 0; i < steps.size(); ++i) {
        const QImage seen = Paint(kept, scene, steps[i]);
        MapRenderer fresh(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
        const QImage expected = Paint(fresh, scene, steps[i]);
        QVERIFY2(seen == expected, qPrintable(QStringLiteral("step %1").arg(i)));
    }
}

// A frame of tiles against the same part of the whole picture scaled at
// once: the very same pixels, so that no tile is shifted and no seam shows
// where two tiles meet.
void TestZoomedTiles::tilesShowNoSeams() {
    Scene scene(false);
    MapRenderer renderer(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    const QImage frame = Paint(renderer, scene, {150, 1.0, {1001, 613}});
    const CPoint scroll = scene.geometry.GetScrollOffset();
    const QImage& full = scene.picture.Level(0);
    CZoomScaler scaler(reinterpret_cast<const uint32_t*>(full.constBits()), full.width(), full.height(),
                       full.bytesPerLine() / 4, 2400, 1800);
    QImage whole(2400, 1800, QImage::Format_RGB32);
    scaler.Scale(0, 0, {reinterpret_cast<uint32_t*>(whole.bits()), 2400, 1800, whole.bytesPerLine() / 4});
    QCOMPARE(frame, whole.copy(scroll.x, scroll.y, kWidth, kHeight));
}

// A long pan keeps the last frame's tiles and a quarter as many again, not
// every tile it went over.
void TestZoomedTiles::tilesStayWithinTheirBound() {
    Scene scene;
    const QSizeF zoomed(1600 * 4.0, 1200 * 4.0);
    const CZoomedTiles::Key key{&scene.picture, scene.picture.Generation(), 400, 1.0, zoomed};
    CZoomedTiles tiles;
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&target);
    const int columns = kWidth / CZoomedTiles::kTileWidth + 2, rows = kHeight / CZoomedTiles::kTileHeight + 2;
    size_t most = 0;
    for (int i = 0; i < 60; ++i) {
        tiles.Draw(painter, scene.picture, key, QRect(40 * i, 30 * i, kWidth, kHeight), {0, 0});
        most = std::max(most, tiles.TileCount());
    }
    QVERIFY2(most <= size_t(columns * rows * 5 / 4), qPrintable(QString::number(most)));
    QVERIFY(most >= size_t(columns - 1) * size_t(rows - 1));
}

// At ratio 2 and 50% every device pixel is a picture pixel: the picture is
// copied at the device's resolution, not enlarged from half of it.
void TestZoomedTiles::highDensityPictureIsDrawnPixelForPixel() {
    Scene scene(false);
    MapRenderer renderer(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    const QImage image = Paint(renderer, scene, {50, 2.0, {100, 80}});
    const QImage& full = scene.picture.Level(0);
    const CPoint scroll = scene.geometry.GetScrollOffset();
    QCOMPARE(scroll, CPoint({100, 80}));
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            differing += image.pixel(x, y) != full.pixel(x + 2 * scroll.x, y + 2 * scroll.y);
    QCOMPARE(differing, 0);
}

QTEST_MAIN(TestZoomedTiles)
#include "test_zoomedtiles.moc"
