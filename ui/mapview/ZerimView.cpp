#include "mapview/ZerimView.h"

#include "journeys/PlaceRoute.h"
#include "view/ZoomShowing.h"

#include "mapview/MapAccessible.h"
#include "render/MapPicture.h"
#include "view/OverviewMap.h"

#include "data/ResourceIds.h"
#include "data/StringTable.h"
#include "text/Text.h"

#include <QApplication>
#include <QPainter>
#include <QPaintEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <cstdlib>
#include <utility>

namespace {
QRect ToQRect(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The scroll area's own construction already asks for the view's accessible
// interface: the map's must be known before it.
QWidget* WithMapAccessible(QWidget* parent) {
    InstallMapAccessible();
    return parent;
}
}  // namespace

CZerimView::CZerimView(const CPlaceArray& places, std::function<CMapPicture*()> ensurePicture, QWidget* parent)
    : QAbstractScrollArea(WithMapAccessible(parent)),
      m_places(places),
      m_ensurePicture(std::move(ensurePicture)),
      m_renderer(m_geometry, m_overlay, places, QApplication::font()) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);  // for the hover read-out
    m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
    setAccessibleName(QStringLiteral("Carte"));
    m_renderer.SetJourneys(&m_journeys);
}

void CZerimView::SetJourney(JourneyPart part, CJourneyLayer layer) {
    m_journeys[size_t(part)] = std::move(layer);
    viewport()->update();
}

int CZerimView::SearchPlaces(const QString& text) {
    m_overlay.SearchPlaces(m_places, text.toStdString());
    return m_overlay.Highlight().GetSize();
}

void CZerimView::OnActualSize() {
    const CSize client = m_geometry.ClientSize();
    m_geometry.ZoomKeepingPoint(client.cx / 2, client.cy / 2, 100);
}

void CZerimView::OnFitWindow() {
    m_geometry.ZoomKeepingPoint(0, 0, m_geometry.FitZoom());
    ScrollToPosition({0, 0});
}

void CZerimView::OnBottomRight() {
    ScrollToPosition({m_geometry.Scroll().MaxPosition(ScrollLayer::Horizontal),
                      m_geometry.Scroll().MaxPosition(ScrollLayer::Vertical)});
}

void CZerimView::CenterOnPicture(CPoint centre) {
    m_geometry.CenterOn(centre.x, centre.y, true);
    SyncScrollBars();
    viewport()->update();
    RefreshHover();
}

void CZerimView::MoveCentreTo(CPoint centre) { ScrollToPosition(PositionCentring(m_geometry, centre)); }

