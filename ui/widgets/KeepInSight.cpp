#include "widgets/KeepInSight.h"

#include "view/DialogPlacement.h"

#include <QScreen>
#include <QWidget>

namespace {

constexpr int kMarkerMargin = 12;  // room for the eye around the marker

CRect ToCRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

void MoveAsideOf(QWidget* window, const QRect& marker) {
    QScreen* screen = window->screen();
    if (!screen) return;
    // The frame, title bar included, is what hides the map.
    const QRect frame = window->frameGeometry();
    const auto to = PlaceAsideOf(ToCRect(frame), ToCRect(marker), ToCRect(screen->availableGeometry()), kMarkerMargin);
    if (to) window->move(to->x, to->y);  // a window's position is its frame's
}

void KeepPlaceInSight(QWidget* window, const MarkerLocator& locate, int placeIndex) {
    if (!locate) return;
    if (const std::optional<QRect> marker = locate(placeIndex)) MoveAsideOf(window, *marker);
}
