// The zoom at which the view shows a part of the picture whole: a route,
// say, flown to once it is planned.
#pragma once
#include "data/Geometry.h"

// `picture` is a rectangle of picture pixels (at 100 %), to show in a
// client area of `client` pixels with `margin` pixels clear around it. The
// current `zoom` when it already does, else the largest zoom that does, no
// lower than the view's least.
int ZoomShowing(const CRect& picture, CSize client, int zoom, int margin);
