#include "startup/WindowRoom.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

void ShowWithinScreen(QWidget& window) {
    const QRect area = AvailableArea(window);
    if (area.isEmpty()) return window.show();
    window.resize(window.size().boundedTo(area.size()));
    // The offscreen platform keeps no size hints, and says so at each change.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return window.show();
    const QSize largest = window.maximumSize();
    window.setMaximumSize(largest.boundedTo(area.size()));
    window.show();
    window.setMaximumSize(largest);
}

void KeepFrameOnScreen(QWidget& window) {
    const QRect area = AvailableArea(window);
    const QRect frame = window.frameGeometry();
    if (area.isEmpty() || area.contains(frame)) return;
    const QSize decoration = frame.size() - window.size();
    window.resize(window.size().boundedTo(area.size() - decoration));
    // The frame's new size, moved as little as needed to fit.
    QRect moved(frame.topLeft(), window.size() + decoration);
    moved.moveLeft(qBound(area.left(), moved.left(), area.right() + 1 - moved.width()));
    moved.moveTop(qBound(area.top(), moved.top(), area.bottom() + 1 - moved.height()));
    window.move(moved.topLeft());
}
