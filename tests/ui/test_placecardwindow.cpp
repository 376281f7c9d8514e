// The place card from the main window, as a user opens it: on the one
// place found or the hovered one, in the sheet beside the map, whose links
// show their pages in it and whose "Ouvrir dans le chercheur" opens the
// finders.
#include "JpegMaker.h"
#include "PanelClick.h"
#include "SmallWorld.h"

#include "data/PlaceTable.h"
#include "npc/LinkedWorld.h"
#include "finders/NpcSearchDlg.h"
#include "finders/PlaceCardDlg.h"
#include "mainwindow/ExtraCommands.h"
#include "mainwindow/StatusBar.h"
#include "finders/SpellSearchDlg.h"
#include "mapview/ZerimView.h"
#include "widgets/AutoCombo.h"

#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "MainWindowFixture.h"

class TestPlaceCardWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void command();
    void foundPlace_data();
    void foundPlace();
    void hoveredPlaceFirst();
    void escapeClosesAndTheCardComesBack();
    void cardLeavesThePlaceInSight();
    void linksShowTheirPages_data();
    void linksShowTheirPages();
    void controlBytesInTheTitle();
    void refusedPagesInTheStatusBar();

private:
    CZerimView* View() const { return m_frame->View(); }
    QString Pane0() const { return m_frame->StatusBar()->PaneText(0); }
    QList<CPlaceCardDlg*> Cards() const { return m_frame->findChildren<CPlaceCardDlg*>(); }
    CPlaceCardDlg* OpenCard(const QString& search);

    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestPlaceCardWindow::initTestCase() {
    SmallWorld::Fill(m_store);
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    m_store.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_BLANK_PAGE,
                TestTables::Raw("<html><body></body></html>"));
    // One effect, key 1, which every spell of the small world is filed under.
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_EFFECTS, TestTables::Raw(std::string("Feu\0\1\0\0", 7)));
    QVERIFY(OpenMainWindow(m_store, {1000, 800}, m_world, m_app, m_frame));
}

void TestPlaceCardWindow::cleanupTestCase() { CloseMainWindow(m_world, m_app, m_frame); }

void TestPlaceCardWindow::init() {
    View()->SetZoom(20);
    View()->Geometry().ScrollTo({0, 0});
    View()->SetDetailLevel(5);
    QTest::mouseMove(View()->viewport(), QPoint(5, 5));  // over no place
    QTRY_VERIFY(!View()->HoveredPlace());
}

void TestPlaceCardWindow::cleanup() { qDeleteAll(Cards()); }

// Searches, then asks for the card.
CPlaceCardDlg* TestPlaceCardWindow::OpenCard(const QString& search) {
    View()->SearchPlaces(search);
    m_frame->Command(ExtraCommand::PlaceCard)->trigger();
    return Cards().value(0);
}

// In "Rechercher" after "Copier le lien", with its shortcut and its prompt.
void TestPlaceCardWindow::command() {
    QAction* card = m_frame->Command(ExtraCommand::PlaceCard);
    QVERIFY(card);
    const QList<QAction*> search = m_frame->menuBar()->actions()[3]->menu()->actions();
    QVERIFY(search.indexOf(card) > 0);
    QCOMPARE(search[search.indexOf(card) - 1], m_frame->Command(ExtraCommand::CopyLink));
    QCOMPARE(card->text(), QString::fromUtf8("&Fiche du lieu…"));
    QCOMPARE(card->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    QVERIFY(!card->statusTip().isEmpty());
}

void TestPlaceCardWindow::foundPlace_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("title");  // empty: no card opens
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("characters and vendors with their spells")
        << "quen" << "Quen Harrow" << QStringList{"NPCs", "Amrel", "Vendeurs", "Yara (Quen Harrow) : Brume, Éclair"};
    QTest::newRow("two places of one name found")
        << "brask quarter" << "" << QStringList{};  // two places found: no card
    QTest::newRow("nobody there") << "ro-dal" << "Ro-Dal" << QStringList{"Aucun NPC.", "Aucun vendeur."};
    QTest::newRow("several places found") << "oska" << "" << QStringList{};
    QTest::newRow("nothing found") << "zzz" << "" << QStringList{};
}

