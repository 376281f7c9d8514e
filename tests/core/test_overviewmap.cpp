#include "FakeViewHost.h"

#include "view/OverviewMap.h"

#include <QtTest>

#include <cstdlib>

Q_DECLARE_METATYPE(CPoint)
Q_DECLARE_METATYPE(CRect)
Q_DECLARE_METATYPE(CSize)

class TestOverviewMap : public QObject {
    Q_OBJECT
private slots:
    void fitInto_data();
    void fitInto();
    void viewRectangle_data();
    void viewRectangle();
    void clickCentresTheView_data();
    void clickCentresTheView();
};

void TestOverviewMap::fitInto_data() {
    QTest::addColumn<CSize>("area");
    QTest::addColumn<CSize>("picture");
    QTest::addColumn<CRect>("fitted");
    QTest::newRow("wide area: full height, centred across") << CSize{400, 200} << CSize{3300, 3800}
                                                            << CRect{113, 0, 287, 200};
    QTest::newRow("tall area: full width, at the top") << CSize{200, 400} << CSize{3300, 3800}
                                                       << CRect{0, 0, 200, 230};
    QTest::newRow("exact tenth") << CSize{330, 380} << CSize{3300, 3800} << CRect{0, 0, 330, 380};
    QTest::newRow("a sliver keeps a pixel") << CSize{300, 1} << CSize{10, 3000} << CRect{149, 0, 150, 1};
    QTest::newRow("no area") << CSize{0, 200} << CSize{3300, 3800} << CRect{};
    QTest::newRow("no picture") << CSize{200, 200} << CSize{0, 0} << CRect{};
}

void TestOverviewMap::fitInto() {
    QFETCH(CSize, area);
    QFETCH(CSize, picture);
    QFETCH(CRect, fitted);
    QCOMPARE(FitInto(area, picture), fitted);
}

// The rectangle over the overview is what the view shows, at any zoom,
// scrolled or centred.
void TestOverviewMap::viewRectangle_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<CPoint>("scroll");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<CRect>("rectangle");  // in an overview of 330 x 380
    QTest::newRow("100 %, scrolled") << 100 << CPoint{1000, 2000} << false << CRect{100, 200, 180, 260};
    QTest::newRow("200 %: half as large") << 200 << CPoint{2000, 4000} << false << CRect{100, 200, 140, 230};
    QTest::newRow("whole picture, centred") << 10 << CPoint{} << true << CRect{0, 0, 330, 380};
    QTest::newRow("whole picture, top left") << 10 << CPoint{} << false << CRect{0, 0, 330, 380};
}

void TestOverviewMap::viewRectangle() {
    QFETCH(int, zoom);
    QFETCH(CPoint, scroll);
    QFETCH(bool, centred);
    QFETCH(CRect, rectangle);
    FakeViewHost host;
    ViewGeometry view(host);
    view.SetCentred(centred);
    Place(view, {800, 600}, zoom);
    view.ScrollTo(scroll);
    const CRect fitted = FitInto({330, 380}, host.picture);
    QCOMPARE(PictureToOverview(VisiblePicture(view, host.picture), fitted, host.picture), rectangle);
}

// A click puts the picture point under it in the middle of the view, as
// far as the scroll limits allow; a click beside the picture takes its edge.
void TestOverviewMap::clickCentresTheView_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<CPoint>("click");  // in an overview of 400 x 200: the picture at (113, 0)
    QTest::addColumn<CPoint>("centre");  // picture pixels in the view's middle after it
    QTest::newRow("middle") << 100 << CPoint{200, 100} << CPoint{1650, 1900};
    QTest::newRow("inside, at 200 %") << 200 << CPoint{150, 50} << CPoint{702, 950};
    QTest::newRow("near the top left: the corner") << 100 << CPoint{115, 2} << CPoint{400, 300};
    QTest::newRow("beside the picture: its edge") << 100 << CPoint{399, 199} << CPoint{2900, 3500};
    QTest::newRow("whole picture: nothing moves") << 10 << CPoint{150, 50} << CPoint{4000, 3000};
}

void TestOverviewMap::clickCentresTheView() {
    QFETCH(int, zoom);
    QFETCH(CPoint, click);
    QFETCH(CPoint, centre);
    FakeViewHost host;
    ViewGeometry view(host);
    Place(view, {800, 600}, zoom);
    const CRect fitted = FitInto({400, 200}, host.picture);
    view.ScrollTo(PositionCentring(view, OverviewToPicture(click, fitted, host.picture)));
    const CPoint shown = view.MapToPicture(view.ClientCentre());
    QVERIFY2(std::abs(shown.x - centre.x) <= 12 && std::abs(shown.y - centre.y) <= 12,
             qPrintable(QString("%1,%2").arg(shown.x).arg(shown.y)));
}

QTEST_APPLESS_MAIN(TestOverviewMap)
#include "test_overviewmap.moc"
