// The spell finder: every spell filed under its magic effect in a tree and,
// for the chosen spell, the vendors who sell it and where they stand. Built
// afresh at each opening; it keeps nothing between openings and changes
// nothing outside itself but the map, when a vendor row's menu asks to show
// where the vendor stands.
#pragma once
#include "spells/VendorListing.h"
#include "widgets/KeepInSight.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class CLinkTargets;
class CPlaceArray;
class IResourceStore;
class QAction;
class QContextMenuEvent;
class QTreeWidget;
class QTreeWidgetItem;
class EffectTree;

class CSpellSearchDlg : public QDialog {
    Q_OBJECT
public:
    // The four tables come from `store`, which outlives the dialog.
    explicit CSpellSearchDlg(const IResourceStore& store, QWidget* parent = nullptr);
    ~CSpellSearchDlg() override;

    QTreeWidget* Tree() const { return m_tree; }
    QTreeWidget* VendorList() const { return m_list; }

    // Lets vendor rows lead to the map: a row whose location names a place
    // of `places` (as a character page's place phrase would) gets "Montrer
    // sur la carte", which calls `showPlace` with the place's index and then
    // moves the dialog off the place's marker (`locate`). The places are
    // borrowed and outlive the dialog.
    void SetMapLinks(const CPlaceArray& places, std::function<void(int)> showPlace, MarkerLocator locate);
    QAction* ShowOnMapAction() const { return m_showOnMap; }
    // The place the row's location names, if any.
    std::optional<int> RowPlace(const QTreeWidgetItem* row) const;
    // Selects the spell with this id in the tree, so that its vendors show;
    // nothing when no spell has it.
    void ShowSpell(uint16_t spellId);
    // The id of the spell selected in the tree, if a spell is.
    std::optional<uint16_t> SelectedSpell() const;
    // A command of the window (its shortcut holds in the dialog), also in
    // the tree's menu.
    void AddTreeCommand(QAction* action);

protected:
    // Enter ends the dialog as Escape and the close box do: it has no buttons.
    void keyPressEvent(QKeyEvent* event) override;
    // The vendor rows' menu, from the mouse or the menu key.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void SetUpListColumns();
    void BuildEffectTree(const IResourceStore& store);
    void AddTreeItems(const EffectTree& tree);
    void OnSelChangedEffectTree();
    void ListVendors(uint16_t spellId);
    void SizeListColumns();
    void CreateShowOnMap();
    void UpdateShowOnMap();
    void ShowRowMenu(const QContextMenuEvent& event, bool onRows);
    void ShowOnMap();

    QTreeWidget* m_tree = nullptr;  // the effect tree
    QTreeWidget* m_list = nullptr;  // the vendor list, two columns
    CVendorListing m_listing;
    std::unique_ptr<CLinkTargets> m_targets;  // null until SetMapLinks
    std::function<void(int)> m_showPlace;
    MarkerLocator m_locateMarker;
    QAction* m_showOnMap = nullptr;
};

