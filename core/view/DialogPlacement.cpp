#include "view/DialogPlacement.h"

#include <algorithm>
#include <cstdint>

namespace {

bool Intersects(const CRect& a, const CRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The start of a span of `length` moved into [low, high); nothing when it
// does not fit.
std::optional<int32_t> FitSpan(int32_t start, int32_t length, int32_t low, int32_t high) {
    if (int64_t(high) - low < length) return std::nullopt;
    return std::clamp(start, low, high - length);
}

struct Candidate {
    std::optional<int32_t> x, y;
};

}  // namespace

// The free positions are the four sides of the grown marker; the nearest
// on each side moves along one axis only, so the nearest of the four (that
// fit the screen) is the nearest of all.
std::optional<CPoint> PlaceAsideOf(const CRect& dialog, const CRect& marker, const CRect& screen, int margin) {
    const CRect keep{marker.left - margin, marker.top - margin, marker.right + margin, marker.bottom + margin};
    if (!Intersects(dialog, keep)) return std::nullopt;
    const int32_t w = dialog.Width(), h = dialog.Height();
    // On screen across the axis of the move, then on the screen's part beside the marker.
    const auto x = FitSpan(dialog.left, w, screen.left, screen.right);
    const auto y = FitSpan(dialog.top, h, screen.top, screen.bottom);
    const Candidate sides[] = {
        {FitSpan(keep.left - w, w, screen.left, std::min(screen.right, keep.left)), y},
        {FitSpan(keep.right, w, std::max(screen.left, keep.right), screen.right), y},
        {x, FitSpan(keep.top - h, h, screen.top, std::min(screen.bottom, keep.top))},
        {x, FitSpan(keep.bottom, h, std::max(screen.top, keep.bottom), screen.bottom)},
    };
    std::optional<CPoint> best;
    int64_t bestDistance = 0;
    for (const Candidate& side : sides) {
        if (!side.x || !side.y) continue;
        const int64_t dx = int64_t(*side.x) - dialog.left, dy = int64_t(*side.y) - dialog.top;
        const int64_t distance = dx * dx + dy * dy;
        if (!best || distance < bestDistance) {
            best = CPoint{*side.x, *side.y};
            bestDistance = distance;
        }
    }
    return best;
}
