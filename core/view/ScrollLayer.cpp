#include "view/ScrollLayer.h"

#include <algorithm>

void ScrollLayer::SetAvailableArea(CSize area, int barThickness) {
    m_area = area;
    m_bar = barThickness;
    Layout();
}

void ScrollLayer::SetScrollSizes(CSize total, CSize page, CSize line) {
    m_total = total;
    m_page = page;
    m_line = line;
    Layout();
}

void ScrollLayer::Layout() {
    // A bar is needed where the extent is larger than the room; a vertical bar
    // takes width, which may call for a horizontal bar, and the other way round.
    bool h = m_total.cx > m_area.cx;
    bool v = m_total.cy > m_area.cy;
    if (h && !v) v = m_total.cy > m_area.cy - m_bar;
    if (v && !h) h = m_total.cx > m_area.cx - m_bar;
    m_hasHBar = h;
    m_hasVBar = v;
    m_client = {std::max(0, m_area.cx - (v ? m_bar : 0)), std::max(0, m_area.cy - (h ? m_bar : 0))};
    ScrollToPosition(m_pos);
}

int ScrollLayer::MaxPosition(Axis axis) const {
    const int extent = axis == Horizontal ? m_total.cx : m_total.cy;
    const int client = axis == Horizontal ? m_client.cx : m_client.cy;
    return HasBar(axis) ? std::max(0, extent - client) : 0;
}

void ScrollLayer::ScrollToPosition(CPoint position) {
    m_pos.x = std::clamp(position.x, 0, MaxPosition(Horizontal));
    m_pos.y = std::clamp(position.y, 0, MaxPosition(Vertical));
}

void ScrollLayer::GetScrollRange(Axis axis, int& minPos, int& maxPos) const {
    minPos = 0;
    maxPos = HasBar(axis) ? (axis == Horizontal ? m_total.cx : m_total.cy) - 1 : 0;
}
