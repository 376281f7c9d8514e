// The main window driven as a user would: commands, bars, the place bar,
// the mouse on the map and the hover read-out.
#include "JpegMaker.h"
#include "TableBuilder.h"

#include "mainwindow/MainFrame.h"
#include "mainwindow/PlaceBar.h"
#include "mainwindow/StatusBar.h"
#include "render/World.h"
#include "finders/SpellSearchDlg.h"
#include "mainwindow/ZerimApp.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "widgets/AutoCombo.h"
#include "mapview/ZerimView.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QMenuBar>
#include <QRubberBand>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include "MainWindowFixture.h"

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void titleAndMenu();
    void commandsAndPrompts();
    void spellFinderOpensOverTheWindow();
    void barToggles();
    void comboListsEveryPlaceSorted();
    void choiceFliesToItsPlace();
    void enterSearches();
    void sliderSetsDetailLevel();
    void placeBarActsOnlyOnceGivenItsMap();
    void clickZoomsIn();
    void dragZoomsToBand();
    void tinyDragChangesNothing();
    void rightClickDuringPressZoomsOut();
    void wheelScrollsOneLine();
    void losingThePointerEndsTheDrag();
    void hoverReadOut();

private:
    CZerimView* View() const { return m_frame->View(); }
    QWidget* Map() const { return m_frame->View()->viewport(); }
    QString Pane0() const { return m_frame->StatusBar()->PaneText(0); }

    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestMainFrame::initTestCase() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
                TestTables::PlaceTable({
                    {"Orvane", 10, 0, 0, 0},
                    {"kelwick", 21, 1, -50000, 150000},
                    {"Ash Ford", 19, 3, -100000, 150000},
                    {"Kelwick", 21, 4, 120000, -50000},
                    {"Brinmoor", 22, 2, -1000, -1000},  // its marker overlaps Orvane's
                }));
    // One effect with one spell: the finder shows the spell alone.
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_EFFECTS,
                TestTables::Raw(std::string("Feu\0\1\0\0", 7)));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_SPELLS,
                TestTables::Raw(std::string("Flamme\0\1\0\7\0\0", 12)));
    QVERIFY(OpenMainWindow(m_store, {1000, 800}, m_world, m_app, m_frame));
}

void TestMainFrame::cleanupTestCase() {
    CloseMainWindow(m_world, m_app, m_frame);
}

void TestMainFrame::init() {
    View()->SetZoom(20);
    View()->Geometry().ScrollTo({0, 0});
    View()->SetDetailLevel(-1);
}

void TestMainFrame::titleAndMenu() {
    QStringList menus;
    for (QAction* a : m_frame->menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, QStringList({"&Fichier", QString::fromUtf8("&Édition"), "&Affichage", "&Rechercher", "&Notes", "&?"}));
    QCOMPARE(m_frame->Command(ResId::ID_VIEW_STATUS_BAR)->text(), QString::fromUtf8("Barre d'é&tat"));
    QCOMPARE(m_frame->Command(ResId::ID_APP_EXIT)->text(), QString("&Quitter"));
    QCOMPARE(m_frame->Command(ResId::ID_APP_ABOUT)->text(), QString("About.."));
}

void TestMainFrame::commandsAndPrompts() {
    QToolBar* bar = m_frame->ToolBar();
    QCOMPARE(bar->actions().size(), 4);
    const int ids[] = {ResId::ID_ZOOM_IN, ResId::ID_ZOOM_OUT, ResId::ID_NPC_SEARCH, ResId::ID_SPELL_SEARCH};
    const char* prompts[] = {"Augmente le niveau de zoom", "Diminue le niveau de zoom", "Recherche de NPC",
                             "Recherche de Sorts"};
    for (int i = 0; i < 4; ++i) {
        QAction* action = bar->actions()[i];
        QCOMPARE(action->data().toInt(), ids[i]);
        QWidget* button = bar->widgetForAction(action);
        QTest::mouseMove(button);
        QTRY_COMPARE(Pane0(), QString(prompts[i]));
    }
    QTest::mouseMove(Map(), QPoint(600, 600));
    QTest::mouseClick(bar->widgetForAction(bar->actions()[0]), Qt::LeftButton);
    QCOMPARE(View()->Zoom(), 30);
    QCOMPARE(m_frame->windowTitle(), QString("Sarvenhal. (Zoom 30%)"));
    QTest::mouseClick(bar->widgetForAction(bar->actions()[1]), Qt::LeftButton);
    QCOMPARE(View()->Zoom(), 15);
}

