// The main window's commands beyond its given menus, driven as a user would:
// shortcuts with the tool bar hidden, the wheel with and without modifiers,
// the middle-button pan, what a place search says, and copying places.
#include "JpegMaker.h"
#include "TableBuilder.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/PlaceBar.h"
#include "mainwindow/StatusBar.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "widgets/AutoCombo.h"
#include "mapview/ZerimView.h"

#include <QAccessible>
#include <QClipboard>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "MainWindowFixture.h"

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)
Q_DECLARE_METATYPE(Qt::Key)

class TestMapKeys : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void menus();
    void zoomAndScrollKeys_data();
    void zoomAndScrollKeys();
    void findFocusesTheField();
    void shortcutsReachFromEveryControl_data();
    void shortcutsReachFromEveryControl();
    void keypadPressPastTheShortcuts_data();
    void keypadPressPastTheShortcuts();
    void copyInTheFieldCopiesItsSelection();
    void findersOpen_data();
    void findersOpen();
    void ctrlWheelKeepsThePoint_data();
    void ctrlWheelKeepsThePoint();
    void wheelScrollsOneLine_data();
    void wheelScrollsOneLine();
    void middleDragPans();
    void searchSaysWhatItFound_data();
    void searchSaysWhatItFound();
    void copiesPlaces_data();
    void copiesPlaces();
    void accessibleNames_data();
    void accessibleNames();
    void walkThePlaces_data();
    void walkThePlaces();
    void quitShortcut();

private:
    CZerimView* View() const { return m_frame->View(); }
    QWidget* Map() const { return m_frame->View()->viewport(); }
    QString Pane0() const { return m_frame->StatusBar()->PaneText(0); }
    CPoint Scroll() const { return View()->Geometry().GetScrollOffset(); }
    void Wheel(QPoint at, QPoint delta, Qt::KeyboardModifiers modifiers);
    void Search(const QString& text);
    void ScrollTo(QPoint position);
    QPoint MarkerOf(CPoint world) const;
    void HoverOrvane();

    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestMapKeys::initTestCase() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
                TestTables::PlaceTable({
                    {"Orvane", 10, 0, 0, 0},
                    {"kelwick", 21, 1, -50000, 150000},
                    {"Ash Ford", 19, 3, -100000, 150000},
                    {"Kelwick", 21, 4, 120000, -50000},
                }));
    QVERIFY(OpenMainWindow(m_store, {1000, 800}, m_world, m_app, m_frame));
    // Everything here is reachable without the tool bar.
    m_frame->Command(ResId::ID_VIEW_TOOLBAR)->trigger();
    QVERIFY(!m_frame->ToolBar()->isVisible());
}

void TestMapKeys::cleanupTestCase() {
    CloseMainWindow(m_world, m_app, m_frame);
}

void TestMapKeys::init() {
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    View()->SetZoom(100);
    ScrollTo({500, 500});
    View()->ClearPlaceFocus();
    View()->setFocus();
    QTest::mouseMove(Map(), QPoint(5, 5));  // on no place
    QTRY_VERIFY(!View()->HoveredPlace());
}

// As the scroll bars do.
void TestMapKeys::ScrollTo(QPoint position) {
    View()->horizontalScrollBar()->setValue(position.x());
    View()->verticalScrollBar()->setValue(position.y());
    QCOMPARE(Scroll(), CPoint({position.x(), position.y()}));
}

// Orvane, at the world's origin, in the middle of the view at 100 %.
void TestMapKeys::HoverOrvane() {
    View()->SetZoom(100);
    View()->SetDetailLevel(5);
    const CPoint map = View()->Geometry().WorldToMap({0, 0});
    ScrollTo({map.x - 400, map.y - 300});
    QTest::mouseMove(Map(), MarkerOf({0, 0}));
}

// The map point of a place's marker, in client coordinates.
QPoint TestMapKeys::MarkerOf(CPoint world) const {
    const CPoint map = View()->Geometry().WorldToMap(world);
    return QPoint(map.x - 1 - Scroll().x, map.y + 1 - Scroll().y);
}

