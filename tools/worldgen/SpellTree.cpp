// The spell dialog's effect tree, for the generator's self-check: the core's
// own tree, built from the tables and flattened, with what the pass did
// counted from the roots as they stood when it began.
#include "GenCommon.h"
#include "Spells.h"

#include "data/Win1252.h"
#include "spells/EffectTree.h"

#include <algorithm>

namespace wg2 {
namespace {

// The generator writes UTF-8; the tables store Windows-1252.
std::string Stored(const std::string& utf8) {
    const auto stored = Utf8ToWin1252(utf8);
    if (!stored) Fail("spells: not Windows-1252 text: " + utf8);
    return *stored;
}

EffectTree BuildTree(const std::vector<TreeEffect>& effects, const std::vector<TreeSpell>& spells) {
    std::vector<EffectRecord> effectRecords;
    for (const auto& e : effects) effectRecords.push_back({Stored(e.name), uint16_t(e.key)});
    std::vector<SpellRecord> spellRecords;
    for (const auto& s : spells) spellRecords.push_back({Stored(s.name), uint16_t(s.effect), uint16_t(s.id)});
    EffectTree tree;
    tree.Build(effectRecords, spellRecords);
    return tree;
}

// What the flattening pass will do to each root: remove it (no child),
// replace it by its child (one), or keep it (two or more).
void CountPass(const EffectTree& tree, TreeOutcome& out) {
    for (const EffectNode& root : tree.Roots()) {
        const int n = int(root.children.size());
        if (n == 0) ++out.removed;
        else if (n == 1) ++out.replaced;
        else {
            ++out.kept;
            out.minKeptChildren = out.kept == 1 ? n : std::min(out.minKeptChildren, n);
            out.maxKeptChildren = std::max(out.maxKeptChildren, n);
        }
    }
}

}  // namespace

TreeOutcome BuildAndFlattenTree(const std::vector<TreeEffect>& effects, const std::vector<TreeSpell>& spells) {
    EffectTree tree = BuildTree(effects, spells);
    TreeOutcome out;
    CountPass(tree, out);
    tree.Flatten();
    for (const EffectNode& root : tree.Roots()) {
        ++out.rootItems;
        out.beneath += int(root.children.size());
    }
    return out;
}

}  // namespace wg2
