// The fewest candidates that together cover a set of wanted items (the
// vendors that together sell every spell on a shopping list). Items are bits
// of a 64-bit mask, candidates the masks of the items they cover. The exact
// search is a branch and bound; it lists every cover of the least size (up
// to a cap) so that a caller can choose among them, by the shortest tour.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

using CItemMask = uint64_t;

struct CCoverLimits {
    size_t maxCovers = 64;       // how many least covers to list at most
    size_t nodeBudget = 50000;   // search steps (some 30 ms) before giving the greedy cover
};

struct CCoverResult {
    // Covers of the least size found, each its candidates' indexes in
    // ascending order; the first is always there when anything is coverable.
    std::vector<std::vector<int>> covers;
    CItemMask uncovered = 0;  // wanted items that no candidate covers
    bool exact = true;        // false: the search ran out of steps, the cover is the greedy one
    bool listedAll = true;    // false: more least covers exist than were listed
    size_t steps = 0;         // the search's steps, both passes
};

// The least covers of `wanted` by `candidates`.
CCoverResult LeastCovers(const std::vector<CItemMask>& candidates, CItemMask wanted, CCoverLimits limits = {});

// A good cover of any number of items, each step taking the candidate that
// covers the most items still uncovered (of equals, the first), then leaving
// out, latest first, any chosen one the others make needless. `itemsOf`
// lists each candidate's items (each once), numbered below `itemCount`.
// Returns the chosen candidates in ascending order; items nobody covers stay
// uncovered.
std::vector<int> GreedyCover(const std::vector<std::vector<int>>& itemsOf, size_t itemCount);