// The given menus keep their items and order; the new ones come after them.
void TestMapKeys::menus() {
    QStringList menus;
    for (QAction* a : m_frame->menuBar()->actions()) menus << a->text();
    // The player's own menus around the given ones: "Édition" where desktop
    // programs have it, "Notes" before "?", which stays last.
    QCOMPARE(menus, QStringList({"&Fichier", QString::fromUtf8("&Édition"), "&Affichage", "&Rechercher", "&Notes", "&?"}));
    const QList<QAction*> view = m_frame->menuBar()->actions()[2]->menu()->actions();
    QCOMPARE(view[0], m_frame->Command(ResId::ID_VIEW_TOOLBAR));
    QCOMPARE(view[1], m_frame->Command(ResId::ID_VIEW_STATUS_BAR));
    QVERIFY(view[2]->isSeparator());
    QCOMPARE(view[3], m_frame->Command(ExtraCommand::ZoomIn));
    // Walking the places: last in "Rechercher", a menu of its own.
    const QAction* walk = m_frame->menuBar()->actions()[3]->menu()->actions().last();
    QVERIFY(walk->menu());
    QCOMPARE(walk->menu()->actions().first(), m_frame->Command(ExtraCommand::WalkLeft));
    QCOMPARE(walk->menu()->actions().last(), m_frame->Command(ExtraCommand::PreviousFoundPlace));
    QVERIFY(m_frame->Command(ResId::ID_APP_EXIT)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Q)));
    // Saving and printing the view come before "Quitter", which stays last.
    const QList<QAction*> file = m_frame->menuBar()->actions()[0]->menu()->actions();
    QCOMPARE(file.size(), 5);
    QCOMPARE(file[0], m_frame->Command(ExtraCommand::ExportView));
    QCOMPARE(file[1], m_frame->Command(ExtraCommand::PrintView));
    QCOMPARE(file[2], m_frame->Command(ExtraCommand::PrintPreview));
    QVERIFY(file[3]->isSeparator());
    QCOMPARE(file[4], m_frame->Command(ResId::ID_APP_EXIT));
    QCOMPARE(file[0]->text(), QString::fromUtf8("&Exporter la vue…"));
    QCOMPARE(file[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    QCOMPARE(file[1]->shortcut(), QKeySequence(QKeySequence::Print));
    // Each new command has its prompt, like the given ones.
    for (int id = ExtraCommand::ZoomIn; id <= ExtraCommand::PrintView; ++id) {
        QAction* command = m_frame->Command(id);
        QVERIFY2(command && !command->statusTip().isEmpty() && !command->shortcut().isEmpty(),
                 qPrintable(QString::number(id)));
    }
}

void TestMapKeys::zoomAndScrollKeys_data() {
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("inField");     // the key pressed in the place field
    QTest::addColumn<int>("zoom");         // -1: the fitting zoom
    QTest::addColumn<QPoint>("scroll");    // (-1, -1): as before; (-2, -2): the bottom right corner
    const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };
    const auto keypad = [](Qt::Key key) { return QKeyCombination(Qt::KeypadModifier, key); };
    QTest::newRow("zoom in") << QKeySequence(QKeySequence::ZoomIn)[0] << false << 150 << QPoint(-1, -1);
    QTest::newRow("zoom in from the field") << QKeySequence(QKeySequence::ZoomIn)[0] << true << 150 << QPoint(-1, -1);
    QTest::newRow("keypad +") << keypad(Qt::Key_Plus) << false << 150 << QPoint(-1, -1);
    QTest::newRow("keypad + from the field") << keypad(Qt::Key_Plus) << true << 150 << QPoint(-1, -1);
    QTest::newRow("zoom out") << QKeySequence(QKeySequence::ZoomOut)[0] << false << 50 << QPoint(-1, -1);
    QTest::newRow("keypad -") << keypad(Qt::Key_Minus) << false << 50 << QPoint(-1, -1);
    QTest::newRow("keypad - from the field") << keypad(Qt::Key_Minus) << true << 50 << QPoint(-1, -1);
    QTest::newRow("fit") << ctrl(Qt::Key_9) << false << -1 << QPoint(0, 0);
    QTest::newRow("home") << QKeyCombination(Qt::Key_Home) << false << 100 << QPoint(0, 0);
    QTest::newRow("end") << QKeyCombination(Qt::Key_End) << false << 100 << QPoint(-2, -2);
    QTest::newRow("home in the field stays there") << QKeyCombination(Qt::Key_Home) << true << 100 << QPoint(500, 500);
}

