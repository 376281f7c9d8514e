#include "journeys/SetCover.h"

#include <algorithm>
#include <bitset>

namespace {

int Count(CItemMask m) { return int(std::bitset<64>(m).count()); }
int LowestItem(CItemMask m) {
    int i = 0;
    while (!(m >> i & 1)) ++i;
    return i;
}

// The greedy cover over masks: the first answer and the bound to beat.
std::vector<int> GreedyMasks(const std::vector<CItemMask>& masks, CItemMask wanted) {
    std::vector<int> chosen;
    for (CItemMask left = wanted; left;) {
        int best = -1, gain = 0;
        for (size_t c = 0; c < masks.size(); ++c)
            if (Count(masks[c] & left) > gain) best = int(c), gain = Count(masks[c] & left);
        if (best < 0) break;
        chosen.push_back(best);
        left &= ~masks[size_t(best)];
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
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

    // The larger of two bounds: the rest's size over the most one usable
    // candidate covers of it, and the count of items no two of which one
    // candidate covers (each needs a candidate of its own).
    size_t LowerBound(CItemMask rest) const {
        int most = 0;
        for (size_t c = 0; c < m_masks.size(); ++c)
            if (m_usable[c]) most = std::max(most, Count(m_masks[c] & rest));
        if (most == 0) return SIZE_MAX / 2;
        const size_t byShare = size_t((Count(rest) + most - 1) / most);
        size_t apart = 0;
        for (CItemMask left = rest; left; ++apart) {
            const int item = LowestItem(left);
            left &= ~(CItemMask(1) << item);
            for (const int c : m_byItem[size_t(item)])
                if (m_usable[size_t(c)]) left &= ~m_masks[size_t(c)];
        }
        return std::max(byShare, apart);
    }

    const std::vector<CItemMask>& m_masks;
    const CItemMask m_wanted;
    std::vector<char> m_usable;
    const size_t m_budget;
    std::vector<std::vector<int>> m_byItem;  // the candidates of each item
    Goal m_goal = Goal::Least;
    std::vector<int> m_chosen, m_best, m_known;
    std::vector<std::vector<int>> m_found;
    size_t m_size = 0, m_cap = 0, m_steps = 0;
    bool m_capped = false;
};

}  // namespace

CCoverResult LeastCovers(const std::vector<CItemMask>& candidates, CItemMask wanted, CCoverLimits limits) {
    CCoverResult result;
    CItemMask coverable = 0;
    for (const CItemMask m : candidates) coverable |= m & wanted;
    result.uncovered = wanted & ~coverable;
    if (!coverable) return result;
    const std::vector<int> greedy = GreedyMasks(candidates, coverable);
    CCoverSearch least(candidates, coverable, Undominated(candidates), limits.nodeBudget);
    const std::vector<int> best = least.Least(greedy);
    if (least.OutOfSteps()) {
        result.exact = false;
        result.listedAll = false;
        result.covers.push_back(greedy);
        return result;
    }
    result.covers.push_back(best);
    if (limits.maxCovers <= 1) {
        result.listedAll = false;
        return result;
    }
    CCoverSearch all(candidates, coverable, std::vector<char>(candidates.size(), 1), limits.nodeBudget);
    for (auto& cover : all.ListAll(best.size(), best, limits.maxCovers - 1)) result.covers.push_back(std::move(cover));
    result.listedAll = !all.OutOfSteps() && !all.Capped();
    return result;
}

std::vector<int> GreedyCover(const std::vector<std::vector<int>>& itemsOf, size_t itemCount) {
    std::vector<char> covered(itemCount, 0);
    std::vector<int> chosen;
    for (;;) {
        int best = -1;
        size_t gain = 0;
        for (size_t c = 0; c < itemsOf.size(); ++c) {
            size_t n = 0;
            for (const int item : itemsOf[c]) n += size_t(item) < itemCount && !covered[size_t(item)] ? 1 : 0;
            if (n > gain) best = int(c), gain = n;
        }
        if (best < 0) break;
        chosen.push_back(best);
        for (const int item : itemsOf[size_t(best)])
            if (size_t(item) < itemCount) covered[size_t(item)] = 1;
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}
