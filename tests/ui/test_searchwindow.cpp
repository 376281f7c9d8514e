// The one search in the real window, on the small world with its engine, as
// a player uses it: Ctrl+K, a text typed, the arrows, Enter; for each kind
// what Enter leaves: the place lit, the sheet on the character, spell,
// effect or vendor (and the vendor's place lit), the note's spot centred.
#include "JpegMaker.h"
#include "SmallWorld.h"

#include "finders/PlaceCardDlg.h"
#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MyMapCommands.h"
#include "mapview/ZerimView.h"
#include "mymap/PlaceNotesBox.h"
#include "notes/NoteStore.h"
#include "notes/NotesOnMap.h"
#include "quicksearch/QuickSearch.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "MainWindowFixture.h"

Q_DECLARE_METATYPE(SheetKind)

namespace {
const CPoint kPin{20000, 60000};  // the pin "Cachette du loup", far from every place
}

class TestSearchWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void command();
    void enterOpens_data();
    void enterOpens();
    void aMarkMadeIsFound();
    void mapKeepsTheKeyboardBesideTheSheet();

private:
    CZerimView* View() const { return m_frame->View(); }
    CQuickSearch* Field() const { return m_frame->QuickSearch(); }
    QString Lit() const;
    bool Search(const QString& text);

    QTemporaryDir m_dir;
    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestSearchWindow::initTestCase() {
    const QByteArray notes = QFile::encodeName(m_dir.filePath("notes.sqlite"));
    qputenv("ZERIM_NOTES_DB", notes);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    {
        CNoteItem pin;
        pin.id = NewPinId();
        pin.name = "Cachette du loup";
        pin.x = kPin.x;
        pin.y = kPin.y;
        std::string error;
        CNoteStore::Opening opening = CNoteStore::Open(notes.toStdString());
        QVERIFY(opening.store && opening.store->Put(pin, error));
    }
    SmallWorld::Fill(m_store);
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    m_store.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_BLANK_PAGE, TestTables::Raw("<html><body></body></html>"));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_EFFECTS, TestTables::Raw(std::string("Feu\0\1\0\0", 7)));
    QVERIFY(OpenMainWindow(m_store, {1000, 800}, m_world, m_app, m_frame));
    QTRY_VERIFY(m_frame->MyMap()->Layer());
}

void TestSearchWindow::cleanupTestCase() { CloseMainWindow(m_world, m_app, m_frame); }

void TestSearchWindow::init() {
    delete m_frame->Sheet();
    View()->SetZoom(100);
    View()->SearchPlaces("zzz");  // nothing lit
    QTest::mouseMove(View()->viewport(), QPoint(5, 5));  // over no place
    QTRY_VERIFY(!View()->HoveredPlace());
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    View()->setFocus();
}

// The name of the one place lit; empty for none or several.
QString TestSearchWindow::Lit() const {
    const CPlaceArray& lit = View()->Places().Highlight();
    return lit.GetSize() == 1 ? QString::fromStdString(lit[0]->m_strName) : QString();
}

// Ctrl+K on the map, then the text typed; false when the field did not
// open with the keyboard.
bool TestSearchWindow::Search(const QString& text) {
    QTest::keyClick(View()->viewport(), Qt::Key_K, Qt::ControlModifier);
    if (!Field()->isVisible() || !Field()->Field()->hasFocus()) return false;
    Field()->Field()->clear();
    QTest::keyClicks(Field()->Field(), text);
    return true;
}

// First in "Rechercher", the items that were there before kept in order.
void TestSearchWindow::command() {
    QMenu* search = m_frame->menuBar()->actions()[3]->menu();
    QAction* everywhere = m_frame->Command(ExtraCommand::SearchEverywhere);
    QCOMPARE(search->actions().first(), everywhere);
    QCOMPARE(everywhere->text(), QString::fromUtf8("Rechercher &partout…"));
    QCOMPARE(everywhere->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    QVERIFY(search->actions()[1]->isSeparator());
    QCOMPARE(search->actions()[2], m_frame->Command(ExtraCommand::FindPlace));
    QVERIFY(search->actions().indexOf(m_frame->Command(ExtraCommand::PlaceCard)) > 2);
}

void TestSearchWindow::enterOpens_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("lit");    // the place lit afterwards
    QTest::addColumn<bool>("sheet");     // whether the sheet shows
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<int>("ref");
    QTest::addColumn<QString>("title");
    QTest::newRow("a place: lit") << "lieu:quen" << "Quen Harrow" << false << SheetKind::Place << 1 << "";
    QTest::newRow("a character: its page") << "perso:cara" << "" << true << SheetKind::Character << 2 << "Cara";
    QTest::newRow("a spell: who sells it") << "sort:givre" << "" << true << SheetKind::Spell << 9 << "Givre <b>";
    QTest::newRow("an effect: its spells") << "effet:feu" << "" << true << SheetKind::Effect << 1 << "Feu";
    QTest::newRow("a vendor: its place lit, its page")
        << "marchand:yara" << "Quen Harrow" << true << SheetKind::Vendor << 5 << "Yara";
    QTest::newRow("a vendor nowhere on the map: its page") << "marchand:vik" << "" << true << SheetKind::Vendor << 2 << "Vik";
}