void TestMapKeys::zoomAndScrollKeys() {
    QFETCH(QKeyCombination, key);
    QFETCH(bool, inField);
    QFETCH(int, zoom);
    QFETCH(QPoint, scroll);
    if (zoom == -1) zoom = View()->Geometry().FitZoom();
    QWidget* target = View();
    if (inField) {
        target = m_frame->PlaceBar()->Combo();
        target->setFocus();
    }
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    QCOMPARE(View()->Zoom(), zoom);
    if (zoom != 100) QCOMPARE(m_frame->windowTitle(), QString("Sarvenhal. (Zoom %1%)").arg(zoom));
    const ScrollLayer& layer = View()->Geometry().Scroll();
    if (scroll == QPoint(-2, -2))
        scroll = {layer.MaxPosition(ScrollLayer::Horizontal), layer.MaxPosition(ScrollLayer::Vertical)};
    if (scroll != QPoint(-1, -1)) QCOMPARE(QPoint(Scroll().x, Scroll().y), scroll);
    QCOMPARE(View()->horizontalScrollBar()->value(), Scroll().x);  // the bars follow
    QCOMPARE(View()->verticalScrollBar()->value(), Scroll().y);
    m_frame->PlaceBar()->Combo()->lineEdit()->clear();
}

void TestMapKeys::findFocusesTheField() {
    QLineEdit* field = m_frame->PlaceBar()->Combo()->lineEdit();
    field->setText(QStringLiteral("Ash"));
    field->deselect();
    QTest::keyClick(View(), QKeySequence(QKeySequence::Find)[0].key(),
                    QKeySequence(QKeySequence::Find)[0].keyboardModifiers());
    QVERIFY(field->hasFocus());
    QCOMPARE(field->selectedText(), QString("Ash"));
    QTest::keyClicks(field, "kel");  // typing replaces the old text (then completes it)
    QVERIFY2(field->text().startsWith("kel"), qPrintable(field->text()));
    field->clear();
}

Q_DECLARE_METATYPE(QWidget*)

// Every command with a shortcut, but Quit (see quitShortcut), with the focus
// in each control of the window. Home and End stay with the place field and
// the detail slider, where they move in its text or to its ends.
void TestMapKeys::shortcutsReachFromEveryControl_data() {
    QTest::addColumn<QWidget*>("control");
    QTest::addColumn<bool>("homeAndEndToo");
    QTest::newRow("map") << static_cast<QWidget*>(View()) << true;
    QTest::newRow("place field") << static_cast<QWidget*>(m_frame->PlaceBar()->Combo()->lineEdit()) << false;
    QTest::newRow("detail slider") << static_cast<QWidget*>(m_frame->PlaceBar()->findChild<QSlider*>()) << false;
}

void TestMapKeys::shortcutsReachFromEveryControl() {
    QFETCH(QWidget*, control);
    QFETCH(bool, homeAndEndToo);
    // The dialogs some commands open are closed as soon as they show.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(10);
    int tried = 0;
    for (QAction* action : m_frame->actions()) {
        // A disabled command (nothing to undo) takes no key.
        if (action->shortcut().isEmpty() || action == m_frame->Command(ResId::ID_APP_EXIT) || !action->isEnabled())
            continue;
        const QKeyCombination key = action->shortcut()[0];
        const bool editsTheField = key == QKeyCombination(Qt::Key_Home) || key == QKeyCombination(Qt::Key_End);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        View()->ClearPlaceFocus();  // a place walked to would take the marks' keys
        control->setFocus();
        QVERIFY2(control->hasFocus(), qPrintable(action->text()));
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keyClick(control, key.key(), key.keyboardModifiers());
        if (QWidget* menu = QApplication::activePopupWidget()) menu->close();  // the notes menu takes the keys
        const int expected = editsTheField && !homeAndEndToo ? 0 : 1;
        QVERIFY2(triggered.count() == expected, qPrintable(action->text()));
        ++tried;
    }
    QVERIFY(tried >= 12);
    m_frame->PlaceBar()->Combo()->lineEdit()->clear();
}

// X11 hands the keypad's keys to the shortcuts without their keypad flag, and
// they match none: the key press itself comes to the control with the focus.
void TestMapKeys::keypadPressPastTheShortcuts_data() {
    QTest::addColumn<QWidget*>("control");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("zoom");
    QTest::newRow("+ on the map") << static_cast<QWidget*>(View()) << Qt::Key_Plus << 150;
    QTest::newRow("- on the map") << static_cast<QWidget*>(View()) << Qt::Key_Minus << 50;
    QTest::newRow("+ in the field") << static_cast<QWidget*>(m_frame->PlaceBar()->Combo()) << Qt::Key_Plus << 150;
    QTest::newRow("- on the slider") << static_cast<QWidget*>(m_frame->PlaceBar()->Slider()) << Qt::Key_Minus << 50;
}

