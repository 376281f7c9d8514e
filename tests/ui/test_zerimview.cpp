// The map view on the offscreen platform: what it paints, pixel by pixel.
#include "JpegMaker.h"
#include "TableBuilder.h"

#include "shell/MainFrame.h"
#include "shell/ZerimApp.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "view/ZerimView.h"

#include <QtTest>

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

}  // namespace

class TestZerimView : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void marginsAndPicture();
    void markersAndLabels();
    void boldLevelZero();
    void highlightedLabelIsGreen();
    void searchFindsAndRepaints();
    void titleFollowsZoom();
    void wholePictureModeDrawsTheSame();

private:
    QImage Shot() { return m_frame->View()->viewport()->grab().toImage(); }
    CPlace* PlaceNamed(const char* name, int level);

    CMemoryResourceStore m_store;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestZerimView::initTestCase() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, kGrey));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
                TestTables::PlaceTable({
                    {"Orvane", 10, 0, 0, 0},            // map (275, 478) at 20%
                    {"Kelwick", 21, 1, -50000, 150000}, // map (165, 152) at 20%
                    {"Kelwick", 21, 0, -50000, 100000}, // same name, level 0
                    {"Dun-Carrow", 29, 5, 60000, 80000},
                }));
    SetResources(&m_store);
    m_app = std::make_unique<CZerimApp>();
    m_frame = new CMainFrame();
    m_frame->resize(900, 700);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void TestZerimView::cleanupTestCase() {
    delete m_frame;
    m_app.reset();
    SetResources(nullptr);
}

void TestZerimView::init() {
    g_bWholePicture = false;
    m_frame->View()->SetDetailLevel(-1);
    m_frame->View()->SetZoom(20);
    m_frame->View()->Geometry().ScrollTo({0, 0});
}

CPlace* TestZerimView::PlaceNamed(const char* name, int level) {
    for (CPlace* p : m_app->m_places)
        if (p->m_strName == name && p->m_nLevel == level) return p;
    return nullptr;
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
    // Its label starts at (279, 475), white.
    const CPlace* orvane = PlaceNamed("Orvane", 0);
    QVERIFY(!orvane->m_rcLabel.IsRectEmpty());  // measured by the paint, kept in the record
    const CRect label{279, 475, 279 + orvane->m_rcLabel.right, 475 + orvane->m_rcLabel.bottom};
    QVERIFY(CountIn(shot, label, IsWhite) > 10);
    // Level 5 is not shown at 20%: no marker where Dun-Carrow stands.
    const CPoint dun = m_frame->View()->Geometry().WorldToMap({60000, 80000});
    QVERIFY(IsGrey(shot.pixel(dun.x - 3, dun.y - 3)));
    // With the detail level at 5 it is.
    m_frame->View()->SetDetailLevel(5);
    QVERIFY(IsRed(Shot().pixel(dun.x - 3, dun.y - 3)));
}

void TestZerimView::boldLevelZero() {
    m_frame->View()->SetDetailLevel(5);
    Shot();
    const CPlace* bold = PlaceNamed("Kelwick", 0);
    const CPlace* normal = PlaceNamed("Kelwick", 1);
    QVERIFY(normal->m_rcLabel.Width() > 0);
    QVERIFY(bold->m_rcLabel.Width() > normal->m_rcLabel.Width());
}

void TestZerimView::highlightedLabelIsGreen() {
    CPlace* dun = PlaceNamed("Dun-Carrow", 5);
    m_frame->View()->HighlightOne(dun);
    QCOMPARE(m_frame->View()->Zoom(), 125);  // raised to show level 5
    const QImage shot = Shot();
    CRect marker, label;
    m_frame->View()->Places().GetPlaceRects(*dun, marker, label);
    QVERIFY(IsRed(shot.pixel(marker.left, marker.top)));
    QVERIFY(CountIn(shot, label, IsGreen) > 10);
    QCOMPARE(CountIn(shot, label, IsWhite), 0);
}

void TestZerimView::searchFindsAndRepaints() {
    CZerimView* view = m_frame->View();
    view->SearchPlaces("kelw");
    QCOMPARE(view->Places().Highlight().GetSize(), 2);
    view->SearchPlaces("nowhere at all");
    QVERIFY(view->Places().Highlight().IsEmpty());
    QCOMPARE(CountIn(Shot(), {0, 0, 900, 700}, IsGreen), 0);
}

void TestZerimView::titleFollowsZoom() {
    m_frame->View()->OnZoomIn();
    QCOMPARE(m_frame->windowTitle(), QString("Sarvenhal. (Zoom 30%)"));
    m_frame->View()->OnZoomOut();
    QCOMPARE(m_frame->windowTitle(), QString("Sarvenhal. (Zoom 15%)"));
}

void TestZerimView::wholePictureModeDrawsTheSame() {
    const QImage normal = Shot();
    g_bWholePicture = true;
    const QImage whole = Shot();
    for (QPoint p : {QPoint(100, 100), QPoint(600, 700 - 80), QPoint(272, 475)})
        QCOMPARE(QColor(whole.pixel(p)), QColor(normal.pixel(p)));
}

QTEST_MAIN(TestZerimView)
#include "test_zerimview.moc"
