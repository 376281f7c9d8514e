// The spell finder's window on a small world of four effects, five spells and
// four vendors (tests/data/spells): what it shows, how a selection refills
// the vendor list, and how it closes.
#include "data/PlaceList.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "finders/SpellSearchDlg.h"
#include "tables/TableCompiler.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

namespace {

// "Effect/Spell" or "Spell": the item the user picks.
QTreeWidgetItem* Find(QTreeWidget* tree, const QString& path) {
    const QStringList parts = path.split('/');
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        if (item->text(0) != parts[0]) continue;
        if (parts.size() == 1) return item;
        for (int c = 0; c < item->childCount(); ++c)
            if (item->child(c)->text(0) == parts[1]) return item->child(c);
    }
    return nullptr;
}

// The tree as lines, children marked with "- ".
QStringList Lines(QTreeWidget* tree) {
    QStringList lines;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        lines << item->text(0);
        for (int c = 0; c < item->childCount(); ++c) lines << "- " + item->child(c)->text(0);
    }
    return lines;
}

QStringList Rows(QTreeWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(1);
    return rows;
}

void Click(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

const QStringList kRayonRows{"Bérenger | ** Localisation inconnue **",
                             "Sœur Ylva | Cour des Étoiles, près du puits", "Orlan | Pont de Kessar"};

}  // namespace

class TestSpellDlg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { delete m_dlg; }
    void texts();
    void click_data();
    void click();
    void keyboardMovesTheSelection();
    void columnsFitHeadersEntriesAndWidth();
    void treeDrawsLinesAndBoxes();
    void rowsDoNothing();
    void closing_data();
    void closing();
    void reopeningStartsAfresh();
    void vendorOnTheMap_data();
    void vendorOnTheMap();
    void rowsStillDoNothingWithMapLinks();
    void showOnMapMovesOffTheMarker();

private:
    void LinkToMap(std::function<std::optional<QRect>(int)> locate = {});
    QMenu* OpenRowMenu(QTreeWidgetItem* row, bool byMouse);

    CMemoryResourceStore m_store;
    CSpellSearchDlg* m_dlg = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTreeWidget* m_list = nullptr;
    // The map's places: one named in another letter case, one named by the
    // part of a location before its comma, one name twice.
    CPlaceList m_places;
    QList<int> m_shown;  // the places the finder asked the map to light
};

void TestSpellDlg::initTestCase() {
    for (const CompiledTable& table : CompileDirectory(ZERIM_TEST_DATA_DIR "/spells")) {
        const int id = std::stoi(table.key.substr(table.key.find('_') + 1));
        m_store.Add(ResType::Numeric(ResId::RT_RCDATA), id, table.bytes);
    }
    for (const char* name : {"Moulin d'Arvel", "PONT DE KESSAR", "Cour des \xC9toiles", "Moulin d'Arvel"})
        m_places.Add(name, 0, 0, 0, 0);
}

void TestSpellDlg::init() {
    m_dlg = new CSpellSearchDlg(m_store);
    m_tree = m_dlg->Tree();
    m_list = m_dlg->VendorList();
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg));
    m_tree->expandAll();
}

void TestSpellDlg::texts() {
    QCOMPARE(m_dlg->windowTitle(), QString("Recherche de sorts"));
    QCOMPARE(m_dlg->findChild<QLabel*>()->text(), QString("Sort:"));
    QCOMPARE(m_list->headerItem()->text(0), QString("Vendeur"));
    QCOMPARE(m_list->headerItem()->text(1), QString("Localisation"));
    // Screen readers name both lists.
    QCOMPARE(m_tree->accessibleName(), QString("Sorts"));
    QCOMPARE(m_list->accessibleName(), QString::fromUtf8("Vendeurs du sort choisi"));
    // Silence sells nothing and goes; Abri's only spell takes its place.
    QCOMPARE(Lines(m_tree), QStringList({"Brume", "- Brouillard", "- Nuée", "Dôme", "Lumière",
                                         "- Aurore", "- Rayon"}));
    QVERIFY(m_tree->selectedItems().isEmpty());
    QCOMPARE(m_list->topLevelItemCount(), 0);
    QCOMPARE(QApplication::focusWidget(), m_tree);
}

