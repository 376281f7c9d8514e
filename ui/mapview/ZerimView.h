// The map view: a scrolling window onto the map picture at a variable zoom,
// with the visible places drawn over it. The geometry, the visibility and the
// search live in the core (ViewGeometry, CPlaceOverlay), the drawing in
// MapRenderer; this widget forwards events to them and paints through it.
#pragma once
#include "journeys/Measure.h"
#include "render/MapRenderer.h"
#include "view/PlaceOverlay.h"
#include "view/PlaceWalk.h"
#include "view/PointerTracker.h"
#include "view/ViewGeometry.h"

#include <QAbstractScrollArea>

#include <functional>
#include <optional>
#include <utility>

class CMapPicture;
class CNotesOnMap;
class QRubberBand;

class CZerimView : public QAbstractScrollArea, private IViewHost {
    Q_OBJECT
public:
    // `places` is the world's table, read in index order; `ensurePicture`
    // gives the map picture, loading the world's data on its first call.
    // Both must outlive the view.
    CZerimView(const CPlaceArray& places, std::function<CMapPicture*()> ensurePicture,
               QWidget* parent = nullptr);

    ViewGeometry& Geometry() { return m_geometry; }
    const ViewGeometry& Geometry() const { return m_geometry; }
    CPlaceOverlay& Places() { return m_overlay; }
    const MapRenderer& Renderer() const { return m_renderer; }
    // The world's places, in index order, as the view draws them.
    const CPlaceArray& PlaceTable() const { return m_places; }
    // The picture the view shows (null before the world is loaded).
    const CMapPicture* CurrentPicture() const { return m_ensurePicture(); }

    void SetZoom(int zoom) { m_geometry.SetZoom(zoom); }
    int Zoom() const { return m_geometry.Zoom(); }
    void HighlightOne(CPlace* place) { m_overlay.HighlightOne(place); }
    // Searches the places for `text` (the place bar's text); gives how many
    // were found.
    int SearchPlaces(const QString& text);
    // -1 for automatic; repaints later, not at once.
    void SetDetailLevel(int level);
    // Whole-picture mode (off by default): see MapRenderer.
    void SetWholePicture(bool on);
    // The player's choices of look (see MapLook); repaints later.
    void SetLook(const MapLook& look);
    // Told every look set, whoever set it (the legend shows its markers).
    void OnLookChanged(std::function<void(const MapLook&)> changed) { m_lookChanged = std::move(changed); }
    const MapLook& Look() const { return m_renderer.Look(); }
    // Where the hover read-out goes (the status bar's message pane).
    void SetStatusWriter(std::function<void(const QString&)> writer) { m_writeStatus = std::move(writer); }
    const CPlace* HoveredPlace() const { return m_pHoverPlace; }
    // The place whose marker or label is at the client point, as drawn.
    CPlace* PlaceAt(CPoint client);
    // The place the commands on a place act on: the hovered one, else the
    // one with the keyboard's focus.
    const CPlace* PointedPlace() const { return m_pHoverPlace ? m_pHoverPlace : FocusedPlace(); }
    // Runs once, at the end of the first paint that drew the picture (or of
    // the first paint at all, without a picture).
    void OnFirstMapPainted(std::function<void()> then) { m_onMapPainted = std::move(then); }
    // Measures every label, shown or not (see MapRenderer::MeasureLabels).
    void MeasureLabels() { m_renderer.MeasureLabels(); }
    // Makes the labels of what the view shows before it is painted (see
    // MapRenderer::PrepareLabels).
    void PrepareLabels() {
        const QRect r = viewport()->rect();
        m_renderer.PrepareLabels({r.left(), r.top(), r.right() + 1, r.bottom() + 1}, viewport()->devicePixelRatioF());
    }

    // Makes every label not made yet, a slice at a time between events (see
    // MapRenderer::MakeLabelsAhead); the start-up asks once the full picture
    // is on screen. A second call while it runs does nothing.
    void MakeLabelsAhead();
    bool MakingLabelsAhead() const { return m_makingLabelsAhead; }

    // The player's journeys over the map (see CJourneyLayer): each tool
    // replaces its own part; repaints later.
    void SetJourney(JourneyPart part, CJourneyLayer layer);
    const CJourneyLayers& Journeys() const { return m_journeys; }

    // ZerimViewNotes.cpp: the player's layer over the map.
    // Draws `notes` with the places (null: none); it must outlive the view
    // or be unset. NotesChanged repaints after it changed.
    void SetNotes(CNotesOnMap* notes);
    const CNotesOnMap* Notes() const { return m_notes; }
    void NotesChanged();
    // The world point under a client point of the map.
    CPoint WorldAt(CPoint client) const;
    // Where the pointer rests over the map, if it does.
    std::optional<CPoint> PointerAt() const { return m_pointerAt; }
    // The pin (index in the layer's pins) whose head is at a client point, or -1.
    int PinAt(CPoint client) const;
    // What runs when the notes menu is asked for at a client point with a
    // Ctrl+right click (a plain right click still zooms out).
    void OnNotesMenu(std::function<void(CPoint client)> open) { m_openNotesMenu = std::move(open); }
    // What runs when a pin dragged with Ctrl held is dropped: its index
    // and its new world point.
    void OnPinMoved(std::function<void(int pin, CPoint world)> moved) { m_pinMoved = std::move(moved); }

