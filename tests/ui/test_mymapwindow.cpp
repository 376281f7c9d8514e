// The player's layer in the real window, driven as a user would: marks from
// the keyboard, undo and redo, hiding visited places, a pin from the notes
// menu moved with Ctrl held, the marks on a place's card, the panel.
#include "JpegMaker.h"
#include "SmallWorld.h"

#include "finders/PlaceCardDlg.h"
#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MyMapCommands.h"
#include "mapview/ZerimView.h"
#include "mymap/NoteDlg.h"
#include "mymap/NotesPanel.h"
#include "mymap/PlaceNotesBox.h"
#include "output/ViewExport.h"
#include "notes/NotesOnMap.h"
#include "startup/Settings.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "MainWindowFixture.h"

class TestMyMapWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void marksUndoAndRedo_data();
    void marksUndoAndRedo();
    void hideVisited();
    void pinFromTheNotesMenuMovedWithCtrl();
    void cardShowsAndEditsTheMarks();
    void panelFollowsTheLayer();
    void theSameFileAsTheCommandLine();

private:
    CZerimView* View() const { return m_frame->View(); }
    CMyMap& Layer() const { return *m_frame->MyMap()->Layer(); }
    const CPlace* Quen() const { return View()->PlaceTable()[1]; }
    const CNoteItem* QuenMark() const { return Layer().Find(PlaceKeyOf(*Quen())); }
    // A shortcut reaches the window once it is active again (after a dialog).
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        QTest::keyClick(View()->viewport(), Qt::Key(key), modifiers);
    }

    QTemporaryDir m_dir;
    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestMyMapWindow::initTestCase() {
    qputenv("ZERIM_NOTES_DB", QFile::encodeName(m_dir.filePath("notes.sqlite")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));  // the panel's choice is remembered there
    SmallWorld::Fill(m_store);
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    QVERIFY(OpenMainWindow(m_store, {1000, 800}, m_world, m_app, m_frame));
    QTRY_VERIFY(m_frame->MyMap()->Layer());  // opened once the first map is on screen
}

void TestMyMapWindow::cleanupTestCase() { CloseMainWindow(m_world, m_app, m_frame); }

void TestMyMapWindow::init() {
    View()->SetZoom(20);
    View()->SetDetailLevel(5);
    View()->SearchPlaces("quen");  // one place found: the one the commands mark
    View()->setFocus();
    QTest::mouseMove(View()->viewport(), QPoint(5, 5));  // over no place
    QTRY_VERIFY(!View()->HoveredPlace());
}

// Each row is a list of keys pressed on the map; the mark they leave.
void TestMyMapWindow::marksUndoAndRedo_data() {
    QTest::addColumn<QList<int>>("keys");  // M, D, Z (undo), Y (redo: Ctrl+Shift+Z)
    QTest::addColumn<bool>("visited");
    QTest::addColumn<bool>("favourite");
    QTest::newRow("visited") << QList<int>{Qt::Key_M} << true << false;
    QTest::newRow("visited, then not") << QList<int>{Qt::Key_M, Qt::Key_M} << false << false;
    QTest::newRow("both, the last undone") << QList<int>{Qt::Key_M, Qt::Key_D, Qt::Key_Z} << true << false;
    QTest::newRow("undone and redone") << QList<int>{Qt::Key_D, Qt::Key_Z, Qt::Key_Y} << false << true;
}

void TestMyMapWindow::marksUndoAndRedo() {
    QFETCH(QList<int>, keys);
    for (int key : keys) {
        if (key == Qt::Key_Y) Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else Key(key);
    }
    const CNoteItem* mark = QuenMark();
    QTEST(mark && mark->visited, "visited");
    QTEST(mark && mark->favourite, "favourite");
    // Back to none: the layer as it was.
    while (Layer().CanUndo()) Key(Qt::Key_Z);
    QVERIFY(!QuenMark());
}

void TestMyMapWindow::hideVisited() {
    Key(Qt::Key_M);
    View()->SearchPlaces("zzz");  // no longer found
    QAction* hide = m_frame->Command(ExtraCommand::HideVisited);
    hide->trigger();
    QVERIFY(!View()->Places().IsPlaceVisible(Quen()));
    QVERIFY(View()->Places().IsPlaceVisible(View()->PlaceTable()[0]));
    View()->SearchPlaces("quen");  // a found place shows all the same
    QVERIFY(View()->Places().IsPlaceVisible(Quen()));
    hide->trigger();
    Key(Qt::Key_Z);
}

