// Stage 3 (spell finder tables), the parts its files share: the French
// vocabulary (SpellData.cpp) and the counts of the spell dialog's effect tree
// (SpellTree.cpp, over the core's tree) that the stage checks its tables
// with (Spells.cpp).
#pragma once
#include <string>
#include <vector>

namespace wg2 {

enum class SpellSchool { Protect, Damage, Heal, Buff, Control, Curse, Sight, Craft, Move, Summon, Nature };

// A noun that heads a spell name; gender 'm', 'f', or plural 'M', 'F'.
struct SpellHead {
    const char* word;
    char gender;
};

struct EffectDef {
    const char* name;                       // shown as a tree item, at most 35 characters
    SpellSchool school;
    int weight;                             // how many spells the effect tends to have
    std::vector<const char*> complements;   // "de givre": "Bouclier de givre"
    std::vector<SpellHead> heads = {};      // when given, these head nouns instead of the school's
};

struct SpellAdjective {
    const char* m;
    const char* f;
    const char* mp;
    const char* fp;
};

struct VendorWords {
    std::vector<const char*> maleNames, femaleNames;
    std::vector<const char*> maleTitles, femaleTitles;
    std::vector<const char*> maleEpithets, femaleEpithets;
    std::vector<const char*> positions;     // "près du puits"
};

const std::vector<SpellHead>& SpellHeads(SpellSchool school);
const std::vector<EffectDef>& EffectDefs();
const std::vector<SpellAdjective>& SpellAdjectives();
const VendorWords& VendorVocabulary();

// The dialog's tree, as the core builds it: the effects, then the spells
// under their effect (or at the root when the key is unknown), then one
// flattening pass over the root items. Counts what the pass did and what
// remains.
struct TreeOutcome {
    int removed = 0;       // root items without children, deleted
    int replaced = 0;      // root items with one child, replaced by it
    int kept = 0;          // root items with two or more children
    int rootItems = 0;     // root items after the pass
    int beneath = 0;       // items under the root items after the pass
    int minKeptChildren = 0, maxKeptChildren = 0;
};
struct TreeEffect {
    std::string name;
    int key;
};
struct TreeSpell {
    std::string name;
    int effect;
    int id;
};
TreeOutcome BuildAndFlattenTree(const std::vector<TreeEffect>& effects, const std::vector<TreeSpell>& spells);

}  // namespace wg2
