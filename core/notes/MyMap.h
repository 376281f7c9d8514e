// The player's layer as the window edits it: the store, the items as last
// read, and the undo history. Every edit, undo and redo is written at once
// (one transaction); what the store refuses changes nothing here either.
#pragma once
#include "notes/NoteItem.h"
#include "notes/NoteStore.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// One item before and after an edit; an absent side means no item.
struct CNoteChange {
    std::string id;
    std::optional<CNoteItem> before, after;
};

class CMyMap {
public:
    // A null store (none could be opened at all) refuses every edit.
    explicit CMyMap(std::unique_ptr<CNoteStore> store, std::string whyNoStore = {});

    const CNoteItems& Items() const { return m_items; }
    const CNoteItem* Find(const std::string& id) const;
    // Bumped by every change of the items, for those who draw them.
    uint64_t Revision() const { return m_revision; }
    CNoteStore* Store() { return m_store.get(); }

    bool Writable() const { return m_store && m_store->Writable(); }
    // Why edits are refused, in French (empty when they are not).
    std::string WhyReadOnly() const;

    // The item with this id becomes `after` (none: it goes), as one step
    // of the history, edited now.
    bool Edit(const std::string& id, std::optional<CNoteItem> after, std::string& error);
    // Several changes as one step (an import): written in one transaction;
    // an item keeps its time of edit (an imported one), or gets now.
    bool EditAll(std::vector<CNoteChange> changes, std::string& error);

    // Why the day's backup, taken before the last edit, could not be made
    // (French); empty when it was, or was not due. The edit is kept anyway.
    const std::string& BackupProblem() const { return m_backupProblem; }

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_history.size(); }
    bool Undo(std::string& error);
    bool Redo(std::string& error);

    // Reads the items again when another program wrote to the store since
    // the last read; true when they changed. The history is kept: an undo
    // writes back what this window changed.
    bool Reload();
    // Reads every item again after the store was changed under the history
    // (a backup restored): the history goes, it no longer describes the layer.
    void ReloadAll();

private:
    bool Write(const std::vector<CNoteChange>& changes, bool forward, std::string& error);
    void ReadItems();
    void Keep(CNoteItem item);
    void Drop(const std::string& id);

    std::unique_ptr<CNoteStore> m_store;
    std::string m_whyNoStore;
    std::string m_backupProblem;
    CNoteItems m_items;
    std::unordered_map<std::string, size_t> m_byId;
    uint64_t m_revision = 0;
    std::vector<std::vector<CNoteChange>> m_history;
    size_t m_done = 0;  // steps of m_history in effect
};
