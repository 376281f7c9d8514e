#include "journeys/SetCover.h"

#include <algorithm>
#include <bitset>
#include <cmath>

namespace {

int Count(CItemMask m) { return int(std::bitset<64>(m).count()); }
int LowestItem(CItemMask m) {
    int i = 0;
    while (!(m >> i & 1)) ++i;
    return i;
}

// The greedy cover over masks: the first answer and the bound to beat.
std::vector<int> GreedyMasks(const std::vector<CItemMask>& masks, CItemMask wanted) {
    std::vector<std::vector<int>> itemsOf(masks.size());
    for (size_t c = 0; c < masks.size(); ++c)
        for (CItemMask m = masks[c] & wanted; m; m &= m - 1) itemsOf[c].push_back(LowestItem(m));
    return GreedyCover(itemsOf, 64);
}

// Candidates that another covers entirely (of equal ones, all but the
// first) never make a cover smaller: the least size is searched without them.
std::vector<char> Undominated(const std::vector<CItemMask>& masks) {
    std::vector<char> keep(masks.size(), 1);
    for (size_t i = 0; i < masks.size(); ++i) {
        if (!masks[i]) keep[i] = 0;
        for (size_t j = 0; j < masks.size() && keep[i]; ++j) {
            const bool within = j != i && (masks[i] & ~masks[j]) == 0;
            if (within && (masks[i] != masks[j] || j < i)) keep[i] = 0;
        }
    }
    return keep;
}

// The depth-first search: each step takes the uncovered item with the fewest
// usable candidates and tries each of them in turn, a candidate tried being
// left out of the later branches (so no cover is reached twice). A branch
// ends when its size with a lower bound for the rest cannot do.
class CCoverSearch {
public:
    enum class Goal { Least, ListAll };

    CCoverSearch(const std::vector<CItemMask>& masks, CItemMask wanted, std::vector<char> usable, size_t budget)
        : m_masks(masks), m_wanted(wanted), m_usable(std::move(usable)), m_budget(budget), m_byItem(64) {
        for (size_t c = 0; c < masks.size(); ++c)
            for (CItemMask m = masks[c] & wanted; m; m &= m - 1) m_byItem[size_t(LowestItem(m))].push_back(int(c));
        for (CItemMask m = wanted; m; m &= m - 1) m_hardFirst.push_back(LowestItem(m));
        std::stable_sort(m_hardFirst.begin(), m_hardFirst.end(),
                         [&](int a, int b) { return m_byItem[size_t(a)].size() < m_byItem[size_t(b)].size(); });
    }

    // A cover smaller than `bound` (a cover known already) when there is one.
    std::vector<int> Least(std::vector<int> bound) {
        m_goal = Goal::Least;
        m_best = std::move(bound);
        Step(0);
        return m_best;
    }

    // Every cover of `size` candidates but `known`, up to `cap` of them.
    std::vector<std::vector<int>> ListAll(size_t size, const std::vector<int>& known, size_t cap) {
        m_goal = Goal::ListAll;
        m_size = size;
        m_known = known;
        m_cap = cap;
        Step(0);
        return std::move(m_found);
    }

    bool OutOfSteps() const { return m_steps > m_budget; }
    size_t Steps() const { return m_steps; }
    bool Capped() const { return m_capped; }

private:
    void Step(CItemMask covered) {
        if (++m_steps > m_budget || m_capped) return;
        const CItemMask rest = m_wanted & ~covered;
        if (!rest) return Found();
        const size_t bound = m_chosen.size() + LowerBound(rest);
        if (m_goal == Goal::Least ? bound >= m_best.size() : bound > m_size) return;
        const int item = HardestItem(rest);
        if (item < 0) return;
        std::vector<int> tried;
        for (const int c : Branches(item, rest)) {
            m_chosen.push_back(c);
            Step(covered | m_masks[size_t(c)]);
            m_chosen.pop_back();
            m_usable[size_t(c)] = 0;
            tried.push_back(c);
        }
        for (const int c : tried) m_usable[size_t(c)] = 1;
    }

    void Found() {
        std::vector<int> cover = m_chosen;
        std::sort(cover.begin(), cover.end());
        if (m_goal == Goal::Least) {
            m_best = std::move(cover);
            return;
        }
        if (cover == m_known) return;
        if (m_found.size() >= m_cap) {
            m_capped = true;
            return;
        }
        m_found.push_back(std::move(cover));
    }

    // The more of the rest a candidate covers, the sooner it is tried.
    std::vector<int> Branches(int item, CItemMask rest) const {
        std::vector<int> out;
        for (const int c : m_byItem[size_t(item)])
            if (m_usable[size_t(c)]) out.push_back(c);
        std::stable_sort(out.begin(), out.end(), [&](int a, int b) {
            return Count(m_masks[size_t(a)] & rest) > Count(m_masks[size_t(b)] & rest);
        });
        return out;
    }

    int HardestItem(CItemMask rest) const {
        int best = -1;
        size_t fewest = SIZE_MAX;
        for (CItemMask m = rest; m; m &= m - 1) {
            const int item = LowestItem(m);
            size_t n = 0;
            for (const int c : m_byItem[size_t(item)]) n += m_usable[size_t(c)] ? 1 : 0;
            if (n < fewest) best = item, fewest = n;
        }
        return fewest == 0 ? -1 : best;
    }

