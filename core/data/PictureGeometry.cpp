#include "data/PictureGeometry.h"

#include "data/MulDiv.h"

CSize HimetricFromPixels(CSize pixels) {
    return {MulDiv(pixels.cx, kHimetricPerInch, kPictureDpi),
            MulDiv(pixels.cy, kHimetricPerInch, kPictureDpi)};
}

CSize PixelsFromHimetric(CSize himetric, int dpi) {
    return {MulDiv(himetric.cx, dpi, kHimetricPerInch), MulDiv(himetric.cy, dpi, kHimetricPerInch)};
}

HimetricSource RenderSource(CSize himetric, const CRect& source, bool wholePicture) {
    if (wholePicture) return {0, himetric.cy, himetric.cx, -himetric.cy};
    return {MulDiv(source.left, kHimetricPerInch, kPictureDpi),
            himetric.cy - MulDiv(source.top, kHimetricPerInch, kPictureDpi),
            MulDiv(source.right - source.left, kHimetricPerInch, kPictureDpi),
            -MulDiv(source.bottom - source.top, kHimetricPerInch, kPictureDpi)};
}

PixelRectF SourcePixels(const HimetricSource& src, CSize himetric, CSize pixels) {
    if (himetric.cx == 0 || himetric.cy == 0) return {};
    const double sx = double(pixels.cx) / himetric.cx;
    const double sy = double(pixels.cy) / himetric.cy;
    return {src.x * sx, (double(himetric.cy) - src.y) * sy, src.cx * sx, -double(src.cy) * sy};
}
