#include "mapview/OverviewMap.h"

#include "mapview/ZerimView.h"
#include "render/MapPicture.h"
#include "render/MapRenderer.h"
#include "view/FixedPictureHost.h"
#include "view/MapPalette.h"
#include "view/OverviewMap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The ground around the picture, as around a centred map.
const QColor kGround(0x3c, 0x3c, 0x3c);
// Room kept around the picture, so the view's rectangle shows whole at
// the picture's edges.
constexpr int kInset = 3;

QRect ToQRect(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The whole picture at `size` device pixels: the map renderer draws it at
// the smallest zoom that covers the size, then it is scaled down smoothly,
// since the view's zoom stops at 10 %, larger than a dock.
QImage WholePicture(const CMapPicture& picture, QSize size) {
    const CSize pixels = picture.GetPixelSize();
    const double scale = std::max(double(size.width()) / pixels.cx, double(size.height()) / pixels.cy);
    CFixedPictureHost host(pixels);
    ViewGeometry geometry(host);
    geometry.SetZoom(int(std::ceil(scale * 100)));
    const CRect image = geometry.GetImageRect();
    geometry.Resize({image.right, image.bottom}, 0);
    CPlaceOverlay overlay(geometry, host);
    const CPlaceArray noPlaces;
    MapRenderer renderer(geometry, overlay, noPlaces, QGuiApplication::font());
    QImage drawn(image.right, image.bottom, QImage::Format_RGB32);
    {
        QPainter painter(&drawn);
        renderer.Paint(painter, image, &picture);
    }
    return drawn.size() == size ? drawn : drawn.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

COverviewMap::COverviewMap(CZerimView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(80, 80);
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a click leaves the keyboard where it was.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QString::fromUtf8("Vue d'ensemble"));
    setAccessibleDescription(QString::fromUtf8(
        "Toute la carte et le cadre de ce que montre la vue ; un clic ou un glissé y déplace la vue, "
        "les flèches et les touches page la font défiler"));
    m_view.viewport()->installEventFilter(this);
}

QSize COverviewMap::sizeHint() const { return {240, 270}; }

CRect COverviewMap::FittedPicture() const {
    const CMapPicture* picture = m_view.CurrentPicture();
    if (!picture || picture->IsEmpty()) return {};
    const CRect fitted = FitInto({width() - 2 * kInset, height() - 2 * kInset}, picture->GetPixelSize());
    return {fitted.left + kInset, fitted.top + kInset, fitted.right + kInset, fitted.bottom + kInset};
}

// At least a few pixels across, around its middle, so that a view far
// zoomed in still shows where it is.
CRect COverviewMap::ViewRectangle() const {
    const CMapPicture* picture = m_view.CurrentPicture();
    const CRect fitted = FittedPicture();
    if (fitted.IsRectEmpty()) return {};
    const CSize pixels = picture->GetPixelSize();
    CRect r = PictureToOverview(VisiblePicture(m_view.Geometry(), pixels), fitted, pixels);
    constexpr int kLeast = 5;
    if (r.Width() < kLeast) r.left = (r.left + r.right - kLeast) / 2, r.right = r.left + kLeast;
    if (r.Height() < kLeast) r.top = (r.top + r.bottom - kLeast) / 2, r.bottom = r.top + kLeast;
    return r;
}

COverviewMap::Seen COverviewMap::SeenNow() const {
    const ViewGeometry& geometry = m_view.Geometry();
    const CPlaceArray& found = m_view.Places().Highlight();
    Seen seen;
    seen.zoom = geometry.Zoom();
    seen.scroll = geometry.GetScrollOffset();
    seen.client = geometry.ClientSize();
    seen.picture = m_view.CurrentPicture();
    seen.generation = seen.picture ? seen.picture->Generation() : 0;
    seen.found.assign(found.begin(), found.end());
    seen.adaptedColours = m_view.Look().adaptedColours;
    return seen;
}

// The view paints after every change of what it shows: the overview
// repaints only when what it shows of the view changed.
bool COverviewMap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && isVisible() && !(SeenNow() == m_seen)) update();
    return QWidget::eventFilter(watched, event);
}

void COverviewMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kGround);
    m_seen = SeenNow();
    const CRect fitted = FittedPicture();
    if (fitted.IsRectEmpty()) return;
    painter.drawImage(QPoint(fitted.left, fitted.top), Picture(*m_view.CurrentPicture(), fitted, devicePixelRatioF()));
    // White within a dark edge: it reads on the sea and on snow alike.
    const QRect shown = ToQRect(ViewRectangle()).adjusted(0, 0, -1, -1);
    painter.setPen(QPen(QColor(0, 0, 0, 170), 3));
    painter.drawRect(shown);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(shown);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

// The picture is drawn again for a new size, picture or ratio; the found
// places are marked again on a copy of it when they change.
const QImage& COverviewMap::Picture(const CMapPicture& picture, const CRect& fitted, qreal ratio) {
    const QSize size(qRound(fitted.Width() * ratio), qRound(fitted.Height() * ratio));
    const bool redrawn = m_picture.size() != size || m_picture.devicePixelRatio() != ratio || m_drawnFrom != &picture ||
                         m_drawnGeneration != picture.Generation();
    if (redrawn) {
        m_picture = WholePicture(picture, size);
        m_picture.setDevicePixelRatio(ratio);
        m_drawnFrom = &picture;
        m_drawnGeneration = picture.Generation();
    }
    if (redrawn || m_markedFound != m_seen.found || m_markedAdapted != m_seen.adaptedColours) {
        m_markedFound = m_seen.found;
        m_markedAdapted = m_seen.adaptedColours;
        m_marked = m_picture;
        if (!m_markedFound.empty()) MarkFound(m_marked, fitted);
    }
    return m_marked;
}

// A found place is a dot of the found names' colour in a dark ring: its
// shape tells it from the picture as well as its colour does.
// (In the image's own units: it has the screen's pixel ratio.)
void COverviewMap::MarkFound(QImage& image, const CRect& fitted) const {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    const Rgb found = ColourOf(MapColour::FoundLabel, m_markedAdapted);
    painter.setBrush(QColor(found.r, found.g, found.b));
    for (const CPlace* place : m_markedFound) {
        const CPoint at = ViewGeometry::WorldToPixels({place->m_x, place->m_y}, {fitted.Width(), fitted.Height()});
        painter.drawEllipse(QPointF(at.x, at.y), 3, 3);
    }
}

void COverviewMap::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) CentreViewAt(event->position().toPoint());
}

void COverviewMap::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) CentreViewAt(event->position().toPoint());
}

// The view's own keys, handed to it: the scroll area moves by its line and
// page steps.
void COverviewMap::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        QCoreApplication::sendEvent(&m_view, event);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void COverviewMap::CentreViewAt(QPoint point) {
    const CMapPicture* picture = m_view.CurrentPicture();
    const CRect fitted = FittedPicture();
    if (fitted.IsRectEmpty()) return;
    m_view.MoveCentreTo(OverviewToPicture({point.x(), point.y()}, fitted, picture->GetPixelSize()));
}
