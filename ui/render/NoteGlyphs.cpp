#include "render/NoteGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace {

const QColor kGlyphOutline(0, 0, 0, 200);  // the labels' halo

// A five-pointed star filling `r`.
QPolygonF Star(const QRectF& r) {
    QPolygonF star;
    const QPointF centre = r.center();
    const qreal outer = std::min(r.width(), r.height()) / 2, inner = outer * 0.45;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -M_PI / 2 + i * M_PI / 5, radius = i % 2 ? inner : outer;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

void DrawCheck(QPainter& painter, const QRectF& r) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));  // dims the marker below it
    painter.drawEllipse(r);
    QPainterPath check;
    check.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.52);
    check.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.74);
    check.lineTo(r.left() + r.width() * 0.80, r.top() + r.height() * 0.28);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 255, 140), r.width() * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(check);
}

}  // namespace

QColor LostPinColour() { return QColor(160, 160, 160); }

QColor PinColourOf(PinColour colour) {
    switch (colour) {
    case PinColour::Blue: return QColor(40, 120, 255);
    case PinColour::Orange: return QColor(255, 150, 20);
    case PinColour::Violet: return QColor(180, 80, 255);
    case PinColour::Cyan: return QColor(0, 220, 230);
    case PinColour::Pink: return QColor(255, 110, 190);
    }
    return QColor(40, 120, 255);
}

void DrawNoteGlyph(QPainter& painter, NoteGlyph glyph, PinColour colour, const QRectF& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal line = std::max<qreal>(1.0, rect.width() / 10);
    const QRectF inner = rect.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    switch (glyph) {
    case NoteGlyph::Visited:
        DrawCheck(painter, rect);
        break;
    case NoteGlyph::Favourite:
        painter.setPen(QPen(kGlyphOutline, line));
        painter.setBrush(QColor(255, 215, 0));
        painter.drawPolygon(Star(inner));
        break;
    case NoteGlyph::Noted:
        painter.setPen(QPen(kGlyphOutline, line));
        painter.setBrush(QColor(255, 245, 160));
        painter.drawRect(inner);
        break;
    case NoteGlyph::Pin:
    case NoteGlyph::LostPin:
        painter.setPen(QPen(kGlyphOutline, line));
        painter.setBrush(glyph == NoteGlyph::Pin ? PinColourOf(colour) : LostPinColour());
        painter.drawEllipse(inner);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(0, 0, rect.width() / 3, rect.height() / 3).translated(
            rect.center() - QPointF(rect.width() / 6, rect.height() / 6)));
        break;
    }
    painter.restore();
}

CRect PlaceGlyphRect(NoteGlyph glyph, const CRect& marker) {
    switch (glyph) {
    case NoteGlyph::Visited:  // over the marker, a little larger
        return {marker.left - 2, marker.top - 2, marker.right + 2, marker.bottom + 2};
    case NoteGlyph::Favourite:  // to its left
        return {marker.left - 10, marker.top - 2, marker.left - 1, marker.bottom + 1};
    case NoteGlyph::Noted:  // under it
        return {marker.left, marker.bottom + 1, marker.right, marker.bottom + 5};
    default:
        return marker;
    }
}
