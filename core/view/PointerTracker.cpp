#include "view/PointerTracker.h"

#include <algorithm>

void PointerTracker::Press(CPoint p) {
    m_ptAnchor = p;
    m_bNoDragYet = true;
    m_pressing = true;
}

bool PointerTracker::Move(CPoint p) {
    if (!m_pressing) return false;
    // The band starts only once the pointer has left both the anchor's row
    // and its column.
    if (m_bNoDragYet && (p.x == m_ptAnchor.x || p.y == m_ptAnchor.y)) return false;
    m_ptBandCorner = p;
    m_bNoDragYet = false;
    return true;
}

PointerTracker::Outcome PointerTracker::Release(CPoint p) {
    if (!m_pressing) return {};
    Outcome outcome;
    if (m_bNoDragYet) {
        outcome = {Action::ZoomInAt, p, {}};
    } else {
        outcome = {Action::ZoomToBand, {}, BandRect()};
    }
    m_pressing = false;
    m_ptAnchor = {};
    return outcome;
}

PointerTracker::Outcome PointerTracker::RightPress(CPoint p) {
    Abandon();
    return {Action::ZoomOutAt, p, {}};
}

void PointerTracker::Abandon() {
    m_pressing = false;
    m_bNoDragYet = true;
}

std::optional<CRect> PointerTracker::Band() const {
    if (!m_pressing || m_bNoDragYet) return std::nullopt;
    return BandRect();
}

CRect PointerTracker::BandRect() const {
    CRect r{std::min(m_ptAnchor.x, m_ptBandCorner.x), std::min(m_ptAnchor.y, m_ptBandCorner.y),
            std::max(m_ptAnchor.x, m_ptBandCorner.x), std::max(m_ptAnchor.y, m_ptBandCorner.y)};
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    return r;
}
