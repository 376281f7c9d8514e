// The zoom at which the view shows a part of the picture whole: a route,
// say, flown to once it is planned.
#pragma once
#include "data/Geometry.h"

// `picture` is a rectangle of picture pixels (at 100 %), to show in a
// client area of `client` pixels with `margin` pixels clear around it. The
// largest zoom that does, but no closer than the current `zoom` or, when
// that is further out, than `closest`: a far view comes in to a small part,
// a close one stays. Within the view's zoom limits.
int ZoomShowing(const CRect& picture, CSize client, int zoom, int margin, int closest);