void TestPlaceCardWindow::foundPlace() {
    QFETCH(QString, search);
    QFETCH(QString, title);
    QFETCH(QStringList, shown);
    CPlaceCardDlg* card = OpenCard(search);
    if (title.isEmpty()) {
        QVERIFY(!card);
        QVERIFY2(Pane0().contains(QString::fromUtf8("trouvez-en un seul")), qPrintable(Pane0()));
        return;
    }
    QVERIFY(card);
    QVERIFY(card->isVisible());
    QVERIFY(!card->isModal());
    QCOMPARE(card->windowTitle(), title);
    const QString text = card->Panel()->toPlainText();
    for (const QString& part : shown) QVERIFY2(text.contains(part), qPrintable(text));
    // Asked again, the same card comes forward: no second window.
    m_frame->Command(ExtraCommand::PlaceCard)->trigger();
    QCOMPARE(Cards().size(), 1);
}

// The hovered place's card, even with another place found; a name two
// places share gives both the same lists, markup shown as text.
void TestPlaceCardWindow::hoveredPlaceFirst() {
    View()->SearchPlaces("quen");
    const CPoint marker = View()->Geometry().WorldToMap({-100000, 0});  // "oska, brask QUARTER"
    QTest::mouseMove(View()->viewport(), QPoint(marker.x - 1, marker.y + 1));
    QTRY_VERIFY(View()->HoveredPlace());
    // From the keyboard, the main window active.
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    QTest::keyClick(m_frame, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(Cards().size(), 1);
    CPlaceCardDlg* card = Cards()[0];
    QCOMPARE(card->windowTitle(), QString("oska, brask QUARTER"));
    const QString text = card->Panel()->toPlainText();
    QVERIFY2(text.contains("Bo <Jiss> & \"Q\"") && text.contains("Ula (Oska, Brask Quarter) : Givre <b>"),
             qPrintable(text));
}

void TestPlaceCardWindow::escapeClosesAndTheCardComesBack() {
    CPlaceCardDlg* card = OpenCard("kelwick");
    QVERIFY(card);
    QTest::keyClick(card->Panel(), Qt::Key_Escape);
    QTRY_VERIFY(Cards().isEmpty() || !Cards()[0]->isVisible());
    m_frame->Command(ExtraCommand::PlaceCard)->trigger();
    QCOMPARE(Cards().size(), 1);
    QVERIFY(Cards()[0]->isVisible());
    QCOMPARE(Cards()[0]->windowTitle(), QString("Kelwick"));
}

// The found place is in the middle of the map, where the card would open:
// the card moves off its marker and its label; and so does a finder opened
// from the card, which would open there too.
void TestPlaceCardWindow::cardLeavesThePlaceInSight() {
    CPlaceCardDlg* card = OpenCard("quen");
    QVERIFY(card);
    const QRect place = LitPlaceOnScreen(*View());
    QVERIFY(place.width() > 20);  // the label is part of it
    QVERIFY(View()->viewport()->rect().contains(QRect(View()->viewport()->mapFromGlobal(place.topLeft()), place.size())));
    QVERIFY2(!card->frameGeometry().intersects(place),
             qPrintable(QString("card %1,%2 %3x%4, place %5,%6 %7x%8")
                            .arg(card->frameGeometry().x()).arg(card->frameGeometry().y())
                            .arg(card->frameGeometry().width()).arg(card->frameGeometry().height())
                            .arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height())));
    QRect finderFrame;
    QTimer::singleShot(50, [&] {
        QWidget* finder = QApplication::activeModalWidget();
        if (!finder) return;
        finderFrame = finder->frameGeometry();
        QTest::keyClick(finder, Qt::Key_Escape);
    });
    QVERIFY(ClickText(*card->Panel(), QString::fromUtf8("Éclair")));
    QTest::mouseClick(card->FinderButton(), Qt::LeftButton);
    QVERIFY(!finderFrame.isNull());
    QVERIFY(!finderFrame.intersects(place));
}

// From Kelwick's card, links followed one after another: each shows its
// page in the sheet (a place link lights the place and the sheet stays);
// "Ouvrir dans le chercheur" then opens the finder on it.
void TestPlaceCardWindow::linksShowTheirPages_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("lit");     // the place lit on the map afterwards
    QTest::addColumn<QString>("finder");  // what the finder chose; empty: no button
    QTest::newRow("the card itself") << QStringList{} << "Kelwick" << "Xan (Kelwick, by the well)" << "Kelwick" << "";
    QTest::newRow("a character") << QStringList{"Cara"} << "Cara" << "Seen in kelwick." << "Kelwick" << "Cara";
    QTest::newRow("a spell, who sells it and where")
        << QStringList{"Éclair"} << "Éclair" << "Zed & Sons : Kelwick, by the well\nYara : Quen Harrow" << "Kelwick"
        << "Éclair";
    QTest::newRow("a vendor of the spell") << QStringList{"Éclair", "Yara"} << "Yara" << "Quen Harrow\n\nSorts\nBrume, Éclair"
                                           << "Kelwick" << "Brume";
    QTest::newRow("the spell's effect") << QStringList{"Éclair", "Feu"} << "Feu" << "Brume\nÉclair\nFlamme\nGivre <b>"
                                        << "Kelwick" << "Brume";
    QTest::newRow("a place link lights the place, the sheet stays")
        << QStringList{"Éclair", "Quen Harrow"} << "Éclair" << "Yara : Quen Harrow" << "Quen Harrow" << "Éclair";
    QTest::newRow("a place of a character's page")
        << QStringList{"Amrel", "Quen Harrow"} << "Amrel" << "Kelwick, then Quen Harrow." << "Quen Harrow" << "Amrel";
}

