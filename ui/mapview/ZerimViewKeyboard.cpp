// The map view's keyboard focus on a place: walking from place to place,
// the focus ring the renderer draws, the read-out in the status bar and
// what assistive technology is told of it.
#include "mapview/ZerimView.h"
#include "data/PlaceKinds.h"

#include "render/MapPicture.h"

#include "text/Text.h"

#include <QAccessible>
#include <QKeyEvent>

#include <algorithm>

namespace {
// The margin a focused place keeps from the view's edges before the view
// scrolls to it: its ring and the start of its label stay in sight.
constexpr int kSightMargin = 32;

const char* TowardsText(WalkDirection direction) {
    switch (direction) {
    case WalkDirection::Left:
        return "vers la gauche";
    case WalkDirection::Right:
        return "vers la droite";
    case WalkDirection::Up:
        return "vers le haut";
    case WalkDirection::Down:
        return "vers le bas";
    }
    return "";
}

// What a place's kind is called where it is read out.
QString KindName(const CPlace& place) { return QString::fromStdString(PlaceKindName(place.m_nType)); }
}  // namespace

const CPlace* CZerimView::FocusedPlace() const {
    return m_pFocusPlace && m_overlay.IsPlaceVisible(m_pFocusPlace) ? m_pFocusPlace : nullptr;
}

// The walk measures in the picture's own pixels, whatever the zoom, so that
// places a pixel apart at a small zoom are still apart.
CSize CZerimView::WalkPlane() {
    const CSize picture = PictureSize();
    if (picture.cx > 0 && picture.cy > 0) return picture;
    const CRect span = ViewGeometry::WorldSpan();
    return {span.Width(), span.Height()};
}

// Every shown place, on screen or not, can take the focus: a player who
// cannot see the map walks it all without scrolling, the view following.
void CZerimView::WalkPlaces(WalkDirection direction) {
    const CSize plane = WalkPlane();
    const CPlace* focused = FocusedPlace();
    const CPoint from = focused ? PlaceInPlane(*focused, plane) : m_geometry.MapToPicture(m_geometry.ClientCentre());
    const int next = NearestPlace(
        m_places, plane, [this](const CPlace& p) { return m_overlay.IsPlaceVisible(&p); }, from, focused, direction);
    if (next < 0) {
        if (m_writeStatus)
            m_writeStatus(QString::fromUtf8("Aucun lieu visible %1").arg(QString::fromUtf8(TowardsText(direction))));
        return;
    }
    SetFocusedPlace(m_places[next]);
}

void CZerimView::FocusNextFound(bool backwards) {
    const CPlace* next = NextFound(m_overlay.Highlight(), FocusedPlace(), backwards);
    if (!next) {
        if (m_writeStatus) m_writeStatus(QString::fromUtf8("Aucun lieu trouvé à parcourir"));
        return;
    }
    SetFocusedPlace(next);
}

void CZerimView::SetFocusedPlace(const CPlace* place) {
    m_pFocusPlace = place;
    m_renderer.SetFocusRing(place);
    if (place) {
        KeepInSight(*place);
        if (!hasFocus()) setFocus(Qt::ShortcutFocusReason);
    }
    viewport()->update();
    if (m_writeStatus) m_writeStatus(ShownName(HoverText(place)));
    AnnounceState();
}

void CZerimView::KeepInSight(const CPlace& place) {
    const CPoint map = m_geometry.WorldToMap({place.m_x, place.m_y});
    const CPoint scroll = m_geometry.GetScrollOffset();
    const CSize client = m_geometry.ClientSize();
    const int x = map.x - scroll.x, y = map.y - scroll.y;
    const int margin = std::min({kSightMargin, client.cx / 4, client.cy / 4});
    if (x >= margin && y >= margin && x < client.cx - margin && y < client.cy - margin) return;
    m_geometry.CenterOn(map.x, map.y, false);
    SyncScrollBars();
    RefreshHover();
}

QString CZerimView::AccessibleState() const {
    QString state = QString::fromUtf8("Zoom %1 %").arg(m_geometry.Zoom());
    const CPlace* place = FocusedPlace();
    if (!place)
        state += QString::fromUtf8(" ; aucun lieu choisi (Alt+flèches pour parcourir les lieux)");
    else
        state += QString::fromUtf8(" ; lieu : %1, %2, %3")
                     .arg(ShownName(place->m_strName), KindName(*place),
                          QString::fromUtf8(m_overlay.IsHighlighted(place) ? "trouvé" : "non trouvé"));
    // A measure under way is read out too: without a mouse, the way to follow it.
    return m_measure ? state + " ; " + MeasureSentence() : state;
}

// A screen reader hears the new state where the view has the focus.
void CZerimView::AnnounceState() {
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

// Escape ends a measure, else lets go of the focused place; the arrows
// keep scrolling.
void CZerimView::keyPressEvent(QKeyEvent* event) {
    if (KeyForMeasure(event)) return;
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_pFocusPlace) {
        ClearPlaceFocus();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
