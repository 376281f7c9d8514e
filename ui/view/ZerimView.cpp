#include "view/ZerimView.h"

#include "view/PaintPlan.h"

#include "shell/ZerimApp.h"
#include "data/ResourceIds.h"
#include "data/StringTable.h"
#include "data/Win1252.h"
#include "spells/SpellSearchDlg.h"

#include <QApplication>
#include <QPainter>
#include <QPaintEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QStyle>

namespace {

QRect ToQRect(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QString NameOf(const CPlace& place) {
    return QString::fromStdString(Win1252ToUtf8(place.m_strName));
}

const QColor kMarkerRed(255, 0, 0);
const QColor kLabelWhite(255, 255, 255);
const QColor kLabelGreen(0, 255, 0);

}  // namespace

CZerimView::CZerimView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);  // for the hover read-out
    m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_fontNormal = QApplication::font();
    m_fontBold = m_fontNormal;
    m_fontBold.setWeight(QFont::Bold);
}

void CZerimView::SearchPlaces(const QString& text) {
    m_overlay.SearchPlaces(App().m_places, text.toStdString());
}

void CZerimView::OnSpellSearch() { RunSpellSearch(window()); }

void CZerimView::SetDetailLevel(int level) {
    m_geometry.SetDetailOverride(level);
    viewport()->update();
}

// --- geometry host -------------------------------------------------------

CSize CZerimView::PictureSize() { return App().EnsureLoaded()->GetPixelSize(); }

void CZerimView::ZoomChanged(int zoom) {
    const std::string suffix = LoadString(ResId::IDS_ZOOM_SUFFIX);  // " (Zoom %d%%)"
    const QString title = QString::fromStdString(LoadString(ResId::IDS_PRODUCT_TITLE)) +
                          QString::fromStdString(suffix).replace("%d", QString::number(zoom)).replace("%%", "%");
    window()->setWindowTitle(title);
}

void CZerimView::ScrollSizesChanged() {
    SyncScrollBars();
    viewport()->update();
}

void CZerimView::RedrawNow() {
    SyncScrollBars();
    viewport()->repaint();
}

void CZerimView::FocusMainWindow() {
    // While a finder is open over the map it keeps the keyboard.
    if (QApplication::activeModalWidget()) return;
    window()->activateWindow();
    window()->setFocus();
}

// The bars show what the scroll layer decided: an axis has a bar exactly
// when its range is not empty, which is when the scroll area shows one.
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
}

// --- events --------------------------------------------------------------

void CZerimView::resizeEvent(QResizeEvent*) {
    // The whole widget is the area; the layer decides where bars go.
    m_geometry.Resize({width(), height()}, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    SyncScrollBars();
}

void CZerimView::scrollContentsBy(int, int) {
    if (m_syncing) return;
    m_geometry.ScrollTo({horizontalScrollBar()->value(), verticalScrollBar()->value()});
    viewport()->update();
}

// --- pointer -------------------------------------------------------------

namespace {
CPoint ClientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}
}  // namespace

void CZerimView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pointer.Press(ClientPoint(event));
    } else if (event->button() == Qt::RightButton) {
        m_band->hide();
        Carry(m_pointer.RightPress(ClientPoint(event)));
    }
}

void CZerimView::mouseMoveEvent(QMouseEvent* event) {
    if (m_pointer.Pressing()) {
        if (m_pointer.Move(ClientPoint(event))) ShowBand();
        return;  // the read-out does not change during a press
    }
    UpdateHover(ClientPoint(event));
}

void CZerimView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pointer.Pressing()) return;
    m_band->hide();
    Carry(m_pointer.Release(ClientPoint(event)));
}

void CZerimView::wheelEvent(QWheelEvent* event) {
    // One line a notch, whatever the size of the turn.
    const int line = m_geometry.Scroll().Line().cy;
    const CPoint pos = m_geometry.GetScrollOffset();
    m_geometry.ScrollTo({pos.x, event->angleDelta().y() > 0 ? pos.y - line : pos.y + line});
    SyncScrollBars();
    viewport()->update();
    event->accept();
}

// Another window taking the pointer ends the press: the band goes, no zoom.
bool CZerimView::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) EndPress();
    return QAbstractScrollArea::event(event);
}