bool CZerimView::ShowJourney(const CJourneyLayer& layer, int margin, int closest) {
    const CMapPicture* picture = CurrentPicture();
    if (layer.Empty() || !picture) return false;
    const CWorldBox box = JourneyBounds(layer);
    const CSize pixels = picture->GetPixelSize();
    // World y grows northwards, picture rows southwards.
    const CPoint topLeft = ViewGeometry::WorldToPixels({box.left, box.top}, pixels);
    const CPoint bottomRight = ViewGeometry::WorldToPixels({box.right, box.bottom}, pixels);
    const CRect shown{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    SetZoom(ZoomShowing(shown, m_geometry.ClientSize(), Zoom(), margin, closest));
    MoveCentreTo({(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2});
    return true;
}

void CZerimView::ScrollToPosition(CPoint position) {
    m_geometry.ScrollTo(position);
    SyncScrollBars();
    viewport()->update();
    RefreshHover();
}

void CZerimView::SetWholePicture(bool on) {
    m_renderer.SetWholePicture(on);
    viewport()->update();
}

void CZerimView::SetLook(const MapLook& look) {
    m_renderer.SetLook(look);
    m_geometry.SetCentred(look.centred);  // the picture may move under the pointer
    m_overlay.SetHiddenKinds(look.hiddenKinds);
    viewport()->update();
    RefreshHover();
    if (m_lookChanged) m_lookChanged(look);
}

void CZerimView::SetDetailLevel(int level) {
    m_geometry.SetDetailOverride(level);
    viewport()->update();
}

// --- geometry host -------------------------------------------------------

CSize CZerimView::PictureSize() {
    const CMapPicture* picture = m_ensurePicture();
    return picture ? picture->GetPixelSize() : CSize{};
}

void CZerimView::ZoomChanged(int zoom) {
    const std::string suffix = LoadString(ResId::IDS_ZOOM_SUFFIX);  // " (Zoom %d%%)"
    const QString title = QString::fromStdString(LoadString(ResId::IDS_PRODUCT_TITLE)) +
                          QString::fromStdString(suffix).replace("%d", QString::number(zoom)).replace("%%", "%");
    window()->setWindowTitle(title);
    AnnounceState();
}

void CZerimView::ScrollSizesChanged() {
    SyncScrollBars();
    viewport()->update();
}

// After every zoom and every change of what is lit: the labels are measured
// by the paint, then the place under the pointer is found again.
void CZerimView::RedrawNow() {
    SyncScrollBars();
    viewport()->repaint();
    RefreshHover();
}

void CZerimView::FocusMainWindow() {
    // While a finder is open over the map it keeps the keyboard.
    if (QApplication::activeModalWidget()) return;
    window()->activateWindow();
    window()->setFocus();
}

namespace {

// The scroll area shows or hides a bar for a new range a turn of the event
// loop later, after a paint with the old bars (at start-up, a bar over the
// first frame that goes at once). A policy set takes effect now.
void ShowBarNow(QAbstractScrollArea& area, Qt::Orientation axis, bool shown) {
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (axis == Qt::Horizontal && area.horizontalScrollBarPolicy() != policy)
        area.setHorizontalScrollBarPolicy(policy);
    if (axis == Qt::Vertical && area.verticalScrollBarPolicy() != policy) area.setVerticalScrollBarPolicy(policy);
}

}  // namespace

// The bars show what the scroll layer decided: an axis has a bar exactly
// when its range is not empty.
void CZerimView::SyncScrollBars() {
    m_syncing = true;
    const ScrollLayer& layer = m_geometry.Scroll();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, layer.MaxPosition(ScrollLayer::Horizontal));
    v->setRange(0, layer.MaxPosition(ScrollLayer::Vertical));
    h->setPageStep(std::max(1, layer.Page().cx));
    v->setPageStep(std::max(1, layer.Page().cy));
    h->setSingleStep(std::max(1, layer.Line().cx));
    v->setSingleStep(std::max(1, layer.Line().cy));
    h->setValue(layer.Position().x);
    v->setValue(layer.Position().y);
    m_syncing = false;
    ShowBarNow(*this, Qt::Horizontal, h->maximum() > 0);
    ShowBarNow(*this, Qt::Vertical, v->maximum() > 0);
}

// --- events --------------------------------------------------------------

// The whole widget is the area; the layer decides where bars go. (A bar
// shown or hidden resizes the viewport only: nothing to follow.)
void CZerimView::FollowSize() {
    m_geometry.Resize({width(), height()}, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    SyncScrollBars();
    RefreshHover();
}

void CZerimView::scrollContentsBy(int, int) {
    if (m_syncing) return;
    m_geometry.ScrollTo({horizontalScrollBar()->value(), verticalScrollBar()->value()});
    viewport()->update();
    RefreshHover();
}

// --- pointer -------------------------------------------------------------

namespace {
CPoint ClientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}
}  // namespace

void CZerimView::mousePressEvent(QMouseEvent* event) {
    if (PressForNotes(event) || PressForMeasure(event)) return;
    if (event->button() == Qt::MiddleButton && !m_pointer.Pressing()) {
        m_pan.emplace(event->position().toPoint(), m_geometry.Scroll().Position());
        viewport()->setCursor(Qt::ClosedHandCursor);
    } else if (m_pan) {
        return;  // the other buttons wait for the pan to end
    } else if (event->button() == Qt::LeftButton) {
        m_pointer.Press(ClientPoint(event));
    } else if (event->button() == Qt::RightButton) {
        m_band->hide();
        Carry(m_pointer.RightPress(ClientPoint(event)));
    }
}

void CZerimView::mouseMoveEvent(QMouseEvent* event) {
    m_pointerAt = ClientPoint(event);
    if (MoveForNotes(event)) return;
    if (m_pan) return PanTo(event->position().toPoint());
    if (m_pointer.Pressing()) {
        if (m_pointer.Move(ClientPoint(event))) ShowBand();
        return;  // the read-out does not change during a press
    }
    RefreshHover();
}

void CZerimView::mouseReleaseEvent(QMouseEvent* event) {
    if (ReleaseForNotes(event)) return;
    if (event->button() == Qt::MiddleButton && m_pan) {
        m_pan.reset();
        viewport()->unsetCursor();
        return;
    }
    if (event->button() != Qt::LeftButton || !m_pointer.Pressing()) return;
    m_band->hide();
    Carry(m_pointer.Release(ClientPoint(event)));
}

// The map follows the pointer: the point grabbed stays under it.
void CZerimView::PanTo(QPoint pointer) {
    const QPoint moved = pointer - m_pan->first;
    ScrollToPosition({m_pan->second.x - moved.x(), m_pan->second.y - moved.y()});
}

// One line a notch, whatever the size of the turn. A sideways turn (or a
// turn with Shift) goes sideways, Ctrl zooms about the pointer by the
// buttons' steps; a plain turn scrolls up or down.
void CZerimView::wheelEvent(QWheelEvent* event) {
    event->accept();
    const QPoint delta = event->angleDelta();
    const bool sideways = std::abs(delta.x()) > std::abs(delta.y());
    const int turn = sideways ? delta.x() : delta.y();
    if (event->modifiers() & Qt::ControlModifier) {
        if (turn == 0) return;
        const QPoint at = event->position().toPoint();
        m_geometry.ZoomKeepingPoint(at.x(), at.y(), m_geometry.NextZoom(turn > 0));
        return;
    }
    ScrollOneLine(sideways || (event->modifiers() & Qt::ShiftModifier), turn > 0);
}

void CZerimView::ScrollOneLine(bool horizontal, bool back) {
    const CSize line = m_geometry.Scroll().Line();
    const int step = back ? -1 : 1;
    const CPoint pos = m_geometry.Scroll().Position();
    ScrollToPosition(horizontal ? CPoint{pos.x + step * line.cx, pos.y} : CPoint{pos.x, pos.y + step * line.cy});
}

// Another window taking the pointer ends the press: the band goes, no zoom.
bool CZerimView::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) EndPress();
    // The bars for the new size are decided before the area lays out its
    // children for it: laid out first, with the old bars, it would keep them.
    if (event->type() == QEvent::Resize) FollowSize();
    return QAbstractScrollArea::event(event);
}

