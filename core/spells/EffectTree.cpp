#include "spells/EffectTree.h"

#include "spells/SpellCollation.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <vector>

void SortSiblings(std::list<EffectNode>& siblings) {
    if (siblings.size() < 2) return;
    struct Entry {
        SpellSortKey key;
        std::list<EffectNode>::iterator node;
    };
    std::vector<Entry> entries;
    entries.reserve(siblings.size());
    for (auto it = siblings.begin(); it != siblings.end(); ++it)
        entries.push_back({MakeSpellSortKey(it->text), it});
    // Stable, so that equal names keep the order in which they arrived,
    // as sorted insertion one by one (after every item not greater) would.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    // Moving each node to the back in sorted order leaves the list sorted.
    for (const Entry& e : entries) siblings.splice(siblings.end(), siblings, e.node);
}

void EffectTree::Build(const std::vector<EffectRecord>& effects,
                       const std::vector<SpellRecord>& spells) {
    m_roots.clear();
    std::unordered_map<uint16_t, EffectNode*> byKey;  // needed only while building
    // Items are appended in table order, effects first, then each level is
    // sorted once: inserting each in place would cost a walk per item.
    for (const EffectRecord& effect : effects) {
        m_roots.push_back(EffectNode{effect.name, kEffectItem, {}});
        byKey[effect.key] = &m_roots.back();
    }
    for (const SpellRecord& spell : spells) {
        const auto found = byKey.find(spell.effect);
        std::list<EffectNode>& parent = found == byKey.end() ? m_roots : found->second->children;
        parent.push_back(EffectNode{spell.name, int32_t(spell.id), {}});
    }
    SortSiblings(m_roots);
    for (EffectNode& root : m_roots) SortSiblings(root.children);
}

void EffectTree::Flatten() {
    // Roots that stay keep their order; promoted spells are appended in the
    // order of the roots they leave, then one stable sort puts them in place,
    // after the remaining roots of an equal name, as inserting each would.
    std::list<EffectNode> promoted;
    for (auto item = m_roots.begin(); item != m_roots.end();) {
        const size_t children = item->children.size();
        if (children == 1) promoted.splice(promoted.end(), item->children);
        item = children < 2 ? m_roots.erase(item) : std::next(item);
    }
    m_roots.splice(m_roots.end(), promoted);
    SortSiblings(m_roots);
}

EffectTree LoadEffectTree(const IResourceStore& store) {
    EffectTree tree;
    const auto effects = FindRcData(store, ResId::IDR_EFFECTS);
    if (!effects) return tree;
    const auto spells = FindRcData(store, ResId::IDR_SPELLS);
    tree.Build(ReadEffects(*effects), spells ? ReadSpells(*spells) : std::vector<SpellRecord>{});
    tree.Flatten();
    return tree;
}
