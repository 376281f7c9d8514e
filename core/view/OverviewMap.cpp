#include "view/OverviewMap.h"

#include "data/MulDiv.h"

#include <algorithm>
#include <cstdint>

CRect FitInto(CSize area, CSize picture) {
    if (area.cx <= 0 || area.cy <= 0 || picture.cx <= 0 || picture.cy <= 0) return {};
    // The narrower ratio, compared without rounding: width / picture.cx
    // against height / picture.cy.
    const bool byWidth = int64_t(area.cx) * picture.cy <= int64_t(area.cy) * picture.cx;
    const int width = byWidth ? area.cx : std::max(1, MulDiv(picture.cx, area.cy, picture.cy));
    const int height = byWidth ? std::max(1, MulDiv(picture.cy, area.cx, picture.cx)) : area.cy;
    const int left = (area.cx - width) / 2;
    return {left, 0, left + width, height};
}

CRect VisiblePicture(const ViewGeometry& view, CSize picture) {
    const CPoint scroll = view.GetScrollOffset();
    const CSize client = view.ClientSize();
    const CRect shown = view.MapToPicture(CRect{scroll.x, scroll.y, scroll.x + client.cx, scroll.y + client.cy});
    return {std::max(shown.left, 0), std::max(shown.top, 0), std::min(shown.right, picture.cx),
            std::min(shown.bottom, picture.cy)};
}

CRect PictureToOverview(const CRect& r, const CRect& fitted, CSize picture) {
    if (picture.cx <= 0 || picture.cy <= 0) return {};
    const auto x = [&](int v) { return fitted.left + MulDiv(v, fitted.Width(), picture.cx); };
    const auto y = [&](int v) { return fitted.top + MulDiv(v, fitted.Height(), picture.cy); };
    return {x(r.left), y(r.top), x(r.right), y(r.bottom)};
}

CPoint OverviewToPicture(CPoint p, const CRect& fitted, CSize picture) {
    if (fitted.IsRectEmpty() || picture.cx <= 0 || picture.cy <= 0) return {};
    const int x = MulDiv(p.x - fitted.left, picture.cx, fitted.Width());
    const int y = MulDiv(p.y - fitted.top, picture.cy, fitted.Height());
    return {std::clamp(x, 0, picture.cx - 1), std::clamp(y, 0, picture.cy - 1)};
}

CPoint PositionCentring(const ViewGeometry& view, CPoint p) {
    const CRect map = view.PictureToMap(CRect{p.x, p.y, p.x, p.y});
    const CSize client = view.ClientSize();
    const CPoint origin = view.Origin();
    return {map.left - client.cx / 2 + origin.x, map.top - client.cy / 2 + origin.y};
}