void TestPlaceCardWindow::linksShowTheirPages() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, title);
    QFETCH(QString, shown);
    QFETCH(QString, lit);
    QFETCH(QString, finder);
    CPlaceCardDlg* card = OpenCard("kelwick");
    QVERIFY(card);
    for (const QString& click : clicks) QVERIFY2(ClickText(*card->Panel(), click), qPrintable(click));
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(Cards().size(), 1);
    QVERIFY(card->isVisible());
    QCOMPARE(card->windowTitle(), title);
    const QString text = card->Panel()->toPlainText();
    QVERIFY2(text.contains(shown), qPrintable(text));
    const CPlaceArray& found = View()->Places().Highlight();
    QCOMPARE(found.GetSize(), 1);
    QCOMPARE(QString::fromStdString(found[0]->m_strName), lit);
    QCOMPARE(card->FinderButton()->isVisible(), !finder.isEmpty());
    if (finder.isEmpty()) return;
    QString chosen;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* characters = qobject_cast<CNpcSearchDlg*>(modal)) chosen = characters->NameCombo()->currentText();
        if (auto* spells = qobject_cast<CSpellSearchDlg*>(modal); spells && spells->Tree()->currentItem())
            chosen = spells->Tree()->currentItem()->text(0);
        if (modal) QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::mouseClick(card->FinderButton(), Qt::LeftButton);
    QCOMPARE(chosen, finder);
    QVERIFY(card->isVisible());  // the sheet stays open
    QCOMPARE(card->windowTitle(), title);
}

// A name's escape sequence, bell, tab and delete reach the title bar as
// U+FFFD, one each.
void TestPlaceCardWindow::controlBytesInTheTitle() {
    CMemoryResourceStore store;
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
              TestTables::PlaceTable({{"Kel\x1B[2Jwick\t\x07\x7F", 1, 0, 1, 1}}));
    CPlaceList places;
    ParsePlaceTable(*FindRcData(store, ResId::IDR_PLACES), places);
    const CLinkedWorld world(places.Array(), store);
    CPlaceCardDlg card(store, world, {});
    QVERIFY(card.Show({SheetKind::Place, 0}));
    QCOMPARE(card.windowTitle(), QString::fromUtf8("Kel\uFFFD[2Jwick\uFFFD\uFFFD\uFFFD"));
}

// The main window hands its status bar to every page panel it opens: the
// sheet's, and the character finder's opened from it.
void TestPlaceCardWindow::refusedPagesInTheStatusBar() {
    std::string page;
    for (int i = 0; i < 65; ++i) page += "<div>";
    const QString refused = QString::fromUtf8("Page refusée : plus de 64 niveaux d'imbrication");
    CPlaceCardDlg* card = OpenCard("kelwick");
    QVERIFY(card);
    m_frame->StatusBar()->SetPaneText(0, QString());
    bool refusedInFinder = false;
    QTimer::singleShot(0, [&] {
        auto* finder = qobject_cast<CNpcSearchDlg*>(QApplication::activeModalWidget());
        if (!finder) return;
        refusedInFinder = !finder->Panel()->SetBodyHtml(page);
        QTest::keyClick(finder, Qt::Key_Escape);
    });
    QVERIFY(ClickText(*card->Panel(), "Cara"));
    QTest::mouseClick(card->FinderButton(), Qt::LeftButton);
    QVERIFY(refusedInFinder);
    QCOMPARE(Pane0(), refused);
    m_frame->StatusBar()->SetPaneText(0, QString());
    QVERIFY(!card->Panel()->SetBodyHtml(page));
    QCOMPARE(Pane0(), refused);
}

QTEST_MAIN(TestPlaceCardWindow)
#include "test_placecardwindow.moc"