void CZerimView::EndPress() {
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

void CZerimView::UpdateHover(CPoint client) {
    const CPlace* hovered = m_overlay.HitTest(App().m_places, client);
    if (hovered == m_pHoverPlace) return;  // the same place: the status bar is left alone
    m_pHoverPlace = hovered;
    if (m_writeStatus) m_writeStatus(QString::fromStdString(Win1252ToUtf8(HoverText(hovered))));
}

// --- painting ------------------------------------------------------------

void CZerimView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect u = event->rect();
    const CRect update{u.left(), u.top(), u.right() + 1, u.bottom() + 1};
    for (const CRect& fill : MarginFills(update, m_geometry.GetImageRect()))
        painter.fillRect(ToQRect(fill), Qt::black);

    const CMapPicture& picture = *App().EnsureLoaded();
    if (picture.IsEmpty()) {
        if (m_onMapPainted) std::exchange(m_onMapPainted, nullptr)();  // all there will be
        return;
    }
    const auto draw = PlanPictureDraw(m_geometry, update, picture.GetPixelSize(), g_bWholePicture);
    if (draw) DrawPicture(painter, picture, *draw);
    DrawPlaces(painter, update);
    if (draw && m_onMapPainted) std::exchange(m_onMapPainted, nullptr)();
}

// Reduced zooms that fall between two halved copies are drawn once into a
// copy of the whole picture at that zoom, then copied from: a frame is then
// a plain copy. Kept only while the copy is small (a few megapixels).
const QImage* CZerimView::ZoomedPicture(const CMapPicture& picture) {
    constexpr qint64 kMaxPixels = 4'000'000;
    const CRect image = m_geometry.GetImageRect();
    const double scale = m_geometry.Zoom() / 100.0;
    // A tiny picture can shrink to nothing at a low zoom: there is nothing
    // to copy from then.
    if (g_bWholePicture || devicePixelRatioF() != 1.0 || image.IsRectEmpty() ||
        qint64(image.right) * image.bottom > kMaxPixels || !picture.ReductionIsCostly(scale)) {
        m_zoomed = {};
        return nullptr;
    }
    if (m_zoomed.zoom != m_geometry.Zoom() || m_zoomed.generation != picture.Generation()) {
        m_zoomed.image = QImage(image.right, image.bottom, QImage::Format_RGB32);
        QPainter zoomed(&m_zoomed.image);
        const CSize size = picture.GetPixelSize();
        picture.Render(zoomed, image, {0, 0, size.cx, size.cy});
        m_zoomed.zoom = m_geometry.Zoom();
        m_zoomed.generation = picture.Generation();
    }
    return &m_zoomed.image;
}

void CZerimView::DrawPicture(QPainter& painter, const CMapPicture& picture, const PictureDraw& draw) {
    if (const QImage* zoomed = ZoomedPicture(picture)) {
        const CPoint scroll = m_geometry.GetScrollOffset();
        const CRect& d = draw.dest;
        painter.drawImage(QPoint(d.left, d.top), *zoomed, QRect(d.left + scroll.x, d.top + scroll.y, d.Width(), d.Height()));
        return;
    }
    picture.Render(painter, draw.dest, draw.source);
}

// --- places --------------------------------------------------------------

const QFont& CZerimView::FontOf(const CPlace& place) const {
    return place.m_nLevel == 0 ? m_fontBold : m_fontNormal;
}

void CZerimView::MeasureLabel(CPlace& place) const {
    const QFontMetrics metrics(FontOf(place));
    place.m_rcLabel = {0, 0, metrics.horizontalAdvance(NameOf(place)), metrics.height()};
}

const QPixmap& CZerimView::LabelImage(const CPlace& place, bool highlighted) {
    LabelImages& images = m_labels[&place];
    QPixmap& image = highlighted ? images.highlighted : images.normal;
    if (!image.isNull()) return image;
    const qreal ratio = devicePixelRatioF();
    const CRect& size = place.m_rcLabel;
    image = QPixmap(QSize(qCeil(size.Width() * ratio), qCeil(size.Height() * ratio)));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(FontOf(place));
    painter.setPen(highlighted ? kLabelGreen : kLabelWhite);
    painter.drawText(QPointF(0, QFontMetricsF(FontOf(place)).ascent()), NameOf(place));
    return image;
}

void CZerimView::DrawPlaces(QPainter& painter, const CRect& update) {
    painter.setPen(QPen(kMarkerRed, 0));
    painter.setBrush(Qt::NoBrush);
    for (CPlace* place : App().m_places) {
        if (!place || !m_overlay.IsPlaceVisible(place)) continue;
        if (place->m_rcLabel.IsRectEmpty()) MeasureLabel(*place);
        CRect marker, label;
        m_overlay.GetPlaceRects(*place, marker, label);
        if (Intersects(marker, update))
            painter.drawRect(QRect(marker.left, marker.top, marker.Width() - 1, marker.Height() - 1));
        if (!label.IsRectEmpty() && Intersects(label, update))
            painter.drawPixmap(label.left, label.top, LabelImage(*place, m_overlay.IsHighlighted(place)));
    }
}
