// The arithmetic of drawing the map picture: which part of the picture a draw
// takes. Sizes are kept in HIMETRIC (0.01 mm) as well as in pixels because
// the source rectangle is converted to HIMETRIC at 96 pixels per inch and
// flipped to a bottom-up origin, and the rounding of that conversion decides
// exactly which pixels are drawn.
#pragma once
#include "data/Geometry.h"

// Pixels per inch assumed for pictures that carry no density, and for draws.
constexpr int kPictureDpi = 96;
constexpr int kHimetricPerInch = 2540;

// HIMETRIC size of a picture of this pixel size (at 96 pixels per inch).
CSize HimetricFromPixels(CSize pixels);
// Pixel size at `dpi` of a picture of this HIMETRIC size; (0, 0) stays (0, 0).
CSize PixelsFromHimetric(CSize himetric, int dpi = kPictureDpi);

// The source of a draw in HIMETRIC, origin bottom-left, y upwards: a height
// that goes down the picture is negative.
struct HimetricSource {
    int32_t x = 0, y = 0, cx = 0, cy = 0;
    bool operator==(const HimetricSource& o) const {
        return x == o.x && y == o.y && cx == o.cx && cy == o.cy;
    }
};

// The source for drawing picture pixels `source` (top-down) of a picture of
// HIMETRIC size `himetric`; in whole-picture mode the whole picture,
// whatever `source` says.
HimetricSource RenderSource(CSize himetric, const CRect& source, bool wholePicture);

// A rectangle in picture pixels, top-down, with fractional edges.
struct PixelRectF {
    double left = 0, top = 0, width = 0, height = 0;
};

// Where a HIMETRIC source lands in the picture's pixels, as a scaler that
// knows the picture's HIMETRIC and pixel sizes reads it.
PixelRectF SourcePixels(const HimetricSource& src, CSize himetric, CSize pixels);
