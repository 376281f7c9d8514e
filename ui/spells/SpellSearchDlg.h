// The spell finder: every spell filed under its magic effect in a tree and,
// for the chosen spell, the vendors who sell it and where they stand. Built
// afresh at each opening; it keeps nothing between openings and changes
// nothing outside itself.
#pragma once
#include "spells/VendorListing.h"

#include <QDialog>

class IResourceStore;
class QTreeWidget;
class QTreeWidgetItem;
class EffectTree;

class CSpellSearchDlg : public QDialog {
    Q_OBJECT
public:
    // The four tables come from `store`, which outlives the dialog.
    explicit CSpellSearchDlg(const IResourceStore& store, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_tree; }
    QTreeWidget* VendorList() const { return m_list; }

protected:
    // Enter ends the dialog as Escape and the close box do: it has no buttons.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void SetUpListColumns();
    void BuildEffectTree(const IResourceStore& store);
    void AddTreeItems(const EffectTree& tree);
    void OnSelChangedEffectTree();
    void ListVendors(uint16_t spellId);
    void SizeListColumns();

    QTreeWidget* m_tree = nullptr;  // the effect tree
    QTreeWidget* m_list = nullptr;  // the vendor list, two columns
    CVendorListing m_listing;

public:
    // Selects the spell with this id in the tree, so that its vendors show;
    // nothing when no spell has it.
    void ShowSpell(uint16_t spellId);
};

// Opens the spell finder over `parent` and waits until the user closes it.
void RunSpellSearch(const IResourceStore& store, QWidget* parent);
