// The measuring tool in the main window, driven as a user would: its
// command, Shift+clicks on the map, Backspace and Escape, and the world's
// scale (or its absence) reaching the status bar.
#include "JpegMaker.h"
#include "TableBuilder.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/StatusBar.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QtTest>

#include "MainWindowFixture.h"

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {
// A league of 1000 world units, walked at half a league an hour off road;
// no road at all.
TestTables::Bytes ScaleOnly() {
    TestTables::Bytes table;
    TestTables::PutI32(table, 1000);
    for (int speed = 0; speed < 8; ++speed) TestTables::PutU16(table, speed == 0 ? 50 : 100);
    TestTables::PutU16(table, 0);
    return table;
}
}  // namespace

class TestMeasureWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Open(true); }
    void cleanupTestCase() { CloseMainWindow(m_world, m_app, m_frame); }
    void init();
    void clicksOnTheMap_data();
    void clicksOnTheMap();
    void takenBackAndEnded_data();
    void takenBackAndEnded();
    void readOutGivesTheMeasureBack();
    void enterSetsTheChosenPlace();
    void scaleReachesTheStatusBar_data();
    void scaleReachesTheStatusBar();

private:
    void Open(bool roads);
    CZerimView* View() const { return m_frame->View(); }
    QWidget* Map() const { return m_frame->View()->viewport(); }
    QAction* Measure() const { return m_frame->Command(ExtraCommand::Measure); }
    const CJourneyLayer& Drawn() const { return View()->Journeys()[size_t(JourneyPart::Measure)]; }
    QString Pane0() const { return m_frame->StatusBar()->PaneText(0); }
    void ShiftClick(QPoint at) { QTest::mouseClick(Map(), Qt::LeftButton, Qt::ShiftModifier, at); }

    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
    bool m_roads = false;  // the window's world has a roads table
};

// The whole picture (660 by 760 at 20 %) at the left of a wider view.
void TestMeasureWindow::Open(bool roads) {
    if (m_frame && roads == m_roads) return;
    CloseMainWindow(m_world, m_app, m_frame);
    m_roads = roads;
    m_store = CMemoryResourceStore();
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
                TestTables::PlaceTable({{"Orvane", 10, 0, 0, 0}}));
    if (roads) m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_ROADS, ScaleOnly());
    QVERIFY(OpenMainWindow(m_store, {1000, 900}, m_world, m_app, m_frame));
}

void TestMeasureWindow::init() {
    Open(true);
    Measure()->setChecked(false);
    View()->SetZoom(20);
    View()->ClearPlaceFocus();
    View()->setFocus();
    QTest::mouseMove(Map(), QPoint(5, 5));  // on no place
    QTRY_VERIFY(!View()->HoveredPlace());
}

void TestMeasureWindow::clicksOnTheMap_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("point");    // a point set where clicked
    QTest::addColumn<int>("zoom");      // the zoom after the click
    QTest::addColumn<QString>("said");  // in the status bar
    QTest::newRow("Shift+click sets a point")
        << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(300, 200) << true << 20 << "1 point";
    QTest::newRow("Shift+click on a place: the place itself")
        << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(-1, -1) << true << 20 << "1 point";
    QTest::newRow("a plain click still zooms") << Qt::KeyboardModifiers() << QPoint(300, 200) << false << 30 << "";
    QTest::newRow("Ctrl+Shift is no measure's")
        << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << QPoint(300, 200) << false << 30 << "";
    QTest::newRow("off the picture: refused, and said")
        << Qt::KeyboardModifiers(Qt::ShiftModifier) << QPoint(800, 200) << false << 20 << "hors de la carte";
}

void TestMeasureWindow::clicksOnTheMap() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, at);
    QFETCH(bool, point);
    QFETCH(QString, said);
    const CPoint orvane = View()->Geometry().WorldToMap({0, 0});
    const bool onOrvane = at == QPoint(-1, -1);
    if (onOrvane) at = QPoint(orvane.x + 2, orvane.y - 1);  // on its marker, off its middle
    Measure()->trigger();
    QVERIFY(View()->Measuring() && View()->hasFocus());
    QTest::mouseClick(Map(), Qt::LeftButton, modifiers, at);
    QTEST(View()->Zoom(), "zoom");
    QCOMPARE(Drawn().marks.size(), size_t(point ? 1 : 0));
    if (point) {
        const CPoint world = onOrvane ? CPoint{0, 0} : View()->WorldAt({at.x(), at.y()});
        QVERIFY(Drawn().marks[0].at == CWorldPoint({world.x, world.y}));
    }
    QVERIFY2(Pane0().contains(said), qPrintable(Pane0()));
}