void TestSpellDlg::click_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("a spell sold by three vendors, the last in the table on top")
        << "Lumière/Rayon" << kRayonRows;
    QTest::newRow("a spell that replaced its effect lists its vendors")
        << "Dôme" << QStringList{"Bérenger | ** Localisation inconnue **"};
    QTest::newRow("another spell replaces the rows")
        << "Brume/Brouillard" << QStringList{"Maëlle | Moulin d'Arvel"};
    QTest::newRow("an effect empties the list") << "Lumière" << QStringList{};
}

void TestSpellDlg::click() {
    QFETCH(QString, item);
    QFETCH(QStringList, rows);
    Click(m_tree, Find(m_tree, "Brume/Nuée"));  // the list holds something before
    QCOMPARE(Rows(m_list), QStringList{"Orlan | Pont de Kessar"});
    QTreeWidgetItem* target = Find(m_tree, item);
    QVERIFY(target);
    Click(m_tree, target);
    QCOMPARE(m_tree->selectedItems(), QList<QTreeWidgetItem*>{target});
    QCOMPARE(Rows(m_list), rows);
    QVERIFY(m_list->updatesEnabled());
}

void TestSpellDlg::keyboardMovesTheSelection() {
    Click(m_tree, Find(m_tree, "Lumière/Aurore"));
    QCOMPARE(Rows(m_list), QStringList{"Sœur Ylva | Cour des Étoiles, près du puits"});
    QTest::keyClick(m_tree, Qt::Key_Down);
    QCOMPARE(m_tree->selectedItems().value(0), Find(m_tree, "Lumière/Rayon"));
    QCOMPARE(Rows(m_list), kRayonRows);
    QTest::keyClick(m_tree, Qt::Key_Up);
    QTest::keyClick(m_tree, Qt::Key_Up);
    QCOMPARE(m_tree->selectedItems().value(0), Find(m_tree, "Lumière"));
    QCOMPARE(m_list->topLevelItemCount(), 0);
}

void TestSpellDlg::columnsFitHeadersEntriesAndWidth() {
    QHeaderView* header = m_list->header();
    const QFontMetrics metrics(m_list->font());
    const auto widest = [&](int column) {
        int width = 0;
        for (int i = 0; i < m_list->topLevelItemCount(); ++i)
            width = qMax(width, metrics.horizontalAdvance(m_list->topLevelItem(i)->text(column)));
        return width;
    };
    const auto check = [&](const char* when) {
        for (int column = 0; column < 2; ++column) {
            QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column), when);
            QVERIFY2(header->sectionSize(column) > widest(column), when);
        }
        // The last column takes what the first leaves of the width.
        QVERIFY2(header->sectionSize(0) + header->sectionSize(1) >= m_list->viewport()->width(), when);
        QVERIFY2(header->sectionSize(0) < m_list->viewport()->width() / 2, when);
    };
    check("empty");
    Click(m_tree, Find(m_tree, "Lumière/Rayon"));
    check("three rows");
    Click(m_tree, Find(m_tree, "Lumière"));
    check("empty again");
}

// Pixels of the branch area, at the centre of the column of `level`.
struct Branches {
    QImage image;
    int step;
    QColor line, text;
    int Count(QTreeWidget* tree, QTreeWidgetItem* item, int level, int fromY, int toY) const {
        const QRect row = tree->visualItemRect(item);
        const int x = level * step + step / 2;
        int n = 0;
        for (int y = row.top() + fromY; y <= row.top() + toY; ++y) n += image.pixel(x, y) == line.rgb();
        return n;
    }
};

