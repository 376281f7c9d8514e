#include "notes/MyMap.h"

#include <utility>

namespace {

// Keeps the history from growing without end over a long session.
constexpr size_t kHistoryKept = 1000;

}  // namespace

CMyMap::CMyMap(std::unique_ptr<CNoteStore> store, std::string whyNoStore)
    : m_store(std::move(store)), m_whyNoStore(std::move(whyNoStore)) {
    ReadItems();
}

const CNoteItem* CMyMap::Find(const std::string& id) const {
    const auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : &m_items[it->second];
}

std::string CMyMap::WhyReadOnly() const {
    if (!m_store) return m_whyNoStore;
    return m_store->Writable() ? std::string() : m_store->WhyReadOnly();
}

bool CMyMap::Edit(const std::string& id, std::optional<CNoteItem> after, std::string& error) {
    if (after) after->updated = NowMs();
    return EditAll({CNoteChange{id, std::nullopt, std::move(after)}}, error);
}

bool CMyMap::EditAll(std::vector<CNoteChange> changes, std::string& error) {
    const int64_t now = NowMs();
    for (CNoteChange& change : changes) {
        if (const CNoteItem* current = Find(change.id)) change.before = *current;
        if (change.after) {
            change.after->id = change.id;
            if (change.after->updated == 0) change.after->updated = now;
            if (change.after->IsEmptyMark()) change.after.reset();
        }
    }
    if (!Write(changes, true, error)) return false;
    m_history.resize(m_done);  // a new edit drops what was undone
    m_history.push_back(std::move(changes));
    if (m_history.size() > kHistoryKept) m_history.erase(m_history.begin());
    m_done = m_history.size();
    return true;
}

bool CMyMap::Undo(std::string& error) {
    if (!CanUndo() || !Write(m_history[m_done - 1], false, error)) return false;
    --m_done;
    return true;
}

bool CMyMap::Redo(std::string& error) {
    if (!CanRedo() || !Write(m_history[m_done], true, error)) return false;
    ++m_done;
    return true;
}

// The store itself refuses what it cannot write: a store read-only for a
// passing cause (a full disk) tries again at each edit.
bool CMyMap::Write(const std::vector<CNoteChange>& changes, bool forward, std::string& error) {
    if (!m_store) {
        error = m_whyNoStore;
        return false;
    }
    CNoteItems puts;
    std::vector<std::string> removals;
    for (const CNoteChange& change : changes) {
        const std::optional<CNoteItem>& state = forward ? change.after : change.before;
        if (state) puts.push_back(*state);
        else removals.push_back(change.id);
    }
    // The first edit of each day keeps a copy of the layer as it was.
    m_backupProblem.clear();
    if (!m_store->BackupIfDue(NowMs(), m_backupProblem) && m_backupProblem.empty())
        m_backupProblem = "sauvegarde impossible";
    if (!m_store->Apply(puts, removals, false, error)) return false;
    for (CNoteItem& item : puts) Keep(std::move(item));
    for (const std::string& id : removals) Drop(id);
    ++m_revision;
    return true;
}

// The items kept in step with what was written, rather than read again
// whole after every edit of a large layer.
void CMyMap::Keep(CNoteItem item) {
    const auto it = m_byId.find(item.id);
    if (it != m_byId.end()) return void(m_items[it->second] = std::move(item));
    m_byId.emplace(item.id, m_items.size());
    m_items.push_back(std::move(item));
}

void CMyMap::Drop(const std::string& id) {
    const auto it = m_byId.find(id);
    if (it == m_byId.end()) return;
    const size_t index = it->second;
    m_byId.erase(it);
    if (index + 1 != m_items.size()) {
        m_items[index] = std::move(m_items.back());
        m_byId[m_items[index].id] = index;
    }
    m_items.pop_back();
}

bool CMyMap::Reload() {
    if (!m_store || !m_store->Changed()) return false;
    ReadItems();
    return true;
}

void CMyMap::ReloadAll() {
    ReadItems();
    m_history.clear();
    m_done = 0;
}

void CMyMap::ReadItems() {
    m_items = m_store ? m_store->Items() : CNoteItems();
    m_byId.clear();
    for (size_t i = 0; i < m_items.size(); ++i) m_byId.emplace(m_items[i].id, i);
    ++m_revision;
}
