#include "mainwindow/LockKeys.h"

#include <QGuiApplication>

// Xlib's macros (None, Bool, Status...) clash with Qt's names: it comes last
// and stays in this file.
#include <X11/XKBlib.h>

namespace {

bool Indicator(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == 0) return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    return on;
}

}  // namespace

LockKeys CurrentLockKeys() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return {};
    return {Indicator(display, "Caps Lock"), Indicator(display, "Num Lock"), Indicator(display, "Scroll Lock")};
}
