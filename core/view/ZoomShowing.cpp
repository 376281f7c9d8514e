#include "view/ZoomShowing.h"

#include "view/ViewGeometry.h"

#include <algorithm>

namespace {
// The largest zoom at which `span` picture pixels fit in `room` client pixels.
int ZoomFitting(int span, int room) {
    if (span <= 0) return ViewGeometry::kMaxZoom;
    return int(int64_t(std::max(room, 0)) * 100 / span);
}
}  // namespace

int ZoomShowing(const CRect& picture, CSize client, int zoom, int margin, int closest) {
    const int fitting = std::min(ZoomFitting(picture.Width(), client.cx - 2 * margin),
                                 ZoomFitting(picture.Height(), client.cy - 2 * margin));
    return std::clamp(std::min(std::max(zoom, closest), fitting), ViewGeometry::kMinZoom, ViewGeometry::kMaxZoom);
}
