// The effect tree made the plain way, one sorted insertion per item, as a
// reference for the tree the finder builds with sorts: the two must agree
// item for item, equal names included. Quadratic: keep its inputs small.
#pragma once
#include "spells/EffectTree.h"
#include "spells/SpellCollation.h"

#include <iterator>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

namespace SequentialTree {

// Inserts after every sibling that sorts before or equal to `text`.
inline EffectNode& InsertSorted(std::list<EffectNode>& siblings, std::string text, int32_t data) {
    auto pos = siblings.end();
    while (pos != siblings.begin() && CompareSpellNames(std::prev(pos)->text, text) > 0) --pos;
    return *siblings.insert(pos, EffectNode{std::move(text), data, {}});
}

inline std::list<EffectNode> Build(const std::vector<EffectRecord>& effects,
                                   const std::vector<SpellRecord>& spells) {
    std::list<EffectNode> roots;
    std::unordered_map<uint16_t, EffectNode*> byKey;
    for (const EffectRecord& effect : effects)
        byKey[effect.key] = &InsertSorted(roots, effect.name, kEffectItem);
    for (const SpellRecord& spell : spells) {
        const auto found = byKey.find(spell.effect);
        InsertSorted(found == byKey.end() ? roots : found->second->children, spell.name,
                     int32_t(spell.id));
    }
    return roots;
}

inline void Flatten(std::list<EffectNode>& roots) {
    std::vector<std::list<EffectNode>::iterator> visit;
    for (auto it = roots.begin(); it != roots.end(); ++it) visit.push_back(it);
    for (auto item : visit) {
        if (item->children.size() == 1)
            InsertSorted(roots, item->children.front().text, item->children.front().data);
        if (item->children.size() < 2) roots.erase(item);
    }
}

inline bool SameNodes(const std::list<EffectNode>& a, const std::list<EffectNode>& b) {
    if (a.size() != b.size()) return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
        if (i->text != j->text || i->data != j->data || !SameNodes(i->children, j->children))
            return false;
    return true;
}

}  // namespace SequentialTree
