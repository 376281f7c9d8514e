#include "render/MapRenderer.h"

#include "render/JourneyDrawing.h"
#include "render/LabelInk.h"
#include "render/MapPicture.h"
#include "render/MarkerOutline.h"
#include "render/PlaceItems.h"
#include "notes/NotesOnMap.h"
#include "view/LabelPlacement.h"
#include "view/PaintPlan.h"

#include "text/Text.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Around a centred picture: a mid grey that frames the map without the
// weight of black, and against which neither sea nor snow blends.
const QColor kCentredMargin(0x3c, 0x3c, 0x3c);

QRect ToQRect(const CRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QRect ScaledRect(const CRect& r, int scale) {
    return QRect(r.left * scale, r.top * scale, r.Width() * scale, r.Height() * scale);
}

QString NameOf(const CPlace& place) { return ShownName(place.m_strName); }

// Dark enough to outline a white name on snow, light enough not to blot out
// the map around it.
constexpr int kLabelHaloAlpha = 200;
const QColor kLabelHalo(0, 0, 0, kLabelHaloAlpha);
constexpr int kHaloWidth = 1;

// Whether a label, with its outline, reaches into `update`.
bool LabelMeets(const CRect& label, const CRect& update) {
    const CRect withHalo{label.left - kHaloWidth, label.top - kHaloWidth, label.right + kHaloWidth,
                         label.bottom + kHaloWidth};
    return !label.IsRectEmpty() && Intersects(withHalo, update);
}

// The places' indices, lowest level first, in table order within a level.
std::vector<int> ByLevel(const CPlaceArray& places) {
    std::vector<int> order(size_t(places.GetSize()));
    for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
    auto level = [&](int i) { return places[i] ? places[i]->m_nLevel : 0; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return level(a) < level(b); });
    return order;
}

QFont Bold(QFont font) {
    font.setWeight(QFont::Bold);
    return font;
}

// Whether the painter shows the view as it is, with no scale of its own (a
// window or an image, not a printer's page): its units can then become the
// device's pixels.
bool CanDrawInDevicePixels(const QPainter& painter) {
    return !painter.viewTransformEnabled() && painter.worldTransform().type() <= QTransform::TxTranslate;
}

// From here on the painter's units are device pixels: the world transform
// undoes the device pixel ratio.
void UseDevicePixels(QPainter& painter, qreal ratio) {
    const QTransform& world = painter.worldTransform();
    painter.setWorldTransform(QTransform(1 / ratio, 0, 0, 1 / ratio, world.dx(), world.dy()));
}

// The corners of marker `m`'s outline in device pixels, at `scale` of them
// to a unit.
QRect MarkerOutline(const CRect& m, int scale) {
    return QRect(QPoint(m.left, m.top) * scale, QPoint(m.right - 1, m.bottom - 1) * scale);
}

// The outline of a marker, one pixel of the device wide (a cosmetic pen);
// `device` as in DrawLabel. Where the corners land on whole device pixels
// (`edgeScale` device pixels to a unit), the outline is its four edges
// filled: the pen's pixels, without a stroke's cost per marker.
void DrawMarker(QPainter& painter, const CRect& m, qreal device, int edgeScale) {
    if (edgeScale != 0) return FillMarkerOutline(painter, MarkerOutline(m, edgeScale), painter.pen().color());
    if (device == 0) painter.drawRect(QRect(m.left, m.top, m.Width() - 1, m.Height() - 1));
    else painter.drawRect(QRectF(m.left * device, m.top * device, (m.Width() - 1) * device, (m.Height() - 1) * device));
}

// Device pixels to a unit of the painter when they are whole, else 0.
int EdgeScale(const QPainter& painter, qreal ratio, qreal device) {
    if (device != 0) return device == qFloor(device) ? int(device) : 0;
    return ratio == 1.0 && CanDrawInDevicePixels(painter) ? 1 : 0;
}

}  // namespace

MapRenderer::MapRenderer(const ViewGeometry& geometry, const CPlaceOverlay& overlay, const CPlaceArray& places,
                         const QFont& font)
    : m_geometry(geometry), m_overlay(overlay), m_places(places), m_fontNormal(font), m_fontBold(Bold(font)) {}

