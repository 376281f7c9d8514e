// Plain integer geometry shared by the core: points, sizes and rectangles
// whose right and bottom edges are exclusive.
#pragma once
#include <cstdint>

struct CPoint {
    int32_t x = 0, y = 0;
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

struct CSize {
    int32_t cx = 0, cy = 0;
    bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
    bool operator!=(const CSize& o) const { return !(*this == o); }
};

struct CRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool operator==(const CRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
