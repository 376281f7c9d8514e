#include "render/ZoomedTiles.h"

#include "render/MapPicture.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

uint64_t TileId(int column, int row) { return uint64_t(uint32_t(column)) << 32 | uint32_t(row); }

}  // namespace

void CZoomedTiles::Draw(QPainter& painter, const CMapPicture& picture, const Key& key, const QRect& area, QPoint at) {
    if (!(key == m_key)) {
        m_tiles.clear();
        m_key = key;
    }
    const QRect bounds(0, 0, qCeil(key.zoomed.width()), qCeil(key.zoomed.height()));
    const QRect needed = area & bounds;
    if (needed.isEmpty()) return;
    ++m_frame;
    const int firstColumn = needed.left() / kTileWidth, lastColumn = needed.right() / kTileWidth;
    const int firstRow = needed.top() / kTileHeight, lastRow = needed.bottom() / kTileHeight;
    painter.save();
    // The tiles are opaque: each replaces what is under it.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QImage& tile = TileAt(picture, column, row);
            const QRect place(column * kTileWidth, row * kTileHeight, tile.width(), tile.height());
            const QRect part = place & needed;
            painter.drawImage(at + (part.topLeft() - area.topLeft()), tile, part.translated(-place.topLeft()));
        }
    painter.restore();
    const size_t used = size_t(lastColumn - firstColumn + 1) * size_t(lastRow - firstRow + 1);
    EvictBeyond(used + used / 2);
}

const QImage& CZoomedTiles::TileAt(const CMapPicture& picture, int column, int row) {
    Tile& tile = m_tiles[TileId(column, row)];
    tile.lastUse = m_frame;
    if (tile.image.isNull()) {
        const int left = column * kTileWidth, top = row * kTileHeight;
        const int width = std::min(kTileWidth, qCeil(m_key.zoomed.width()) - left);
        const int height = std::min(kTileHeight, qCeil(m_key.zoomed.height()) - top);
        tile.image = RenderTile(picture, QRect(left, top, width, height));
    }
    return tile.image;
}

// Every tile is drawn through the one transform that takes the halved copy
// the device scale calls for onto the whole zoomed picture, so that its
// pixels are those the same place has in one large drawing, up to the
// painter's rounding at the start of each row. Only the source pixels the
// tile needs are handed to the painter, with two more on every side for the
// smoothing to read, which keeps the painter on its fast path at any zoom.
QImage CZoomedTiles::RenderTile(const CMapPicture& picture, const QRect& place) const {
    QImage tile(place.size(), QImage::Format_RGB32);
    const int level = picture.LevelFor(m_key.zoomed.width() / picture.GetPixelSize().cx);
    // The last column or row of tiles may be covered only in part.
    const bool edge = place.right() + 1 > qFloor(m_key.zoomed.width()) ||
                      place.bottom() + 1 > qFloor(m_key.zoomed.height());
    if (edge || level < 0) tile.fill(Qt::black);
    if (level < 0) return tile;
    const QImage& source = picture.Level(level);
    const double kx = m_key.zoomed.width() / source.width(), ky = m_key.zoomed.height() / source.height();
    constexpr int kMargin = 2;
    const int left = std::max(0, qFloor(place.left() / kx) - kMargin);
    const int top = std::max(0, qFloor(place.top() / ky) - kMargin);
    const int right = std::min(source.width(), qCeil((place.right() + 1) / kx) + kMargin);
    const int bottom = std::min(source.height(), qCeil((place.bottom() + 1) / ky) + kMargin);
    if (right <= left || bottom <= top) {  // no picture pixel under the tile
        tile.fill(Qt::black);
        return tile;
    }
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF to(left * kx - place.left(), top * ky - place.top(), (right - left) * kx, (bottom - top) * ky);
    painter.drawImage(to, source, QRectF(left, top, right - left, bottom - top));
    return tile;
}

// The least recently used tiles go first; those of the frame just drawn
// are the most recent and stay.
void CZoomedTiles::EvictBeyond(size_t keep) {
    if (m_tiles.size() <= keep) return;
    std::vector<std::pair<uint64_t, uint64_t>> byAge;  // last use, id
    byAge.reserve(m_tiles.size());
    for (const auto& [id, tile] : m_tiles) byAge.emplace_back(tile.lastUse, id);
    const auto cut = byAge.end() - ptrdiff_t(keep);
    std::nth_element(byAge.begin(), cut, byAge.end());
    for (auto it = byAge.begin(); it != cut; ++it) m_tiles.erase(it->second);
}