void TestMapKeys::keypadPressPastTheShortcuts() {
    QFETCH(QWidget*, control);
    QFETCH(Qt::Key, key);
    QFETCH(int, zoom);
    control->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier, key == Qt::Key_Plus ? "+" : "-");
    QApplication::sendEvent(control, &press);
    QCOMPARE(View()->Zoom(), zoom);
    QCOMPARE(m_frame->PlaceBar()->Combo()->lineEdit()->text(), QString());  // nothing typed
}

// With text selected in the place field, Ctrl+C copies that text.
void TestMapKeys::copyInTheFieldCopiesItsSelection() {
    Search(QStringLiteral("elw"));
    QLineEdit* field = m_frame->PlaceBar()->Combo()->lineEdit();
    field->setText(QStringLiteral("Ash Ford"));
    field->setSelection(0, 3);
    field->setFocus();
    QTest::keyClick(field, QKeySequence(QKeySequence::Copy)[0].key(),
                    QKeySequence(QKeySequence::Copy)[0].keyboardModifiers());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Ash"));
    field->deselect();
    QTest::keyClick(field, QKeySequence(QKeySequence::Copy)[0].key(),
                    QKeySequence(QKeySequence::Copy)[0].keyboardModifiers());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kelwick\t-50000\t150000\nKelwick\t120000\t-50000\n"));
    field->clear();
}

void TestMapKeys::findersOpen_data() {
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("caption");
    QTest::newRow("characters") << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_N)
                                << "Recherche de NPCs";
    QTest::newRow("spells") << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S)
                            << "Recherche de sorts";
}

void TestMapKeys::findersOpen() {
    QFETCH(QKeyCombination, key);
    QFETCH(QString, caption);
    QString seen;
    QTimer::singleShot(0, [&] {
        QWidget* finder = QApplication::activeModalWidget();
        if (!finder) return;
        seen = finder->windowTitle();
        QTest::keyClick(finder, Qt::Key_Escape);
    });
    QTest::keyClick(View(), key.key(), key.keyboardModifiers());
    QCOMPARE(seen, caption);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMapKeys::Wheel(QPoint at, QPoint delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(at, Map()->mapToGlobal(at), {}, delta, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Map(), &wheel);
}

void TestMapKeys::ctrlWheelKeepsThePoint_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("newZoom");
    QTest::newRow("in at 30") << 30 << QPoint(0, 200) << QPoint(300, 200) << 120 << 45;
    QTest::newRow("in at 100") << 100 << QPoint(1000, 1200) << QPoint(700, 90) << 120 << 150;
    QTest::newRow("out at 337") << 337 << QPoint(3000, 4000) << QPoint(123, 456) << -120 << 169;
    QTest::newRow("in at 757") << 757 << QPoint(9000, 7000) << QPoint(900, 600) << 360 << 1135;
}

// The world point under the pointer stays under it, within a pixel, and the
// zoom goes by the tool bar's steps.
void TestMapKeys::ctrlWheelKeepsThePoint() {
    QFETCH(int, zoom);
    QFETCH(QPoint, scroll);
    QFETCH(QPoint, at);
    QFETCH(int, delta);
    QFETCH(int, newZoom);
    View()->SetZoom(zoom);
    ScrollTo(scroll);
    const CPoint before = Scroll();
    const double px = (at.x() + before.x) * 100.0 / zoom, py = (at.y() + before.y) * 100.0 / zoom;
    Wheel(at, {0, delta}, Qt::ControlModifier);
    QCOMPARE(View()->Zoom(), newZoom);
    QCOMPARE(m_frame->windowTitle(), QString("Sarvenhal. (Zoom %1%)").arg(newZoom));
    QVERIFY(std::abs(px * newZoom / 100.0 - Scroll().x - at.x()) <= 1.0);
    QVERIFY(std::abs(py * newZoom / 100.0 - Scroll().y - at.y()) <= 1.0);
}

