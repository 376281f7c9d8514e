// The spell finder over the data compiled into the program: the tree that
// users see, and a vendor listing for every spell in it.
#include "res/QtResourceStore.h"
#include "data/ResourceIds.h"
#include "spells/EffectTree.h"
#include "spells/SpellCollation.h"
#include "finders/SpellSearchDlg.h"
#include "spells/VendorListing.h"

#include <QTreeWidget>
#include <QtTest>

#include <set>

namespace {

bool SpellTablesEmbedded(const IResourceStore& store) {
    for (int id : {ResId::IDR_EFFECTS, ResId::IDR_SPELLS, ResId::IDR_VENDORS, ResId::IDR_VENDOR_LOCATIONS})
        if (!FindRcData(store, id)) return false;
    return true;
}

bool Sorted(const std::list<EffectNode>& siblings) {
    const EffectNode* previous = nullptr;
    for (const EffectNode& node : siblings) {
        if (previous && CompareSpellNames(previous->text, node.text) > 0) return false;
        previous = &node;
    }
    return true;
}

// Every spell of the tree, at the root or beneath an effect.
std::vector<uint16_t> SpellIds(const EffectTree& tree) {
    std::vector<uint16_t> ids;
    for (const EffectNode& root : tree.Roots()) {
        if (root.data != kEffectItem) ids.push_back(uint16_t(root.data));
        for (const EffectNode& child : root.children) ids.push_back(uint16_t(child.data));
    }
    return ids;
}

}  // namespace

class TestSpellData : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void treeShape();
    void dialogShowsTheTree();
    void everySpellHasVendors();

private:
    CQtResourceStore m_store;
};

void TestSpellData::initTestCase() {
    if (!SpellTablesEmbedded(m_store))
        QSKIP("the spell tables (RCDATA 138 to 141) are not embedded: res/ has no spell finder sources");
}

void TestSpellData::treeShape() {
    const EffectTree tree = LoadEffectTree(m_store);
    int effects = 0, spells = 0, beneath = 0;
    for (const EffectNode& root : tree.Roots()) {
        if (root.data == kEffectItem) {
            ++effects;
            QVERIFY2(root.children.size() >= 2, root.text.c_str());  // never an effect with one spell or none
            QVERIFY(Sorted(root.children));
        } else {
            ++spells;
            QVERIFY(root.children.empty());
        }
        beneath += int(root.children.size());
    }
    QCOMPARE(int(tree.Roots().size()), 116);
    QCOMPARE(effects, 62);
    QCOMPARE(spells, 54);
    QCOMPARE(beneath, 271);
    QVERIFY(Sorted(tree.Roots()));
}

void TestSpellData::dialogShowsTheTree() {
    CSpellSearchDlg dialog(m_store);
    QTreeWidget* tree = dialog.Tree();
    int effects = 0, beneath = 0;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = tree->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() == kEffectItem) ++effects;
        beneath += item->childCount();
    }
    QCOMPARE(tree->topLevelItemCount(), 116);
    QCOMPARE(effects, 62);
    QCOMPARE(beneath, 271);
}

void TestSpellData::everySpellHasVendors() {
    CVendorListing listing(m_store);
    int rows = 0;
    std::set<std::string> homeless;  // vendors shown without a location
    for (uint16_t id : SpellIds(LoadEffectTree(m_store))) {
        const std::vector<VendorRow> vendors = listing.ListVendors(id);
        QVERIFY2(vendors.size() >= 1 && vendors.size() <= 17, qPrintable(QString::number(id)));
        rows += int(vendors.size());
        for (const VendorRow& row : vendors)
            if (row.location == kUnknownLocation) homeless.insert(row.vendor);
    }
    QCOMPARE(rows, 1355);  // every id of every vendor's list, each shown once
    QCOMPARE(int(homeless.size()), 1);
}

QTEST_MAIN(TestSpellData)
#include "test_spelldata.moc"
