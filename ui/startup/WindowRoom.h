// A top-level window never larger than its screen's available area, wherever
// its size comes from: its own, Qt's -geometry option, a scale factor.
#pragma once

class QWidget;

// Shows `window` within the available area of its screen. Qt applies a
// -geometry option at the first show, bounded by the window's maximum size;
// the bound is lifted again once the window is shown.
void ShowWithinScreen(QWidget& window);

// Once the window manager has framed `window`: shrinks and moves it so that
// its frame, title bar included, lies within the available area. Does
// nothing to a window that already fits.
void KeepFrameOnScreen(QWidget& window);
