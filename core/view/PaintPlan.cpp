#include "view/PaintPlan.h"

#include "view/PlaceOverlay.h"

#include <algorithm>

namespace {

CRect Offset(const CRect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

CRect Intersection(const CRect& a, const CRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

}  // namespace

std::vector<CRect> MarginFills(const CRect& update, const CRect& image) {
    if (!Intersects(update, image)) return {update};
    std::vector<CRect> fills;
    const auto add = [&](const CRect& strip) {
        if (!strip.IsRectEmpty()) fills.push_back(strip);
    };
    // The side strips take the whole height; above and below fill between them.
    const int left = std::max(update.left, image.left), right = std::min(update.right, image.right);
    add({right, update.top, update.right, update.bottom});
    add({update.left, update.top, left, update.bottom});
    add({left, image.bottom, right, update.bottom});
    add({left, update.top, right, image.top});
    return fills;
}

std::optional<PictureDraw> PlanPictureDraw(const ViewGeometry& geometry, const CRect& update,
                                           CSize picture, bool wholePicture) {
    const CRect whole{0, 0, picture.cx, picture.cy};
    const CPoint scroll = geometry.GetScrollOffset();
    if (wholePicture) return PictureDraw{whole, Offset(geometry.PictureToMap(whole), -scroll.x, -scroll.y)};

    // Enlarged by a pixel per started 100% of zoom above the first, so that
    // the stretched picture has no seam at the update rectangle's edges.
    const int d = (geometry.Zoom() - 1) / 100;
    const CRect enlarged{update.left - d, update.top - d, update.right + d, update.bottom + d};
    const CRect needed = geometry.MapToPicture(Offset(enlarged, scroll.x, scroll.y));
    if (!Intersects(whole, needed)) return std::nullopt;
    const CRect source = Intersection(whole, needed);
    return PictureDraw{source, Offset(geometry.PictureToMap(source), -scroll.x, -scroll.y)};
}