    // ZerimViewMeasure.cpp: the measuring tool. While it is on, a Shift+left
    // click on the picture (or Enter, on the place chosen from the keyboard)
    // adds a point, Backspace takes the last one back and Escape ends it;
    // the legs and their lengths show on the map and in the status bar. Lengths read in leagues with `scale`, else in
    // world units; `notice` (may be empty) follows the first sentence.
    void StartMeasuring(std::optional<CRoadScale> scale, const QString& notice);
    // Takes the drawing away and gives the status bar back to the read-out.
    void EndMeasuring();
    bool Measuring() const { return m_measure.has_value(); }
    // Told when the tool ends from the map (Escape), so that its command
    // can follow.
    void OnMeasureEnded(std::function<void()> ended) { m_measureEnded = std::move(ended); }

    // ZerimViewKeyboard.cpp: walking the places from the keyboard.
    // The focus ring goes to the nearest shown place in `direction` from the
    // focused place (from the middle of the view when none is), the view
    // scrolling to keep it in sight; when no place lies that way the focus
    // stays and the status bar says so.
    void WalkPlaces(WalkDirection direction);
    // The focus goes to the next (or previous) found place, wrapping.
    void FocusNextFound(bool backwards);
    void ClearPlaceFocus() { SetFocusedPlace(nullptr); }
    // The place with the keyboard's focus, while the view shows it.
    const CPlace* FocusedPlace() const;
    // What assistive technology reads of the view beyond its name: the zoom
    // and the focused place.
    QString AccessibleState() const;

public slots:
    void OnZoomIn() { m_geometry.ZoomAroundCentre(true); }
    void OnZoomOut() { m_geometry.ZoomAroundCentre(false); }
    // 100 %, about the centre of the view.
    void OnActualSize();
    // The whole picture in the window.
    void OnFitWindow();
    // The picture's top left or bottom right corner.
    void OnTopLeft() { ScrollToPosition({0, 0}); }
    void OnBottomRight();
    // Puts the picture pixel `centre` in the middle of the view, as far as
    // the scroll limits allow.
    void CenterOnPicture(CPoint centre);
    // Puts the picture pixel `centre` as near the middle of the view as the
    // scroll limits allow: near an edge, that edge shows.
    void MoveCentreTo(CPoint centre);
    // Zooms and scrolls so that a journey shows whole with `margin` pixels
    // clear around it: out as far as it needs, in no closer than `closest`
    // (see ZoomShowing). False for an empty journey or without a picture.
    bool ShowJourney(const CJourneyLayer& layer, int margin, int closest);

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // IViewHost
    CSize PictureSize() override;
    void ZoomChanged(int zoom) override;
    void ScrollSizesChanged() override;
    void RedrawNow() override;
    void FocusMainWindow() override;

    void SyncScrollBars();
    void MakeLabelsAheadSlice();
    void FollowSize();
    void Carry(const PointerTracker::Outcome& outcome);
    void ShowBand();
    void EndPress();
    void RefreshHover();
    void SetHovered(const CPlace* hovered);
    void ScrollToPosition(CPoint position);
    void ScrollOneLine(bool horizontal, bool back);
    void PanTo(QPoint pointer);
    CSize WalkPlane();
    void SetFocusedPlace(const CPlace* place);
    void KeepInSight(const CPlace& place);
    void AnnounceState();
    bool PressForNotes(const QMouseEvent* event);
    bool MoveForNotes(const QMouseEvent* event);
    bool ReleaseForNotes(const QMouseEvent* event);
    bool PressForMeasure(const QMouseEvent* event);
    bool KeyForMeasure(const QKeyEvent* event);
    void ShowMeasure(const QString& said = {});
    QString MeasureSentence() const;

    const CPlaceArray& m_places;
    std::function<CMapPicture*()> m_ensurePicture;
    ViewGeometry m_geometry{*this};
    CPlaceOverlay m_overlay{m_geometry, *this};
    MapRenderer m_renderer;
    bool m_syncing = false;
    bool m_makingLabelsAhead = false;
    PointerTracker m_pointer;
    QRubberBand* m_band = nullptr;
    // A middle-button pan: where it started, and the scroll position then.
    std::optional<std::pair<QPoint, CPoint>> m_pan;
    const CPlace* m_pHoverPlace = nullptr;
    const CPlace* m_pFocusPlace = nullptr;  // the keyboard's, shown or not
    // Where the pointer last moved over the map; nothing once it has left.
    std::optional<CPoint> m_pointerAt;
    std::function<void(const QString&)> m_writeStatus;
    std::function<void()> m_onMapPainted;
    std::function<void(const MapLook&)> m_lookChanged;
    CNotesOnMap* m_notes = nullptr;
    CJourneyLayers m_journeys;
    std::function<void(CPoint)> m_openNotesMenu;
    std::function<void(int, CPoint)> m_pinMoved;
    // A pin being dragged: its index, and where it was before.
    std::optional<std::pair<int, CPoint>> m_pinDrag;
    std::optional<CMeasure> m_measure;  // while the measuring tool is on
    std::function<void()> m_measureEnded;
};
