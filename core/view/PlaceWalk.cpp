#include "view/PlaceWalk.h"

#include "view/ViewGeometry.h"

#include <cstdlib>

std::optional<int64_t> StepCost(CPoint from, CPoint to, WalkDirection direction) {
    const int64_t dx = int64_t(to.x) - from.x, dy = int64_t(to.y) - from.y;
    int64_t along = 0, across = 0;
    switch (direction) {
    case WalkDirection::Left:
        along = -dx, across = dy;
        break;
    case WalkDirection::Right:
        along = dx, across = dy;
        break;
    case WalkDirection::Up:
        along = -dy, across = dx;
        break;
    case WalkDirection::Down:
        along = dy, across = dx;
        break;
    }
    across = std::llabs(across);
    if (along <= 0 || across > along) return std::nullopt;
    return along + 2 * across;
}

CPoint PlaceInPlane(const CPlace& place, CSize plane) {
    return ViewGeometry::WorldToPixels({place.m_x, place.m_y}, plane);
}

int NearestPlace(const CPlaceArray& places, CSize plane, const std::function<bool(const CPlace&)>& shown, CPoint from,
                 const CPlace* focused, WalkDirection direction) {
    int best = -1;
    int64_t bestCost = 0;
    for (int i = 0; i < places.GetSize(); ++i) {
        const CPlace* place = places[i];
        if (!place || place == focused || !shown(*place)) continue;
        const auto cost = StepCost(from, PlaceInPlane(*place, plane), direction);
        if (cost && (best < 0 || *cost < bestCost)) best = i, bestCost = *cost;
    }
    return best;
}

CPlace* NextFound(const CPlaceArray& found, const CPlace* current, bool backwards) {
    const int count = found.GetSize();
    if (count == 0) return nullptr;
    int at = -1;
    for (int i = 0; i < count && at < 0; ++i)
        if (found[i] == current) at = i;
    if (at < 0) return found[backwards ? count - 1 : 0];
    return found[(at + (backwards ? count - 1 : 1)) % count];
}
