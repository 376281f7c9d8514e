#include "render/KindSymbols.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <cmath>

namespace {

// The halo of the labels, so that symbols and names read alike.
const QColor kSymbolOutline(0, 0, 0, 200);

// The shapes are drawn in a box of 8 x 8 units: the 6 x 6 marker (1 to 7)
// and a unit of outline around it.
constexpr qreal kBox = 8;

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// Lines as a filled shape, so that the outline goes round them too.
QPainterPath Strokes(const QPainterPath& lines, qreal width, Qt::PenCapStyle cap = Qt::FlatCap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(lines).simplified();
}

QPainterPath Disc(qreal radius) {
    QPainterPath path;
    path.addEllipse(QPointF(4, 4), radius, radius);
    return path;
}

QPainterPath Star() {
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? 3.6 : 1.5;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        points << QPointF(4 + radius * std::cos(angle), 4.3 + radius * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

// Half a disc, its flat side up (a hull) or down (an arch).
QPainterPath HalfDisc(bool flatUp) {
    QPainterPath path;
    const QRectF round(1, flatUp ? 0.5 : 2.5, 6, 6);
    path.moveTo(1, flatUp ? 3.5 : 5.5);
    path.arcTo(round, 180, flatUp ? 180 : -180);
    path.closeSubpath();
    return path;
}

QPainterPath Lines(std::initializer_list<std::pair<QPointF, QPointF>> lines) {
    QPainterPath path;
    for (const auto& [from, to] : lines) {
        path.moveTo(from);
        path.lineTo(to);
    }
    return path;
}

QPainterPath SquareRing() {
    QPainterPath path;
    path.addRect(QRectF(1, 1, 6, 6));
    path.addRect(QRectF(2.2, 2.2, 3.6, 3.6));
    return path;
}

// Each kind's shape in the 8 x 8 box; one a kind, no two alike.
QPainterPath ShapeOf(int32_t code) {
    switch (code) {
    case 10: return Disc(3).subtracted(Disc(1.7));  // region: a ring
    case 11: return Star();                            // capital
    case 18: {                                         // city: a square
        QPainterPath path;
        path.addRect(QRectF(1.2, 1.2, 5.6, 5.6));
        return path;
    }
    case 19: return Disc(3);  // town: a disc
    case 20: return Disc(2);  // village: a dot
    case 21: return HalfDisc(true);  // port: a hull
    case 22: return Polygon({{1, 7}, {1, 1}, {3, 1}, {3, 3.5}, {5, 3.5}, {5, 1}, {7, 1}, {7, 7}});  // fortress: two towers
    case 23: return Strokes(Lines({{{4, 0.8}, {4, 7.2}}, {{1, 3}, {7, 3}}}), 1.8);  // temple: a cross
    case 24: return Strokes(Lines({{{1.3, 1.3}, {6.7, 6.7}}, {{6.7, 1.3}, {1.3, 6.7}}}), 1.7);  // ruin: an X
    case 25: {  // pass: a chevron
        QPainterPath lines;
        lines.moveTo(1, 6);
        lines.lineTo(4, 2.2);
        lines.lineTo(7, 6);
        return Strokes(lines, 1.8);
    }
    case 26: return Polygon({{0.8, 1.5}, {7.2, 1.5}, {4, 7}});  // mine: a triangle down
    case 27: return HalfDisc(false);                            // cave: an arch
    case 28: return Strokes(Lines({{{0.8, 2.6}, {7.2, 2.6}}, {{0.8, 5.4}, {7.2, 5.4}}}), 1.6);  // water: two bars
    case 29: return Polygon({{4, 1}, {7.2, 6.8}, {0.8, 6.8}});  // landmark: a peak
    default: return SquareRing();
    }
}

}  // namespace

void DrawKindSymbol(QPainter& painter, int32_t code, const QRectF& box, const QColor& colour) {
    const qreal scale = box.width() / kBox;
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(scale, scale);
    const QPainterPath shape = toBox.map(ShapeOf(code));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(shape, QPen(kSymbolOutline, 2 * scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.fillPath(shape, colour);
    painter.restore();
}

const QImage& CKindSymbolImages::Image(int32_t code, int size, const QColor& colour) {
    QImage& image = m_images[{code, size, colour.rgba()}];
    if (image.isNull()) {
        image = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        DrawKindSymbol(painter, code, QRectF(0, 0, size, size), colour);
    }
    return image;
}
