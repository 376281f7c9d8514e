// The notes panel's wiring: its controls refilter the list, its keys ask
// the window to fly to an item or delete the selected ones, its texts stay
// plain. The rules themselves are test_notesfilter's.
#include "mymap/NotesPanel.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QtTest>

namespace {

CNoteItem Item(CNoteItem::Kind kind, const char* id, const char* name, const char* note, int64_t updated) {
    CNoteItem item;
    item.kind = kind;
    item.id = id;
    item.name = name;
    item.note = note;
    item.updated = updated;
    return item;
}

CNoteItems Items() {
    CNoteItems items = {
        Item(CNoteItem::Kind::Place, "place:1", "Écluse", "", 300),
        Item(CNoteItem::Kind::Place, "place:2", "Bastion", "<b>gras</b> & <i>fin\nsuite", 100),
        Item(CNoteItem::Kind::Pin, "pin:a", "Camp", "", 200),
    };
    items[0].visited = true;
    items[1].favourite = true;
    return items;
}

using Ids = std::vector<std::string>;

void Press(QWidget* widget, Qt::Key key) { QTest::keyClick(widget, key); }

}  // namespace

class TestNotesPanel : public QObject {
    Q_OBJECT
private slots:
    void controlsRefilter();
    void enterAndDoubleClickFlyThere();
    void deleteAsksForTheSelectedIds();
    void newItemsKeepFiltersAndSelection();
    void noteShowsAsPlainText();
    void hiddenPanelListsWhenShown();
};

void TestNotesPanel::controlsRefilter() {
    CNotesPanel panel;
    panel.SetItems(Items(), 10);
    QCOMPARE(panel.ShownIds(), (Ids{"place:2", "pin:a", "place:1"}));
    QCOMPARE(panel.Progress()->text(), QString::fromUtf8("Lieux visités : 1 / 10 (10 %)"));

    panel.KindFilter(CNotesPanel::PinsBox)->setChecked(false);
    QCOMPARE(panel.ShownIds(), (Ids{"place:2", "place:1"}));
    panel.SortChoice()->setCurrentIndex(1);
    QCOMPARE(panel.ShownIds(), (Ids{"place:1", "place:2"}));
    QTest::keyClicks(panel.TextFilter(), QStringLiteral("ecl"));
    QCOMPARE(panel.ShownIds(), (Ids{"place:1"}));
    Press(panel.TextFilter(), Qt::Key_Escape);
    QCOMPARE(panel.TextFilter()->text(), QString());
    panel.KindFilter(CNotesPanel::PinsBox)->setChecked(true);
    QCOMPARE(panel.View()->model()->rowCount(), 3);
}

void TestNotesPanel::enterAndDoubleClickFlyThere() {
    CNotesPanel panel;
    panel.show();
    panel.SetItems(Items(), 10);
    QSignalSpy activated(&panel, &CNotesPanel::Activated);
    QAbstractItemView* view = panel.View();
    view->setCurrentIndex(view->model()->index(1, 0));
    Press(view, Qt::Key_Return);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).value<std::string>(), std::string("pin:a"));

    // Enter in the filter flies to the first row the text leaves.
    view->clearSelection();
    view->setCurrentIndex({});
    QTest::keyClicks(panel.TextFilter(), QStringLiteral("bas"));
    Press(panel.TextFilter(), Qt::Key_Enter);
    QCOMPARE(activated.count(), 2);
    QCOMPARE(activated.at(1).at(0).value<std::string>(), std::string("place:2"));

    const QRect row = view->visualRect(view->model()->index(0, 1));
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(activated.count(), 3);
    QCOMPARE(activated.at(2).at(0).value<std::string>(), std::string("place:2"));
}

void TestNotesPanel::deleteAsksForTheSelectedIds() {
    CNotesPanel panel;
    panel.show();
    panel.SetItems(Items(), 10);
    QSignalSpy deleting(&panel, &CNotesPanel::DeleteRequested);
    QAbstractItemView* view = panel.View();
    view->selectionModel()->select(view->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(view->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Press(view, Qt::Key_Delete);
    QCOMPARE(deleting.count(), 1);
    QCOMPARE(deleting.at(0).at(0).value<Ids>(), (Ids{"place:2", "place:1"}));

    // Once the window has deleted the current item, the row that took its
    // place is selected, so that Delete goes on down the list.
    view->selectionModel()->setCurrentIndex(view->model()->index(0, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CNoteItems rest = Items();
    rest.erase(rest.begin() + 1);
    panel.SetItems(rest, 10);
    QCOMPARE(panel.SelectedIds(), (Ids{"pin:a"}));
    Press(view, Qt::Key_Delete);
    QCOMPARE(deleting.at(1).at(0).value<Ids>(), (Ids{"pin:a"}));
}

void TestNotesPanel::newItemsKeepFiltersAndSelection() {
    CNotesPanel panel;
    panel.SetItems(Items(), 10);
    QAbstractItemView* view = panel.View();
    view->selectionModel()->setCurrentIndex(view->model()->index(2, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClicks(panel.TextFilter(), QStringLiteral("c"));
    QCOMPARE(panel.ShownIds(), (Ids{"pin:a", "place:1"}));
    QCOMPARE(panel.SelectedIds(), (Ids{"place:1"}));

    CNoteItems edited = Items();
    edited.insert(edited.begin(), Item(CNoteItem::Kind::Pin, "pin:b", "Cime", "", 400));
    edited.push_back(Item(CNoteItem::Kind::Place, "place:3", "Dune", "", 50));
    edited.back().visited = true;
    panel.SetItems(edited, 4);
    QCOMPARE(panel.ShownIds(), (Ids{"pin:a", "pin:b", "place:1"}));
    QCOMPARE(panel.SelectedIds(), (Ids{"place:1"}));
    QCOMPARE(view->currentIndex().row(), 2);
    QCOMPARE(panel.Progress()->text(), QString::fromUtf8("Lieux visités : 2 / 4 (50 %)"));
}

void TestNotesPanel::noteShowsAsPlainText() {
    CNotesPanel panel;
    panel.SetItems(Items(), 10);
    const QAbstractItemModel* model = panel.View()->model();
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Bastion"));
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Favori"));
    QCOMPARE(model->index(0, 2).data().toString(), QString::fromUtf8("<b>gras</b> & <i>fin…"));
    QVERIFY(!model->index(0, 2).data(Qt::ToolTipRole).isValid());
}

void TestNotesPanel::hiddenPanelListsWhenShown() {
    CNotesPanel panel;
    panel.SetItems(Items(), 10);
    // Read without asking the panel, which would make the list at once.
    const QAbstractItemModel* model = panel.findChild<QAbstractItemView*>()->model();
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(panel.Progress()->text(), QString::fromUtf8("Lieux visités : 1 / 10 (10 %)"));
    panel.show();
    QCOMPARE(model->rowCount(), 3);
    CNoteItems more = Items();
    more.push_back(Item(CNoteItem::Kind::Pin, "pin:b", "Abri", "", 1));
    panel.SetItems(more, 10);
    QCOMPARE(model->rowCount(), 4);
}

QTEST_MAIN(TestNotesPanel)
#include "test_notespanel.moc"
