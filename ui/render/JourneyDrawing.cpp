#include "render/JourneyDrawing.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kRouteColour(0x00, 0x72, 0xb2);
const QColor kHalo(255, 255, 255, 220);
const QColor kInk(0, 0, 0, 230);
constexpr qreal kRouteWidth = 4, kMeasureWidth = 2, kHaloExtra = 3;
const QColor kTagFill(30, 30, 30, 200);
constexpr qreal kStopRadius = 10, kPointRadius = 3.5, kTagPadding = 2;

QPointF ClientPoint(const ViewGeometry& geometry, CWorldPoint world) {
    const CPoint map = geometry.WorldToMap(CPoint{world.x, world.y});
    const CPoint scroll = geometry.GetScrollOffset();
    return QPointF(map.x - scroll.x, map.y - scroll.y);
}

QPolygonF ClientLine(const ViewGeometry& geometry, const std::vector<CWorldPoint>& points) {
    QPolygonF line;
    line.reserve(int(points.size()));
    for (CWorldPoint p : points) line << ClientPoint(geometry, p);
    return line;
}

bool Meets(const QRectF& extent, const CRect& update, qreal reach) {
    return extent.adjusted(-reach, -reach, reach, reach)
        .intersects(QRectF(update.left, update.top, update.Width(), update.Height()));
}

void DrawPath(QPainter& painter, const QPolygonF& line, JourneyStroke stroke) {
    const bool measure = stroke == JourneyStroke::Measure;
    const qreal width = measure ? kMeasureWidth : kRouteWidth;
    QPen halo(measure ? kInk : kHalo, width + kHaloExtra, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(halo);
    painter.drawPolyline(line);
    QPen pen(measure ? QColor(Qt::white) : kRouteColour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (stroke != JourneyStroke::Road) pen.setDashPattern({3, 2});
    painter.setPen(pen);
    painter.drawPolyline(line);
}

// Text with a dark outline, readable anywhere on the map.
void DrawOutlinedText(QPainter& painter, const QFont& font, QPointF baseline, const QString& text, const QColor& fill) {
    QPainterPath path;
    path.addText(baseline, font, text);
    painter.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
}

void DrawStop(QPainter& painter, const QFont& font, QPointF at, const QString& text) {
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(kRouteColour);
    painter.drawEllipse(at, kStopRadius, kStopRadius);
    QFont bold(font);
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::white);
    const QRectF box(at.x() - kStopRadius, at.y() - kStopRadius, 2 * kStopRadius, 2 * kStopRadius);
    painter.drawText(box, Qt::AlignCenter, text);
}

// A measured point's length sits on a dark tag beside its dot, on the side
// its legs leave clear, so that it reads apart from the places' names.
void DrawPoint(QPainter& painter, const QFont& font, QPointF at, const QString& text, JourneyCaptionSide side) {
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, kPointRadius, kPointRadius);
    if (text.isEmpty()) return;
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text) + 2 * kTagPadding, metrics.height() + 2 * kTagPadding);
    const bool right = side == JourneyCaptionSide::UpRight || side == JourneyCaptionSide::DownRight;
    const bool up = side == JourneyCaptionSide::UpRight || side == JourneyCaptionSide::UpLeft;
    const qreal gap = kPointRadius + 2;
    const QRectF tag(
        QPointF(right ? at.x() + gap : at.x() - gap - size.width(), up ? at.y() - gap - size.height() : at.y() + gap),
        size);
    painter.setPen(QPen(kHalo, 1));
    painter.setBrush(kTagFill);
    painter.drawRoundedRect(tag, 3, 3);
    const QPointF baseline(tag.left() + kTagPadding, tag.bottom() - kTagPadding - metrics.descent());
    DrawOutlinedText(painter, font, baseline, text, Qt::white);
}

void DrawMark(QPainter& painter, const QFont& font, const CJourneyMark& mark, QPointF at) {
    const QString text = QString::fromStdString(mark.text);
    if (mark.style == JourneyMarkStyle::Stop) return DrawStop(painter, font, at, text);
    DrawPoint(painter, font, at, text, mark.side);
}

}  // namespace

void DrawJourneys(QPainter& painter, const CJourneyLayers& layers, const ViewGeometry& geometry, const CRect& update,
                  const QFont& viewFont) {
    // In the screen's pixels whatever the device: on a printer a font in
    // points would grow to the printer's resolution and bury the marks.
    QFont font = viewFont;
    font.setPixelSize(QFontInfo(viewFont).pixelSize());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const CJourneyLayer& layer : layers)
        for (const CJourneyPath& path : layer.paths) {
            const QPolygonF line = ClientLine(geometry, path.points);
            if (line.size() >= 2 && Meets(line.boundingRect(), update, kRouteWidth + kHaloExtra))
                DrawPath(painter, line, path.stroke);
        }
    // Marks above every line, so that no route hides a stop's number.
    const QFontMetricsF metrics(font);
    for (const CJourneyLayer& layer : layers)
        for (const CJourneyMark& mark : layer.marks) {
            const QPointF at = ClientPoint(geometry, mark.at);
            const qreal reach = 2 * kStopRadius + metrics.horizontalAdvance(QString::fromStdString(mark.text));
            if (Meets(QRectF(at, at), update, reach)) DrawMark(painter, font, mark, at);
        }
    painter.restore();
}
