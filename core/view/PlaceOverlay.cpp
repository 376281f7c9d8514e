#include "view/PlaceOverlay.h"

#include "view/UpperCase.h"

#include "data/Win1252.h"

#include <algorithm>
#include <climits>

bool Intersects(const CRect& a, const CRect& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

bool Contains(const CRect& r, CPoint p) {
    return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

std::string HoverText(const CPlace* place) {
    if (!place) return {};
    return place->m_strName + " (" + std::to_string(place->m_x) + ", " + std::to_string(place->m_y) + ")";
}

void CPlaceOverlay::HighlightOne(CPlace* place) {
    m_highlight.RemoveAll();
    m_highlight.Add(place);
    FocusOnHighlight();
}

bool CPlaceOverlay::SearchPlaces(const CPlaceArray& places, std::string_view text) {
    m_highlight.RemoveAll();
    // The names are 8-bit Windows-1252; a text that cannot be written so
    // matches nothing.
    const auto encoded = Utf8ToWin1252(text);
    if (!text.empty() && encoded) {
        const std::string wanted = UpperCase1252(*encoded);
        for (CPlace* place : places)
            if (UpperCase1252(place->m_strName).find(wanted) != std::string::npos)
                m_highlight.Add(place);
    }
    if (m_highlight.IsEmpty()) {
        m_host.RedrawNow();
        return false;
    }
    FocusOnHighlight();
    return true;
}

void CPlaceOverlay::FocusOnHighlight() {
    if (m_highlight.IsEmpty()) return;
    int level = 0;
    for (const CPlace* place : m_highlight) level = std::max(level, place->m_nLevel);
    if (m_geometry.GetDetailLevel() < level) m_geometry.SetZoom(ViewGeometry::LevelToZoom(level));

    CRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const CPlace* place : m_highlight) {
        const CPoint p = m_geometry.WorldToMap({place->m_x, place->m_y});
        box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
               std::max(box.bottom, p.y)};
    }
    if (m_highlight.GetSize() == 1)
        m_geometry.CenterOn(box.left + box.Width() / 2, box.top + box.Height() / 2, false);
    else
        m_geometry.ZoomToRect(box);
    m_host.FocusMainWindow();
    m_host.RedrawNow();
}

bool CPlaceOverlay::IsHighlighted(const CPlace* place) const {
    for (int i = m_highlight.GetSize() - 1; i >= 0; --i)
        if (m_highlight[i] == place) return true;
    return false;
}

bool CPlaceOverlay::IsPlaceVisible(const CPlace* place) const {
    if (IsHighlighted(place)) return true;
    return place->m_nLevel <= m_geometry.EffectiveDetailLevel() &&
           !std::binary_search(m_hidden.begin(), m_hidden.end(), place) &&
           !std::binary_search(m_hiddenKinds.begin(), m_hiddenKinds.end(), place->m_nType);
}

void CPlaceOverlay::SetHiddenKinds(std::vector<int32_t> kinds) {
    std::sort(kinds.begin(), kinds.end());
    m_hiddenKinds = std::move(kinds);
}

void CPlaceOverlay::SetHiddenPlaces(std::vector<const CPlace*> hidden) {
    std::sort(hidden.begin(), hidden.end());
    m_hidden = std::move(hidden);
}

void CPlaceOverlay::GetPlaceRects(const CPlace& place, CSize labelSize, CRect& marker,
                                  CRect& label) const {
    const CPoint map = m_geometry.WorldToMap({place.m_x, place.m_y});
    const CPoint scroll = m_geometry.GetScrollOffset();
    const int x = map.x - scroll.x, y = map.y - scroll.y;
    marker = {x - 3, y - 3, x + 3, y + 3};
    const int dx = marker.right + 1, dy = marker.top;
    label = {dx, dy, dx + labelSize.cx, dy + labelSize.cy};
}

CPlace* CPlaceOverlay::HitTest(const CPlaceArray& places, const CLabelSizes& labels, CPoint point,
                               const std::vector<CRect>* placed) const {
    const CPoint scroll = m_geometry.GetScrollOffset();
    for (int i = 0; i < places.GetSize(); ++i) {
        CPlace* place = places[i];
        if (!place || !IsPlaceVisible(place)) continue;
        CRect marker, label;
        GetPlaceRects(*place, labels.Of(i), marker, label);
        if (placed && size_t(i) < placed->size()) label = Moved((*placed)[size_t(i)], {-scroll.x, -scroll.y});
        if (Contains(marker, point) || Contains(label, point)) return place;
    }
    return nullptr;
}