void TestSpellDlg::treeDrawsLinesAndBoxes() {
    m_tree->collapseItem(Find(m_tree, "Brume"));
    Click(m_tree, Find(m_tree, "Lumière/Aurore"));
    const Branches b{m_tree->viewport()->grab().toImage(), m_tree->indentation(),
                     m_tree->palette().color(QPalette::Mid), m_tree->palette().color(QPalette::Text)};
    QTreeWidgetItem* brume = Find(m_tree, "Brume");
    const QRect brumeRow = m_tree->visualItemRect(brume);
    const int mid = brumeRow.height() / 2;
    // Brume is collapsed: a plus, whose centre and arms are in the text colour.
    const QPoint centre(b.step / 2, brumeRow.top() + mid);
    QCOMPARE(b.image.pixel(centre), b.text.rgb());
    QCOMPARE(b.image.pixel(centre + QPoint(0, 2)), b.text.rgb());
    // Lumière is open: a minus, nothing above or below its centre.
    const QRect lumiereRow = m_tree->visualItemRect(Find(m_tree, "Lumière"));
    QCOMPARE(b.image.pixel(b.step / 2, lumiereRow.top() + mid + 2), m_tree->palette().color(QPalette::Base).rgb());
    // Dôme, a root between two others: the root line runs through its whole row.
    QTreeWidgetItem* dome = Find(m_tree, "Dôme");
    QVERIFY(b.Count(m_tree, dome, 0, 0, brumeRow.height() - 1) >= brumeRow.height() / 2 - 1);
    // Aurore has a sibling below it, Rayon has none: the line stops at Rayon's middle.
    QVERIFY(b.Count(m_tree, Find(m_tree, "Lumière/Aurore"), 1, mid + 1, brumeRow.height() - 1) > 0);
    QVERIFY(b.Count(m_tree, Find(m_tree, "Lumière/Rayon"), 1, 0, mid - 1) > 0);
    QCOMPARE(b.Count(m_tree, Find(m_tree, "Lumière/Rayon"), 1, mid + 1, brumeRow.height() - 1), 0);
    // Below the last root no root line goes on.
    QCOMPARE(b.Count(m_tree, Find(m_tree, "Lumière/Aurore"), 0, 0, brumeRow.height() - 1), 0);
}

void TestSpellDlg::rowsDoNothing() {
    Click(m_tree, Find(m_tree, "Lumière/Rayon"));
    QTreeWidgetItem* row = m_list->topLevelItem(1);
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, m_list->visualItemRect(row).center());
    QCOMPARE(Rows(m_list), kRayonRows);
    QCOMPARE(m_tree->selectedItems().value(0), Find(m_tree, "Lumière/Rayon"));
    QVERIFY(m_dlg->isVisible());
}

void TestSpellDlg::closing_data() {
    QTest::addColumn<int>("key");  // 0: the close box
    QTest::addColumn<int>("result");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    QTest::newRow("close box") << 0 << int(QDialog::Rejected);
}

