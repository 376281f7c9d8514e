#include "view/LabelPlacement.h"

#include "view/PlaceOverlay.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {

// The rectangles placed so far, filed by the cells of a coarse grid that
// they meet, so that a candidate is checked against its neighbours only.
class CRectGrid {
public:
    void Add(const CRect& r) {
        const int id = int(m_rects.size());
        m_rects.push_back(r);
        ForCells(r, [&](long long cell) { m_cells[cell].push_back(id); });
    }
    bool Meets(const CRect& r) const {
        bool meets = false;
        ForCells(r, [&](long long cell) {
            if (meets) return;
            const auto it = m_cells.find(cell);
            if (it == m_cells.end()) return;
            for (int id : it->second)
                if (Intersects(m_rects[size_t(id)], r)) return void(meets = true);
        });
        return meets;
    }

private:
    // About a label's size: a name meets two or three cells.
    static constexpr int kCellWidth = 64, kCellHeight = 16;
    static int Floor(int v, int step) { return v >= 0 ? v / step : -((-v + step - 1) / step); }
    template <class F>
    static void ForCells(const CRect& r, F&& f) {
        for (int y = Floor(r.top, kCellHeight); y <= Floor(r.bottom - 1, kCellHeight); ++y)
            for (int x = Floor(r.left, kCellWidth); x <= Floor(r.right - 1, kCellWidth); ++x)
                f((static_cast<long long>(y) << 32) ^ static_cast<unsigned>(x));
    }
    std::vector<CRect> m_rects;
    std::unordered_map<long long, std::vector<int>> m_cells;
};

CRect Grown(const CRect& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

std::vector<size_t> ByPriority(const std::vector<LabelToPlace>& labels) {
    std::vector<size_t> order(labels.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (labels[a].found != labels[b].found) return labels[a].found;
        return labels[a].level < labels[b].level;
    });
    return order;
}

}  // namespace

std::vector<CRect> LabelCandidates(const CRect& m, CSize s) {
    const int right = m.right + 1, left = m.left - 1 - s.cx;
    const int centred = (m.left + m.right - s.cx) / 2;
    const int above = m.top - 1 - s.cy, below = m.bottom + 1;
    const auto at = [&](int x, int y) { return CRect{x, y, x + s.cx, y + s.cy}; };
    return {at(right, m.top), at(left, m.top),  at(centred, above), at(centred, below),
            at(right, above), at(right, below), at(left, above),    at(left, below)};
}

std::vector<CRect> PlaceLabels(const std::vector<LabelToPlace>& labels, int gap) {
    CRectGrid markers, names;
    for (const LabelToPlace& label : labels) markers.Add(label.marker);
    std::vector<CRect> placed(labels.size());
    for (size_t i : ByPriority(labels)) {
        const LabelToPlace& label = labels[i];
        if (label.size.cx <= 0 || label.size.cy <= 0) continue;
        const std::vector<CRect> candidates = LabelCandidates(label.marker, label.size);
        const auto firstFree = [&](bool overMarkers) -> const CRect* {
            for (const CRect& candidate : candidates) {
                const CRect around = Grown(candidate, gap);
                if (!names.Meets(around) && (overMarkers || !markers.Meets(around))) return &candidate;
            }
            return nullptr;
        };
        const CRect* at = firstFree(false);
        // What the player looked for is never left out: among markers if it
        // must, else in its usual place.
        if (!at && label.found) at = firstFree(true);
        if (!at && label.found) at = &candidates[0];
        if (!at) continue;
        placed[i] = *at;
        names.Add(*at);
    }
    return placed;
}
