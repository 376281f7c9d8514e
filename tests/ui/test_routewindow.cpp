// Routes in the main window, as a user plans them: "Itinéraire…" from the
// menu (the pointed or found place as the start), from a place's card, from
// the one search's « de X à Y », and by typing both ends; the route drawn
// on the map until "Effacer" or the window closes; a world without roads.
#include "JpegMaker.h"
#include "SmallWorld.h"
#include "TableBuilder.h"

#include "finders/PlaceCardDlg.h"
#include "finders/RouteDlg.h"
#include "mainwindow/ExtraCommands.h"
#include "mainwindow/StatusBar.h"
#include "quicksearch/QuickSearch.h"
#include "widgets/AutoCombo.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "MainWindowFixture.h"

namespace {

// A highway from Kelwick (-100000, 100000) to Quen Harrow (0, 100000), and
// a track of its own from Ro-Dal (100000, 0) southwards; a league every
// 1000 units, every speed a league an hour.
TestTables::Bytes RoadTable() {
    TestTables::Bytes b;
    TestTables::PutI32(b, 1000);
    for (int i = 0; i < 8; ++i) TestTables::PutU16(b, 100);
    for (const std::vector<int32_t>& road : {std::vector<int32_t>{1, -100000, 100000, 0, 100000},
                                             std::vector<int32_t>{3, 100000, 0, 100000, -10000}}) {
        TestTables::PutU16(b, uint16_t(road[0]));
        TestTables::PutU16(b, 2);
        for (size_t i = 1; i < road.size(); ++i) TestTables::PutI32(b, road[i]);
    }
    TestTables::PutU16(b, 0);
    return b;
}

const CJourneyLayer& RouteOnMap(CMainFrame& frame) { return frame.View()->Journeys()[size_t(JourneyPart::Route)]; }

}  // namespace

class TestRouteWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void command();
    void fromTheMenuThenTheCard();
    void fromTheOneSearch();
    void typedEnds_data();
    void typedEnds();
    void withoutRoadsSaidOnce();

private:
    CRouteDlg* Window() const { return m_frame->findChild<CRouteDlg*>(); }
    void Type(CAutoCombo* field, const QString& text);

    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestRouteWindow::initTestCase() {
    SmallWorld::Fill(m_store);
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    m_store.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_BLANK_PAGE, TestTables::Raw("<html><body></body></html>"));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_ROADS, RoadTable());
    QVERIFY(OpenMainWindow(m_store, {1000, 800}, m_world, m_app, m_frame));
}

void TestRouteWindow::cleanupTestCase() { CloseMainWindow(m_world, m_app, m_frame); }

void TestRouteWindow::init() {
    delete Window();
    delete m_frame->Sheet();
    m_frame->View()->SetZoom(100);
    m_frame->View()->SearchPlaces("zzz");  // nothing lit
    QTest::mouseMove(m_frame->View()->viewport(), QPoint(5, 5));  // over no place
    QTRY_VERIFY(!m_frame->View()->HoveredPlace());
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
}

void TestRouteWindow::Type(CAutoCombo* field, const QString& text) {
    field->lineEdit()->clear();
    QTest::keyClicks(field->lineEdit(), text);
}

