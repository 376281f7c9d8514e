#include "JpegMaker.h"
#include "TableBuilder.h"

#include "mainwindow/MainFrame.h"
#include "mainwindow/StatusBar.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "startup/ZerimDoc.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <QStatusTipEvent>
#include <QtTest>

#include <sys/stat.h>

#include "mapview/ZerimView.h"

using TestJpeg::Bytes;

namespace {

CMainFrame* MainFrame() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* frame = qobject_cast<CMainFrame*>(w)) return frame;
    return nullptr;
}

QByteArray Held(const Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), int(b.size())); }

}  // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void loadsOnceBehindTheNotice();
    void aLoadThatFindsNothingIsNotRetried();
    void pictureArrivingAfterTheWindowCloses();
    void runsWithoutAnyData();
    void emptyPlaceTable();
    void documentFiles();
    void namedFileMustOpen_data();
    void namedFileMustOpen();
    void loadProblemsInTheStatusBar_data();
    void loadProblemsInTheStatusBar();
    void tinyPicturesInTheWindow_data();
    void tinyPicturesInTheWindow();
};

void TestApp::loadsOnceBehindTheNotice() {
    CMemoryResourceStore store;
    store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Quadrants(33, 38));
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
              TestTables::PlaceTable({{"Kelwick", 21, 3, 100, 200}, {"Orvane", 10, 0, -5, 7}}));

    CWorld world(store);
    CZerimApp app(world);
    QVERIFY(!world.IsLoaded());
    QCOMPARE(world.Places().GetSize(), 0);
    CMapPicture* picture = app.EnsureLoaded();
    QVERIFY(world.IsLoaded());
    QCOMPARE(picture, &world.Picture());
    QCOMPARE(picture->GetPixelSize(), CSize({33, 38}));
    QCOMPARE(world.Places().GetSize(), 2);
    QCOMPARE(world.Places()[1]->m_strName, std::string("Orvane"));

    // Later calls return the same picture and leave the table alone, even
    // when the store has changed since.
    const CPlace* first = world.Places()[0];
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES, TestTables::PlaceTable({{"Ash", 1, 0, 0, 0}}));
    store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Quadrants(20, 20));
    QCOMPARE(app.EnsureLoaded(), picture);
    QCOMPARE(world.Places().GetSize(), 2);
    QCOMPARE(world.Places()[0], first);
    QCOMPARE(picture->GetPixelSize(), CSize({33, 38}));
}

// Loading is marked before it starts: data that was missing the first time
// is not looked for again, and no notice comes up a second time.
void TestApp::aLoadThatFindsNothingIsNotRetried() {
    CMemoryResourceStore store;
    CWorld world(store);
    int notices = 0;
    world.Load([&] { ++notices; });
    QCOMPARE(notices, 1);
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES, TestTables::PlaceTable({{"Ash", 1, 0, 0, 0}}));
    store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Quadrants(33, 38));
    world.Load([&] { ++notices; });
    CZerimApp app(world);
    QVERIFY(app.EnsureLoaded()->IsEmpty());
    QCOMPARE(notices, 1);
    QCOMPARE(world.Places().GetSize(), 0);
    QVERIFY(world.LoadProblems().empty());  // absent data is no problem
}

// The world outlives its window: a full picture that arrives once the
// window is gone is kept and tells nobody.
void TestApp::pictureArrivingAfterTheWindowCloses() {
    CMemoryResourceStore store;
    store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    CWorld world(store);
    CZerimApp app(world);
    auto* frame = new CMainFrame(world, [&app] { return app.EnsureLoaded(); });
    const int generation = world.Picture().Generation();
    delete frame;
    QTRY_VERIFY(world.Picture().Generation() != generation);
    QCOMPARE(world.Picture().GetPixelSize(), CSize({3300, 3800}));
}