// The menu at a point of the map adds a pin there; Ctrl+drag takes it
// elsewhere; both are drawn, and each is one step to undo.
void TestMyMapWindow::pinFromTheNotesMenuMovedWithCtrl() {
    const QPoint at(300, 300);
    QMenu* menu = m_frame->MyMap()->NotesMenuAt({at.x(), at.y()});
    QAction* add = menu->actions().last();
    QCOMPARE(add->text(), QString::fromUtf8("Ajouter une épingle ici…"));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CNoteDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->TitleField()->setText("Camp <b>");
        dialog->accept();
    });
    add->trigger();
    delete menu;
    QCOMPARE(View()->PinAt({at.x(), at.y()}), 0);
    const std::string id = Layer().Items().back().id;
    QCOMPARE(Layer().Find(id)->name, std::string("Camp <b>"));
    const QPoint to(420, 350);
    const int zoom = View()->Zoom();
    QTest::mousePress(View()->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    QTest::mouseMove(View()->viewport(), to);
    QTest::mouseRelease(View()->viewport(), Qt::LeftButton, Qt::ControlModifier, to);
    QCOMPARE(View()->PinAt({to.x(), to.y()}), 0);
    QCOMPARE(View()->Zoom(), zoom);  // the press did not zoom
    // The pin's head in its colour where it now is, on screen and in an export.
    const QImage shown = View()->viewport()->grab().toImage();
    QCOMPARE(QColor(shown.pixel(to + QPoint(-3, 0))), QColor(40, 120, 255));
    QCOMPARE(QColor(RenderView(*View()).pixel(to + QPoint(-3, 0))), QColor(40, 120, 255));
    Key(Qt::Key_Z);
    QCOMPARE(View()->PinAt({at.x(), at.y()}), 0);
    Key(Qt::Key_Z);
    QVERIFY(!Layer().Find(id));
}

void TestMyMapWindow::cardShowsAndEditsTheMarks() {
    Key(Qt::Key_D);
    m_frame->Command(ExtraCommand::PlaceCard)->trigger();
    auto* card = m_frame->findChild<CPlaceCardDlg*>();
    QVERIFY(card);
    auto* box = card->findChild<CPlaceNotesBox*>();
    QVERIFY(box);
    QVERIFY(box->FavouriteBox()->isChecked());
    box->VisitedBox()->click();
    QVERIFY(QuenMark()->visited);
    Key(Qt::Key_Z);  // the card follows an undo
    QVERIFY(!box->VisitedBox()->isChecked());
    Key(Qt::Key_Z);
    delete card;
}

void TestMyMapWindow::panelFollowsTheLayer() {
    auto* dock = m_frame->findChild<QDockWidget*>("NotesPanel");
    QVERIFY(dock && !dock->isVisible());  // off until asked for
    m_frame->Command(ExtraCommand::NotesPanel)->trigger();
    QVERIFY(dock->isVisible());
    Key(Qt::Key_M);
    CNotesPanel* panel = m_frame->MyMap()->Panel();
    QCOMPARE(panel->Progress()->text(), QString::fromUtf8("Lieux visités : 1 / 6 (17 %)"));
    Key(Qt::Key_Z);
    m_frame->Command(ExtraCommand::NotesPanel)->trigger();
}

// The window and the command-line modes find the player's data in the
// same file.
void TestMyMapWindow::theSameFileAsTheCommandLine() {
    Settings::Register();  // the program's names, which the data folder takes
    const QByteArray kept = qgetenv("ZERIM_NOTES_DB");
    qunsetenv("ZERIM_NOTES_DB");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path()));
    QCOMPARE(NotesFilePath(), NotesDatabasePath());
    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(NotesFilePath(), NotesDatabasePath());
    qputenv("ZERIM_NOTES_DB", kept);
}

QTEST_MAIN(TestMyMapWindow)
#include "test_mymapwindow.moc"