// The spell finder's button opens it modal over the main window, on the
// tables of the window's world.
void TestMainFrame::spellFinderOpensOverTheWindow() {
    QString caption;
    QWidget* parent = nullptr;
    QStringList roots;
    QTimer::singleShot(0, [&] {
        auto* finder = qobject_cast<CSpellSearchDlg*>(QApplication::activeModalWidget());
        if (!finder) return;
        caption = finder->windowTitle();
        parent = finder->parentWidget();
        QTreeWidget* tree = finder->Tree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i) roots << tree->topLevelItem(i)->text(0);
        QTest::keyClick(finder, Qt::Key_Escape);
    });
    m_frame->Command(ResId::ID_SPELL_SEARCH)->trigger();
    QCOMPARE(caption, QString("Recherche de sorts"));
    QCOMPARE(parent, m_frame);
    QCOMPARE(roots, QStringList{"Flamme"});
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainFrame::barToggles() {
    QAction* toolbar = m_frame->Command(ResId::ID_VIEW_TOOLBAR);
    QAction* status = m_frame->Command(ResId::ID_VIEW_STATUS_BAR);
    QVERIFY(toolbar->isChecked() && status->isChecked());
    toolbar->trigger();
    QVERIFY(!m_frame->ToolBar()->isVisible());
    QVERIFY(m_frame->PlaceBar()->isVisible());  // the place bar stays
    toolbar->trigger();
    QVERIFY(m_frame->ToolBar()->isVisible());
    status->trigger();
    QVERIFY(!m_frame->StatusBar()->isVisible());
    status->trigger();
    QVERIFY(m_frame->StatusBar()->isVisible());
}

void TestMainFrame::comboListsEveryPlaceSorted() {
    QComboBox* combo = m_frame->PlaceBar()->Combo();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    QCOMPARE(items, QStringList({"Ash Ford", "Brinmoor", "kelwick", "Kelwick", "Orvane"}));
    // The two Kelwicks are each their own place.
    QVERIFY(combo->itemData(2) != combo->itemData(3));
}

void TestMainFrame::choiceFliesToItsPlace() {
    QComboBox* combo = m_frame->PlaceBar()->Combo();
    combo->setFocus();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex kelwick = list->model()->index(3, 0);  // the level 4 one
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(kelwick).center());
    const CPlaceArray& found = View()->Places().Highlight();
    QCOMPARE(found.GetSize(), 1);
    QCOMPARE(found[0]->m_nLevel, 4);
    QCOMPARE(View()->Zoom(), 100);  // raised to show level 4
}

void TestMainFrame::enterSearches() {
    QComboBox* combo = m_frame->PlaceBar()->Combo();
    combo->lineEdit()->clear();
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), "ELW");
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    const CPlaceArray& found = View()->Places().Highlight();
    QCOMPARE(found.GetSize(), 2);
    QCOMPARE(found[0]->m_nLevel, 1);  // table order
    QCOMPARE(found[1]->m_nLevel, 4);
}

void TestMainFrame::sliderSetsDetailLevel() {
    QSlider* slider = m_frame->PlaceBar()->Slider();
    QCOMPARE(slider->value(), 0);
    QCOMPARE(View()->Geometry().DetailOverride(), -1);  // untouched: automatic
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(View()->Geometry().EffectiveDetailLevel(), 2);
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(View()->Geometry().EffectiveDetailLevel(), 5);
}

// A bar made before its map ignores the user; once given the map's actions
// it passes each on: the chosen item's own place, the typed text, the level.
void TestMainFrame::placeBarActsOnlyOnceGivenItsMap() {
    CPlaceBar bar(m_world->Places());
    const auto use = [&bar] {
        bar.Combo()->activated(1);
        bar.Slider()->setValue(bar.Slider()->value() == 3 ? 4 : 3);
        bar.Combo()->lineEdit()->setText(QStringLiteral("kel"));
        bar.Combo()->lineEdit()->returnPressed();
    };
    use();  // nothing to act on: nothing happens
    QList<const CPlace*> shown;
    QStringList searched;
    QList<int> levels;
    bar.SetActions({[&](CPlace* place) { shown << place; }, [&](const QString& text) { searched << text; },
                    [&](int level) { levels << level; }});
    use();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0]->m_strName, bar.Combo()->itemText(1).toStdString());
    QCOMPARE(searched, QStringList{"kel"});
    QCOMPARE(levels, QList<int>{4});
}

