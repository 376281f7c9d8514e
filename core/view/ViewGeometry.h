// The map view's geometry: zoom, scrolling and the conversions between world
// coordinates, picture pixels, map coordinates (picture pixels scaled by the
// zoom) and client coordinates (map minus the scroll offset). Every scaling
// is one MulDiv. The view widget supplies the few things only it knows
// through IViewHost and reacts to what changes.
#pragma once
#include "view/ScrollLayer.h"

class IViewHost {
public:
    virtual ~IViewHost() = default;
    // The picture's pixel size, (0, 0) without a picture. The first call
    // loads the program's data.
    virtual CSize PictureSize() = 0;
    virtual void ZoomChanged(int /*zoom*/) {}    // the title follows the zoom
    virtual void ScrollSizesChanged() {}         // bars follow; everything is repainted
    virtual void RedrawNow() {}                  // repaint the whole client area at once
    virtual void FocusMainWindow() {}            // give the keyboard focus to the main window
};

class ViewGeometry {
public:
    static constexpr int kInitialZoom = 20;
    static constexpr int kMinZoom = 10;
    // Above this the view's arithmetic would leave 32 bits for some places
    // or pictures; the map is already 16 times its size here.
    static constexpr int kMaxZoom = 1600;

    explicit ViewGeometry(IViewHost& host) : m_host(host) {}

    int Zoom() const { return m_nZoom; }
    // Clamps to kMinZoom..kMaxZoom, tells the host, updates the scroll sizes.
    void SetZoom(int zoom);
    // (0, 0, Wz, Hz): the zoomed picture in map coordinates.
    CRect GetImageRect() const;
    // Extent = the zoomed picture, page = the client size, line = a tenth of it.
    void UpdateScrollSizes();
    // The map point at the client area's top left: the scroll position, less
    // the centring margin (Origin) where the picture is centred. Every
    // conversion between client and map points goes through it.
    CPoint GetScrollOffset() const {
        const CPoint origin = Origin();
        return {m_scroll.Position().x - origin.x, m_scroll.Position().y - origin.y};
    }
    // A picture smaller than the client area on an axis sits in its middle
    // on that axis instead of at its start (off by default).
    void SetCentred(bool on) { m_centred = on; }
    bool Centred() const { return m_centred; }
    // Where the map's top left sits in the client area when nothing is
    // scrolled: half the room the picture leaves on a centred axis, else 0.
    CPoint Origin() const;
    // The zoomed picture in client coordinates.
    CRect ClientImageRect() const;
    const ScrollLayer& Scroll() const { return m_scroll; }
    CSize ClientSize() const { return m_scroll.ClientSize(); }
    // The middle of the client area, in map pixels: what the view is centred on.
    CPoint ClientCentre() const {
        const CPoint scroll = GetScrollOffset();
        const CSize client = ClientSize();
        return {scroll.x + client.cx / 2, scroll.y + client.cy / 2};
    }

    // The view's whole area changed; a zero width or height (a minimised
    // window) leaves the scroll sizes as they are.
    void Resize(CSize area, int barThickness);
    // The user moved a scroll bar.
    void ScrollTo(CPoint position) { m_scroll.ScrollToPosition(position); }

    CRect PictureToMap(CRect r) const;
    CRect MapToPicture(CRect r) const;
    CPoint MapToPicture(CPoint p) const;
    CPoint WorldToMap(CPoint world) const;
    // The same for a picture of `pixels` (WorldToMap gives it the zoomed
    // picture's size).
    static CPoint WorldToPixels(CPoint world, CSize pixels);
    // The world point at a map point (the inverse of WorldToMap on the
    // picture, to the nearest world unit a map pixel covers).
    CPoint MapToWorld(CPoint map) const;
    // The world span the picture covers: x grows eastwards, y northwards,
    // so the rectangle's top is the map's southern edge; right and bottom
    // exclusive.
    static CRect WorldSpan();

    // Scrolls the point (picture pixels, or map coordinates) to the centre.
    void CenterOn(int x, int y, bool pictureUnits);
    // Zooms by half a step about a client point, then repaints.
    void ZoomStep(int x, int y, bool zoomIn);
    // Fits a map rectangle into the client area, then repaints; a rectangle
    // under 8 pixels either way changes nothing.
    void ZoomToRect(CRect r);
    // Zooms about the centre of the visible picture.
    void ZoomAroundCentre(bool zoomIn);
    // The zoom a half step in or out from the current one, as the buttons go.
    int NextZoom(bool zoomIn) const { return zoomIn ? m_nZoom + m_nZoom / 2 : m_nZoom - m_nZoom / 2; }
    // Sets `zoom` keeping the map point under the client point (x, y) under
    // it (as far as the scroll limits allow), then repaints.
    void ZoomKeepingPoint(int x, int y, int zoom);
    // The largest zoom at which the whole picture fits the view's area
    // without scroll bars (within the zoom limits).
    int FitZoom() const;

    int GetDetailLevel() const { return m_nZoom / 25; }
    static int LevelToZoom(int level) { return 25 * level; }
    // The slider's level, or the automatic one when the slider was never used (-1).
    int EffectiveDetailLevel() const {
        return m_nDetailOverride != -1 ? m_nDetailOverride : GetDetailLevel();
    }
    void SetDetailOverride(int level) { m_nDetailOverride = level; }
    int DetailOverride() const { return m_nDetailOverride; }

private:
    IViewHost& m_host;
    ScrollLayer m_scroll;
    int m_nZoom = kInitialZoom;
    int m_nDetailOverride = -1;
    bool m_centred = false;
};
