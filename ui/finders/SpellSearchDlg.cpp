#include "finders/SpellSearchDlg.h"

#include "data/CharacterText.h"
#include "npc/LinkTargets.h"
#include "npc/LocationLink.h"
#include "spells/EffectTree.h"
#include "finders/SpellTreeWidget.h"
#include "widgets/DialogUnits.h"
#include "widgets/DialogHelpers.h"
#include "text/Text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTreeWidget>

namespace {

constexpr int kDataRole = Qt::UserRole;  // kEffectItem or the spell id
constexpr int kLocationRole = Qt::UserRole + 1;  // a vendor row's location, as the table has it

QTreeWidgetItem* NewItem(const EffectNode& node) {
    auto* item = new QTreeWidgetItem(QStringList{ShownName(node.text)});
    item->setData(0, kDataRole, node.data);
    return item;
}

}  // namespace

CSpellSearchDlg::CSpellSearchDlg(const IResourceStore& store, QWidget* parent)
    : QDialog(parent, kDialogFlags),
      m_listing(store) {
    setWindowTitle(QStringLiteral("Recherche de sorts"));
    CreateControls();
    CreateShowOnMap();
    SetUpListColumns();
    BuildEffectTree(store);
    // The tree comes first in the tab order and takes the focus; nothing is
    // selected until the user chooses, so the list starts empty.
    m_tree->setFocus();
}

CSpellSearchDlg::~CSpellSearchDlg() = default;

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
    UpdateShowOnMap();
}

void CSpellSearchDlg::ListVendors(uint16_t spellId) {
    QList<QTreeWidgetItem*> rows;
    for (const VendorRow& row : m_listing.ListVendors(spellId)) {
        auto* item = new QTreeWidgetItem(QStringList{ShownName(row.vendor), ShownName(row.location)});
        item->setData(0, kLocationRole, QByteArray::fromStdString(row.location));
        rows.append(item);
    }
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

// The action lives on the list, so that its key works where the rows are;
// it acts on the current row, which the row menu makes the row clicked.
void CSpellSearchDlg::CreateShowOnMap() {
    m_showOnMap = new QAction(QStringLiteral("Montrer sur la carte"), this);
    m_showOnMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_showOnMap->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_list->addAction(m_showOnMap);
    connect(m_showOnMap, &QAction::triggered, this, &CSpellSearchDlg::ShowOnMap);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CSpellSearchDlg::UpdateShowOnMap);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    UpdateShowOnMap();
}

void CSpellSearchDlg::SetMapLinks(const CPlaceArray& places, std::function<void(int)> showPlace,
                                  MarkerLocator locate) {
    // Only places are looked up: the character names are not read.
    m_targets = std::make_unique<CLinkTargets>(places, CCharacterText(ByteBlock{}));
    m_showPlace = std::move(showPlace);
    m_locateMarker = std::move(locate);
    UpdateShowOnMap();
}

std::optional<int> CSpellSearchDlg::RowPlace(const QTreeWidgetItem* row) const {
    if (!row || !m_targets) return std::nullopt;
    return LocationPlace(row->data(0, kLocationRole).toByteArray().toStdString(), *m_targets);
}

void CSpellSearchDlg::UpdateShowOnMap() {
    m_showOnMap->setEnabled(m_showPlace && RowPlace(m_list->currentItem()).has_value());
}

bool CSpellSearchDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu && (watched == m_list || watched == m_list->viewport())) {
        ShowRowMenu(*static_cast<QContextMenuEvent*>(event), watched == m_list->viewport());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The mouse's menu is for the row under it; the menu key's for the current row.
void CSpellSearchDlg::ShowRowMenu(const QContextMenuEvent& event, bool onRows) {
    const bool byMouse = event.reason() == QContextMenuEvent::Mouse;
    QTreeWidgetItem* row = byMouse ? (onRows ? m_list->itemAt(event.pos()) : nullptr) : m_list->currentItem();
    if (!row) return;
    m_list->setCurrentItem(row);
    UpdateShowOnMap();
    const QPoint at = byMouse ? event.globalPos()
                              : m_list->viewport()->mapToGlobal(m_list->visualItemRect(row).center());
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("vendorRowMenu"));
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);  // however it closes
    menu->addAction(m_showOnMap);
    menu->popup(at);
    // From the keyboard, Enter takes the item at once, as menus opened so do.
    if (!byMouse && m_showOnMap->isEnabled()) menu->setActiveAction(m_showOnMap);
}

// The map lights the place behind the dialog, which stays open and in front,
// moved aside if it hid the place.
void CSpellSearchDlg::ShowOnMap() {
    const std::optional<int> place = RowPlace(m_list->currentItem());
    if (!place || !m_showPlace) return;
    m_showPlace(*place);
    KeepPlaceInSight(this, m_locateMarker, *place);
    activateWindow();
}

void CSpellSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (IsPlainEnter(event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
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

std::optional<uint16_t> CSpellSearchDlg::SelectedSpell() const {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty()) return std::nullopt;
    const int data = selected.front()->data(0, kDataRole).toInt();
    if (data == kEffectItem) return std::nullopt;
    return uint16_t(data);
}

void CSpellSearchDlg::AddTreeCommand(QAction* action) {
    addAction(action);
    m_tree->addAction(action);
    m_tree->setContextMenuPolicy(Qt::ActionsContextMenu);
}
