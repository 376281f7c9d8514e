// The overview beside a map view on the offscreen platform: a click in it
// moves the view, and the view's zoom and scroll move its rectangle.
#include "JpegMaker.h"

#include "data/PlaceList.h"
#include "mapview/OverviewMap.h"
#include "mapview/ZerimView.h"
#include "render/MapPicture.h"

#include <QScrollBar>
#include <QtTest>

#include <cstdlib>

namespace {
// Counts the paints of the widget it watches.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};
}  // namespace

class TestOverviewMap : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void clickMovesTheView();
    void rectangleFollowsTheView();
    void foundPlacesAreMarked();
    void keysScrollTheView();

private:
    CPoint CentreInPicture() const {
        const ViewGeometry& g = m_view->Geometry();
        return g.MapToPicture(g.ClientCentre());
    }
    QImage Shot() { return m_overview->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::vector<unsigned char> m_jpeg = TestJpeg::Solid(3300, 3800, {30, 60, 200});
    CMapPicture m_picture;
    CPlaceList m_places;
    std::unique_ptr<CZerimView> m_view;
    std::unique_ptr<COverviewMap> m_overview;
};

void TestOverviewMap::init() {
    if (m_picture.IsEmpty()) m_picture.LoadFromBytes(ByteBlock(m_jpeg));
    if (m_places.Array().IsEmpty()) m_places.Add("Orvane", 0, 0, 0, 10);  // picture (1375, 2389)
    m_view = std::make_unique<CZerimView>(m_places, [this] { return &m_picture; });
    m_view->resize(800, 600);
    m_view->SetZoom(100);
    m_view->show();
    m_overview = std::make_unique<COverviewMap>(*m_view);
    m_overview->resize(336, 386);  // the picture at a tenth, within the inset
    m_overview->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_overview.get()));
}

void TestOverviewMap::cleanup() {
    m_overview.reset();
    m_view.reset();
}

void TestOverviewMap::clickMovesTheView() {
    const CRect fitted = m_overview->FittedPicture();
    QCOMPARE(fitted.Width(), 330);
    QTest::mouseClick(m_overview.get(), Qt::LeftButton, {}, QPoint(fitted.left + 165, fitted.top + 190));
    CPoint centre = CentreInPicture();
    QVERIFY2(std::abs(centre.x - 1650) <= 10 && std::abs(centre.y - 1900) <= 10, qPrintable(QString::number(centre.x)));
    // A drag carries the view along.
    QTest::mousePress(m_overview.get(), Qt::LeftButton, {}, QPoint(fitted.left + 100, fitted.top + 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(fitted.left + 120, fitted.top + 150), QPointF(), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(m_overview.get(), &move);
    QTest::mouseRelease(m_overview.get(), Qt::LeftButton, {}, QPoint(fitted.left + 120, fitted.top + 150));
    centre = CentreInPicture();
    QVERIFY2(std::abs(centre.x - 1200) <= 10 && std::abs(centre.y - 1500) <= 10, qPrintable(QString::number(centre.x)));
}

// The overview repaints after the view does, with the rectangle where the
// view now is; a paint of the view that changed nothing leaves it be.
void TestOverviewMap::rectangleFollowsTheView() {
    PaintCounter counter;
    m_overview->installEventFilter(&counter);
    QApplication::processEvents();
    m_view->viewport()->repaint();
    QApplication::processEvents();
    QCOMPARE(counter.paints, 0);
    // The client's width in picture pixels, at a tenth.
    const int client = m_view->Geometry().ClientSize().cx;
    QVERIFY(std::abs(m_overview->ViewRectangle().Width() - client / 10) <= 1);
    m_view->OnZoomIn();  // 150 %: two thirds as wide
    m_view->viewport()->repaint();
    const CRect zoomed = m_overview->ViewRectangle();
    QVERIFY(std::abs(zoomed.Width() - client / 15) <= 1);
    QTRY_COMPARE(counter.paints, 1);
    m_view->horizontalScrollBar()->setValue(1500);
    m_view->viewport()->repaint();
    QCOMPARE(m_overview->ViewRectangle().left, m_overview->FittedPicture().left + 100);
    QTRY_COMPARE(counter.paints, 2);
    // The white frame is drawn at the rectangle's left edge.
    QTRY_VERIFY(QColor(Shot().pixel(m_overview->ViewRectangle().left, zoomed.top + 10)) == QColor(Qt::white));
}

void TestOverviewMap::foundPlacesAreMarked() {
    const CRect fitted = m_overview->FittedPicture();
    const QPoint orvane(fitted.left + 137, fitted.top + 239);
    const auto green = [&] { return qGreen(Shot().pixel(orvane)) > 200 && qRed(Shot().pixel(orvane)) < 80; };
    QVERIFY(!green());
    m_view->SearchPlaces("orv");
    QTRY_VERIFY(green());
}

// Reached from the keyboard, its arrows and page keys scroll the view.
void TestOverviewMap::keysScrollTheView() {
    const QScrollBar* across = m_view->horizontalScrollBar();
    const QScrollBar* down = m_view->verticalScrollBar();
    QTest::keyClick(m_overview.get(), Qt::Key_Right);
    QCOMPARE(across->value(), across->singleStep());
    QTest::keyClick(m_overview.get(), Qt::Key_PageDown);
    QCOMPARE(down->value(), down->pageStep());
    QCOMPARE(m_overview->focusPolicy(), Qt::TabFocus);
}

QTEST_MAIN(TestOverviewMap)
#include "test_overviewmap_widget.moc"
