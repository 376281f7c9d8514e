// The map view on the offscreen platform: what it paints, pixel by pixel,
// and that a snapshot shows exactly what its client area shows.
#include "JpegMaker.h"

#include "data/PlaceList.h"
#include "render/MapPicture.h"
#include "output/Snapshot.h"
#include "mapview/ZerimView.h"

#include <QScrollBar>
#include <QStyle>
#include <QtTest>

#include <functional>
#include <sstream>

namespace {

const TestJpeg::Rgb kGrey{128, 128, 128};

bool IsRed(QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; }
bool IsGreen(QRgb p) { return qGreen(p) > 200 && qRed(p) < 80 && qBlue(p) < 80; }
bool IsWhite(QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200; }
bool IsGrey(QRgb p) {
    return TestJpeg::Near(qRed(p), 128) && TestJpeg::Near(qGreen(p), 128) && TestJpeg::Near(qBlue(p), 128);
}

int CountIn(const QImage& image, const CRect& r, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(image.height(), r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(image.width(), r.right); ++x)
            n += test(image.pixel(x, y));
    return n;
}

// Resizes the view until its client area (beside any scroll bars) is w x h.
void SizeClientArea(CZerimView& view, int w, int h) {
    view.resize(w, h);
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        const QSize client = view.viewport()->size();
        view.resize(view.width() + w - client.width(), view.height() + h - client.height());
    }
    QApplication::processEvents();
}

QImage Grab(CZerimView& view) { return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(std::function<void(CZerimView&)>)

class TestZerimView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void marginsAndPicture();
    void markersAndLabels();
    void boldLevelZero();
    void highlightedLabelIsGreen();
    void searchFindsAndRepaints();
    void titleFollowsZoom();
    void wholePictureModeDrawsTheSame();
    void hoverReachesPaintedLabels();
    void hoverFindsNamesPlacedApart();
    void hoverFollowsTheView_data();
    void hoverFollowsTheView();
    void snapshotIsTheClientArea_data();
    void snapshotIsTheClientArea();
    void barsFollowAResizeAtOnce_data();
    void barsFollowAResizeAtOnce();

private:
    QImage Shot() { return Grab(*m_view); }
    int IndexOf(const char* name, int level) const;
    CPlace* PlaceNamed(const char* name, int level) const { return m_places[IndexOf(name, level)]; }

    std::vector<unsigned char> m_jpeg = TestJpeg::Solid(3300, 3800, kGrey);
    CMapPicture m_picture;
    CPlaceList m_places;
    std::unique_ptr<CZerimView> m_view;
};

void TestZerimView::initTestCase() {
    m_picture.LoadFromBytes(ByteBlock(m_jpeg));
    m_places.Add("Orvane", 0, 0, 0, 10);            // map (275, 478) at 20%
    m_places.Add("Kelwick", -50000, 150000, 1, 21);  // map (165, 152) at 20%
    m_places.Add("Kelwick", -50000, 100000, 0, 21);  // same name, level 0
    m_places.Add("Dun-Carrow", 60000, 80000, 5, 29);
}

