// The map renderer's caches (label sizes and images, the picture drawn at
// the current zoom) against a fresh render: after each change of what they
// show, the renderer that kept them paints exactly what a new one paints.
#include "JpegMaker.h"

#include "data/PlaceList.h"
#include "notes/NotesOnMap.h"
#include "render/MapPicture.h"
#include "render/MapRenderer.h"
#include "render/MarkerOutline.h"
#include "view/FixedPictureHost.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

#include <cstdint>
#include <functional>

namespace {

enum class Change {
    Zoom,
    PictureGeneration,
    Highlight,
    DevicePixelRatio,
    Pan,
    AdaptedColours,
    LabelsApart,
    ZoomLabelsApart
};

// A picture whose every region has its own colour, so that a stale copy
// of it shows.
std::vector<unsigned char> Gradient(int width, int height, int shift) {
    return TestJpeg::Encode(width, height, [=](int x, int y) {
        return TestJpeg::Rgb{(unsigned char)((x / 8 + shift) % 256), (unsigned char)((y / 8) % 256),
                             (unsigned char)((x + y + shift) / 16 % 256)};
    });
}

struct Scene {
    std::vector<unsigned char> first = Gradient(1600, 1200, 0), second = Gradient(1600, 1200, 90);
    CMapPicture picture;
    CPlaceList places;
    CFixedPictureHost host{{1600, 1200}};
    ViewGeometry geometry{host};
    CPlaceOverlay overlay{geometry, host};

