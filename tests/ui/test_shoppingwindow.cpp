// The shopping list in the main window, as the player uses it: spells added
// from the spell finder's command, the panel's list, "Où acheter" drawing
// the numbered stops on the map, the list kept for the next run, "Vider"
// taking the tour away, and the list with its tour exported as text.
#include "JpegMaker.h"
#include "SmallWorld.h"

#include "data/ResourceIds.h"
#include "finders/PlaceCardDlg.h"
#include "finders/ShoppingPanel.h"
#include "finders/SpellSearchDlg.h"
#include "mainwindow/ExtraCommands.h"
#include "mainwindow/ShoppingCommands.h"
#include "mainwindow/StatusBar.h"
#include "startup/SettingsFile.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "MainWindowFixture.h"

namespace {
QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    return rows;
}
}  // namespace

class TestShoppingWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void addFromTheFinder();
    void addFromTheSheet();
    void tourOnTheMap();
    void exportWritesTheText();
    void keptAndCleared();

private:
    CShoppingCommands* Shopping() const { return m_frame->Shopping(); }
    CShoppingPanel* Panel() const { return m_frame->Shopping()->Panel(); }
    std::vector<const CJourneyMark*> Stops() const;
    QString Pane0() const { return m_frame->StatusBar()->PaneText(0); }

    QTemporaryDir m_dir;
    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestShoppingWindow::initTestCase() {
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName(QStringLiteral("ZerimTests"));
    QCoreApplication::setApplicationName(QStringLiteral("Shopping"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    SmallWorld::Fill(m_store);
    // Every spell under one effect, so that the finder shows it with its spells.
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_EFFECTS, TestTables::Raw(std::string("Feu\0\1\0\0", 7)));
    QVERIFY(OpenMainWindow(m_store, {1000, 800}, m_world, m_app, m_frame));
}

void TestShoppingWindow::cleanupTestCase() { CloseMainWindow(m_world, m_app, m_frame); }

std::vector<const CJourneyMark*> TestShoppingWindow::Stops() const {
    std::vector<const CJourneyMark*> stops;
    for (const CJourneyMark& mark : m_frame->View()->Journeys()[size_t(JourneyPart::Tour)].marks)
        if (mark.style == JourneyMarkStyle::Stop) stops.push_back(&mark);
    return stops;
}

// Ctrl+B on a spell adds it and shows the panel; on an effect the command
// is not offered; a spell listed already is said so and not listed twice.
void TestShoppingWindow::addFromTheFinder() {
    QVERIFY(!m_frame->Command(ExtraCommand::ShoppingList)->isChecked());
    bool offeredOnEffect = true;
    QTimer::singleShot(0, [&] {
        auto* finder = qobject_cast<CSpellSearchDlg*>(QApplication::activeModalWidget());
        if (!finder) return;
        // The command of the finder's tree with Ctrl+B (the offscreen
        // platform leaves the main window active, so the key is not sent).
        QTreeWidget* tree = finder->Tree();
        QAction* add = nullptr;
        for (QAction* action : tree->actions())
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_B)) add = action;
        if (add) {
            tree->setCurrentItem(tree->topLevelItem(0));  // the effect
            offeredOnEffect = add->isVisible();
            for (const uint16_t spell : {7, 9, 10, 7}) {
                finder->ShowSpell(spell);
                add->trigger();
            }
        }
        QTest::keyClick(finder, Qt::Key_Escape);
    });
    m_frame->Command(ResId::ID_SPELL_SEARCH)->trigger();
    QVERIFY(!offeredOnEffect);
    QVERIFY(Panel() && Shopping()->Dock()->isVisible());
    QVERIFY(m_frame->Command(ExtraCommand::ShoppingList)->isChecked());
    QCOMPARE(Rows(Panel()->SpellRows()), QStringList({"Flamme (Feu)", "Givre <b> (Feu)", "Brume (Feu)"}));
    QTRY_COMPARE(Pane0(), QString::fromUtf8("« Flamme » est déjà dans la liste d'achats"));
}

// The sheet offers the command on a spell's page only.
void TestShoppingWindow::addFromTheSheet() {
    CPlaceCardDlg sheet(m_store, m_world->LinkedWorld(), {});
    Shopping()->AddSheetCommand(sheet);
    QAction* add = nullptr;
    for (QAction* action : sheet.Panel()->actions())
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_B)) add = action;
    QVERIFY(add);
    QVERIFY(sheet.Show({SheetKind::Place, 0}));
    QVERIFY(!add->isVisible());
    QVERIFY(sheet.Show({SheetKind::Spell, 8}));
    QVERIFY(add->isVisible());
    add->trigger();
    QCOMPARE(Panel()->SpellRows()->count(), 4);
    QCOMPARE(Panel()->SpellRows()->item(3)->text(), QString::fromUtf8("Éclair (Feu)"));
    Panel()->SpellRows()->setCurrentRow(3);
    QTest::keyClick(Panel()->SpellRows(), Qt::Key_Delete);  // as the finder left it for the next tests
}