    // The larger of two bounds: each item's share of the best usable
    // candidate for it, summed; and the count of items no two of which one
    // candidate covers (each needs a candidate of its own), the hardest
    // items first.
    size_t LowerBound(CItemMask rest) const {
        double shares = 0;
        size_t apart = 0;
        CItemMask left = rest;
        for (const int item : m_hardFirst) {
            const CItemMask bit = CItemMask(1) << item;
            if (!(rest & bit)) continue;
            int best = 0;
            CItemMask reach = 0;
            for (const int c : m_byItem[size_t(item)])
                if (m_usable[size_t(c)]) best = std::max(best, Count(m_masks[size_t(c)] & rest)), reach |= m_masks[size_t(c)];
            if (best == 0) return SIZE_MAX / 2;  // an item nothing usable covers
            shares += 1.0 / best;
            if (left & bit) ++apart, left &= ~reach;
        }
        return std::max(apart, size_t(std::ceil(shares - 1e-9)));
    }

    const std::vector<CItemMask>& m_masks;
    const CItemMask m_wanted;
    std::vector<char> m_usable;
    const size_t m_budget;
    std::vector<std::vector<int>> m_byItem;  // the candidates of each item
    std::vector<int> m_hardFirst;            // the items, those with the fewest candidates first
    Goal m_goal = Goal::Least;
    std::vector<int> m_chosen, m_best, m_known;
    std::vector<std::vector<int>> m_found;
    size_t m_size = 0, m_cap = 0, m_steps = 0;
    bool m_capped = false;
};

// The wanted items in parts that no candidate spans: each part's least
// covers are searched alone, and a least cover of all is one of each.
std::vector<CItemMask> Parts(const std::vector<CItemMask>& candidates, CItemMask wanted) {
    std::vector<CItemMask> parts;
    for (const CItemMask m : candidates) {
        CItemMask joined = m & wanted;
        if (!joined) continue;
        for (size_t i = parts.size(); i-- > 0;)
            if (parts[i] & joined) joined |= parts[i], parts.erase(parts.begin() + long(i));
        parts.push_back(joined);
    }
    return parts;
}

// One part's least covers (the candidates' masks cut to the part), the
// steps they took counted in `result`, whose budget they share.
std::vector<std::vector<int>> PartCovers(const std::vector<CItemMask>& masks, CItemMask part, const CCoverLimits& limits,
                                         CCoverResult& result) {
    const std::vector<int> greedy = GreedyMasks(masks, part);
    const size_t left = limits.nodeBudget - std::min(limits.nodeBudget, result.steps);
    CCoverSearch least(masks, part, Undominated(masks), left);
    const std::vector<int> best = least.Least(greedy);
    result.steps += least.Steps();
    if (least.OutOfSteps()) {
        result.exact = result.listedAll = false;
        return {greedy};
    }
    std::vector<std::vector<int>> covers{best};
    if (limits.maxCovers <= 1) return covers;
    CCoverSearch all(masks, part, std::vector<char>(masks.size(), 1), left - std::min(left, least.Steps()));
    for (auto& cover : all.ListAll(best.size(), best, limits.maxCovers - 1)) covers.push_back(std::move(cover));
    result.steps += all.Steps();
    if (all.OutOfSteps() || all.Capped()) result.listedAll = false;
    return covers;
}

// Covers made of one cover of each part, the parts' first covers first, up
// to `cap` of them.
std::vector<std::vector<int>> Combined(const std::vector<std::vector<std::vector<int>>>& parts, size_t cap,
                                       bool& listedAll) {
    std::vector<std::vector<int>> covers;
    std::vector<size_t> pick(parts.size(), 0);
    for (;;) {
        if (covers.size() == std::max<size_t>(cap, 1)) {
            listedAll = false;
            return covers;
        }
        std::vector<int> cover;
        for (size_t p = 0; p < parts.size(); ++p)
            cover.insert(cover.end(), parts[p][pick[p]].begin(), parts[p][pick[p]].end());
        std::sort(cover.begin(), cover.end());
        covers.push_back(std::move(cover));
        size_t p = 0;
        while (p < parts.size() && ++pick[p] == parts[p].size()) pick[p++] = 0;
        if (p == parts.size()) return covers;
    }
}

}  // namespace

CCoverResult LeastCovers(const std::vector<CItemMask>& candidates, CItemMask wanted, CCoverLimits limits) {
    CCoverResult result;
    CItemMask coverable = 0;
    for (const CItemMask m : candidates) coverable |= m & wanted;
    result.uncovered = wanted & ~coverable;
    std::vector<std::vector<std::vector<int>>> parts;
    for (const CItemMask part : Parts(candidates, coverable)) {
        std::vector<CItemMask> masks;
        for (const CItemMask m : candidates) masks.push_back(m & part);
        parts.push_back(PartCovers(masks, part, limits, result));
    }
    if (!parts.empty()) result.covers = Combined(parts, limits.maxCovers, result.listedAll);
    return result;
}

std::vector<int> GreedyCover(const std::vector<std::vector<int>>& itemsOf, size_t itemCount) {
    std::vector<int> timesCovered(itemCount, 0);
    std::vector<int> chosen;
    for (;;) {
        int best = -1;
        size_t gain = 0;
        for (size_t c = 0; c < itemsOf.size(); ++c) {
            size_t n = 0;
            for (const int item : itemsOf[c]) n += timesCovered[size_t(item)] == 0 ? 1 : 0;
            if (n > gain) best = int(c), gain = n;
        }
        if (best < 0) break;
        chosen.push_back(best);
        for (const int item : itemsOf[size_t(best)]) ++timesCovered[size_t(item)];
    }
    // A candidate taken early may be needless once the later ones are in.
    for (size_t k = chosen.size(); k-- > 0;) {
        const auto& items = itemsOf[size_t(chosen[k])];
        if (!std::all_of(items.begin(), items.end(), [&](int item) { return timesCovered[size_t(item)] > 1; })) continue;
        for (const int item : items) --timesCovered[size_t(item)];
        chosen.erase(chosen.begin() + long(k));
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}