void TestMapKeys::wheelScrollsOneLine_data() {
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("lines");  // lines moved across and down
    QTest::newRow("plain down") << QPoint(0, -120) << Qt::KeyboardModifiers() << QPoint(0, 1);
    QTest::newRow("plain up, a big turn") << QPoint(0, 360) << Qt::KeyboardModifiers() << QPoint(0, -1);
    QTest::newRow("plain, no turn") << QPoint(0, 0) << Qt::KeyboardModifiers() << QPoint(0, 1);
    QTest::newRow("sideways right") << QPoint(-120, 0) << Qt::KeyboardModifiers() << QPoint(1, 0);
    QTest::newRow("sideways left") << QPoint(120, 0) << Qt::KeyboardModifiers() << QPoint(-1, 0);
    QTest::newRow("swipe mostly sideways") << QPoint(-40, 8) << Qt::KeyboardModifiers() << QPoint(1, 0);
    QTest::newRow("shift down goes right") << QPoint(0, -120) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                           << QPoint(1, 0);
    QTest::newRow("shift up goes left") << QPoint(0, 120) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                        << QPoint(-1, 0);
}

void TestMapKeys::wheelScrollsOneLine() {
    QFETCH(QPoint, delta);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, lines);
    const CSize line = View()->Geometry().Scroll().Line();
    QVERIFY(line.cx > 0 && line.cy > 0);
    const CPoint before = Scroll();
    Wheel({200, 200}, delta, modifiers);
    QCOMPARE(View()->Zoom(), 100);
    QCOMPARE(Scroll().x, before.x + lines.x() * line.cx);
    QCOMPARE(Scroll().y, before.y + lines.y() * line.cy);
    QCOMPARE(View()->horizontalScrollBar()->value(), Scroll().x);
}

// The map follows the pointer by the dragged distance; nothing zooms.
void TestMapKeys::middleDragPans() {
    QTest::mousePress(Map(), Qt::MiddleButton, {}, QPoint(500, 400));
    QTest::mouseMove(Map(), QPoint(450, 380));
    QCOMPARE(Scroll(), CPoint({550, 520}));
    QTest::mouseMove(Map(), QPoint(620, 290));
    QCOMPARE(Scroll(), CPoint({380, 610}));
    QTest::mouseRelease(Map(), Qt::MiddleButton, {}, QPoint(620, 290));
    QCOMPARE(View()->Zoom(), 100);
    QTest::mouseMove(Map(), QPoint(300, 300));  // released: moves no longer pan
    QCOMPARE(Scroll(), CPoint({380, 610}));
    QCOMPARE(View()->verticalScrollBar()->value(), 610);
}

void TestMapKeys::Search(const QString& text) {
    QLineEdit* field = m_frame->PlaceBar()->Combo()->lineEdit();
    field->clear();
    m_frame->PlaceBar()->Combo()->setFocus();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void TestMapKeys::searchSaysWhatItFound_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("several") << "ELW" << QString::fromUtf8("2 lieux trouvés");
    QTest::newRow("one") << "ash" << QString::fromUtf8("1 lieu trouvé");
    QTest::newRow("none") << "zzz" << QString::fromUtf8("Aucun lieu ne contient « zzz »");
}

// The message stays until the read-out replaces it.
void TestMapKeys::searchSaysWhatItFound() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    Search(text);
    QCOMPARE(Pane0(), message);
    HoverOrvane();
    QTRY_COMPARE(Pane0(), QString("Orvane (0, 0)"));
    View()->SetDetailLevel(-1);
}

void TestMapKeys::copiesPlaces_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("hoverOrvane");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("message");
    QTest::newRow("the hovered place") << "elw" << true << "Orvane\t0\t0\n" << QString::fromUtf8("1 lieu copié");
    QTest::newRow("else the found ones") << "elw" << false << "kelwick\t-50000\t150000\nKelwick\t120000\t-50000\n"
                                         << QString::fromUtf8("2 lieux copiés");
    QTest::newRow("nothing to copy") << "zzz" << false << "untouched" << QString::fromUtf8("Aucun lieu à copier");
}

