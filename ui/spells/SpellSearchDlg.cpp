#include "spells/SpellSearchDlg.h"

#include "spells/EffectTree.h"
#include "spells/SpellTreeWidget.h"
#include "widgets/DialogUnits.h"
#include "widgets/DialogHelpers.h"
#include "widgets/Text.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

constexpr int kDataRole = Qt::UserRole;  // kEffectItem or the spell id

// The tables store Windows-1252; the screen wants Unicode.

QTreeWidgetItem* NewItem(const EffectNode& node) {
    auto* item = new QTreeWidgetItem(QStringList{FromWin1252(node.text)});
    item->setData(0, kDataRole, node.data);
    return item;
}

}  // namespace

CSpellSearchDlg::CSpellSearchDlg(const IResourceStore& store, QWidget* parent)
    : QDialog(parent, kDialogFlags),
      m_listing(store) {
    setWindowTitle(QStringLiteral("Recherche de sorts"));
    CreateControls();
    SetUpListColumns();
    BuildEffectTree(store);
    // The tree comes first in the tab order and takes the focus; nothing is
    // selected until the user chooses, so the list starts empty.
    m_tree->setFocus();
}

void CSpellSearchDlg::CreateControls() {
    const DialogUnits du(font());
    setFixedSize(du.Size(422, 215));

    auto* label = new QLabel(QStringLiteral("Sort:"), this);
    label->setGeometry(du.Rect(5, 1, 59, 8));

    m_tree = new CSpellTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("spellTree"));
    m_tree->setGeometry(du.Rect(5, 11, 140, 199));
    m_tree->setHeaderHidden(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    label->setBuddy(m_tree);
    m_tree->setAccessibleName(QStringLiteral("Sorts"));
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this,
            &CSpellSearchDlg::OnSelChangedEffectTree);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("vendorList"));
    m_list->setGeometry(du.Rect(150, 11, 265, 199));
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAccessibleName(QString::fromUtf8("Vendeurs du sort choisi"));
    setTabOrder(m_tree, m_list);
}

void CSpellSearchDlg::SetUpListColumns() {
    m_list->setHeaderLabels({QStringLiteral("Vendeur"), QStringLiteral("Localisation")});
    QHeaderView* header = m_list->header();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(false);  // SizeListColumns fills the width itself
    header->setSectionsMovable(false);
    header->setSectionsClickable(false);  // the list has no sorting
    SizeListColumns();
}

void CSpellSearchDlg::BuildEffectTree(const IResourceStore& store) {
    AddTreeItems(LoadEffectTree(store));
}

void CSpellSearchDlg::AddTreeItems(const EffectTree& tree) {
    QList<QTreeWidgetItem*> roots;
    for (const EffectNode& node : tree.Roots()) {
        QTreeWidgetItem* item = NewItem(node);
        for (const EffectNode& child : node.children) item->addChild(NewItem(child));
        roots.append(item);
    }
    m_tree->addTopLevelItems(roots);
}

void CSpellSearchDlg::OnSelChangedEffectTree() {
    // The list is emptied and refilled in one go, without flicker.
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (!selected.isEmpty()) {
        const int data = selected.front()->data(0, kDataRole).toInt();
        if (data != kEffectItem) ListVendors(uint16_t(data));  // an effect leaves the list empty
    }
    SizeListColumns();
    m_list->setUpdatesEnabled(true);
    m_list->repaint();
}

void CSpellSearchDlg::ListVendors(uint16_t spellId) {
    QList<QTreeWidgetItem*> rows;
    for (const VendorRow& row : m_listing.ListVendors(spellId))
        rows.append(new QTreeWidgetItem(QStringList{FromWin1252(row.vendor), FromWin1252(row.location)}));
    m_list->addTopLevelItems(rows);
}

void CSpellSearchDlg::SizeListColumns() {
    // Each column as wide as the wider of its heading and its entries; the
    // last one also fills what is left of the list's width.
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(1);
    QHeaderView* header = m_list->header();
    int room = m_list->maximumViewportSize().width();
    if (m_list->verticalScrollBar()->isVisible()) room -= m_list->verticalScrollBar()->width();
    const int spare = room - header->sectionSize(0) - header->sectionSize(1);
    if (spare > 0) header->resizeSection(1, header->sectionSize(1) + spare);
}

void CSpellSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (IsPlainEnter(event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RunSpellSearch(const IResourceStore& store, QWidget* parent) {
    CSpellSearchDlg dialog(store, parent);
    dialog.exec();  // the result tells nothing: the finder only shows
}

void CSpellSearchDlg::ShowSpell(uint16_t spellId) {
    // The tree has two levels: effects, and the spells filed under them.
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* effect = m_tree->topLevelItem(i);
        items << effect;
        for (int j = 0; j < effect->childCount(); ++j) items << effect->child(j);
    }
    for (QTreeWidgetItem* item : items) {
        if (item->data(0, kDataRole).toInt() != spellId) continue;
        m_tree->setCurrentItem(item);
        m_tree->scrollToItem(item);
        return;
    }
}