// Three vendors with a place each: three discs, numbered as the rows, all
// brought into sight; a row chosen brings its place to the middle of the view.
void TestShoppingWindow::tourOnTheMap() {
    // Zoomed in on a corner: the view moves to show the whole tour.
    CZerimView* view = m_frame->View();
    view->SetZoom(150);
    view->Geometry().ScrollTo({0, 0});
    Panel()->SetStart(CShoppingPanel::Start::None, {});
    QTest::mouseClick(Panel()->Button("plan"), Qt::LeftButton);
    const auto stops = Stops();
    for (const CJourneyMark* stop : stops) {
        const CPoint map = view->Geometry().WorldToMap({stop->at.x, stop->at.y});
        const CPoint scroll = view->Geometry().GetScrollOffset();
        QVERIFY(view->viewport()->rect().contains(map.x - scroll.x, map.y - scroll.y));
    }
    QCOMPARE(int(stops.size()), 3);
    QStringList numbers;
    for (const CJourneyMark* stop : stops) numbers << QString::fromStdString(stop->text);
    QCOMPARE(numbers, QStringList({"1", "2", "3"}));
    QCOMPARE(Panel()->StopRows()->count(), 3);
    QVERIFY(Panel()->StopRows()->item(0)->text().startsWith("1. "));
    QVERIFY(Panel()->Summary()->text().contains(QString::fromUtf8("unités de la carte")));

    view->SetZoom(100);
    view->Geometry().ScrollTo({0, 0});
    // Quen Harrow, in the middle of the map's width: the scroll limits let it be centred.
    const auto middle = std::find_if(stops.begin(), stops.end(), [](const CJourneyMark* m) { return m->at.x == 0; });
    QVERIFY(middle != stops.end());
    Panel()->StopRows()->setCurrentRow(int(middle - stops.begin()));
    const CPoint at = view->Geometry().WorldToMap({(*middle)->at.x, (*middle)->at.y});
    const CPoint centre = view->Geometry().ClientCentre();
    QVERIFY2(std::abs(at.x - centre.x) <= 2 && std::abs(at.y - centre.y) <= 2,
             qPrintable(QString("%1,%2 vs %3,%4").arg(at.x).arg(at.y).arg(centre.x).arg(centre.y)));
}

void TestShoppingWindow::exportWritesTheText() {
    const QString path = m_dir.filePath("liste.txt");
    QString error;
    QVERIFY2(Shopping()->ExportTo(path, error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.startsWith(QString::fromUtf8("Liste d'achats\n- Flamme (Feu)\n")));
    QVERIFY(text.contains(QString::fromUtf8("Départ : le premier marchand\n")));
    for (int i = 0; i < Panel()->StopRows()->count(); ++i)
        QVERIFY(text.contains(Panel()->StopRows()->item(i)->text() + '\n'));
}

// The list is in the settings after each change; Delete removes the
// current row and "Vider" the rest, the tour going with each change, and
// with the panel when it closes.
void TestShoppingWindow::keptAndCleared() {
    const auto kept = [] { return SettingsFile().Values().value(QStringLiteral("shopping/spells")).toString(); };
    QCOMPARE(kept(), QString("7,9,10"));
    Panel()->SpellRows()->setCurrentRow(1);
    QTest::keyClick(Panel()->SpellRows(), Qt::Key_Delete);
    QCOMPARE(kept(), QString("7,10"));
    QVERIFY(Stops().empty());
    // Closing the panel takes the tour away too.
    QTest::mouseClick(Panel()->Button("plan"), Qt::LeftButton);
    QVERIFY(!Stops().empty());
    m_frame->Command(ExtraCommand::ShoppingList)->trigger();
    QVERIFY(Shopping()->Dock()->isHidden() && Stops().empty());
    m_frame->Command(ExtraCommand::ShoppingList)->trigger();
    QTest::mouseClick(Panel()->Button("plan"), Qt::LeftButton);
    QVERIFY(!Stops().empty());
    QTest::mouseClick(Panel()->Button("clear"), Qt::LeftButton);
    QCOMPARE(Panel()->SpellRows()->count(), 0);
    QVERIFY(m_frame->View()->Journeys()[size_t(JourneyPart::Tour)].Empty());
    QCOMPARE(kept(), QString());
}

QTEST_MAIN(TestShoppingWindow)
#include "test_shoppingwindow.moc"