void TestMainFrame::clickZoomsIn() {
    QTest::mouseClick(Map(), Qt::LeftButton, {}, QPoint(200, 150));
    QCOMPARE(View()->Zoom(), 30);
}

void TestMainFrame::dragZoomsToBand() {
    QTest::mousePress(Map(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(Map(), QPoint(200, 180));
    QRubberBand* band = Map()->findChild<QRubberBand*>();
    QVERIFY(band && band->isVisible());
    QCOMPARE(band->geometry(), QRect(100, 100, 100, 80));
    QTest::mouseRelease(Map(), Qt::LeftButton, {}, QPoint(200, 180));
    QVERIFY(!band->isVisible());
    QVERIFY(View()->Zoom() > 100);
}

void TestMainFrame::tinyDragChangesNothing() {
    QTest::mousePress(Map(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(Map(), QPoint(105, 104));
    QTest::mouseRelease(Map(), Qt::LeftButton, {}, QPoint(105, 104));
    QCOMPARE(View()->Zoom(), 20);
    QVERIFY(!Map()->findChild<QRubberBand*>()->isVisible());
}

void TestMainFrame::rightClickDuringPressZoomsOut() {
    View()->SetZoom(100);
    QTest::mousePress(Map(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(Map(), QPoint(300, 300));
    QTest::mousePress(Map(), Qt::RightButton, {}, QPoint(300, 300));
    QVERIFY(!Map()->findChild<QRubberBand*>()->isVisible());
    QCOMPARE(View()->Zoom(), 50);
    QTest::mouseRelease(Map(), Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(View()->Zoom(), 50);  // the abandoned press does nothing more
    QTest::mouseRelease(Map(), Qt::RightButton, {}, QPoint(300, 300));
}

void TestMainFrame::wheelScrollsOneLine() {
    View()->SetZoom(100);
    const int line = View()->Geometry().Scroll().Line().cy;
    QVERIFY(line > 0);
    const QPoint at(200, 200);
    for (int delta : {-120, -360}) {
        const int before = View()->Geometry().GetScrollOffset().y;
        QWheelEvent wheel(at, Map()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Map(), &wheel);
        QCOMPARE(View()->Geometry().GetScrollOffset().y, before + line);
    }
    QWheelEvent up(at, Map()->mapToGlobal(at), {}, {0, 360}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Map(), &up);
    QCOMPARE(View()->Geometry().GetScrollOffset().y, line);
}

// Another window taking over in the middle of a drag removes the band; the
// release that follows zooms nowhere.
void TestMainFrame::losingThePointerEndsTheDrag() {
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    QTest::mousePress(Map(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(Map(), QPoint(300, 260));
    QRubberBand* band = Map()->findChild<QRubberBand*>();
    QVERIFY(band->isVisible());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!band->isVisible());
    QTest::mouseRelease(Map(), Qt::LeftButton, {}, QPoint(300, 260));
    QCOMPARE(View()->Zoom(), 20);
}

void TestMainFrame::hoverReadOut() {
    View()->SetDetailLevel(5);
    const CPoint orvane = View()->Geometry().WorldToMap({0, 0});
    QTest::mouseMove(Map(), QPoint(orvane.x - 1, orvane.y + 1));
    // Brinmoor's marker overlaps Orvane's: the earlier place wins.
    QTRY_COMPARE(Pane0(), QString("Orvane (0, 0)"));
    QCOMPARE(View()->HoveredPlace()->m_strName, std::string("Orvane"));
    QTest::mouseMove(Map(), QPoint(orvane.x - 4, orvane.y + 3));  // Brinmoor only
    QTRY_COMPARE(Pane0(), QString("Brinmoor (-1000, -1000)"));
    // Moving off every place writes the empty text once; the same place leaves it alone.
    QTest::mouseMove(Map(), QPoint(5, 700));
    QTRY_COMPARE(Pane0(), QString());
    m_frame->StatusBar()->SetPaneText(0, "untouched");
    QTest::mouseMove(Map(), QPoint(6, 701));
    QCOMPARE(Pane0(), QString("untouched"));
}

QTEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
