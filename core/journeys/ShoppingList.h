// The player's shopping list: the spells they want, in the order they chose
// them, each once. It is kept between runs as a line of numbers, which the
// list reads back trusting nothing: a number that is not a spell of the
// world, or comes twice, is dropped.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CShoppingList {
public:
    // False when the spell is listed already (the list is unchanged).
    bool Add(uint16_t spell);
    // Nothing for a row outside the list.
    void RemoveAt(size_t row);
    void Clear() { m_spells.clear(); }
    const std::vector<uint16_t>& Spells() const { return m_spells; }
    bool Empty() const { return m_spells.empty(); }

    // "26,31,40": the ids in the list's order.
    std::string Text() const;
    // The list from Text()'s line; `known` says which ids are the world's.
    // At most kMaxSpells are kept, as a hand-edited file may hold any line.
    static CShoppingList FromText(const std::string& text, const std::function<bool(uint16_t)>& known);
    static constexpr size_t kMaxSpells = 1000;

private:
    std::vector<uint16_t> m_spells;
};