void CZerimView::EndPress() {
    m_pan.reset();
    viewport()->unsetCursor();
    m_pointer.Abandon();
    m_band->hide();
}

void CZerimView::ShowBand() {
    if (const auto band = m_pointer.Band()) {
        m_band->setGeometry(ToQRect(*band));
        m_band->show();
    }
}

void CZerimView::Carry(const PointerTracker::Outcome& outcome) {
    switch (outcome.action) {
    case PointerTracker::Action::ZoomInAt:
        m_geometry.ZoomStep(outcome.point.x, outcome.point.y, true);
        break;
    case PointerTracker::Action::ZoomOutAt:
        m_geometry.ZoomStep(outcome.point.x, outcome.point.y, false);
        break;
    case PointerTracker::Action::ZoomToBand: {
        const CPoint scroll = m_geometry.GetScrollOffset();
        const CRect& b = outcome.band;
        m_geometry.ZoomToRect({b.left + scroll.x, b.top + scroll.y, b.right + scroll.x, b.bottom + scroll.y});
        break;
    }
    case PointerTracker::Action::None:
        break;
    }
}

// The map moves under a pointer that stays still: what it rests on is found
// again from where it is, and is nothing once it has left the map.
void CZerimView::RefreshHover() {
    if (m_pointer.Pressing()) return;
    const bool inside = m_pointerAt && viewport()->rect().contains(m_pointerAt->x, m_pointerAt->y);
    SetHovered(inside ? PlaceAt(*m_pointerAt) : nullptr);
}

CPlace* CZerimView::PlaceAt(CPoint client) {
    return m_overlay.HitTest(m_places, m_renderer.LabelSizes(), client, m_renderer.PlacedLabels());
}

bool CZerimView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        m_pointerAt.reset();
        RefreshHover();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CZerimView::SetHovered(const CPlace* hovered) {
    if (hovered == m_pHoverPlace) return;  // the same place: the status bar is left alone
    m_pHoverPlace = hovered;
    // Off the places, a measure under way has the status bar back.
    if (m_writeStatus) m_writeStatus(!hovered && m_measure ? MeasureSentence() : ShownName(HoverText(hovered)));
}

// --- painting ------------------------------------------------------------

void CZerimView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect u = event->rect();
    const CMapPicture* picture = m_ensurePicture();
    const bool drewPicture = m_renderer.Paint(painter, {u.left(), u.top(), u.right() + 1, u.bottom() + 1}, picture);
    // Without a picture the margins are all there will be.
    const bool mapShown = drewPicture || !picture || picture->IsEmpty();
    if (mapShown && m_onMapPainted) std::exchange(m_onMapPainted, nullptr)();
}

namespace {
// About a millisecond of labels a slice at ratio 1, two at ratio 2: input
// waits no longer than that.
constexpr int kLabelsASlice = 48;
// Far above the world's 863 labels (5 MB of images at ratio 1, 19 MB at
// ratio 2), but a table of tens of thousands of places does not fill memory
// with labels never seen.
constexpr size_t kLabelsAheadBytes = size_t(48) << 20;
}  // namespace

void CZerimView::MakeLabelsAhead() {
    if (m_makingLabelsAhead) return;
    m_makingLabelsAhead = true;
    MakeLabelsAheadSlice();
}

void CZerimView::MakeLabelsAheadSlice() {
    m_makingLabelsAhead =
        m_renderer.MakeLabelsAhead(viewport()->devicePixelRatioF(), kLabelsASlice, kLabelsAheadBytes);
    if (m_makingLabelsAhead) QTimer::singleShot(0, this, &CZerimView::MakeLabelsAheadSlice);
}
