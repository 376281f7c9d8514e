#include "view/ViewGeometry.h"

#include "data/MulDiv.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
// The world span that the picture covers.
constexpr int kWorldLeft = -125000, kWorldWidth = 300000;
constexpr int kWorldTop = 220000, kWorldHeight = 350000;
}  // namespace

void ViewGeometry::SetZoom(int zoom) {
    m_nZoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    m_host.ZoomChanged(m_nZoom);
    UpdateScrollSizes();
}

CRect ViewGeometry::GetImageRect() const {
    const CSize picture = m_host.PictureSize();
    return {0, 0, MulDiv(picture.cx, m_nZoom, 100), MulDiv(picture.cy, m_nZoom, 100)};
}

// From the scroll extent, which is the zoomed picture: no call to the host,
// since every place's rectangle asks for it at every paint.
CPoint ViewGeometry::Origin() const {
    if (!m_centred) return {};
    const CSize total = m_scroll.Total(), client = m_scroll.ClientSize();
    return {std::max(0, (client.cx - total.cx) / 2), std::max(0, (client.cy - total.cy) / 2)};
}

CRect ViewGeometry::ClientImageRect() const {
    const CRect image = GetImageRect();
    const CPoint scroll = GetScrollOffset();
    return {image.left - scroll.x, image.top - scroll.y, image.right - scroll.x, image.bottom - scroll.y};
}

void ViewGeometry::UpdateScrollSizes() {
    const CRect image = GetImageRect();
    // The page and line follow the client area as it is before the new
    // extent adds or removes scroll bars.
    const CSize client = m_scroll.ClientSize();
    m_scroll.SetScrollSizes({image.right, image.bottom}, client, {client.cx / 10, client.cy / 10});
    m_host.ScrollSizesChanged();
}

void ViewGeometry::Resize(CSize area, int barThickness) {
    m_scroll.SetAvailableArea(area, barThickness);
    if (area.cx != 0 && area.cy != 0) UpdateScrollSizes();
}

CRect ViewGeometry::PictureToMap(CRect r) const {
    return {MulDiv(r.left, m_nZoom, 100), MulDiv(r.top, m_nZoom, 100),
            MulDiv(r.right, m_nZoom, 100), MulDiv(r.bottom, m_nZoom, 100)};
}

CRect ViewGeometry::MapToPicture(CRect r) const {
    return {MulDiv(r.left, 100, m_nZoom), MulDiv(r.top, 100, m_nZoom),
            MulDiv(r.right, 100, m_nZoom), MulDiv(r.bottom, 100, m_nZoom)};
}

CPoint ViewGeometry::MapToPicture(CPoint p) const {
    return {MulDiv(p.x, 100, m_nZoom), MulDiv(p.y, 100, m_nZoom)};
}

CPoint ViewGeometry::WorldToMap(CPoint world) const {
    const CRect image = GetImageRect();
    return WorldToPixels(world, {image.right, image.bottom});
}

CPoint ViewGeometry::WorldToPixels(CPoint world, CSize pixels) {
    // The differences wrap as 32-bit values do; the absolute value reflects a
    // point beyond the left or top edge back onto the picture.
    const int32_t dx = int32_t(uint32_t(kWorldLeft) - uint32_t(world.x));
    const int32_t dy = int32_t(uint32_t(kWorldTop) - uint32_t(world.y));
    return {std::abs(MulDiv(pixels.cx, dx, kWorldWidth)), std::abs(MulDiv(pixels.cy, dy, kWorldHeight))};
}

CPoint ViewGeometry::MapToWorld(CPoint map) const {
    const CRect image = GetImageRect();
    if (image.right <= 0 || image.bottom <= 0) return {kWorldLeft, kWorldTop};
    return {kWorldLeft + MulDiv(map.x, kWorldWidth, image.right), kWorldTop - MulDiv(map.y, kWorldHeight, image.bottom)};
}