void TestMapKeys::copiesPlaces() {
    QFETCH(QString, search);
    QFETCH(bool, hoverOrvane);
    QFETCH(QString, clipboard);
    QFETCH(QString, message);
    Search(search);
    if (hoverOrvane) HoverOrvane();
    else QTest::mouseMove(Map(), QPoint(3, 3));
    QTRY_COMPARE(View()->HoveredPlace() != nullptr, hoverOrvane);
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    View()->setFocus();
    QTest::keyClick(View(), QKeySequence(QKeySequence::Copy)[0].key(),
                    QKeySequence(QKeySequence::Copy)[0].keyboardModifiers());
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QCOMPARE(Pane0(), message);
    View()->SetDetailLevel(-1);
}

// Last: a window of its own, closed by the shortcut.
void TestMapKeys::quitShortcut() {
    CMainFrame frame(*m_world, [this] { return m_app->EnsureLoaded(); });
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(frame.View(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!frame.isVisible());
}


void TestMapKeys::accessibleNames_data() {
    QTest::addColumn<QWidget*>("widget");
    QTest::addColumn<QString>("name");
    QTest::newRow("map") << static_cast<QWidget*>(View()) << "Carte";
    QTest::newRow("place field") << static_cast<QWidget*>(m_frame->PlaceBar()->Combo()) << "Lieux";
    QTest::newRow("detail slider") << static_cast<QWidget*>(m_frame->PlaceBar()->Slider()) << "Niveau de détail";
    const QList<QAction*> buttons = m_frame->ToolBar()->actions();
    for (int i = 0; i < buttons.size(); ++i)
        QTest::addRow("tool button %d", i) << m_frame->ToolBar()->widgetForAction(buttons[i])
                                            << buttons[i]->statusTip();
}

// Screen readers name every control; the tool buttons by their prompt,
// which is not empty.
void TestMapKeys::accessibleNames() {
    QFETCH(QWidget*, widget);
    QFETCH(QString, name);
    QVERIFY(widget && !name.isEmpty());
    QCOMPARE(widget->accessibleName(), name);
}

void TestMapKeys::walkThePlaces_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<QList<int>>("keys");  // each with Alt, or F3
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("described");
    QTest::newRow("Alt+Right from the middle") << "" << QList<int>{Qt::Key_Right} << "Kelwick (120000, -50000)"
                                               << "Kelwick, Port, non trouvé";
    QTest::newRow("up, then down back") << "" << QList<int>{Qt::Key_Up, Qt::Key_Down} << "Orvane (0, 0)"
                                        << "Orvane, Région, non trouvé";
    QTest::newRow("nothing that way") << "" << QList<int>{Qt::Key_Left} << "Aucun lieu visible vers la gauche"
                                      << "aucun lieu choisi";
    QTest::newRow("F3 wraps through the found places")
        << "elw" << QList<int>{Qt::Key_F3, Qt::Key_F3, Qt::Key_F3} << "kelwick (-50000, 150000)"
        << QString::fromUtf8("kelwick, Port, trouvé");
}

// The keys move the focus ring; the status bar, what a screen reader reads
// of the map and Ctrl+C follow it. (Whether the reader is told of the change
// shows only with a real accessibility bus: tests/e2e/accessible_tree.py.)
void TestMapKeys::walkThePlaces() {
    QFETCH(QString, search);
    QFETCH(QList<int>, keys);
    QFETCH(QString, status);
    QFETCH(QString, described);
    View()->ClearPlaceFocus();
    View()->SearchPlaces(search);
    View()->SetZoom(100);
    View()->SetDetailLevel(5);
    const CPoint orvane = View()->Geometry().WorldToMap({0, 0});
    const CSize client = View()->Geometry().ClientSize();
    ScrollTo({orvane.x - client.cx / 2, orvane.y - client.cy / 2});
    QTest::mouseMove(Map(), QPoint(3, 3));
    QTRY_VERIFY(!View()->HoveredPlace());
    for (int key : keys) QTest::keyClick(View(), Qt::Key(key), key == Qt::Key_F3 ? Qt::NoModifier : Qt::AltModifier);
    QCOMPARE(Pane0(), status);
    const QString description = QAccessible::queryAccessibleInterface(View())->text(QAccessible::Description);
    QVERIFY2(description.contains(described), qPrintable(description));
    if (const CPlace* focused = View()->FocusedPlace()) {
        QTest::keyClick(View(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdString(focused->m_strName) + "\t" +
                     status.section(' ', 1).remove('(').remove(')').replace(", ", "\t") + "\n");
    }
    View()->SearchPlaces("");
    View()->SetDetailLevel(-1);
}

QTEST_MAIN(TestMapKeys)
#include "test_mapkeys.moc"
