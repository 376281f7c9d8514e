// The scrolling layer under the map view: a scrollable extent, the area it is
// shown in, page and line steps, and a position kept within its limits.
// Scroll bars take room: an axis gets a bar only when the extent exceeds
// the room left for it, and a bar on one axis narrows the other.
#pragma once
#include "data/Geometry.h"

class ScrollLayer {
public:
    enum Axis { Horizontal, Vertical };

    // The whole area of the view, bars included, and the thickness of a bar.
    void SetAvailableArea(CSize area, int barThickness);
    // The extent (the zoomed picture), the page and the line steps.
    void SetScrollSizes(CSize total, CSize page, CSize line);
    // Scrolls to `position`, limited to the valid positions.
    void ScrollToPosition(CPoint position);

    CSize Total() const { return m_total; }
    CSize Page() const { return m_page; }
    CSize Line() const { return m_line; }
    CSize ClientSize() const { return m_client; }
    // The whole area given, bars included.
    CSize Area() const { return m_area; }
    CPoint Position() const { return m_pos; }
    bool HasBar(Axis axis) const { return axis == Horizontal ? m_hasHBar : m_hasVBar; }
    // (0, extent - 1) on an axis with a bar, (0, 0) on one without.
    void GetScrollRange(Axis axis, int& minPos, int& maxPos) const;
    // The largest valid position on an axis: extent - client, or 0.
    int MaxPosition(Axis axis) const;

private:
    void Layout();

    CSize m_area, m_total, m_page, m_line, m_client;
    int m_bar = 0;
    bool m_hasHBar = false, m_hasVBar = false;
    CPoint m_pos;
};