CRect ViewGeometry::WorldSpan() {
    return {kWorldLeft, kWorldTop - kWorldHeight, kWorldLeft + kWorldWidth, kWorldTop};
}

void ViewGeometry::CenterOn(int x, int y, bool pictureUnits) {
    if (pictureUnits) {
        x = MulDiv(x, m_nZoom, 100);
        y = MulDiv(y, m_nZoom, 100);
    }
    const CSize client = m_scroll.ClientSize();
    CPoint target{x - client.cx / 2, y - client.cy / 2};
    // A target the range cannot hold goes to the picture's edge (0), not to
    // the nearest reachable position.
    int minPos = 0, maxPos = 0;
    m_scroll.GetScrollRange(ScrollLayer::Horizontal, minPos, maxPos);
    if (target.x < minPos || target.x >= maxPos) target.x = 0;
    m_scroll.GetScrollRange(ScrollLayer::Vertical, minPos, maxPos);
    if (target.y < minPos || target.y >= maxPos) target.y = 0;
    m_scroll.ScrollToPosition(target);
}

void ViewGeometry::ZoomStep(int x, int y, bool zoomIn) {
    const CPoint scroll = GetScrollOffset();
    const CPoint picture = MapToPicture(CPoint{x + scroll.x, y + scroll.y});
    SetZoom(NextZoom(zoomIn));
    CenterOn(picture.x, picture.y, true);
    m_host.RedrawNow();
}

void ViewGeometry::ZoomToRect(CRect r) {
    if (r.Width() < 8 || r.Height() < 8) return;
    const CRect picture = MapToPicture(r);
    // At high zooms a few map pixels can round to no picture pixel at all;
    // one pixel keeps the ratio defined (and the zoom then goes to its top).
    const int width = std::max(picture.Width(), 1);
    const int height = std::max(picture.Height(), 1);
    const CSize client = m_scroll.ClientSize();
    const int a = MulDiv(100, client.cx, width);
    const int b = MulDiv(100, client.cy, height);
    SetZoom(a < b ? a : b);
    CenterOn(picture.left + width / 2, picture.top + height / 2, true);
    m_host.RedrawNow();
}

void ViewGeometry::ZoomAroundCentre(bool zoomIn) {
    const CRect image = ClientImageRect();
    const CSize client = m_scroll.ClientSize();
    CRect visible{std::max(image.left, 0), std::max(image.top, 0),
                  std::min(image.right, client.cx), std::min(image.bottom, client.cy)};
    if (visible.IsRectEmpty()) visible = {};
    ZoomStep(visible.left + visible.Width() / 2, visible.top + visible.Height() / 2, zoomIn);
}

// Unlike ZoomStep, which centres the point, the point stays where it is on
// screen: the map point is scaled by the zoom ratio in one step, so it moves
// by less than a pixel however many steps are taken.
void ViewGeometry::ZoomKeepingPoint(int x, int y, int zoom) {
    const CPoint scroll = GetScrollOffset();
    const int oldZoom = m_nZoom;
    SetZoom(zoom);
    const int mapX = MulDiv(x + scroll.x, m_nZoom, oldZoom);
    const int mapY = MulDiv(y + scroll.y, m_nZoom, oldZoom);
    m_scroll.ScrollToPosition({mapX - x, mapY - y});
    m_host.RedrawNow();
}

int ViewGeometry::FitZoom() const {
    const CSize picture = m_host.PictureSize();
    const CSize area = m_scroll.Area();
    if (picture.cx <= 0 || picture.cy <= 0 || area.cx <= 0 || area.cy <= 0) return m_nZoom;
    // Rounded down: the zoomed picture must not pass the area by a pixel.
    const int64_t byWidth = int64_t(area.cx) * 100 / picture.cx;
    const int64_t byHeight = int64_t(area.cy) * 100 / picture.cy;
    return int(std::clamp<int64_t>(std::min(byWidth, byHeight), kMinZoom, kMaxZoom));
}