void TestZerimView::init() {
    m_view = std::make_unique<CZerimView>(m_places, [this] { return &m_picture; });
    m_view->resize(900, 700);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestZerimView::cleanup() { m_view.reset(); }

int TestZerimView::IndexOf(const char* name, int level) const {
    for (int i = 0; i < m_places.GetSize(); ++i)
        if (m_places[i]->m_strName == name && m_places[i]->m_nLevel == level) return i;
    return -1;
}

void TestZerimView::marginsAndPicture() {
    const QImage shot = Shot();
    QVERIFY(shot.width() > 660);
    QCOMPARE(shot.pixelColor(shot.width() - 5, 10), QColor(Qt::black));  // right of the picture
    QVERIFY(IsGrey(shot.pixel(100, 300)));
    QVERIFY(IsGrey(shot.pixel(655, 300)));
    QCOMPARE(shot.pixelColor(665, 300), QColor(Qt::black));
}

void TestZerimView::markersAndLabels() {
    const QImage shot = Shot();
    // Orvane's marker: a 6 x 6 red outline from (272, 475) to (277, 480), hollow.
    for (QPoint p : {QPoint(272, 475), QPoint(277, 475), QPoint(272, 480), QPoint(277, 480), QPoint(274, 475)})
        QVERIFY2(IsRed(shot.pixel(p)), qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    QVERIFY(IsGrey(shot.pixel(275, 478)));
    QVERIFY(IsGrey(shot.pixel(278, 478)));
    // Its label starts at (279, 475), white, measured by the paint and kept.
    const CSize size = m_view->Renderer().LabelSizes().Of(IndexOf("Orvane", 0));
    QVERIFY(size.cx > 0 && size.cy > 0);
    QVERIFY(CountIn(shot, {279, 475, 279 + size.cx, 475 + size.cy}, IsWhite) > 10);
    // Level 5 is not shown at 20%: no marker where Dun-Carrow stands, and
    // its label was never measured.
    const CPoint dun = m_view->Geometry().WorldToMap({60000, 80000});
    QVERIFY(IsGrey(shot.pixel(dun.x - 3, dun.y - 3)));
    QVERIFY(!m_view->Renderer().LabelSizes().IsMeasured(IndexOf("Dun-Carrow", 5)));
    // With the detail level at 5 it is.
    m_view->SetDetailLevel(5);
    QVERIFY(IsRed(Shot().pixel(dun.x - 3, dun.y - 3)));
}

void TestZerimView::boldLevelZero() {
    m_view->SetDetailLevel(5);
    Shot();
    const CLabelSizes& sizes = m_view->Renderer().LabelSizes();
    const CSize normal = sizes.Of(IndexOf("Kelwick", 1)), bold = sizes.Of(IndexOf("Kelwick", 0));
    QVERIFY(normal.cx > 0);
    QVERIFY(bold.cx > normal.cx);
}

void TestZerimView::highlightedLabelIsGreen() {
    CPlace* dun = PlaceNamed("Dun-Carrow", 5);
    m_view->HighlightOne(dun);
    QCOMPARE(m_view->Zoom(), 125);  // raised to show level 5
    const QImage shot = Shot();
    CRect marker, label;
    m_view->Places().GetPlaceRects(*dun, m_view->Renderer().LabelSizes().Of(IndexOf("Dun-Carrow", 5)), marker,
                                   label);
    QVERIFY(IsRed(shot.pixel(marker.left, marker.top)));
    QVERIFY(CountIn(shot, label, IsGreen) > 10);
    QCOMPARE(CountIn(shot, label, IsWhite), 0);
}

void TestZerimView::searchFindsAndRepaints() {
    m_view->SearchPlaces("kelw");
    QCOMPARE(m_view->Places().Highlight().GetSize(), 2);
    QVERIFY(CountIn(Shot(), {0, 0, 900, 700}, IsGreen) > 10);
    m_view->SearchPlaces("nowhere at all");
    QVERIFY(m_view->Places().Highlight().IsEmpty());
    QCOMPARE(CountIn(Shot(), {0, 0, 900, 700}, IsGreen), 0);
}

void TestZerimView::titleFollowsZoom() {
    m_view->OnZoomIn();
    QCOMPARE(m_view->windowTitle(), QString("Sarvenhal. (Zoom 30%)"));
    m_view->OnZoomOut();
    QCOMPARE(m_view->windowTitle(), QString("Sarvenhal. (Zoom 15%)"));
}

void TestZerimView::wholePictureModeDrawsTheSame() {
    const QImage normal = Shot();
    m_view->SetWholePicture(true);
    QVERIFY(m_view->Renderer().WholePicture());
    const QImage whole = Shot();
    for (QPoint p : {QPoint(100, 100), QPoint(600, 700 - 80), QPoint(272, 475)})
        QCOMPARE(QColor(whole.pixel(p)), QColor(normal.pixel(p)));
}

// The hover test reads the label sizes the paint measured: the far end of
// a painted label finds its place.
void TestZerimView::hoverReachesPaintedLabels() {
    Shot();
    const CSize size = m_view->Renderer().LabelSizes().Of(IndexOf("Orvane", 0));
    QVERIFY(size.cx > 10);
    QTest::mouseMove(m_view->viewport(), QPoint(279 + size.cx - 2, 475 + size.cy / 2));
    QTRY_VERIFY(m_view->HoveredPlace() == PlaceNamed("Orvane", 0));
    QTest::mouseMove(m_view->viewport(), QPoint(279 + size.cx + 1, 475 + size.cy / 2));
    QTRY_VERIFY(m_view->HoveredPlace() == nullptr);
}

// With names kept apart, the pointer finds a name where it was moved to,
// and nothing where it would have been.
void TestZerimView::hoverFindsNamesPlacedApart() {
    CPlaceList places;
    places.Add("Orvane", 0, 0, 0, 10);        // map (275, 478) at 20%
    places.Add("Brinmoor", 0, -3000, 0, 22);  // 6 pixels under it: its name would cover Orvane's
    m_view.reset();  // the pointer's events go to the one window
    CZerimView view(places, [this] { return &m_picture; });
    view.resize(900, 700);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    MapLook look;
    look.declutter = true;
    view.SetLook(look);
    Grab(view);
    const CSize size = view.Renderer().LabelSizes().Of(1);
    CRect marker, usual;
    view.Places().GetPlaceRects(*places[1], size, marker, usual);
    const QPoint movedLeft(marker.left - 3, marker.top + size.cy / 2), belowOrvane(usual.left + 3, usual.bottom - 1);
    QTest::mouseMove(view.viewport(), movedLeft);
    QTRY_VERIFY(view.HoveredPlace() == places[1]);
    QTest::mouseMove(view.viewport(), belowOrvane);
    QTRY_VERIFY(view.HoveredPlace() == nullptr);
    view.SetLook(MapLook());
    QTest::mouseMove(view.viewport(), belowOrvane + QPoint(1, 0));
    QTRY_VERIFY(view.HoveredPlace() == places[1]);
}

// The pointer rests on Orvane's marker while the map changes under it: the
// hovered place is what now lies under the pointer, nothing once it has left.
void TestZerimView::hoverFollowsTheView_data() {
    QTest::addColumn<std::function<void(CZerimView&)>>("change");
    QTest::newRow("zoom in") << std::function<void(CZerimView&)>([](CZerimView& v) { v.OnZoomIn(); });
    QTest::newRow("bottom right") << std::function<void(CZerimView&)>([](CZerimView& v) { v.OnBottomRight(); });
    QTest::newRow("scroll bar") << std::function<void(CZerimView&)>([](CZerimView& v) {
        v.OnZoomIn();  // two steps in: then there is something to scroll
        v.OnZoomIn();
        v.horizontalScrollBar()->setValue(v.horizontalScrollBar()->maximum());
    });
    QTest::newRow("search elsewhere") << std::function<void(CZerimView&)>([](CZerimView& v) { v.SearchPlaces("Dun"); });
    QTest::newRow("resize") << std::function<void(CZerimView&)>([](CZerimView& v) { SizeClientArea(v, 200, 150); });
    QTest::newRow("pointer leaves") << std::function<void(CZerimView&)>([](CZerimView& v) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(v.viewport(), &leave);
    });
}

void TestZerimView::hoverFollowsTheView() {
    QFETCH(std::function<void(CZerimView&)>, change);
    QString status;
    m_view->SetStatusWriter([&status](const QString& text) { status = text; });
    Shot();
    QTest::mouseMove(m_view->viewport(), QPoint(5, 5));  // a move, whatever the last row left
    QTest::mouseMove(m_view->viewport(), QPoint(275, 478));
    QTRY_VERIFY(m_view->HoveredPlace() == PlaceNamed("Orvane", 0));
    const QString onOrvane = status;
    change(*m_view);
    QVERIFY(m_view->HoveredPlace() != PlaceNamed("Orvane", 0));
    QVERIFY(status != onOrvane);  // the read-out follows
}

// The snapshot's map area against the view's client area of the same size
// after the same steps: zoom, centre, search, detail level.
void TestZerimView::snapshotIsTheClientArea_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("centre");  // world; (0, 0) for none
    QTest::addColumn<std::optional<std::string>>("find");
    QTest::addColumn<int>("level");  // -1: automatic
    QTest::addColumn<bool>("centred");
    const std::optional<std::string> none;
    QTest::newRow("scroll bars in the view") << QSize(640, 480) << 40 << QPoint(20000, 30000) << none << -1 << false;
    QTest::newRow("whole picture with margins") << QSize(640, 480) << 10 << QPoint() << none << -1 << false;
    QTest::newRow("search flies and lights") << QSize(500, 400) << 20 << QPoint() << std::optional<std::string>("kelw")
                                             << -1 << false;
    QTest::newRow("detail 5, scrolled far") << QSize(800, 600) << 100 << QPoint(60000, 80000) << none << 5 << false;
    QTest::newRow("centred, whole picture") << QSize(640, 480) << 10 << QPoint() << none << -1 << true;
    QTest::newRow("centred across, scrolled down") << QSize(800, 300) << 20 << QPoint(1, 1) << none << 0 << true;
}

