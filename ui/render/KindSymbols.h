// The small shapes that tell the kinds of places apart on the map, in the
// legend and in pictures of the map: one per kind of our world (a code
// outside it gets the usual square outline), filled with the marker's
// colour (the palette's) inside a dark outline so that it reads on snow and on sea alike.
// They are drawn as paths, so they stay sharp at any scale.
#pragma once
#include <QColor>
#include <QImage>
#include <QRectF>

#include <cstdint>
#include <map>
#include <tuple>

class QPainter;

// A symbol reaches this many units beyond its place's 6 x 6 marker on each
// side (its outline); the marker alone is what the pointer finds.
constexpr int kSymbolMargin = 1;

// Draws the symbol of kind `code` filling `box` (square, in the painter's
// units), its outline included.
void DrawKindSymbol(QPainter& painter, int32_t code, const QRectF& box, const QColor& colour);

// Symbols drawn once as images of a given size in device pixels, and then
// copied: a frame copies them as it copies the labels.
class CKindSymbolImages {
public:
    const QImage& Image(int32_t code, int size, const QColor& colour);

private:
    std::map<std::tuple<int32_t, int, QRgb>, QImage> m_images;  // by code, size and colour
};