// With no data resources at all the program still starts: no picture, no
// places, a black map, the product title.
void TestApp::runsWithoutAnyData() {
    const CMemoryResourceStore nothing;
    CWorld world(nothing);
    CZerimApp app(world);
    QVERIFY(app.InitInstance());
    QMainWindow* frame = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMainWindow*>(w)) frame = m;
    QVERIFY(frame);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(frame->windowTitle(), QString("Sarvenhal."));
    QVERIFY(world.IsLoaded());
    QVERIFY(world.Picture().IsEmpty());
    QCOMPARE(world.Places().GetSize(), 0);
    const QImage shot = frame->centralWidget()->grab().toImage();
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(Qt::black));
}

void TestApp::emptyPlaceTable() {
    CMemoryResourceStore store;
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES, {0, 0});
    CWorld world(store);
    world.Load(nullptr);
    QCOMPARE(world.Places().GetSize(), 0);
    QVERIFY(world.LoadProblems().empty());
}

// A file named on the command line is accepted when it opens, whatever it
// holds; one that does not open is refused with the reason.
void TestApp::documentFiles() {
    CZerimDoc doc;
    QString error;
    QVERIFY(doc.OnNewDocument());
    QVERIFY(doc.OnOpenDocument(QStringLiteral(ZERIM_SOURCE_DIR "/README.md"), error));
    QVERIFY(!doc.OnOpenDocument(QStringLiteral("/nonexistent/carte.txt"), error));
    QCOMPARE(error, QString::fromUtf8("le fichier ou son dossier n'existe pas"));
    // A FIFO that nobody writes opens at once (this would hang in open()).
    QTemporaryDir dir;
    const QString fifo = dir.filePath("carte.fifo");
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(doc.OnOpenDocument(fifo, error));
}

// What went wrong while loading has a status bar pane of its own for the
// whole run, left of the lock indicators; the places that could be read are
// listed. A picture that is simply absent is no problem.
void TestApp::loadProblemsInTheStatusBar_data() {
    QTest::addColumn<bool>("hasPicture");
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<bool>("cutTable");
    QTest::addColumn<QString>("message");  // its start, empty for no pane
    using namespace TestJpeg;
    const Bytes good = Quadrants(330, 380);
    const QString unreadable = QString::fromUtf8("Carte illisible : ");
    QTest::newRow("sound") << true << Held(good) << false << QString();
    QTest::newRow("no picture at all") << false << QByteArray() << false << QString();
    QTest::newRow("empty") << true << QByteArray() << false << unreadable + "le fichier de la carte est vide";
    QTest::newRow("not a JPEG") << true << QByteArray(200, 'x') << false << unreadable + "ce n'est pas";
    QTest::newRow("header only") << true << Held(HeaderOnly(good)) << false << unreadable + "le fichier s'arrête avant";
    QTest::newRow("zero height") << true << Held(WithSize(good, 330, 0)) << false << unreadable + "l'image a une";
    QTest::newRow("cmyk") << true << Held(Cmyk(40, 40)) << false << unreadable + "couleurs d'impression (CMJN)";
    QTest::newRow("12-bit") << true << Held(WithPrecision(good, 12)) << false << unreadable + "échantillons de plus";
    QTest::newRow("16-bit") << true << Held(WithPrecision(good, 16)) << false << unreadable + "échantillons de plus";
    QTest::newRow("lossless") << true << Held(WithFrameType(good, 0xC3)) << false
                              << unreadable + "codage JPEG sans perte";
    QTest::newRow("600 scans") << true << Held(ManyScans(64, 64, 600)) << false << unreadable + "JPEG progressif";
    QTest::newRow("cut short") << true << Held(CutInScan(good)) << false
                               << QString::fromUtf8("Carte incomplète : le fichier s'arrête avant la fin");
    QTest::newRow("place table cut") << true << Held(good) << true
                                     << QString::fromUtf8("Table des lieux incomplète ; 1 lieu lu");
    QTest::newRow("both") << true << Held(Cmyk(40, 40)) << true
                          << unreadable + QString::fromUtf8("couleurs d'impression (CMJN) non prises en charge — "
                                                            "Table des lieux incomplète ; 1 lieu lu");
}