bool MapRenderer::Paint(QPainter& painter, const CRect& update, const CMapPicture* picture) {
    const QColor margin = m_geometry.Centred() ? kCentredMargin : QColor(Qt::black);
    for (const CRect& fill : MarginFills(update, m_geometry.ClientImageRect())) painter.fillRect(ToQRect(fill), margin);
    if (!picture || picture->IsEmpty()) return false;  // neither picture nor places

    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const auto draw = PlanPictureDraw(m_geometry, update, picture->GetPixelSize(), m_wholePicture);
    m_crowdedPins.clear();
    const bool placesDrawn = draw && DrawPicture(painter, *picture, *draw, update, ratio);
    if (!placesDrawn) DrawPlaces(painter, update, ratio);
    DrawCrowdedPins(painter, update);
    if (m_journeys) DrawJourneys(painter, *m_journeys, m_geometry, update, m_fontNormal);
    DrawFocusRing(painter, update, ratio);
    return draw.has_value();
}

namespace {
// How far the focus ring reaches beyond a marker on every side.
constexpr int kRingReach = 4;
}  // namespace

// The keyboard's focus: a white ring outlined in black around the marker,
// seen on sea, snow and forest alike; over everything else.
void MapRenderer::DrawFocusRing(QPainter& painter, const CRect& update, qreal ratio) {
    if (!m_focusRing || !m_overlay.IsPlaceVisible(m_focusRing)) return;
    CRect marker, label;
    m_overlay.GetPlaceRects(*m_focusRing, {}, marker, label);
    const CRect ring{marker.left - kRingReach, marker.top - kRingReach, marker.right + kRingReach,
                     marker.bottom + kRingReach};
    if (!Intersects(ring, update)) return;
    const QImage& image = FocusRingImage(qRound(ring.Width() * ratio), ratio);
    if (!CanDrawInDevicePixels(painter))
        return painter.drawImage(QRectF(ring.left, ring.top, ring.Width(), ring.Height()), image);
    painter.save();
    UseDevicePixels(painter, ratio);
    painter.drawImage(QPoint(qRound(ring.left * ratio), qRound(ring.top * ratio)), image);
    painter.restore();
}

