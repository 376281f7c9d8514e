// What the left and right buttons do on the map: a click zooms in about the
// point, a drag draws a band and zooms to it, a right click abandons a press
// and zooms out. This is the press's state machine, in client coordinates;
// the view draws the band and carries out the zooms it returns.
#pragma once
#include "data/Geometry.h"

#include <optional>

class PointerTracker {
public:
    enum class Action { None, ZoomInAt, ZoomToBand, ZoomOutAt };
    struct Outcome {
        Action action = Action::None;
        CPoint point;  // ZoomInAt, ZoomOutAt: about this client point
        CRect band;    // ZoomToBand: the band, in client coordinates
    };

    void Press(CPoint p);
    // True when the band changed (appeared or moved) and must be redrawn.
    bool Move(CPoint p);
    // A release where no band was drawn is a click at `p`.
    Outcome Release(CPoint p);
    Outcome RightPress(CPoint p);
    // The press ends without a zoom: another window took the pointer.
    void Abandon();

    bool Pressing() const { return m_pressing; }
    // The band on screen, if any: anchor and corner normalised, left and top
    // at least 0.
    std::optional<CRect> Band() const;

private:
    CRect BandRect() const;

    bool m_pressing = false;
    bool m_bNoDragYet = true;
    CPoint m_ptAnchor;
    CPoint m_ptBandCorner;
};
