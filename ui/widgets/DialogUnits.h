// Dialog layouts are given in dialog units: a quarter of the font's average
// character width across, an eighth of its height down.
#pragma once
#include <QFont>
#include <QRect>
#include <QSize>

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const;
    int Y(int units) const;
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }
    QRect Rect(int x, int y, int width, int height) const {
        return {X(x), Y(y), X(width), Y(height)};
    }

private:
    int m_baseX;  // average character width in pixels
    int m_baseY;  // character height in pixels
};
