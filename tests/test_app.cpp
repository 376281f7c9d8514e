#include "JpegMaker.h"
#include "TableBuilder.h"

#include "app/ZerimApp.h"
#include "app/ZerimDoc.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QMainWindow>
#include <QtTest>

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void loadsOnceBehindTheNotice();
    void runsWithoutAnyData();
    void emptyPlaceTable();
    void documentFiles();
};

void TestApp::cleanup() { SetResources(nullptr); }

void TestApp::loadsOnceBehindTheNotice() {
    CMemoryResourceStore store;
    store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Quadrants(33, 38));
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
              TestTables::PlaceTable({{"Kelwick", 21, 3, 100, 200}, {"Orvane", 10, 0, -5, 7}}));
    SetResources(&store);

    CZerimApp app;
    QVERIFY(!app.m_bLoaded);
    CMapPicture* picture = app.EnsureLoaded();
    QCOMPARE(picture, &app.m_picture);
    QCOMPARE(picture->GetPixelSize(), CSize({33, 38}));
    QCOMPARE(app.m_places.GetSize(), 2);
    QCOMPARE(app.m_places[1]->m_strName, std::string("Orvane"));

    // Later calls return the same picture and leave the table alone.
    SetResources(nullptr);
    QCOMPARE(app.EnsureLoaded(), picture);
    QCOMPARE(app.m_places.GetSize(), 2);
    QVERIFY(!picture->IsEmpty());
}

// With no data resources at all the program still starts: no picture, no
// places, a black map, the product title.
void TestApp::runsWithoutAnyData() {
    CZerimApp app;
    QVERIFY(app.InitInstance());
    QMainWindow* frame = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMainWindow*>(w)) frame = m;
    QVERIFY(frame);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(frame->windowTitle(), QString("Sarvenhal."));
    QVERIFY(app.m_bLoaded);
    QVERIFY(app.m_picture.IsEmpty());
    QCOMPARE(app.m_places.GetSize(), 0);
    const QImage shot = frame->centralWidget()->grab().toImage();
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(Qt::black));
}

void TestApp::emptyPlaceTable() {
    CMemoryResourceStore store;
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES, {0, 0});
    SetResources(&store);
    CZerimApp app;
    QVERIFY(app.LoadPlaces());
    QCOMPARE(app.m_places.GetSize(), 0);
}

// A file named on the command line is accepted when it opens, whatever it
// holds; one that does not open is refused with the reason.
void TestApp::documentFiles() {
    CZerimDoc doc;
    QString error;
    QVERIFY(doc.OnNewDocument());
    QVERIFY(doc.OnOpenDocument(QStringLiteral(ZERIM_SOURCE_DIR "/README.md"), error));
    QVERIFY(!doc.OnOpenDocument(QStringLiteral("/nonexistent/carte.txt"), error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestApp)
#include "test_app.moc"