    Scene() {
        picture.LoadFromBytes(ByteBlock(first));
        places.Add("Orvane", 0, 0, 0, 10);
        places.Add("Kelwick", -20000, 150000, 0, 21);
        places.Add("Dun-Carrow", 30000, 90000, 0, 29);
        places.Add("Brinmoor", 0, -3000, 0, 22);  // its name over Orvane's
        geometry.Resize({400, 300}, 0);
        geometry.SetZoom(33);
        geometry.CenterOn(800, 600, true);
    }
};

QImage Paint(MapRenderer& renderer, const Scene& scene, qreal ratio) {
    QImage image(int(400 * ratio), int(300 * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    renderer.Paint(painter, {0, 0, 400, 300}, &scene.picture);
    return image;
}

// Places over snow: a white picture, the view on the world's origin at 100 %.
struct SnowScene {
    std::vector<unsigned char> white =
        TestJpeg::Encode(800, 600, [](int, int) { return TestJpeg::Rgb{255, 255, 255}; });
    CMapPicture picture;
    CPlaceList places;
    CFixedPictureHost host{{800, 600}};
    ViewGeometry geometry{host};
    CPlaceOverlay overlay{geometry, host};

    explicit SnowScene(const std::vector<const char*>& names) {
        picture.LoadFromBytes(ByteBlock(white));
        for (const char* name : names) places.Add(name, 0, 0, 0, 10);  // all at one point
        geometry.Resize({400, 300}, 0);
        geometry.SetZoom(100);
        const CPoint map = geometry.WorldToMap({0, 0});
        geometry.CenterOn(map.x, map.y, true);
    }
    QImage Paint() {
        MapRenderer renderer(geometry, overlay, places, QGuiApplication::font());
        QImage image(400, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        renderer.Paint(painter, {0, 0, 400, 300}, &picture);
        CRect marker;
        overlay.GetPlaceRects(*places[0], renderer.LabelSizes().Of(0), marker, label);
        return image;
    }
    CRect label;  // the first place's, after Paint
};

// Journeys over a grey picture, the view on the world's origin at 100 %.
struct JourneyScene : SnowScene {
    std::vector<unsigned char> grey = TestJpeg::Solid(800, 600, {128, 128, 128});
    CJourneyLayers journeys;

    JourneyScene() : SnowScene({"A"}) { picture.LoadFromBytes(ByteBlock(grey)); }
    CWorldPoint WorldAt(QPoint client) const {
        const CPoint scroll = geometry.GetScrollOffset();
        const CPoint w = geometry.MapToWorld({client.x() + scroll.x, client.y() + scroll.y});
        return {w.x, w.y};
    }
    QPoint ClientAt(CWorldPoint world) const {
        const CPoint map = geometry.WorldToMap({world.x, world.y}), scroll = geometry.GetScrollOffset();
        return {map.x - scroll.x, map.y - scroll.y};
    }
    QImage Paint() {
        MapRenderer renderer(geometry, overlay, places, QGuiApplication::font());
        renderer.SetJourneys(&journeys);
        QImage image(400, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        renderer.Paint(painter, {0, 0, 400, 300}, &picture);
        return image;
    }
};

int CountPixels(const QImage& image, const CRect& r, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

}  // namespace

Q_DECLARE_METATYPE(Change)

class TestMapRenderer : public QObject {
    Q_OBJECT
private slots:
    void cachesFollowWhatTheyShow_data();
    void cachesFollowWhatTheyShow();
    void noPictureMeansMarginsOnly();
    void haloOutlinesLabels_data();
    void haloOutlinesLabels();
    void foundLabelStaysWhole();
    void markerEdgesAreThePensOutline_data();
    void markerEdgesAreThePensOutline();
    void placesDrawnRowByRowAsWhole_data();
    void placesDrawnRowByRowAsWhole();
    void symbolsDrawnRowByRowAsWhole_data();
    void symbolsDrawnRowByRowAsWhole();
    void partOfTheViewPaintedAgain_data();
    void partOfTheViewPaintedAgain();
    void tilesFollowThePlaces_data();
    void tilesFollowThePlaces();
    void labelsMadeAheadAreTheOnesShown_data();
    void labelsMadeAheadAreTheOnesShown();
    void labelsAheadLowestLevelFirst();
    void labelsAheadStopAtTheBudget();
    void focusRing_data();
    void focusRing();
    void pinsDrawnWholeOrAsDots_data();
    void pinsDrawnWholeOrAsDots();
    void journeyLinesInTheirInk_data();
    void journeyLinesInTheirInk();
    void pointCaptionOnItsSide_data();
    void pointCaptionOnItsSide();
};

void TestMapRenderer::cachesFollowWhatTheyShow_data() {
    QTest::addColumn<Change>("change");
    QTest::newRow("zoom") << Change::Zoom;
    QTest::newRow("picture's generation") << Change::PictureGeneration;
    QTest::newRow("highlight") << Change::Highlight;
    QTest::newRow("device pixel ratio") << Change::DevicePixelRatio;
    QTest::newRow("pan") << Change::Pan;
    QTest::newRow("adapted colours, a place found") << Change::AdaptedColours;
    QTest::newRow("labels apart") << Change::LabelsApart;
    QTest::newRow("zoom, labels apart") << Change::ZoomLabelsApart;
}

void TestMapRenderer::cachesFollowWhatTheyShow() {
    QFETCH(Change, change);
    Scene scene;
    // Both zooms fall between two halved copies: the picture is drawn from
    // the renderer's zoomed copy, the cache under test.
    QVERIFY(scene.picture.ReductionIsCostly(0.33) && scene.picture.ReductionIsCostly(0.37));
    MapRenderer cached(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    if (change == Change::AdaptedColours) scene.overlay.HighlightOne(scene.places[0]);
    MapLook look;
    look.declutter = change == Change::ZoomLabelsApart;
    cached.SetLook(look);
    const QImage before = Paint(cached, scene, 1.0);
    qreal ratio = 1.0;
    switch (change) {
    case Change::Zoom:
    case Change::ZoomLabelsApart: scene.geometry.SetZoom(37); break;
    case Change::PictureGeneration: scene.picture.LoadFromBytes(ByteBlock(scene.second)); break;
    case Change::Highlight: scene.overlay.HighlightOne(scene.places[1]); break;
    case Change::DevicePixelRatio: ratio = 2.0; break;
    case Change::Pan: {
        const CPoint corner = scene.geometry.GetScrollOffset();
        scene.geometry.ScrollTo({corner.x + 37, corner.y - 23});
        break;
    }
    case Change::AdaptedColours: look.adaptedColours = true; break;
    case Change::LabelsApart: look.declutter = true; break;
    }
    cached.SetLook(look);
    const QImage after = Paint(cached, scene, ratio);
    MapRenderer fresh(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    fresh.SetLook(look);
    const QImage expected = Paint(fresh, scene, ratio);
    QVERIFY(expected.size() != before.size() || expected != before);  // the change shows
    QVERIFY(after == expected);
}

// A picture that did not decode: all black, no marker, nothing measured.
void TestMapRenderer::noPictureMeansMarginsOnly() {
    CPlaceList places;
    places.Add("Orvane", 0, 0, 0, 10);
    CFixedPictureHost host{{0, 0}};
    ViewGeometry geometry{host};
    CPlaceOverlay overlay{geometry, host};
    geometry.Resize({400, 300}, 0);
    const CMapPicture empty;
    MapRenderer renderer(geometry, overlay, places, QGuiApplication::font());
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    QVERIFY(!renderer.Paint(painter, {0, 0, 400, 300}, &empty));
    painter.end();
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 400; x += 7) QCOMPARE(image.pixelColor(x, y), QColor(Qt::black));
    QVERIFY(!renderer.LabelSizes().IsMeasured(0));
}

void TestMapRenderer::haloOutlinesLabels_data() {
    QTest::addColumn<bool>("found");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("white label") << false << QColor(255, 255, 255);
    QTest::newRow("found, green label") << true << QColor(0, 255, 0);
}

// On white, a label shows by its dark outline, and keeps its own colour.
void TestMapRenderer::haloOutlinesLabels() {
    QFETCH(bool, found);
    QFETCH(QColor, colour);
    SnowScene scene({"Orvane"});
    if (found) scene.overlay.HighlightOne(scene.places[0]);
    const QImage image = scene.Paint();
    const CRect& l = scene.label;
    const CRect around{l.left - 1, l.top - 1, l.right + 1, l.bottom + 1};
    const int dark = CountPixels(image, around, [](QColor c) { return qGray(c.rgb()) < 90; });
    const int own = CountPixels(image, l, [&](QColor c) { return c == colour; });
    QVERIFY2(dark > 30, qPrintable(QString::number(dark)));
    QVERIFY2(own > 10, qPrintable(QString::number(own)));
    // Beyond the halo the snow is untouched.
    QCOMPARE(CountPixels(image, {around.right, l.top, around.right + 10, l.bottom}, [](QColor c) {
                 return c != QColor(255, 255, 255);
             }), 0);
}

// A found name over another place's name is drawn whole, on top: every
// pixel wholly its colour alone is so with the other name under it (edge
// pixels blend with what lies under them, as they should).
void TestMapRenderer::foundLabelStaysWhole() {
    SnowScene alone({"Orvane"}), both({"Orvane", "Mmmmmmmmmmmm"});
    alone.overlay.HighlightOne(alone.places[0]);
    both.overlay.HighlightOne(both.places[0]);
    const QImage expected = alone.Paint(), seen = both.Paint();
    const CRect& l = alone.label;
    int differing = 0;
    for (int y = l.top - 1; y <= l.bottom; ++y)
        for (int x = l.left - 1; x <= l.right; ++x)
            if (expected.pixelColor(x, y) == QColor(0, 255, 0) && seen.pixel(x, y) != expected.pixel(x, y)) ++differing;
    QCOMPARE(differing, 0);
    QVERIFY(CountPixels(expected, l, [](QColor c) { return c == QColor(0, 255, 0); }) > 10);
}

// A marker's outline filled edge by edge covers the pixels a one-pixel
// cosmetic pen does, at one device pixel a unit and at more, for thin and
// one-pixel markers too.
void TestMapRenderer::markerEdgesAreThePensOutline_data() {
    QTest::addColumn<QRect>("marker");  // in units, as CRect: right and bottom excluded
    QTest::addColumn<int>("scale");
    const QList<QRect> markers{QRect(3, 4, 7, 7), QRect(5, 5, 2, 2), QRect(6, 2, 1, 1), QRect(2, 8, 1, 6),
                               QRect(1, 3, 9, 1), QRect(0, 0, 4, 3)};
    for (int scale : {1, 2, 3})
        for (const QRect& m : markers)
            QTest::addRow("%dx%d at %d,%d, scale %d", m.width(), m.height(), m.x(), m.y(), scale) << m << scale;
}

void TestMapRenderer::markerEdgesAreThePensOutline() {
    QFETCH(QRect, marker);
    QFETCH(int, scale);
    auto canvas = [] {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    };
    QImage pen = canvas(), edges = canvas();
    {
        QPainter painter(&pen);
        painter.setPen(QPen(Qt::red, 0));
        painter.setBrush(Qt::NoBrush);
        if (scale == 1) painter.drawRect(QRect(marker.x(), marker.y(), marker.width() - 1, marker.height() - 1));
        else painter.drawRect(QRectF(marker.x() * scale, marker.y() * scale, (marker.width() - 1) * scale,
                                     (marker.height() - 1) * scale));
    }
    {
        QPainter painter(&edges);
        FillMarkerOutline(painter, QRect(marker.topLeft() * scale, marker.bottomRight() * scale), Qt::red);
    }
    QCOMPARE(edges, pen);
}

void TestMapRenderer::placesDrawnRowByRowAsWhole_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("painterOwn");  // the reference drawn by the painter's own means
    QTest::addColumn<QSize>("view");
    // At 75% and 50% the picture (over 600,000 pixels of the device) is drawn
    // from tiles, at 100% copied pixel for pixel in bands of rows, but from
    // tiles in a view of over four megapixels; smaller than the view at
    // each: margins right and below.
    const QSize view(1700, 1500), large(2600, 1700);
    for (bool found : {false, true}) {
        const char* what = found ? ", a place found" : "";
        QTest::addRow("ratio 1%s", what) << 1.0 << 75 << found << false << view;
        QTest::addRow("ratio 1%s, against the painter's pen and images", what) << 1.0 << 75 << found << true << view;
        QTest::addRow("ratio 1, 100%%%s, against the painter's", what) << 1.0 << 100 << found << true << view;
        QTest::addRow("ratio 1, 100%%, large view%s, against the painter's", what)
            << 1.0 << 100 << found << true << large;
        QTest::addRow("ratio 2%s", what) << 2.0 << 50 << found << false << view;
    }
}

// Drawn from tiles, the places go down with each row of tiles, and copied
// pixel for pixel with each band of rows; drawn over the whole picture, all
// at once after it; through a painter with a view transform of its own, by
// the painter's pen and image drawing. On a
// picture of one colour the frames are the same pixel for pixel:
// overlapping labels, labels that cross from one row of tiles to the next,
// labels reaching into the margins and the found place's label on top.
// A grey world covered by a grid of places (its right, top and bottom edges
// on the picture's edges) and a cluster of names on one point, seen in a
// view larger than the zoomed picture: margins right and below.
struct GridScene {
    std::vector<unsigned char> grey =
        TestJpeg::Encode(1600, 1400, [](int, int) { return TestJpeg::Rgb{90, 110, 100}; });
    CMapPicture picture;
    CPlaceList places;
    CFixedPictureHost host{{1600, 1400}};
    ViewGeometry geometry{host};
    CPlaceOverlay overlay{geometry, host};
    int width = 1700, height = 1500;

    explicit GridScene(int zoom, QSize view = {1700, 1500}) : width(view.width()), height(view.height()) {
        picture.LoadFromBytes(ByteBlock(grey));
        const char* names[] = {"Harrowgate Mill", "Vask", "Dun-Carrow Keep", "Orvane", "Mmmmmmmmmmmmmm"};
        for (int row = 0; row <= 13; ++row)
            for (int column = 0; column <= 11; ++column)
                places.Add(names[(row + column) % 5], -123000 + column * 298000 / 11, 220000 - row * 350000 / 13,
                           (row * 7 + column) % 3, 10);
        for (int i = 0; i < 6; ++i) places.Add(names[i % 5], 20000 + i * 900, 40000 - i * 2500, 0, 10);
        geometry.Resize({width, height}, 0);
        geometry.SetZoom(zoom);
        geometry.CenterOn(800, 700, true);
    }
    QImage Canvas(qreal ratio) const {
        QImage image(int(width * ratio), int(height * ratio), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::magenta);
        return image;
    }
};

void TestMapRenderer::placesDrawnRowByRowAsWhole() {
    QFETCH(qreal, ratio);
    QFETCH(int, zoom);
    QFETCH(bool, found);
    QFETCH(bool, painterOwn);
    QFETCH(QSize, view);
    GridScene scene(zoom, view);
    if (found) scene.overlay.HighlightOne(scene.places[scene.places.GetSize() - 3]);
    auto paint = [&](bool whole, bool viewTransform) {
        MapRenderer renderer(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
        renderer.SetWholePicture(whole);
        QImage image = scene.Canvas(ratio);
        QPainter painter(&image);
        if (viewTransform) {
            painter.setViewport(0, 0, scene.width, scene.height);
            painter.setWindow(0, 0, scene.width, scene.height);
        }
        renderer.Paint(painter, {0, 0, scene.width, scene.height}, &scene.picture);
        return image;
    };
    const QImage byRows = paint(false, false), reference = paint(!painterOwn, painterOwn);
    QCOMPARE(byRows.pixel(byRows.width() - 1, byRows.height() - 1), QColor(Qt::black).rgb());  // a margin
    QVERIFY(byRows == reference);
}

// A symbol per kind reaches beyond its marker: from tiles or bands of rows
// it is drawn as the whole frame draws it, and at a scale of the painter's
// own (a fractional ratio, a printer) it is drawn in its place too.
void TestMapRenderer::symbolsDrawnRowByRowAsWhole_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("zoom");
    QTest::newRow("ratio 1, from tiles") << 1.0 << 75;
    QTest::newRow("ratio 1, bands of rows") << 1.0 << 100;
    QTest::newRow("ratio 2, from tiles") << 2.0 << 50;
    QTest::newRow("ratio 1.5, the painter's own") << 1.5 << 75;
}

void TestMapRenderer::symbolsDrawnRowByRowAsWhole() {
    QFETCH(qreal, ratio);
    QFETCH(int, zoom);
    GridScene scene(zoom);
    for (int i = 0; i < scene.places.GetSize(); ++i) scene.places[i]->m_nType = 10 + i % 21;  // known kinds and others
    MapLook look;
    look.symbols = true;
    auto paint = [&](bool whole) {
        MapRenderer renderer(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
        renderer.SetWholePicture(whole);
        renderer.SetLook(look);
        QImage image = scene.Canvas(ratio);
        QPainter painter(&image);
        renderer.Paint(painter, {0, 0, scene.width, scene.height}, &scene.picture);
        return image;
    };
    const QImage byRows = paint(false);
    QVERIFY(byRows == paint(true));
    // The first place's symbol, a ring: red beside its centre, none at the centre.
    const CPoint map = scene.geometry.WorldToMap({scene.places[0]->m_x, scene.places[0]->m_y});
    const CPoint scroll = scene.geometry.GetScrollOffset();
    const QPoint centre = QPointF((map.x - scroll.x) * ratio, (map.y - scroll.y) * ratio).toPoint();
    const QColor side = byRows.pixelColor(centre + QPoint(qFloor(2.2 * ratio), 0));
    QVERIFY2(side.red() > 200 && side.green() < 80, qPrintable(side.name()));
    QVERIFY(byRows.pixelColor(centre).red() < 200);
}

void TestMapRenderer::partOfTheViewPaintedAgain_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QRect>("update");
    // At 75% the zoomed picture (from tiles) ends at 1200 x 1050 points, the
    // margins beyond.
    const QList<QPair<const char*, QRect>> updates{
        {"across rows and columns of tiles", QRect(333, 101, 517, 243)},
        {"across the picture's right edge", QRect(1150, 600, 200, 300)},
        {"across its bottom right corner", QRect(1101, 999, 222, 111)},
        {"in the margin alone", QRect(1250, 200, 300, 700)},
        {"one point", QRect(700, 700, 1, 1)}};
    for (qreal ratio : {1.0, 2.0})
        for (const auto& [what, update] : updates)
            QTest::addRow("ratio %g, %s", ratio, what) << ratio << 75 << update;
    // At 100% and ratio 1 the picture is copied in bands of rows; it ends at 1600 x 1400.
    QTest::addRow("copied, across bands") << 1.0 << 100 << QRect(333, 101, 517, 243);
    QTest::addRow("copied, across the right edge") << 1.0 << 100 << QRect(1550, 600, 100, 300);
}

// A paint of part of the view (an exposed or scrolled-in strip) over the
// frame it belongs to changes no pixel, inside or outside the part: no
// place is drawn twice over itself, in the tiles or over the margins; and
// the next whole frame is still the frame a new renderer paints.
void TestMapRenderer::partOfTheViewPaintedAgain() {
    QFETCH(qreal, ratio);
    QFETCH(int, zoom);
    QFETCH(QRect, update);
    GridScene scene(zoom);
    MapRenderer renderer(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    QImage image = scene.Canvas(ratio);
    QPainter painter(&image);
    const CRect whole{0, 0, scene.width, scene.height};
    renderer.Paint(painter, whole, &scene.picture);
    const QImage frame = image.copy();
    renderer.Paint(painter, {update.left(), update.top(), update.right() + 1, update.bottom() + 1}, &scene.picture);
    QVERIFY(image == frame);
    renderer.Paint(painter, whole, &scene.picture);
    QVERIFY(image == frame);
}

namespace {

// What changes between two frames of a grid scene, for tilesFollowThePlaces.
const QList<QPair<const char*, std::function<void(GridScene&)>>> kPlaceChanges{
    {"a place found", [](GridScene& s) { s.overlay.HighlightOne(s.places[40]); }},
    {"another place found (after the first)", [](GridScene& s) { s.overlay.HighlightOne(s.places[53]); }},
    {"fewer places shown", [](GridScene& s) { s.geometry.SetDetailOverride(0); }},
    {"view moved", [](GridScene& s) { s.geometry.ScrollTo({s.geometry.GetScrollOffset().x + 45, 17}); }},
};

}  // namespace

void TestMapRenderer::tilesFollowThePlaces_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("change");
    for (qreal ratio : {1.0, 2.0})
        for (int i = 0; i < kPlaceChanges.size(); ++i)
            QTest::addRow("ratio %g, %s", ratio, kPlaceChanges[i].first) << ratio << i;
}

// The places drawn into the tiles of the zoomed picture follow every
// change of what is shown: the renderer that kept its tiles paints what a
// new one paints, for the view as it was drawn and as it now is.
void TestMapRenderer::tilesFollowThePlaces() {
    QFETCH(qreal, ratio);
    QFETCH(int, change);
    GridScene scene(150);  // larger than the view, and drawn from tiles
    auto paint = [&](MapRenderer& renderer) {
        QImage image = scene.Canvas(ratio);
        QPainter painter(&image);
        renderer.Paint(painter, {0, 0, scene.width, scene.height}, &scene.picture);
        return image;
    };
    MapRenderer kept(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    if (change == 1) kPlaceChanges[0].second(scene), paint(kept);  // a place found before
    const QImage before = paint(kept);
    kPlaceChanges[change].second(scene);
    const QImage after = paint(kept);
    MapRenderer fresh(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    const QImage expected = paint(fresh);
    QVERIFY(expected != before);
    QVERIFY(after == expected);
}

void TestMapRenderer::labelsMadeAheadAreTheOnesShown_data() {
    QTest::addColumn<qreal>("madeAt");
    QTest::addColumn<qreal>("shownAt");
    QTest::addColumn<int>("slice");
    QTest::newRow("ratio 1, one a call") << 1.0 << 1.0 << 1;
    QTest::newRow("ratio 1, seven a call") << 1.0 << 1.0 << 7;
    QTest::newRow("ratio 2, all in one call") << 2.0 << 2.0 << 1000;
    QTest::newRow("made at ratio 1, then at 2") << 1.0 << 2.0 << 29;
}

// Every label made ahead, a slice a call: then a paint that shows every
// place makes none, and paints what a renderer that made them as shown
// paints.
void TestMapRenderer::labelsMadeAheadAreTheOnesShown() {
    QFETCH(qreal, madeAt);
    QFETCH(qreal, shownAt);
    QFETCH(int, slice);
    GridScene scene(10);
    scene.geometry.SetDetailOverride(5);
    const int count = scene.places.GetSize();
    MapRenderer ahead(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    std::vector<qreal> ratios{madeAt};
    if (shownAt != madeAt) ratios.push_back(shownAt);  // all made again for the new screen
    for (const qreal ratio : ratios) {
        int calls = 1;
        while (ahead.MakeLabelsAhead(ratio, slice, SIZE_MAX)) ++calls;
        QCOMPARE(calls, (count + slice - 1) / slice);
    }
    QVERIFY(!ahead.MakeLabelsAhead(shownAt, slice, SIZE_MAX));  // nothing left
    const size_t made = ahead.LabelBytes();
    auto paint = [&](MapRenderer& renderer) {
        QImage image = scene.Canvas(shownAt);
        QPainter painter(&image);
        renderer.Paint(painter, {0, 0, scene.width, scene.height}, &scene.picture);
        return image;
    };
    const QImage painted = paint(ahead);
    QCOMPARE(ahead.LabelBytes(), made);
    MapRenderer fresh(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    QVERIFY(painted == paint(fresh));
    QCOMPARE(fresh.LabelBytes(), made);
}

// A zoom out shows the lowest levels first: their labels are made first.
void TestMapRenderer::labelsAheadLowestLevelFirst() {
    GridScene scene(10);
    int lowest = 0;
    for (int i = 0; i < scene.places.GetSize(); ++i) lowest += scene.places[i]->m_nLevel == 0 ? 1 : 0;
    QVERIFY(lowest > 10 && lowest < scene.places.GetSize() / 2);
    MapRenderer ahead(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    QVERIFY(ahead.MakeLabelsAhead(1.0, lowest, SIZE_MAX));
    const size_t made = ahead.LabelBytes();
    scene.geometry.SetDetailOverride(0);
    QImage image = scene.Canvas(1.0);
    QPainter painter(&image);
    ahead.Paint(painter, {0, 0, scene.width, scene.height}, &scene.picture);
    QCOMPARE(ahead.LabelBytes(), made);
    scene.geometry.SetDetailOverride(1);
    ahead.Paint(painter, {0, 0, scene.width, scene.height}, &scene.picture);
    QVERIFY(ahead.LabelBytes() > made);
}

// A table of a great many places: the labels made ahead stop at their
// budget, for good, and the ones shown are still made as they are shown.
void TestMapRenderer::labelsAheadStopAtTheBudget() {
    GridScene scene(10);
    scene.geometry.SetDetailOverride(5);
    MapRenderer ahead(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    QVERIFY(!ahead.MakeLabelsAhead(1.0, 1000, 1));
    const size_t one = ahead.LabelBytes();
    QVERIFY(one > 0);
    QVERIFY(!ahead.MakeLabelsAhead(1.0, 1000, 1));
    QCOMPARE(ahead.LabelBytes(), one);
    QVERIFY(!ahead.MakeLabelsAhead(1.0, 1000, 20 * one));
    QVERIFY(ahead.LabelBytes() >= 20 * one && ahead.LabelBytes() < 40 * one);
    QImage image = scene.Canvas(1.0);
    QPainter painter(&image);
    ahead.Paint(painter, {0, 0, scene.width, scene.height}, &scene.picture);
    QVERIFY(ahead.LabelBytes() > 100 * one);
}

// A few pins have their heads (white in the middle); hundreds in a paint
// are dots of their colour, in an image written as pixels and through a
// scaled painter (a printer's) alike.
void TestMapRenderer::pinsDrawnWholeOrAsDots_data() {
    QTest::addColumn<int>("pins");
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("dot");  // the middle of a pin in its colour, not white
    QTest::newRow("a few: heads") << 20 << 1 << false;
    QTest::newRow("hundreds: dots") << 400 << 1 << true;
    QTest::newRow("hundreds, scaled painter: dots") << 400 << 2 << true;
}

void TestMapRenderer::pinsDrawnWholeOrAsDots() {
    QFETCH(int, pins);
    QFETCH(int, scale);
    SnowScene scene({"A"});
    CNoteItems items;
    for (int i = 0; i < pins; ++i) {
        CNoteItem pin;
        pin.id = "pin:" + std::to_string(i);
        pin.colour = PinColour::Orange;
        pin.x = (i % 20 - 10) * 6750;  // 20 columns 18 pixels apart, rows 14 apart
        pin.y = (i / 20 - 10) * 8150;
        items.push_back(pin);
    }
    CNotesOnMap notes;
    notes.Update(items, scene.places);
    MapRenderer renderer(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    renderer.SetNotes(&notes);
    QImage image(400 * scale, 300 * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.scale(scale, scale);
    renderer.Paint(painter, {0, 0, 400, 300}, &scene.picture);
    painter.end();
    const CRect head = PinRect(scene.geometry, items[5].x, items[5].y);
    const QPoint centre((head.left + head.right) / 2 * scale, (head.top + head.bottom) / 2 * scale);
    const QColor middle = image.pixelColor(centre);
    QTEST(middle == QColor(255, 150, 20), "dot");
    if (pins < 300) QVERIFY2(middle.red() > 200 && middle.green() > 200 && middle.blue() > 200, qPrintable(middle.name()));
}

void TestMapRenderer::focusRing_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("kindHidden");
    QTest::newRow("ratio 1") << 1.0 << false;
    QTest::newRow("ratio 2") << 2.0 << false;
    QTest::newRow("fractional ratio") << 1.5 << false;
    QTest::newRow("a place of a hidden kind has none") << 1.0 << true;
}

// Around the focused place's marker, in whole device pixels from the
// outside in: dark, then white, on every side.
void TestMapRenderer::focusRing() {
    QFETCH(qreal, ratio);
    QFETCH(bool, kindHidden);
    Scene scene;
    MapRenderer renderer(scene.geometry, scene.overlay, scene.places, QGuiApplication::font());
    if (kindHidden) scene.overlay.SetHiddenKinds({scene.places[0]->m_nType});
    renderer.SetFocusRing(scene.places[0]);
    const QImage image = Paint(renderer, scene, ratio);
    CRect marker, label;
    scene.overlay.GetPlaceRects(*scene.places[0], {}, marker, label);
    const int size = qRound((marker.Width() + 8) * ratio), left = qRound((marker.left - 4) * ratio),
              top = qRound((marker.top - 4) * ratio), white = qRound(ratio), middle = size / 2;
    const QPoint outside[] = {
        {left, top + middle}, {left + size - 1, top + middle}, {left + middle, top}, {left + middle, top + size - 1}};
    const QPoint inward[] = {{white, 0}, {-white, 0}, {0, white}, {0, -white}};
    for (int side = 0; side < 4; ++side) {
        const QColor edge = image.pixelColor(outside[side]), band = image.pixelColor(outside[side] + inward[side]);
        QCOMPARE(band == Qt::white && edge.lightness() < 40, !kindHidden);
    }
}

// A journey's line across a grey picture: along the row it runs on, its
// pixels are in its ink (all of them for a solid line, some for a dashed
// one), and a measure's white dashes lie on a dark edge.
void TestMapRenderer::journeyLinesInTheirInk_data() {
    QTest::addColumn<int>("stroke");  // JourneyStroke
    QTest::addColumn<int>("row");     // rows below the line's middle
    QTest::addColumn<QColor>("ink");
    QTest::addColumn<double>("least");  // share of the row's pixels in the ink
    QTest::addColumn<double>("most");
    const QColor blue(0x00, 0x72, 0xb2);
    QTest::newRow("a road: solid blue") << int(JourneyStroke::Road) << 0 << blue << 0.95 << 1.0;
    QTest::newRow("off road: dashed blue") << int(JourneyStroke::OffRoad) << 0 << blue << 0.3 << 0.8;
    QTest::newRow("a measure: white dashes") << int(JourneyStroke::Measure) << 0 << QColor(Qt::white) << 0.3 << 0.8;
    QTest::newRow("a measure: its dark edge") << int(JourneyStroke::Measure) << -2 << QColor(13, 13, 13) << 0.95 << 1.0;
}

void TestMapRenderer::journeyLinesInTheirInk() {
    QFETCH(int, stroke);
    QFETCH(int, row);
    QFETCH(QColor, ink);
    QFETCH(double, least);
    QFETCH(double, most);
    JourneyScene scene;
    const CWorldPoint from = scene.WorldAt({20, 250});
    scene.journeys[size_t(JourneyPart::Route)].paths.push_back(
        {JourneyStroke(stroke), {from, scene.WorldAt({380, 250})}});
    const QImage image = scene.Paint();
    // The row the line runs on, as the renderer placed its ends.
    const int y = scene.ClientAt(from).y() + row;
    const auto near = [&](QColor c) {
        return std::abs(c.red() - ink.red()) + std::abs(c.green() - ink.green()) + std::abs(c.blue() - ink.blue()) < 40;
    };
    const double share = CountPixels(image, {40, y, 360, y + 1}, near) / 320.0;
    QVERIFY2(share >= least && share <= most, qPrintable(QString::number(share)));
}

// A measured point's tag (a caption of spaces: the tag alone) lies on the
// side it was given, and nothing on the opposite one.
void TestMapRenderer::pointCaptionOnItsSide_data() {
    QTest::addColumn<int>("side");  // JourneyCaptionSide
    QTest::addColumn<QPoint>("towards");
    QTest::newRow("up right") << int(JourneyCaptionSide::UpRight) << QPoint(1, -1);
    QTest::newRow("up left") << int(JourneyCaptionSide::UpLeft) << QPoint(-1, -1);
    QTest::newRow("down right") << int(JourneyCaptionSide::DownRight) << QPoint(1, 1);
    QTest::newRow("down left") << int(JourneyCaptionSide::DownLeft) << QPoint(-1, 1);
}

void TestMapRenderer::pointCaptionOnItsSide() {
    QFETCH(int, side);
    QFETCH(QPoint, towards);
    JourneyScene scene;
    const CWorldPoint at = scene.WorldAt({200, 220});
    scene.journeys[size_t(JourneyPart::Measure)].marks.push_back(
        {at, JourneyMarkStyle::Point, "      ", JourneyCaptionSide(side)});
    const QImage image = scene.Paint();
    const QPoint dot = scene.ClientAt(at), step = towards * 10;
    QVERIFY2(image.pixelColor(dot + step).lightness() < 80, qPrintable(image.pixelColor(dot + step).name()));
    QCOMPARE(image.pixelColor(dot - step), QColor(128, 128, 128));
}

QTEST_MAIN(TestMapRenderer)
#include "test_maprenderer.moc"