// In "Rechercher", after the place card, with its shortcut.
void TestRouteWindow::command() {
    QAction* route = m_frame->Command(ExtraCommand::Route);
    QVERIFY(route);
    const QList<QAction*> search = m_frame->menuBar()->actions()[3]->menu()->actions();
    QCOMPARE(search.value(search.indexOf(route) - 1), m_frame->Command(ExtraCommand::PlaceCard));
    QCOMPARE(route->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
}

// The one place found starts the route; a card's place, once a start is
// there, ends it, and the route is drawn and flown to; "Effacer" takes it away.
void TestRouteWindow::fromTheMenuThenTheCard() {
    m_frame->View()->SearchPlaces("quen");
    m_frame->Command(ExtraCommand::Route)->trigger();
    QVERIFY(Window() && Window()->isVisible());
    QCOMPARE(Window()->StartField()->currentText(), QString("Quen Harrow"));
    QVERIFY(RouteOnMap(*m_frame).Empty());

    m_frame->View()->SearchPlaces("kelwick");
    m_frame->Command(ExtraCommand::PlaceCard)->trigger();
    QVERIFY(m_frame->Sheet() && m_frame->Sheet()->RouteButton()->isVisible());
    m_frame->View()->SetZoom(1600);
    m_frame->Sheet()->RouteButton()->click();
    QCOMPARE(Window()->EndField()->currentText(), QString("Kelwick"));
    const CJourneyLayer& drawn = RouteOnMap(*m_frame);
    QCOMPARE(drawn.paths.size(), size_t(Window()->Legs()->topLevelItemCount()));
    QCOMPARE(drawn.marks.size(), size_t(2));
    QVERIFY(drawn.marks[0].at == (CWorldPoint{0, 100000}));
    QVERIFY(Window()->TotalText().startsWith(QString::fromUtf8("De Quen Harrow à Kelwick : 100,0 lieues")));
    // 100 000 units are some 1 100 pixels at 100 %: the view zoomed out to show them.
    QVERIFY2(m_frame->View()->Zoom() < 100, qPrintable(QString::number(m_frame->View()->Zoom())));

    for (QPushButton* button : Window()->findChildren<QPushButton*>())
        if (button->text() == "&Effacer") button->click();
    QVERIFY(RouteOnMap(*m_frame).Empty());
    QVERIFY(Window()->StartField()->currentText().isEmpty());
}

void TestRouteWindow::fromTheOneSearch() {
    QTest::keyClick(m_frame->View()->viewport(), Qt::Key_K, Qt::ControlModifier);
    QVERIFY(m_frame->QuickSearch()->isVisible());
    QTest::keyClicks(m_frame->QuickSearch()->Field(), QStringLiteral("de KELWICK a quen"));
    QTest::keyClick(m_frame->QuickSearch()->Field(), Qt::Key_Return);
    QVERIFY(Window());
    QCOMPARE(Window()->StartField()->currentText(), QString("Kelwick"));
    QCOMPARE(Window()->EndField()->currentText(), QString("Quen Harrow"));
    QVERIFY(!RouteOnMap(*m_frame).Empty());
    // Closed (Escape), the window takes its route away.
    QTest::keyClick(Window(), Qt::Key_Escape);
    QVERIFY(!Window()->isVisible());
    QVERIFY(RouteOnMap(*m_frame).Empty());
}

void TestRouteWindow::typedEnds_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("along the road, any letter case") << "kelwick" << "QUEN HARROW" << "" << true;
    QTest::newRow("no road: the straight line, said")
        << "Ro-Dal" << "Kelwick" << QString::fromUtf8("Aucune route ne joint ces lieux : la ligne droite")
        << true;
    QTest::newRow("an unknown start") << "Nulle-Part" << "Kelwick" << QString::fromUtf8("Aucun lieu ne s'appelle « Nulle-Part »")
                                      << false;
    QTest::newRow("no end") << "Kelwick" << "" << QString::fromUtf8("Choisissez une arrivée") << false;
    QTest::newRow("one place both ways")
        << "Kelwick" << "Kelwick" << QString::fromUtf8("Le départ et l'arrivée sont le même lieu") << false;
}

// Enter in a field plans the route between what the fields name.
void TestRouteWindow::typedEnds() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, drawn);
    m_frame->Command(ExtraCommand::Route)->trigger();
    Window()->Plan(m_world->Places()[0], m_world->Places()[1]);  // a route shown before
    Type(Window()->StartField(), from);
    Type(Window()->EndField(), to);
    QTest::keyClick(Window()->EndField()->lineEdit(), Qt::Key_Return);
    QTEST(Window()->NoticeText(), "notice");
    QCOMPARE(!RouteOnMap(*m_frame).Empty(), drawn);
}

// A world without a roads table (an older --data folder) says so in the
// status bar once the first map is on screen, and its routes go straight.
void TestRouteWindow::withoutRoadsSaidOnce() {
    CMemoryResourceStore store;
    SmallWorld::Fill(store);
    store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(330, 380, {90, 120, 90}));
    std::unique_ptr<CWorld> world;
    std::unique_ptr<CZerimApp> app;
    CMainFrame* frame = nullptr;
    QVERIFY(OpenMainWindow(store, {800, 600}, world, app, frame));
    const QString notice = QString::fromUtf8("Pas de table des routes : la ligne droite, en unités de la carte");
    QTRY_COMPARE_WITH_TIMEOUT(frame->StatusBar()->PaneText(0), notice, 5000);
    frame->Command(ExtraCommand::Route)->trigger();
    CRouteDlg* window = frame->findChild<CRouteDlg*>();
    window->Plan(world->Places()[0], world->Places()[1]);
    QCOMPARE(window->NoticeText(), notice);
    CloseMainWindow(world, app, frame);
}

QTEST_MAIN(TestRouteWindow)
#include "test_routewindow.moc"