void TestZerimView::snapshotIsTheClientArea() {
    QFETCH(QSize, size);
    QFETCH(int, zoom);
    QFETCH(QPoint, centre);
    QFETCH(std::optional<std::string>, find);
    QFETCH(int, level);
    QFETCH(bool, centred);
    SnapshotOptions o;
    o.width = size.width(), o.height = size.height(), o.zoom = zoom, o.find = find;
    o.look.centred = centred;
    if (!centre.isNull()) o.centerX = centre.x(), o.centerY = centre.y();
    if (level >= 0) o.level = level;
    std::ostringstream err;
    bool found = false;
    const QImage snapshot = RenderSnapshot(o, m_places, m_picture, err, found);
    QVERIFY(found);

    m_view->SetLook(o.look);
    m_view->SetZoom(zoom);
    SizeClientArea(*m_view, size.width(), size.height());
    if (o.centerX) {
        const CPoint map = m_view->Geometry().WorldToMap({*o.centerX, *o.centerY});
        m_view->Geometry().CenterOn(map.x, map.y, false);
    }
    if (find) m_view->SearchPlaces(QString::fromStdString(*find));
    if (o.level) m_view->SetDetailLevel(*o.level);
    const QImage shot = Grab(*m_view);
    QCOMPARE(shot.size(), size);
    QCOMPARE(snapshot.size(), size);
    QVERIFY(snapshot.convertToFormat(QImage::Format_RGB32) == shot);
    // A centred picture leaves a grey ground on its left, where it would
    // otherwise start.
    if (!centred) return;
    QCOMPARE(shot.pixelColor(2, size.height() / 2), QColor(0x3c, 0x3c, 0x3c));
    QVERIFY(IsGrey(shot.pixel(size.width() / 2, size.height() / 2)));
}