// Square, as the marker is, from the outside in: a dark pixel, two white,
// a dark one against the marker's edge, each band whole device pixels so
// that it stays sharp at every ratio.
const QImage& MapRenderer::FocusRingImage(int pixels, qreal ratio) {
    if (m_ringImage.width() == pixels) return m_ringImage;
    m_ringImage = QImage(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    m_ringImage.fill(Qt::transparent);
    QPainter painter(&m_ringImage);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QColor bands[] = {QColor(0, 0, 0, 230), Qt::white, Qt::white, QColor(0, 0, 0, 230), Qt::transparent};
    for (int band = 0; band < int(std::size(bands)); ++band) {
        const int inset = qRound(band * ratio);
        painter.fillRect(QRect(inset, inset, pixels - 2 * inset, pixels - 2 * inset), bands[band]);
    }
    return m_ringImage;
}

namespace {
// The image a painter draws in when it is the raster engine's own and its
// transform only moves (a window's backing store, an exported image), with
// that move: dots can then be written as pixels. Null otherwise (a
// printer, a scaled painter), and the painter fills them.
QImage* PixelsOf(QPainter& painter, QPoint& offset) {
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    const QTransform move = painter.deviceTransform();
    auto* image = static_cast<QImage*>(device);
    const bool plain = image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied;
    if (move.type() > QTransform::TxTranslate || !plain || !image->isDetached()) return nullptr;
    offset = QPoint(qRound(move.dx()), qRound(move.dy()));
    return image;
}
}  // namespace

// Pins too many to draw one by one (see VisitPins) are dots of their
// colour, written over the frame within `update`.
void MapRenderer::DrawCrowdedPins(QPainter& painter, const CRect& update) {
    if (m_crowdedPins.empty()) return;
    QColor colours[kPinColourCount + 1];
    for (int c = 0; c < kPinColourCount; ++c) colours[c] = PinColourOf(PinColour(c), m_look.adaptedColours);
    colours[kPinColourCount] = LostPinColour(m_look.adaptedColours);
    QPoint offset;
    QImage* pixels = PixelsOf(painter, offset);
    const QRect within = ToQRect(update).translated(offset) & (pixels ? pixels->rect() : QRect());
    // WorldToMap's scale in floating point: a dot may land a pixel off its
    // exact place, not worth two divisions a pin by the thousand.
    const CRect span = ViewGeometry::WorldSpan(), image = m_geometry.GetImageRect();
    const CPoint scroll = m_geometry.GetScrollOffset();
    const double sx = double(image.right) / span.Width(), sy = double(image.bottom) / span.Height();
    for (int index : m_crowdedPins) {
        const CMapPin& pin = m_notes->Pins()[size_t(index)];
        const int x = int(std::lround(std::abs(double(pin.x) - span.left) * sx)) - scroll.x;
        const int y = int(std::lround(std::abs(double(span.bottom) - pin.y) * sy)) - scroll.y;
        const QRect dot(x - 2, y - 2, 5, 5);
        const QColor& colour = colours[pin.lostPlace ? kPinColourCount : int(pin.colour)];
        if (!pixels) {
            painter.fillRect(dot, colour);
            continue;
        }
        const QRect shown = dot.translated(offset) & within;
        for (int y = shown.top(); y <= shown.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(pixels->scanLine(y));
            std::fill(row + shown.left(), row + shown.right() + 1, colour.rgb());
        }
    }
}

// --- picture -------------------------------------------------------------

// Returns whether the places were drawn with the picture: into its tiles
// (see DrawTiles), or with each band of rows of a copy pixel for pixel,
// while the band is still in the processor's cache.
bool MapRenderer::DrawPicture(QPainter& painter, const CMapPicture& picture, const PictureDraw& draw,
                              const CRect& update, qreal ratio) {
    if (DrawsFromTiles(painter, picture, ratio)) return DrawTiles(painter, picture, update, ratio);
    m_tiles.Clear();
    const int scale = ratio == 1.0 ? ItemScale(painter, ratio) : 0;
    if (scale == 0) {
        picture.Render(painter, draw.dest, draw.source, m_wholePicture);
        return false;
    }
    DrawPlaceItemsByRows(painter, PlaceItems(update, ratio, scale), ToQRect(update), [&](const auto& afterRow) {
        picture.Render(painter, draw.dest, draw.source, m_wholePicture, afterRow);
    });
    return true;
}

// Tiles serve every draw of a zoomed picture that is not a plain copy and
// would scale more than about 600,000 pixels at every frame: a frame is
// then mostly a copy, and a zoom step's new tiles and the places drawn into
// them are shared between two threads (over a whole picture the places are
// drawn by this thread alone). On a large screen (4K, or high density: over four
// megapixels of the device in view) they serve every draw where the places
// can be drawn into them (see CZoomedTiles), plain copies too: the places
// then cost nothing on top of filling that many pixels. Otherwise a smaller
// picture scales fast enough. Either way the start-up's first look and the
// full picture after it are drawn alike, so that their labels blend alike.
bool MapRenderer::DrawsFromTiles(const QPainter& painter, const CMapPicture& picture, qreal ratio) const {
    constexpr double kSmallPixels = 600'000, kLargeView = 4'000'000;
    if (m_wholePicture || !CanDrawInDevicePixels(painter)) return false;
    const int zoom = m_geometry.Zoom();
    const int level = picture.LevelFor(zoom / 100.0);
    const CSize view = m_geometry.ClientSize();
    if (double(view.cx) * view.cy * ratio * ratio > kLargeView && ItemScale(painter, ratio) != 0) return true;
    if (ratio == 1.0 && level >= 0 && zoom * (1 << level) == 100) return false;  // a plain copy
    const CRect image = m_geometry.GetImageRect();
    return double(image.right) * image.bottom * ratio * ratio > kSmallPixels;
}

// The places go into the tiles they meet, and over the margins around the
// picture; the tiles take every place meeting them, not only those meeting
// `update`, so that a paint of part of the view keeps them as a paint of
// all of it leaves them.
bool MapRenderer::DrawTiles(QPainter& painter, const CMapPicture& picture, const CRect& update, qreal ratio) {
    const CRect image = m_geometry.GetImageRect();
    const CPoint scroll = m_geometry.GetScrollOffset();
    // The update rectangle in device pixels of the zoomed picture, rounded outwards.
    const int left = qFloor((update.left + scroll.x) * ratio), top = qFloor((update.top + scroll.y) * ratio);
    const int right = qCeil((update.right + scroll.x) * ratio), bottom = qCeil((update.bottom + scroll.y) * ratio);
    const QPoint at(left - qRound(scroll.x * ratio), top - qRound(scroll.y * ratio));
    const CZoomedTiles::Key key{&picture, picture.Generation(), m_geometry.Zoom(), ratio,
                                QSizeF(image.right * ratio, image.bottom * ratio)};
    const QRect area(left, top, right - left, bottom - top);
    const int scale = ItemScale(painter, ratio);
    const CRect withTiles = WithTiles(update, CZoomedTiles::TilesShowing(key, area), ratio);
    painter.save();
    UseDevicePixels(painter, ratio);
    // The places' items (their labels' images made) while a second thread
    // starts on the new tiles.
    const std::vector<PlaceItem> items = m_tiles.Draw(painter, picture, key, area, at, [&] {
        if (scale) return PlaceItems(withTiles, ratio, scale);
        if (!m_labelsAsText) PrepareLabels(update, ratio);  // for the places drawn after
        return std::vector<PlaceItem>();
    });
    DrawPlaceItemsAround(painter, items, key.Bounds().translated(at - area.topLeft()), QRect(at, area.size()));
    painter.restore();
    return scale != 0;
}

// `update` and the rest of the tiles showing it (`tiles`, device pixels of
// the zoomed picture), in the view's units, rounded outwards.
CRect MapRenderer::WithTiles(const CRect& update, const QRect& tiles, qreal ratio) const {
    if (tiles.isEmpty()) return update;
    const CPoint scroll = m_geometry.GetScrollOffset();
    const CRect covered{qFloor(tiles.left() / ratio) - scroll.x, qFloor(tiles.top() / ratio) - scroll.y,
                        qCeil((tiles.right() + 1) / ratio) - scroll.x, qCeil((tiles.bottom() + 1) / ratio) - scroll.y};
    return {std::min(update.left, covered.left), std::min(update.top, covered.top),
            std::max(update.right, covered.right), std::max(update.bottom, covered.bottom)};
}

// --- places --------------------------------------------------------------

const QFont& MapRenderer::FontOf(const CPlace& place) const {
    return place.m_nLevel == 0 ? m_fontBold : m_fontNormal;
}

// Measured the first time the place is painted, then kept: its font never
// changes, since its level never does. An empty name measures to no width
// and is measured again at the next paint.
CSize MapRenderer::MeasuredLabel(int index, const CPlace& place) {
    if (!m_labelSizes.IsMeasured(index)) {
        const QFontMetrics metrics(FontOf(place));
        m_labelSizes.Set(index, {metrics.horizontalAdvance(NameOf(place)), metrics.height()});
    }
    return m_labelSizes.Of(index);
}

void MapRenderer::MeasureLabels() {
    for (int i = 0; i < m_places.GetSize(); ++i)
        if (const CPlace* place = m_places[i]) MeasuredLabel(i, *place);
}

// The place's name alone, opaque, at `origin` on a transparent image of
// `size` device pixels: its coverage. The image is the renderer's scratch
// memory, valid until the next name.
QImage MapRenderer::NameCoverage(QSize size, qreal ratio, const QFont& font, const QString& text, QPointF origin) {
    const size_t pixels = size_t(size.width()) * size_t(size.height());
    if (m_nameScratch.size() < pixels) m_nameScratch.resize(pixels);
    std::fill_n(m_nameScratch.begin(), pixels, 0u);
    QImage name(reinterpret_cast<uchar*>(m_nameScratch.data()), size.width(), size.height(), size.width() * 4,
                QImage::Format_ARGB32_Premultiplied);
    name.setDevicePixelRatio(ratio);
    {
        QPainter painter(&name);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(origin, text);
    }
    return name;
}

// A label's image is its name in its colour over a dark outline one pixel
// wide (the halo), so that white and green names read on snow and sand as
// well as on the sea; the image is one pixel larger than the label on every
// side for it. Only its inked part is kept.
const MapRenderer::LabelImage& MapRenderer::MadeLabel(int index, const CPlace& place, bool highlighted, qreal ratio) {
    UseLabelRatio(ratio);
    if (size_t(index) >= m_labelImages.size()) m_labelImages.resize(size_t(m_places.GetSize()));
    LabelImages& images = m_labelImages[size_t(index)];
    LabelImage& made = highlighted ? images.found[m_look.adaptedColours] : images.normal;
    if (made.made) return made;
    made = MadeLabelImage(FontOf(place), NameOf(place), m_labelSizes.Of(index), LabelColour(highlighted), ratio);
    return made;
}

MapRenderer::LabelImage MapRenderer::MadeLabelImage(const QFont& font, const QString& name, CSize size,
                                                    const QColor& colour, qreal ratio) {
    const int halo = kHaloWidth;
    const QSize pixels(qCeil((size.cx + 2 * halo) * ratio), qCeil((size.cy + 2 * halo) * ratio));
    const QPointF origin(halo, halo + QFontMetricsF(font).ascent());
    // The image keeps a ratio of 1 whatever the ratio it was made for: it is
    // copied in device pixels as it is (see DrawLabel), and a painter would
    // scale an image that kept its ratio.
    LabelInk ink = HaloedName(NameCoverage(pixels, ratio, font, name, origin), qMax(1, qRound(halo * ratio)),
                              colour.rgba(), kLabelHaloAlpha);
    LabelImage made{true, std::move(ink.image), ink.offset};
    m_labelBytes += size_t(made.ink.sizeInBytes());
    return made;
}

void MapRenderer::UseLabelRatio(qreal ratio) {
    if (ratio == m_labelRatio) return;
    // Drawn for another screen: all go, and the ones made ahead are made again.
    m_labelImages.clear();
    m_titleImages.clear();
    m_labelRatio = ratio;
    m_labelBytes = 0;
    m_aheadNext = 0;
}

bool MapRenderer::MakeLabelsAhead(qreal ratio, int count, size_t budgetBytes) {
    if (m_labelsAsText) return false;
    if (m_aheadOrder.size() != size_t(m_places.GetSize())) {
        m_aheadOrder = ByLevel(m_places);
        m_aheadNext = 0;
    }
    UseLabelRatio(ratio);
    for (; count > 0 && m_aheadNext < m_aheadOrder.size(); ++m_aheadNext) {
        if (m_labelBytes >= budgetBytes) return false;
        const int index = m_aheadOrder[m_aheadNext];
        const CPlace* place = m_places[index];
        if (!place) continue;
        MeasuredLabel(index, *place);
        const bool made = size_t(index) < m_labelImages.size() && m_labelImages[size_t(index)].normal.made;
        if (made) continue;
        MadeLabel(index, *place, false, ratio);
        --count;
    }
    return m_aheadNext < m_aheadOrder.size();
}

// The font in pixels of the view, not points: a point size would be taken
// at the printer's resolution and then scaled once more by the painter. The
// halo is the outline of the letters, stroked, so the name stays text once.
void MapRenderer::DrawLabelText(QPainter& painter, const QFont& viewFont, const QString& name, bool highlighted,
                                const CRect& label) {
    QFont font = viewFont;
    font.setPixelSize(QFontInfo(font).pixelSize());
    const QPointF origin(label.left, label.top + QFontMetricsF(viewFont).ascent());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addText(origin, font, name);
    painter.strokePath(outline, QPen(kLabelHalo, 2 * kHaloWidth));
    painter.setFont(font);
    painter.setPen(LabelColour(highlighted));
    painter.drawText(origin, name);
    painter.restore();
}

void MapRenderer::DrawLabel(QPainter& painter, int index, const CPlace& place, const CRect& label, qreal ratio,
                            qreal device) {
    const bool highlighted = m_overlay.IsHighlighted(&place);
    if (m_labelsAsText) return DrawLabelText(painter, FontOf(place), NameOf(place), highlighted, label);
    DrawLabelImage(painter, MadeLabel(index, place, highlighted, ratio), label, ratio, device);
}

void MapRenderer::DrawLabelImage(QPainter& painter, const LabelImage& made, const CRect& label, qreal ratio,
                                 qreal device) {
    if (made.ink.isNull()) return;
    const int left = label.left - kHaloWidth, top = label.top - kHaloWidth;
    // Pixel for pixel: the image was made at this ratio.
    if (device != 0) return painter.drawImage(QPoint(qRound(left * device), qRound(top * device)) + made.offset, made.ink);
    if (ratio == 1.0) return painter.drawImage(QPoint(left, top) + made.offset, made.ink);
    // A painter with a scale of its own takes the image at its size in points.
    const QPointF at = QPointF(left, top) + QPointF(made.offset) / ratio;
    painter.drawImage(QRectF(at, QSizeF(made.ink.size()) / ratio), made.ink);
}

// The device pixel ratio when the places are drawn in device pixels (see
// DrawPlaces), else 0.
qreal MapRenderer::DeviceRatio(const QPainter& painter, qreal ratio) const {
    return ratio != 1.0 && !m_labelsAsText && CanDrawInDevicePixels(painter) ? ratio : 0;
}

// Device pixels to a unit when places can be drawn as items (labels from
// their images, in device pixels at a whole scale), else 0.
int MapRenderer::ItemScale(const QPainter& painter, qreal ratio) const {
    if (m_labelsAsText) return 0;
    return EdgeScale(painter, ratio, DeviceRatio(painter, ratio));
}

// A marker's outline of `size` device pixels, drawn once and copied: a
// copy costs less than filling its four edges.
const QImage& MapRenderer::MarkerImage(QSize size) {
    const QColor colour = Colour(MapColour::Marker);
    if (m_markerImage.size() != size || m_markerColour != colour) {
        m_markerImage = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_markerImage.fill(Qt::transparent);
        m_markerColour = colour;
        QPainter painter(&m_markerImage);
        FillMarkerOutline(painter, QRect(QPoint(0, 0), size), colour);
    }
    return m_markerImage;
}

// Every marker and label a paint of `update` draws, in device pixels
// at `scale` to a unit, in the order they are drawn (see DrawPlaces).
std::vector<PlaceItem> MapRenderer::PlaceItems(const CRect& update, qreal ratio, int scale) {
    std::vector<PlaceItem> items;
    VisitPlaces(
        update,
        [&](int index, const CRect& marker) {
            if (m_look.symbols) {
                const QRect box = ScaledRect(MarkerExtent(marker), scale);
                return items.push_back({box, m_symbols.Image(m_places[index]->m_nType, box.width(), Colour(MapColour::Marker))});
            }
            const QRect outline = MarkerOutline(marker, scale);
            items.push_back({outline, MarkerImage(outline.size())});
        },
        [&](int index, const CRect& label, bool highlighted) {
            const LabelImage& made = MadeLabel(index, *m_places[index], highlighted, ratio);
            if (made.ink.isNull()) return;
            const QPoint at = QPoint(label.left - kHaloWidth, label.top - kHaloWidth) * scale + made.offset;
            items.push_back({QRect(at, made.ink.size()), made.ink});
        },
        [&](const NoteDraw& note) {
            if (!note.title) {
                const QRect at = ScaledRect(note.rect, scale);
                return items.push_back({at, GlyphImage(note.glyph, note.colour, at.size())});
            }
            const LabelImage& made = MadeTitle(*note.title, ratio);
            if (made.ink.isNull()) return;
            const QPoint at = QPoint(note.rect.left - kHaloWidth, note.rect.top - kHaloWidth) * scale + made.offset;
            items.push_back({QRect(at, made.ink.size()), made.ink});
        });
    return items;
}

// Markers and labels in the places' order, but the labels of found places
// last, so that no other label hides them. On a high-density screen they
// are drawn in device pixels, the labels copied from their images as they
// are rather than through the painter's scale: at a whole number of device
// pixels to a unit, as items (see PlaceItems); else (a fractional ratio, a
// printer's or an export's scale, labels as text) one by one below.
void MapRenderer::DrawPlaces(QPainter& painter, const CRect& update, qreal ratio) {
    if (const int scale = ItemScale(painter, ratio)) {
        painter.save();
        UseDevicePixels(painter, ratio);
        DrawPlaceItems(painter, PlaceItems(update, ratio, scale), ScaledRect(update, scale));
        return painter.restore();
    }
    const qreal device = DeviceRatio(painter, ratio);
    if (device != 0) {
        painter.save();
        UseDevicePixels(painter, ratio);
    }
    painter.setPen(QPen(Colour(MapColour::Marker), 0));
    painter.setBrush(Qt::NoBrush);
    const int edgeScale = EdgeScale(painter, ratio, device);
    VisitPlaces(
        update,
        [&](int index, const CRect& marker) {
            if (!m_look.symbols) return DrawMarker(painter, marker, device, edgeScale);
            const qreal scale = device != 0 ? device : 1.0;
            const CRect box = MarkerExtent(marker);
            DrawKindSymbol(painter, m_places[index]->m_nType,
                           QRectF(box.left * scale, box.top * scale, box.Width() * scale, box.Height() * scale),
                           Colour(MapColour::Marker));
        },
        [&](int index, const CRect& label, bool) { DrawLabel(painter, index, *m_places[index], label, ratio, device); },
        [&](const NoteDraw& note) { DrawNote(painter, note, ratio, device); });
    if (device != 0) painter.restore();
}

// What a paint of `update` draws of the places, in the order it is drawn:
// each shown place's marker where it meets `update`, the player's marks on
// it, then its label where that does; then the pins and their titles; the
// labels of found places last, over everything.
// What a marker covers: its square, or its kind's symbol with the outline
// around it.
CRect MapRenderer::MarkerExtent(const CRect& marker) const {
    if (!m_look.symbols) return marker;
    return {marker.left - kSymbolMargin, marker.top - kSymbolMargin, marker.right + kSymbolMargin,
            marker.bottom + kSymbolMargin};
}

void MapRenderer::VisitPlaces(const CRect& update, const std::function<void(int index, const CRect& marker)>& onMarker,
                              const std::function<void(int index, const CRect& label, bool highlighted)>& onLabel,
                              const NoteVisitor& onNote) {
    std::vector<std::pair<int, CRect>> found;
    CRect marker, label;
    if (m_look.declutter) PlaceLabelsAnew();
    for (int i = 0; i < m_places.GetSize(); ++i) {
        if (!ShownRects(i, marker, label)) continue;
        if (Intersects(MarkerExtent(marker), update)) onMarker(i, marker);
        if (m_look.adaptedColours && m_overlay.IsHighlighted(m_places[i])) VisitFoundRing(marker, update, onNote);
        if (m_notes) VisitPlaceMarks(i, marker, update, onNote);
        if (!LabelMeets(label, update)) continue;
        if (m_overlay.IsHighlighted(m_places[i])) found.emplace_back(i, label);
        else onLabel(i, label, false);
    }
    if (m_notes) VisitPins(update, onNote);
    for (const auto& [index, rect] : found) onLabel(index, rect, true);
}

void MapRenderer::VisitPlaceMarks(int index, const CRect& marker, const CRect& update,
                                  const NoteVisitor& onNote) const {
    const CPlaceMarks marks = m_notes->MarksOf(index);
    if (!marks.Any()) return;
    const std::pair<bool, NoteGlyph> glyphs[] = {{marks.visited, NoteGlyph::Visited},
                                                 {marks.favourite, NoteGlyph::Favourite},
                                                 {marks.noted, NoteGlyph::Noted}};
    for (const auto& [shown, glyph] : glyphs) {
        const CRect rect = PlaceGlyphRect(glyph, marker);
        if (shown && Intersects(rect, update)) onNote({rect, glyph});
    }
}

namespace {
// Beyond this many pins in a paint, each is a dot of its colour without its
// title, drawn over the frame at the end of the paint: their titles would
// only cover one another, and a thousand pins cost a thousand small fills,
// not a thousand heads and labels blended.
constexpr size_t kPinsDrawnWhole = 300;
}  // namespace

// Each pin's head, then its title beside it, as a place's label sits; only
// the pins near `update` are looked at.
void MapRenderer::VisitPins(const CRect& update, const NoteVisitor& onNote) {
    const CPoint scroll = m_geometry.GetScrollOffset();
    // A title reaches right of its head: the pins as far left as the
    // widest title are looked at too.
    const CPoint topLeft = m_geometry.MapToWorld({update.left + scroll.x - m_widestTitle - 8, update.top + scroll.y - 8});
    const CPoint bottomRight = m_geometry.MapToWorld({update.right + scroll.x + 8, update.bottom + scroll.y + 8});
    m_pinScratch.clear();
    m_notes->ForPinsIn({topLeft.x, bottomRight.y, bottomRight.x, topLeft.y}, [&](int pin) { m_pinScratch.push_back(pin); });
    if (m_pinScratch.size() > kPinsDrawnWhole) return std::swap(m_crowdedPins, m_pinScratch);
    for (int index : m_pinScratch) {
        const CMapPin& pin = m_notes->Pins()[size_t(index)];
        const CRect head = PinRect(m_geometry, pin.x, pin.y);
        if (Intersects(head, update)) onNote({head, pin.lostPlace ? NoteGlyph::LostPin : NoteGlyph::Pin, pin.colour});
        const CSize size = MeasuredTitle(pin.title);
        const CRect title{head.right + 1, head.top - 1, head.right + 1 + size.cx, head.top - 1 + size.cy};
        if (LabelMeets(title, update)) onNote({title, NoteGlyph::Pin, pin.colour, &pin.title});
    }
}

CSize MapRenderer::MeasuredTitle(const std::string& title) {
    auto [it, added] = m_titleSizes.try_emplace(title);
    if (added) {
        const QFontMetrics metrics(m_fontNormal);
        const QString text = ShownUtf8(title);
        it->second = {metrics.horizontalAdvance(text), text.isEmpty() ? 0 : metrics.height()};
        m_widestTitle = std::max(m_widestTitle, int(it->second.cx));
    }
    return it->second;
}

const MapRenderer::LabelImage& MapRenderer::MadeTitle(const std::string& title, qreal ratio) {
    UseLabelRatio(ratio);
    LabelImage& made = m_titleImages[title];
    if (!made.made)
        made = MadeLabelImage(m_fontNormal, ShownUtf8(title), MeasuredTitle(title), LabelColour(false), ratio);
    return made;
}

// A glyph's image at `size` device pixels, drawn once and copied.
const QImage& MapRenderer::GlyphImage(NoteGlyph glyph, PinColour colour, QSize size) {
    const bool adapted = m_look.adaptedColours;
    const quint64 key = quint64(glyph) << 56 | quint64(colour) << 48 | quint64(adapted) << 47 |
                        quint64(size.width()) << 24 | quint64(size.height());
    QImage& image = m_glyphImages[key];
    if (image.isNull()) {
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        DrawNoteGlyph(painter, glyph, colour, QRectF(QPointF(0, 0), QSizeF(size)), adapted);
    }
    return image;
}

// `device` as in DrawLabel.
void MapRenderer::DrawNote(QPainter& painter, const NoteDraw& note, qreal ratio, qreal device) {
    if (!note.title) {
        const qreal scale = device != 0 ? device : 1.0;
        const CRect& r = note.rect;
        return DrawNoteGlyph(painter, note.glyph, note.colour,
                             QRectF(r.left * scale, r.top * scale, r.Width() * scale, r.Height() * scale),
                             m_look.adaptedColours);
    }
    if (m_labelsAsText) return DrawLabelText(painter, m_fontNormal, ShownUtf8(*note.title), false, note.rect);
    DrawLabelImage(painter, MadeTitle(*note.title, ratio), note.rect, ratio, device);
}

// The marker and label of the place at `index` as the view shows them;
// false when the view does not show the place.
bool MapRenderer::ShownRects(int index, CRect& marker, CRect& label) {
    const CPlace* place = m_places[index];
    if (!place || !m_overlay.IsPlaceVisible(place)) return false;
    m_overlay.GetPlaceRects(*place, MeasuredLabel(index, *place), marker, label);
    if (m_look.declutter && size_t(index) < m_placedLabels.size()) {
        const CPoint scroll = m_geometry.GetScrollOffset();
        label = Moved(m_placedLabels[size_t(index)], {-scroll.x, -scroll.y});
    }
    return true;
}

// With adapted colours a found place's marker has a ring around it: a cue
// that is not a colour.
void MapRenderer::VisitFoundRing(const CRect& marker, const CRect& update, const NoteVisitor& onNote) const {
    const CRect ring = PlaceGlyphRect(NoteGlyph::FoundRing, marker);
    if (Intersects(ring, update)) onNote({ring, NoteGlyph::FoundRing});
}

QColor MapRenderer::Colour(MapColour role) const { return ColourFor(role, m_look.adaptedColours); }

QColor MapRenderer::LabelColour(bool found) const { return Colour(found ? MapColour::FoundLabel : MapColour::Label); }

// Labels placed so that none hides another (see LabelPlacement), made again
// only when what is shown changes: the zoom, the places shown, the found
// ones. Each frame compares that much, then copies the rectangles.
void MapRenderer::PlaceLabelsAnew() {
    std::vector<int>& key = m_placementScratch;
    key.assign(1, m_geometry.Zoom());
    for (int i = 0; i < m_places.GetSize(); ++i) {
        const CPlace* place = m_places[i];
        if (place && m_overlay.IsPlaceVisible(place)) key.push_back(2 * i + (m_overlay.IsHighlighted(place) ? 1 : 0));
    }
    if (key == m_placementKey) return;
    const CPoint scroll = m_geometry.GetScrollOffset();
    std::vector<LabelToPlace> labels;
    labels.reserve(key.size() - 1);
    for (size_t k = 1; k < key.size(); ++k) {
        const int index = key[k] / 2;
        const CPlace& place = *m_places[index];
        CRect marker, label;
        m_overlay.GetPlaceRects(place, MeasuredLabel(index, place), marker, label);
        labels.push_back({Moved(marker, scroll), {label.Width(), label.Height()}, key[k] % 2 == 1, place.m_nLevel});
    }
    const std::vector<CRect> placed = PlaceLabels(labels, kHaloWidth);
    m_placedLabels.assign(size_t(m_places.GetSize()), CRect{});
    for (size_t k = 1; k < key.size(); ++k) m_placedLabels[size_t(key[k] / 2)] = placed[k - 1];
    m_placementKey.swap(key);
}

const std::vector<CRect>* MapRenderer::PlacedLabels() {
    if (!m_look.declutter) return nullptr;
    PlaceLabelsAnew();
    return &m_placedLabels;
}

void MapRenderer::PrepareLabels(const CRect& update, qreal ratio) {
    if (m_labelsAsText) return;
    VisitPlaces(
        update, [](int, const CRect&) {},
        [&](int index, const CRect&, bool highlighted) { MadeLabel(index, *m_places[index], highlighted, ratio); },
        [&](const NoteDraw& note) {
            if (note.title) MadeTitle(*note.title, ratio);
        });
}
