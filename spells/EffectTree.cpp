#include "EffectTree.h"

#include "SpellCollation.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <unordered_map>
#include <vector>

EffectNode& InsertSorted(std::list<EffectNode>& siblings, std::string text, int32_t data) {
    auto pos = siblings.end();
    // Search from the end: names arrive mostly unsorted, and stopping at the
    // last item that is not greater keeps equal names in arrival order.
    while (pos != siblings.begin() && CompareSpellNames(std::prev(pos)->text, text) > 0) --pos;
    return *siblings.insert(pos, EffectNode{std::move(text), data, {}});
}

void EffectTree::Build(const std::vector<EffectRecord>& effects,
                       const std::vector<SpellRecord>& spells) {
    m_roots.clear();
    std::unordered_map<uint16_t, EffectNode*> byKey;  // needed only while building
    for (const EffectRecord& effect : effects)
        byKey[effect.key] = &InsertSorted(m_roots, effect.name, kEffectItem);
    for (const SpellRecord& spell : spells) {
        const auto found = byKey.find(spell.effect);
        std::list<EffectNode>& parent = found == byKey.end() ? m_roots : found->second->children;
        InsertSorted(parent, spell.name, int32_t(spell.id));
    }
}

void EffectTree::Flatten() {
    std::vector<std::list<EffectNode>::iterator> visit;
    for (auto it = m_roots.begin(); it != m_roots.end(); ++it) visit.push_back(it);
    for (auto item : visit) {
        if (item->children.size() == 1) {
            const EffectNode& only = item->children.front();
            InsertSorted(m_roots, only.text, only.data);
        }
        if (item->children.size() < 2) m_roots.erase(item);
    }
}

EffectTree LoadEffectTree() {
    EffectTree tree;
    const auto effects = FindRcData(ResId::IDR_EFFECTS);
    if (!effects) return tree;
    const auto spells = FindRcData(ResId::IDR_SPELLS);
    tree.Build(ReadEffects(*effects), spells ? ReadSpells(*spells) : std::vector<SpellRecord>{});
    tree.Flatten();
    return tree;
}
