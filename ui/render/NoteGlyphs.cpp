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

void DrawCheck(QPainter& painter, const QRectF& r, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));  // dims the marker below it
    painter.drawEllipse(r);
    QPainterPath check;
    check.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.52);
    check.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.74);
    check.lineTo(r.left() + r.width() * 0.80, r.top() + r.height() * 0.28);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, r.width() * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(check);
}

// A ring in the found names' colour with a dark one around it, so that it
// shows on light ground and dark alike: a found place told by a shape too.
// Both clear the marker's corners.
void DrawRing(QPainter& painter, const QRectF& r, const QColor& colour) {
    const qreal radius = r.width() / 2, line = radius * 0.19;
    const auto ring = [&](qreal at) { return QRectF(r.center() - QPointF(at, at), QSizeF(2 * at, 2 * at)); };
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGlyphOutline, line));
    painter.drawEllipse(ring(radius * 0.875));
    painter.setPen(QPen(colour, line));
    painter.drawEllipse(ring(radius * 0.69));
}

}  // namespace

QColor LostPinColour(bool adapted) { return ColourFor(MapColour::LostPin, adapted); }

QColor PinColourOf(PinColour colour, bool adapted) { return ColourFor(PinColourRole(colour), adapted); }

void DrawNoteGlyph(QPainter& painter, NoteGlyph glyph, PinColour colour, const QRectF& rect, bool adapted) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal line = std::max<qreal>(1.0, rect.width() / 10);
    const QRectF inner = rect.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    switch (glyph) {
    case NoteGlyph::Visited:
        DrawCheck(painter, rect, ColourFor(MapColour::Visited, adapted));
        break;
    case NoteGlyph::FoundRing:
        DrawRing(painter, rect, ColourFor(MapColour::FoundLabel, adapted));
        break;
    case NoteGlyph::Favourite:
        painter.setPen(QPen(kGlyphOutline, line));
        painter.setBrush(ColourFor(MapColour::Favourite, adapted));
        painter.drawPolygon(Star(inner));
        break;
    case NoteGlyph::Noted:
        painter.setPen(QPen(kGlyphOutline, line));
        painter.setBrush(ColourFor(MapColour::Note, adapted));
        painter.drawRect(inner);
        break;
    case NoteGlyph::Pin:
    case NoteGlyph::LostPin:
        painter.setPen(QPen(kGlyphOutline, line));
        painter.setBrush(glyph == NoteGlyph::Pin ? PinColourOf(colour, adapted) : LostPinColour(adapted));
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
    case NoteGlyph::FoundRing:  // around it, clear of its edges
        return {marker.left - 5, marker.top - 5, marker.right + 5, marker.bottom + 5};
    default:
        return marker;
    }
}
