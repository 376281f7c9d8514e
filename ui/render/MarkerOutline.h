#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

// The outline of `outline` (corners included), one pixel wide, as four
// filled edges: the same pixels as a cosmetic pen's drawRect of it, each
// edge a plain fill. Like the pen, it draws nothing for a single pixel.
inline void FillMarkerOutline(QPainter& painter, const QRect& outline, const QColor& colour) {
    const int left = outline.left(), top = outline.top(), right = outline.right(), bottom = outline.bottom();
    if (left == right && top == bottom) return;
    painter.fillRect(QRect(left, top, right - left + 1, 1), colour);
    if (bottom == top) return;
    painter.fillRect(QRect(left, bottom, right - left + 1, 1), colour);
    if (bottom - top < 2) return;
    painter.fillRect(QRect(left, top + 1, 1, bottom - top - 1), colour);
    painter.fillRect(QRect(right, top + 1, 1, bottom - top - 1), colour);
}