void TestZerimView::barsFollowAResizeAtOnce_data() {
    QTest::addColumn<QSize>("size");  // the view's, from 900 x 700 (a bar down)
    QTest::addColumn<bool>("across");
    QTest::addColumn<bool>("down");
    // The picture is 660 x 760 at 20%.
    QTest::newRow("the map fits") << QSize(900, 800) << false << false;
    QTest::newRow("too short") << QSize(900, 600) << false << true;
    QTest::newRow("too narrow") << QSize(600, 800) << true << false;
    QTest::newRow("too small both ways") << QSize(500, 500) << true << true;
}

// The bars of a new size are there as soon as the view has it, before any
// paint: never a frame with the old bars (at start-up, a bar that flashed
// over the first map and went).
void TestZerimView::barsFollowAResizeAtOnce() {
    QFETCH(QSize, size);
    QFETCH(bool, across);
    QFETCH(bool, down);
    const int extent = m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize client = size - QSize(down ? extent : 0, across ? extent : 0);
    m_view->resize(size);
    for (int settled = 0; settled < 2; ++settled) {  // as resized, then once the events are in
        QCOMPARE(m_view->horizontalScrollBar()->isVisibleTo(m_view.get()), across);
        QCOMPARE(m_view->verticalScrollBar()->isVisibleTo(m_view.get()), down);
        QCOMPARE(m_view->viewport()->size(), client);
        QApplication::processEvents();
    }
}

QTEST_MAIN(TestZerimView)
#include "test_zerimview.moc"