void TestMeasureWindow::takenBackAndEnded_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("marks");  // left on the map
    QTest::addColumn<bool>("on");    // the tool still on, its command checked
    QTest::newRow("Backspace takes the last point back") << "Backspace" << 1 << true;
    QTest::newRow("Escape ends the tool") << "Escape" << 0 << false;
    QTest::newRow("unchecking the command ends it") << "uncheck" << 0 << false;
}

void TestMeasureWindow::takenBackAndEnded() {
    QFETCH(QString, how);
    QFETCH(bool, on);
    View()->SetDetailLevel(5);
    const CPoint orvane = View()->Geometry().WorldToMap({0, 0});
    QTest::mouseMove(Map(), QPoint(orvane.x, orvane.y));  // its read-out, once the measure ends
    QTRY_VERIFY(View()->HoveredPlace());
    QTest::keyClick(m_frame, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(Measure()->isChecked());
    ShiftClick({100, 100});
    ShiftClick({300, 200});
    QCOMPARE(Drawn().paths.size(), size_t(1));
    if (how == "uncheck")
        Measure()->trigger();
    else
        QTest::keyClick(View(), how == "Escape" ? Qt::Key_Escape : Qt::Key_Backspace);
    QTEST(int(Drawn().marks.size()), "marks");
    QCOMPARE(Drawn().paths.size(), size_t(0));
    QCOMPARE(Measure()->isChecked(), on);
    QCOMPARE(View()->Measuring(), on);
    QCOMPARE(Pane0(), on ? QString::fromUtf8("1 point : Maj+clic ou Entrée pour poser le suivant")
                         : QStringLiteral("Orvane (0, 0)"));
}

// A place hovered takes the status bar; off the places, the measure has it back.
void TestMeasureWindow::readOutGivesTheMeasureBack() {
    View()->SetDetailLevel(5);
    const CPoint orvane = View()->Geometry().WorldToMap({0, 0});
    Measure()->trigger();
    ShiftClick({100, 100});
    ShiftClick({300, 200});
    const QString measured = Pane0();
    QTest::mouseMove(Map(), QPoint(orvane.x, orvane.y));
    QTRY_COMPARE(Pane0(), QStringLiteral("Orvane (0, 0)"));
    QTest::mouseMove(Map(), QPoint(5, 5));
    QTRY_COMPARE(Pane0(), measured);
    QVERIFY(measured.startsWith("2 points : "));
}

// Without a mouse: Enter sets the place chosen from the keyboard, and what
// a screen reader reads of the map says the measure.
void TestMeasureWindow::enterSetsTheChosenPlace() {
    Measure()->trigger();
    QTest::keyClick(View(), Qt::Key_Return);
    QVERIFY(Drawn().marks.empty());
    QVERIFY2(Pane0().endsWith(QString::fromUtf8("aucun lieu choisi (Alt+flèches pour en choisir un)")),
             qPrintable(Pane0()));
    View()->SearchPlaces("Orvane");
    View()->FocusNextFound(false);
    QTest::keyClick(View(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(Drawn().marks.size(), size_t(1));
    QVERIFY(Drawn().marks[0].at == CWorldPoint({0, 0}));
    QVERIFY2(View()->AccessibleState().endsWith(Pane0()), qPrintable(View()->AccessibleState()));
}

void TestMeasureWindow::scaleReachesTheStatusBar_data() {
    QTest::addColumn<bool>("roads");
    QTest::addColumn<QString>("first");  // the first sentence, ending
    QTest::addColumn<QString>("legs");   // once there is a leg: a pattern
    QTest::newRow("a world with a scale: leagues and the walk")
        << true << QString::fromUtf8("Échap termine") << QString::fromUtf8(" lieues, \\d+ h \\d\\d à pied$");
    QTest::newRow("an older world: units, and why")
        << false
        << QString::fromUtf8("Échap termine — pas de table des routes : la ligne droite, en unités de la carte")
        << QString::fromUtf8(" unités$");
}

void TestMeasureWindow::scaleReachesTheStatusBar() {
    QFETCH(bool, roads);
    QFETCH(QString, first);
    QFETCH(QString, legs);
    Open(roads);
    Measure()->trigger();
    QVERIFY2(Pane0().endsWith(first), qPrintable(Pane0()));
    ShiftClick({100, 100});
    ShiftClick({100, 300});
    QVERIFY2(Pane0().startsWith("2 points : "), qPrintable(Pane0()));
    QVERIFY2(Pane0().contains(QRegularExpression(legs)), qPrintable(Pane0()));
}

QTEST_MAIN(TestMeasureWindow)
#include "test_measurewindow.moc"