void TestSpellDlg::closing() {
    QFETCH(int, key);
    QFETCH(int, result);
    Click(m_tree, Find(m_tree, "Lumière/Rayon"));
    m_dlg->setResult(-1);
    if (key == 0) m_dlg->close();
    else QTest::keyClick(m_tree, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(m_dlg->result(), result);
}

void TestSpellDlg::reopeningStartsAfresh() {
    Click(m_tree, Find(m_tree, "Lumière/Rayon"));
    const QStringList before = Lines(m_tree);
    m_dlg->accept();
    delete m_dlg;
    m_dlg = new CSpellSearchDlg(m_store);
    m_dlg->show();
    QCOMPARE(Lines(m_dlg->Tree()), before);
    QVERIFY(m_dlg->Tree()->selectedItems().isEmpty());
    QCOMPARE(m_dlg->VendorList()->topLevelItemCount(), 0);
}

void TestSpellDlg::LinkToMap(std::function<std::optional<QRect>(int)> locate) {
    m_shown.clear();
    m_dlg->SetMapLinks(m_places, [this](int index) { m_shown << index; }, std::move(locate));
}

// The row's menu, from the right button over it or from the menu key on the
// list's current row.
QMenu* TestSpellDlg::OpenRowMenu(QTreeWidgetItem* row, bool byMouse) {
    QWidget* target = byMouse ? m_list->viewport() : static_cast<QWidget*>(m_list);
    const QPoint at = byMouse ? m_list->visualItemRect(row).center() : QPoint(4, 4);
    if (!byMouse) {
        m_list->setFocus();
        m_list->setCurrentItem(row);
    }
    QContextMenuEvent event(byMouse ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, at,
                            target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void TestSpellDlg::vendorOnTheMap_data() {
    QTest::addColumn<QString>("spell");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("how");  // "mouse", "menu key" or "shortcut"
    QTest::addColumn<int>("place");    // -1: the location names none
    QTest::newRow("a place named in another letter case") << "Brume/Nuée" << 0 << "mouse" << 1;
    QTest::newRow("the part before the comma names the place") << "Lumière/Aurore" << 0 << "menu key" << 2;
    QTest::newRow("the shortcut on the current row") << "Lumière/Rayon" << 1 << "shortcut" << 2;
    QTest::newRow("the row under the mouse, not the current one") << "Lumière/Rayon" << 2 << "mouse" << 1;
    QTest::newRow("two places share the whole name: no link") << "Brume/Brouillard" << 0 << "mouse" << -1;
    QTest::newRow("an unknown location names nothing") << "Dôme" << 0 << "menu key" << -1;
    QTest::newRow("no link: the shortcut does nothing") << "Dôme" << 0 << "shortcut" << -1;
}

void TestSpellDlg::vendorOnTheMap() {
    QFETCH(QString, spell);
    QFETCH(int, row);
    QFETCH(QString, how);
    QFETCH(int, place);
    LinkToMap();
    Click(m_tree, Find(m_tree, spell));
    const QStringList rows = Rows(m_list);
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    QVERIFY(item);
    if (how == "shortcut") {
        m_list->setFocus();
        m_list->setCurrentItem(item);
        QTest::keyClick(m_list, Qt::Key_M, Qt::ControlModifier);
    } else {
        m_list->setCurrentItem(m_list->topLevelItem(0));
        const QPointer<QMenu> menu = OpenRowMenu(item, how == "mouse");
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QAction* action = menu->actions().front();
        QCOMPARE(action->text(), QString("Montrer sur la carte"));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));  // shown beside it
        QCOMPARE(action->isEnabled(), place >= 0);
        if (how == "menu key") QTest::keyClick(menu, Qt::Key_Return);  // takes the item, if enabled
        else if (action->isEnabled()) action->trigger();
        if (menu) menu->close();
    }
    QCOMPARE(m_shown, place >= 0 ? QList<int>{place} : QList<int>{});
    // The finder stays open as it was.
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(Rows(m_list), rows);
    QCOMPARE(m_tree->selectedItems().value(0), Find(m_tree, spell));
}

// Selecting and double-clicking a row still show nothing, even where its
// location names a place.
void TestSpellDlg::rowsStillDoNothingWithMapLinks() {
    LinkToMap();
    Click(m_tree, Find(m_tree, "Lumière/Rayon"));
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QPoint centre = m_list->visualItemRect(m_list->topLevelItem(i)).center();
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, centre);
        QTest::keyClick(m_list, Qt::Key_Space);
    }
    QCOMPARE(m_shown, QList<int>{});
    QCOMPARE(Rows(m_list), kRayonRows);
    QVERIFY(m_dlg->isVisible());
}

// A place that shows under the finder makes it move aside, on its screen.
void TestSpellDlg::showOnMapMovesOffTheMarker() {
    QRect marker;
    LinkToMap([&](int) { return std::optional<QRect>(marker); });
    const QRect screen = m_dlg->screen()->availableGeometry();
    m_dlg->move(screen.topLeft() + QPoint(20, 20));
    const QRect before = m_dlg->frameGeometry();
    marker = QRect(before.center(), QSize(6, 6));
    Click(m_tree, Find(m_tree, "Brume/Nuée"));
    m_list->setFocus();
    m_list->setCurrentItem(m_list->topLevelItem(0));
    QTest::keyClick(m_list, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(m_shown, QList<int>{1});
    const QRect after = m_dlg->frameGeometry();
    QVERIFY(!after.intersects(marker));
    QVERIFY(screen.contains(after));
    QCOMPARE(after.size(), before.size());
}

QTEST_MAIN(TestSpellDlg)
#include "test_spelldlg.moc"
