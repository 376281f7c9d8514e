// The places drawn over the map: which are visible, where each marker and
// label sits, and the highlight set (the places found by a search or chosen
// in a list), with the flight of the view to them.
#pragma once
#include "view/LabelSizes.h"
#include "view/ViewGeometry.h"

#include "data/PlaceArray.h"

#include <string>
#include <string_view>
#include <vector>

class CPlaceOverlay {
public:
    CPlaceOverlay(ViewGeometry& geometry, IViewHost& host) : m_geometry(geometry), m_host(host) {}

    // The set becomes this one place; the view flies to it.
    void HighlightOne(CPlace* place);
    // The set becomes every place whose name contains `text` (ignoring case),
    // in table order; the view flies to them. An empty text or no match
    // leaves the set empty and repaints, so no old highlight lingers.
    // Returns whether anything was found.
    bool SearchPlaces(const CPlaceArray& places, std::string_view text);
    // Raises the zoom to show the set's levels, then fits or centres it.
    void FocusOnHighlight();

    const CPlaceArray& Highlight() const { return m_highlight; }
    bool IsHighlighted(const CPlace* place) const;
    // A place shows from its level on, unless the player hid it (a visited
    // place, when visited places are hidden) or hid its kind; a found place
    // always shows.
    bool IsPlaceVisible(const CPlace* place) const;
    void SetHiddenPlaces(std::vector<const CPlace*> hidden);
    // The kinds (type codes) whose places are hidden.
    void SetHiddenKinds(std::vector<int32_t> kinds);

    // The 6 x 6 marker around the place's map point and the label of
    // `labelSize` beside it, in client coordinates; a label not yet measured
    // has size (0, 0), so no extent.
    void GetPlaceRects(const CPlace& place, CSize labelSize, CRect& marker, CRect& label) const;
    // The first visible place, in table order, whose marker or label holds
    // the client point. Labels have the sizes measured so far (by index in
    // `places`); nothing is measured here, so a label never painted has no
    // extent. With `placed` (labels kept apart: by index, in map
    // coordinates, empty for a label left out), a label is where it says.
    CPlace* HitTest(const CPlaceArray& places, const CLabelSizes& labels, CPoint point,
                    const std::vector<CRect>* placed = nullptr) const;

private:
    ViewGeometry& m_geometry;
    IViewHost& m_host;
    CPlaceArray m_highlight;  // borrowed places, in insertion order
    std::vector<const CPlace*> m_hidden;  // sorted
    std::vector<int32_t> m_hiddenKinds;   // sorted
};

// Whether two rectangles share at least one pixel.
bool Intersects(const CRect& a, const CRect& b);
// `r` moved by `by`.
inline CRect Moved(const CRect& r, CPoint by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }
bool Contains(const CRect& r, CPoint p);

// The hover read-out of a place: "name (x, y)" in world coordinates; empty
// for no place.
std::string HoverText(const CPlace* place);