void TestSearchWindow::enterOpens() {
    QFETCH(QString, typed);
    QFETCH(QString, lit);
    QFETCH(bool, sheet);
    QFETCH(SheetKind, kind);
    QFETCH(int, ref);
    QFETCH(QString, title);
    QVERIFY(Search(typed));
    QTest::keyClick(Field()->Field(), Qt::Key_Return);
    QVERIFY(!Field()->isVisible());
    QCOMPARE(Lit(), lit);
    QCOMPARE(bool(m_frame->Sheet()), sheet);
    if (!sheet) return;
    QVERIFY(m_frame->Sheet()->isVisible());
    QVERIFY(!m_frame->Sheet()->isModal());
    QCOMPARE(m_frame->Sheet()->Subject(), (SheetSubject{kind, ref}));
    QCOMPARE(m_frame->Sheet()->windowTitle(), title);
    if (!lit.isEmpty()) QVERIFY(!m_frame->Sheet()->frameGeometry().intersects(LitPlaceOnScreen(*View())));
}

// The pin that was there at start-up, then a mark made since: each found
// among the notes, and Enter flies to it.
void TestSearchWindow::aMarkMadeIsFound() {
    QVERIFY(Search("note:cachette"));
    QTest::keyClick(Field()->Field(), Qt::Key_Return);
    const CPoint centre = View()->WorldAt({View()->viewport()->width() / 2, View()->viewport()->height() / 2});
    const CPoint map = View()->Geometry().WorldToMap(centre), pin = View()->Geometry().WorldToMap(kPin);
    QVERIFY2(std::abs(map.x - pin.x) <= 1 && std::abs(map.y - pin.y) <= 1,
             qPrintable(QString("centre %1,%2, pin %3,%4").arg(map.x).arg(map.y).arg(pin.x).arg(pin.y)));

    View()->SearchPlaces("ro-dal");
    QTest::keyClick(View()->viewport(), Qt::Key_D, Qt::ControlModifier);  // Ro-Dal a favourite
    View()->SearchPlaces("zzz");
    QVERIFY(Search("note:ro-dal"));
    QTest::keyClick(Field()->Field(), Qt::Key_Return);
    QCOMPARE(Lit(), QString("Ro-Dal"));
    QTest::keyClick(View()->viewport(), Qt::Key_Z, Qt::ControlModifier);
    QWidget* before = QApplication::focusWidget();
    QVERIFY(Search("note:ro-dal"));
    QVERIFY(!Field()->HitOf(Field()->List()->currentItem()));  // undone: no longer found
    QTest::keyClick(Field()->Field(), Qt::Key_Escape);
    QVERIFY(!Field()->isVisible());
    QCOMPARE(QApplication::focusWidget(), before);
}

// With the sheet open, the map keeps the keyboard: Ctrl+K again, another
// subject in the same sheet; the sheet's place card keeps the player's marks.
void TestSearchWindow::mapKeepsTheKeyboardBesideTheSheet() {
    QVERIFY(Search("perso:cara"));
    QTest::keyClick(Field()->Field(), Qt::Key_Return);
    QVERIFY(m_frame->Sheet());
    QVERIFY(View()->hasFocus());
    CPlaceCardDlg* sheet = m_frame->Sheet();
    QVERIFY(!sheet->findChild<CPlaceNotesBox*>());  // the marks are a place's
    QVERIFY(Search("sort:flamme"));
    QTest::keyClick(Field()->Field(), Qt::Key_Return);
    QCOMPARE(m_frame->Sheet(), sheet);
    QCOMPARE(sheet->windowTitle(), QString("Flamme"));
    QCOMPARE(m_frame->findChildren<CPlaceCardDlg*>().size(), 1);
    View()->SearchPlaces("kelwick");
    m_frame->Command(ExtraCommand::PlaceCard)->trigger();
    QCOMPARE(m_frame->Sheet(), sheet);
    QCOMPARE(sheet->windowTitle(), QString("Kelwick"));
    QVERIFY(sheet->findChild<CPlaceNotesBox*>());
}

QTEST_MAIN(TestSearchWindow)
#include "test_searchwindow.moc"
