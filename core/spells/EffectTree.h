// The spell finder's tree: magic effects at the root with their spells
// beneath, every level kept in alphabetical order (see SpellCollation.h).
// Texts stay in Windows-1252, as the tables store them.
#pragma once
#include "spells/SpellTables.h"

#include <cstdint>
#include <list>
#include <string>

// The data of an effect item; a spell item carries its spell id (0..65535).
constexpr int32_t kEffectItem = -1;

struct EffectNode {
    std::string text;
    int32_t data = kEffectItem;
    std::list<EffectNode> children;  // a list: items keep their address while others come and go
};

class EffectTree {
public:
    // Files every effect at the root, then every spell under the effect its
    // key names; a spell whose effect is unknown goes to the root. When two
    // effects share a key, the later one receives that key's spells. Every
    // level is sorted; equal names keep table order, effects before spells.
    void Build(const std::vector<EffectRecord>& effects, const std::vector<SpellRecord>& spells);

    // One pass over the root items present when it starts: an item without
    // children goes, an item with one child is replaced at the root by that
    // child, an item with two or more stays. Roots created by the pass are
    // not visited again. The roots stay sorted: a promoted spell comes after
    // the roots that remain with an equal name, and promoted spells of equal
    // names keep the order of the roots they left.
    void Flatten();

    const std::list<EffectNode>& Roots() const { return m_roots; }

private:
    std::list<EffectNode> m_roots;
};

// Puts siblings in alphabetical order; equal names keep their order. This
// is the order that inserting them one by one, each after every sibling not
// greater than it, would give, at the cost of one sort.
void SortSiblings(std::list<EffectNode>& siblings);

class IResourceStore;

// The tree as the finder shows it, from the effect and spell tables of
// `store`: built, then flattened. No effect table gives an empty tree, and
// then the spell table is not read.
EffectTree LoadEffectTree(const IResourceStore& store);
