// The map view: a scrolling window onto the map picture at a variable zoom,
// with the visible places drawn over it. The geometry, the visibility and the
// search live in the core (ViewGeometry, CPlaceOverlay); this widget forwards
// events to them and paints what they compute.
#pragma once
#include "view/PaintPlan.h"
#include "view/PlaceOverlay.h"
#include "view/PointerTracker.h"
#include "view/ViewGeometry.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QImage>
#include <QPixmap>

#include <functional>
#include <unordered_map>

class CMapPicture;
class QRubberBand;

class CZerimView : public QAbstractScrollArea, private IViewHost {
    Q_OBJECT
public:
    explicit CZerimView(QWidget* parent = nullptr);

    ViewGeometry& Geometry() { return m_geometry; }
    const ViewGeometry& Geometry() const { return m_geometry; }
    CPlaceOverlay& Places() { return m_overlay; }

    void SetZoom(int zoom) { m_geometry.SetZoom(zoom); }
    int Zoom() const { return m_geometry.Zoom(); }
    void HighlightOne(CPlace* place) { m_overlay.HighlightOne(place); }
    // Searches the places for `text` (the place bar's text).
    void SearchPlaces(const QString& text);
    // -1 for automatic; repaints later, not at once.
    void SetDetailLevel(int level);
    // Where the hover read-out goes (the status bar's message pane).
    void SetStatusWriter(std::function<void(const QString&)> writer) { m_writeStatus = std::move(writer); }
    const CPlace* HoveredPlace() const { return m_pHoverPlace; }
    // Runs once, at the end of the first paint that drew the picture (or of
    // the first paint at all, without a picture).
    void OnFirstMapPainted(std::function<void()> then) { m_onMapPainted = std::move(then); }

public slots:
    void OnZoomIn() { m_geometry.ZoomAroundCentre(true); }
    void OnZoomOut() { m_geometry.ZoomAroundCentre(false); }
    void OnSpellSearch();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    // IViewHost
    CSize PictureSize() override;
    void ZoomChanged(int zoom) override;
    void ScrollSizesChanged() override;
    void RedrawNow() override;
    void FocusMainWindow() override;

    void SyncScrollBars();
    void Carry(const PointerTracker::Outcome& outcome);
    void ShowBand();
    void EndPress();
    void UpdateHover(CPoint client);
    void DrawPlaces(QPainter& painter, const CRect& update);
    void DrawPicture(QPainter& painter, const CMapPicture& picture, const PictureDraw& draw);
    const QImage* ZoomedPicture(const CMapPicture& picture);
    const QFont& FontOf(const CPlace& place) const;
    void MeasureLabel(CPlace& place) const;
    const QPixmap& LabelImage(const CPlace& place, bool highlighted);

    ViewGeometry m_geometry{*this};
    CPlaceOverlay m_overlay{m_geometry, *this};
    QFont m_fontNormal;
    QFont m_fontBold;
    bool m_syncing = false;
    PointerTracker m_pointer;
    QRubberBand* m_band = nullptr;
    const CPlace* m_pHoverPlace = nullptr;
    std::function<void(const QString&)> m_writeStatus;
    std::function<void()> m_onMapPainted;
    // A place's label never changes but for its colour: both renderings are
    // kept, made on first use.
    struct LabelImages {
        QPixmap normal, highlighted;
    };
    std::unordered_map<const CPlace*, LabelImages> m_labels;
    // The whole picture drawn at the current zoom, kept while it is small and
    // drawing it afresh would mean a costly reduction at every frame.
    struct ZoomedPictureCache {
        QImage image;
        int zoom = 0, generation = -1;
    } m_zoomed;
};