void TestApp::loadProblemsInTheStatusBar() {
    QFETCH(bool, hasPicture);
    QFETCH(QByteArray, picture);
    QFETCH(bool, cutTable);
    QFETCH(QString, message);
    QTest::failOnWarning(QRegularExpression("^(?!This plugin does not support)"));  // but the offscreen one's
    CMemoryResourceStore store;
    if (hasPicture) store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, Bytes(picture.begin(), picture.end()));
    Bytes places = TestTables::PlaceTable({{"Kelwick", 21, 0, 100, 200}, {"Orvane", 10, 0, -5, 7}});
    if (cutTable) places.resize(places.size() - 6);
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES, places);

    CWorld world(store);
    CZerimApp app(world);
    QVERIFY(app.InitInstance());
    CMainFrame* frame = MainFrame();
    QVERIFY(frame && QTest::qWaitForWindowExposed(frame));
    QCOMPARE(world.Places().GetSize(), cutTable ? 1 : 2);
    QLabel* pane = frame->LoadProblemPane();
    QCOMPARE(pane != nullptr, !message.isEmpty());
    if (!pane) return;
    QVERIFY2(pane->text().startsWith(message), qPrintable(pane->text()));
    QVERIFY(pane->isVisible());
    QCOMPARE(pane->textFormat(), Qt::PlainText);
    // A prompt comes and goes in the message pane; the problem stays.
    QStatusTipEvent prompt(QStringLiteral("Agrandit la carte")), idle{QString()};
    QApplication::sendEvent(frame, &prompt);
    QApplication::sendEvent(frame, &idle);
    QCOMPARE(frame->StatusBar()->PaneText(0), QString::fromUtf8("Prêt"));
    QVERIFY(pane->text().startsWith(message));
    QVERIFY(pane->isVisible());
}

// A picture of a pixel or three draws without a complaint from the painter,
// at the start-up zoom (where it shrinks to nothing) and zoomed in.
void TestApp::tinyPicturesInTheWindow_data() {
    QTest::addColumn<QSize>("size");
    for (QSize size : {QSize(1, 1), QSize(1, 2), QSize(2, 1), QSize(3, 3)})
        QTest::addRow("%dx%d", size.width(), size.height()) << size;
}

void TestApp::tinyPicturesInTheWindow() {
    QFETCH(QSize, size);
    const TestJpeg::Rgb colour{30, 200, 40};
    CMemoryResourceStore store;
    store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(size.width(), size.height(), colour));
    QTest::failOnWarning(QRegularExpression("QPainter"));
    CWorld world(store);
    CZerimApp app(world);
    QVERIFY(app.InitInstance());
    CMainFrame* frame = MainFrame();
    QVERIFY(frame && QTest::qWaitForWindowExposed(frame));
    QVERIFY(!frame->View()->grab().isNull());
    frame->View()->SetZoom(1000);
    const QImage zoomed = frame->View()->grab().toImage();
    const QColor pixel = zoomed.pixelColor(5, 5);
    QVERIFY2(TestJpeg::Near(pixel.red(), colour.r) && TestJpeg::Near(pixel.green(), colour.g),
             qPrintable(pixel.name()));
    QVERIFY(!frame->LoadProblemPane());
}

// The file named on the command line (zerim FILE): a readable one opens the
// window; one that does not open is told in a message box, and the start
// fails (the program then ends with exit code 2).
void TestApp::namedFileMustOpen_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("opens");
    QTest::newRow("readable") << QStringLiteral(ZERIM_SOURCE_DIR "/README.md") << true;
    QTest::newRow("missing") << QStringLiteral("/nonexistent/<b>carte</b>.txt") << false;
    QTest::newRow("a folder") << QStringLiteral(ZERIM_SOURCE_DIR) << false;
}

void TestApp::namedFileMustOpen() {
    QFETCH(QString, file);
    QFETCH(bool, opens);
    const CMemoryResourceStore nothing;
    CWorld world(nothing);
    CZerimApp app(world, file);
    QString told;
    QTimer::singleShot(200, [&told] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            told = box->text();
            box->close();
        }
    });
    QCOMPARE(app.InitInstance(), opens);
    QCOMPARE(told.isEmpty(), opens);
    if (!opens) QVERIFY2(told.startsWith("Impossible d'ouvrir " + file + "."), qPrintable(told));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w)) w->close();
}

QTEST_MAIN(TestApp)
#include "test_app.moc"
