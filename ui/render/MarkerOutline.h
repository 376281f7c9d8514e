#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

#include <array>

// The outline of `outline` (corners included), one pixel wide, as up to
// four edges to fill: the same pixels as a cosmetic pen's drawRect of it.
// Like the pen, it has none for a single pixel.
struct MarkerEdges {
    std::array<QRect, 4> edges;
    int count = 0;
};

inline MarkerEdges MarkerOutlineEdges(const QRect& outline) {
    const int left = outline.left(), top = outline.top(), right = outline.right(), bottom = outline.bottom();
    MarkerEdges out;
    if (left == right && top == bottom) return out;
    out.edges[out.count++] = QRect(left, top, right - left + 1, 1);
    if (bottom == top) return out;
    out.edges[out.count++] = QRect(left, bottom, right - left + 1, 1);
    if (bottom - top < 2) return out;
    out.edges[out.count++] = QRect(left, top + 1, 1, bottom - top - 1);
    out.edges[out.count++] = QRect(right, top + 1, 1, bottom - top - 1);
    return out;
}

// The outline's edges, each a plain fill.
inline void FillMarkerOutline(QPainter& painter, const QRect& outline, const QColor& colour) {
    const MarkerEdges outlineEdges = MarkerOutlineEdges(outline);
    for (int i = 0; i < outlineEdges.count; ++i) painter.fillRect(outlineEdges.edges[size_t(i)], colour);
}
