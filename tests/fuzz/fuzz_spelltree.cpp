// The spell finder's tree built from random effect and spell tables. The
// input's first two bytes (little-endian, modulo what follows) say where the
// effect table ends and the spell table begins. Checked: every level sorted,
// every spell placed once (under an effect when its key is known, at the
// root otherwise), and after flattening no effect with fewer than two spells
// and every spell of a known effect still there; small tables are also
// compared item for item with one-by-one sorted insertion.
#include "SequentialEffectTree.h"
#include "spells/EffectTree.h"
#include "spells/SpellCollation.h"
#include "spells/SpellTables.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>
#include <vector>

namespace {

// Above this many records the quadratic reference would slow the fuzzer down.
constexpr size_t kReferenceLimit = 40;

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckSorted(const std::list<EffectNode>& siblings) {
    const EffectNode* previous = nullptr;
    for (const EffectNode& node : siblings) {
        if (previous) Check(CompareSpellNames(previous->text, node.text) <= 0);
        previous = &node;
    }
}

// Ids of the spell items, sorted; checks the shape on the way: effects only
// at the root, spells without children.
std::vector<int32_t> SpellIdsOf(const EffectTree& tree) {
    std::vector<int32_t> ids;
    CheckSorted(tree.Roots());
    for (const EffectNode& root : tree.Roots()) {
        if (root.data != kEffectItem) ids.push_back(root.data);
        Check(root.data == kEffectItem || root.children.empty());
        CheckSorted(root.children);
        for (const EffectNode& child : root.children) {
            Check(child.data != kEffectItem && child.children.empty());
            ids.push_back(child.data);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<int32_t> IdsOf(const std::vector<SpellRecord>& spells,
                           const std::unordered_set<uint16_t>& onlyKeys, bool knownOnly) {
    std::vector<int32_t> ids;
    for (const SpellRecord& s : spells)
        if (!knownOnly || onlyKeys.count(s.effect)) ids.push_back(s.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

void CheckFlattened(const EffectTree& tree) {
    for (const EffectNode& root : tree.Roots())
        Check(root.data == kEffectItem ? root.children.size() >= 2 : root.children.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t rest = size - 2;
    const size_t split = (size_t(data[0]) | size_t(data[1]) << 8) % (rest + 1);
    const auto effects = ReadEffects(ByteBlock(data + 2, split));
    const auto spells = ReadSpells(ByteBlock(data + 2 + split, rest - split));
    std::unordered_set<uint16_t> keys;
    for (const EffectRecord& e : effects) keys.insert(e.key);

    EffectTree tree;
    tree.Build(effects, spells);
    Check(SpellIdsOf(tree) == IdsOf(spells, keys, false));
    size_t effectItems = 0;
    for (const EffectNode& root : tree.Roots()) effectItems += root.data == kEffectItem;
    Check(effectItems == effects.size());

    const bool small = effects.size() + spells.size() <= kReferenceLimit;
    std::list<EffectNode> reference;
    if (small) {
        reference = SequentialTree::Build(effects, spells);
        Check(SequentialTree::SameNodes(tree.Roots(), reference));
    }

    tree.Flatten();
    CheckFlattened(tree);
    Check(SpellIdsOf(tree) == IdsOf(spells, keys, true));
    if (small) {
        SequentialTree::Flatten(reference);
        Check(SequentialTree::SameNodes(tree.Roots(), reference));
    }
    return 0;
}
