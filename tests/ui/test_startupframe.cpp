// What the start-up does to be quick (the first look made at build time, the
// full decode held back, the list measured later) must not change what the
// user sees: the first frame, at the start-up zoom, against the frame painted
// once everything has loaded, with the real data and the program's own path
// (world, application object, main window). Nor may the window's making read
// an image file: the first read loads every image plug-in.
#include "ImageCompare.h"
#include "data/PlaceArray.h"
#include "startup/QuickStyle.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/PlaceBar.h"
#include "res/QtResourceStore.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "mapview/ZerimView.h"
#include "widgets/AutoCombo.h"

#include <QApplication>
#include <QtTest>


class TestStartupFrame : public QObject {
    Q_OBJECT
private slots:
    void firstFrameIsTheLoadedOne();
};

namespace {

CMainFrame* MainFrame() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* frame = qobject_cast<CMainFrame*>(widget)) return frame;
    return nullptr;
}

// The pixels of the markers and labels (with their outline) of the places
// shown at this moment.
QRegion PlacesDrawn(CZerimView& view, const CPlaceArray& places) {
    QRegion region;
    for (int i = 0; i < places.GetSize(); ++i) {
        const CPlace* place = places[i];
        if (!place || !view.Places().IsPlaceVisible(place)) continue;
        CRect marker, label;
        view.Places().GetPlaceRects(*place, view.Renderer().LabelSizes().Of(i), marker, label);
        region += QRect(marker.left, marker.top, marker.Width(), marker.Height());
        region += QRect(label.left, label.top, label.Width(), label.Height()).adjusted(-1, -1, 1, 1);
    }
    return region & view.viewport()->rect();
}

// True once any of Qt's image plug-ins is in the process.
bool ImagePluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return !maps.open(QIODevice::ReadOnly) || maps.readAll().contains("/imageformats/");
}

}  // namespace

void TestStartupFrame::firstFrameIsTheLoadedOne() {
    const CQtResourceStore embedded;
    CWorld world(embedded);
    world.StartPicture(/*holdFullDecode=*/true);  // as the program starts
    UseQuickStyle();
    QVERIFY(!ImagePluginLoaded());
    CZerimApp app(world);
    QVERIFY(app.InitInstance());
    QVERIFY2(!ImagePluginLoaded(), "the window's making read an image file");
    CMainFrame* frame = MainFrame();
    QVERIFY(frame);
    CZerimView* view = frame->findChild<CZerimView*>();
    QImage first;
    QRegion places;
    size_t firstLabels = 0;
    frame->AfterFirstMap([&] {
        firstLabels = view->Renderer().LabelBytes();
        QVERIFY(world.Picture().Level(0).isNull());  // still the first look
        first = view->viewport()->grab().toImage();
        places = PlacesDrawn(*view, world.Places());
        // Measured once the first map is on screen, shown or not.
        for (int i = 0; i < world.Places().GetSize(); ++i) QVERIFY(view->Renderer().LabelSizes().IsMeasured(i));
    });
    QTRY_VERIFY(!first.isNull());
    QCOMPARE(view->Zoom(), 20);
    QTRY_VERIFY_WITH_TIMEOUT(!world.Picture().Level(0).isNull(), 10000);
    const QImage loaded = view->viewport()->grab().toImage();
    QCOMPARE(loaded.size(), first.size());
    QVERIFY(places.rectCount() > 10);
    for (const QRect& rect : places)
        QCOMPARE(first.copy(rect), loaded.copy(rect));
    const double db = Psnr(first, loaded);
    qInfo("first frame against the loaded one: %.1f dB", db);
    QVERIFY(db >= 40.0);
    QCOMPARE(frame->PlaceBar()->Combo()->count(), world.Places().GetSize());
    QCOMPARE(world.Places().GetSize(), 863);

    // Then every label is made between events: a look at every place makes none.
    QTRY_VERIFY(view->Renderer().LabelBytes() > firstLabels && !view->MakingLabelsAhead());
    const size_t made = view->Renderer().LabelBytes();
    int top = 0;
    for (int i = 0; i < world.Places().GetSize(); ++i) top = std::max(top, world.Places()[i]->m_nLevel);
    view->SetDetailLevel(top);
    view->SetZoom(10);
    view->viewport()->grab();
    QCOMPARE(view->Renderer().LabelBytes(), made);
}

QTEST_MAIN(TestStartupFrame)
#include "test_startupframe.moc"
