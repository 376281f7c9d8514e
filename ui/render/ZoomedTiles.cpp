#include "render/ZoomedTiles.h"

#include "render/MapPicture.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace {

uint64_t TileId(int column, int row) { return uint64_t(uint32_t(column)) << 32 | uint32_t(row); }

}  // namespace

void CZoomedTiles::Draw(QPainter& painter, const CMapPicture& picture, const Key& key, const QRect& area, QPoint at,
                        const std::function<void(int top, int bottom)>& afterRow) {
    UseKey(key);
    const QRect needed = Needed(area);
    if (needed.isEmpty()) return m_spare.clear();
    ++m_frame;
    const int firstColumn = needed.left() / kTileWidth, lastColumn = needed.right() / kTileWidth;
    const int firstRow = needed.top() / kTileHeight, lastRow = needed.bottom() / kTileHeight;
    painter.save();
    const QPainter::CompositionMode callersMode = painter.compositionMode();
    // The tiles are opaque: each replaces what is under it.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QImage& tile = TileAt(picture, column, row);
            const QRect place(column * kTileWidth, row * kTileHeight, tile.width(), tile.height());
            const QRect part = place & needed;
            painter.drawImage(at + (part.topLeft() - area.topLeft()), tile, part.translated(-place.topLeft()));
        }
        if (!afterRow) continue;
        const int top = std::max(row * kTileHeight, needed.top());
        const int bottom = std::min((row + 1) * kTileHeight, needed.bottom() + 1);
        painter.setCompositionMode(callersMode);
        afterRow(top - area.top() + at.y(), bottom - area.top() + at.y());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    painter.restore();
    m_spare.clear();
    const size_t used = size_t(lastColumn - firstColumn + 1) * size_t(lastRow - firstRow + 1);
    EvictBeyond(used + used / 4);
}

const QImage& CZoomedTiles::TileAt(const CMapPicture& picture, int column, int row) {
    Tile& tile = m_tiles[TileId(column, row)];
    tile.lastUse = m_frame;
    if (tile.image.isNull()) {
        const QRect place = PlaceOf(column, row);
        tile.image = RenderTile(picture, place, m_scaler, TakeSpare(place.size()));
    }
    return tile.image;
}

QRect CZoomedTiles::PlaceOf(int column, int row) const {
    const int left = column * kTileWidth, top = row * kTileHeight;
    const int width = std::min(kTileWidth, qCeil(m_key.zoomed.width()) - left);
    const int height = std::min(kTileHeight, qCeil(m_key.zoomed.height()) - top);
    return QRect(left, top, width, height);
}

// Tiles of another key all go, the whole ones to be taken again.
void CZoomedTiles::UseKey(const Key& key) {
    if (key == m_key) return;
    for (auto& [id, tile] : m_tiles)
        if (tile.image.size() == QSize(kTileWidth, kTileHeight)) m_spare.push_back(std::move(tile.image));
    m_tiles.clear();
    m_scaler.reset();
    m_key = key;
}

// A spare tile's memory for a whole tile, else none: RenderTile makes it.
QImage CZoomedTiles::TakeSpare(QSize size) {
    if (size != QSize(kTileWidth, kTileHeight) || m_spare.empty()) return {};
    QImage spare = std::move(m_spare.back());
    m_spare.pop_back();
    return spare;
}

QRect CZoomedTiles::Needed(const QRect& area) const {
    return area & QRect(0, 0, qCeil(m_key.zoomed.width()), qCeil(m_key.zoomed.height()));
}

// After a zoom step every tile of the frame is new: a second thread takes
// them one by one alongside the calling thread, each with a scaler of its
// own, while the calling thread first does `alongside`. A pan's few new
// tiles are not worth a thread, and are made here without it.
void CZoomedTiles::MakeMissing(const CMapPicture& picture, const Key& key, const QRect& area,
                               const std::function<void()>& alongside) {
    UseKey(key);
    struct Missing {
        QRect place;
        Tile* tile;
        QImage memory;  // a spare, or none
    };
    std::vector<Missing> missing;
    if (const QRect needed = Needed(area); !needed.isEmpty())
        for (int row = needed.top() / kTileHeight; row <= needed.bottom() / kTileHeight; ++row)
            for (int column = needed.left() / kTileWidth; column <= needed.right() / kTileWidth; ++column) {
                Tile& tile = m_tiles[TileId(column, row)];
                if (!tile.image.isNull()) continue;
                const QRect place = PlaceOf(column, row);
                missing.push_back({place, &tile, TakeSpare(place.size())});
            }
    constexpr size_t kSharedFrom = 24;
    std::atomic<size_t> next{0};
    auto takeTiles = [&](std::optional<CZoomScaler>& scaler) {
        for (size_t i = next++; i < missing.size(); i = next++)
            missing[i].tile->image = RenderTile(picture, missing[i].place, scaler, std::move(missing[i].memory));
    };
    std::optional<CZoomScaler> helperScaler;
    std::thread helper;
    if (missing.size() >= kSharedFrom) {
        try {
            helper = std::thread([&] {
                try {
                    takeTiles(helperScaler);
                } catch (const std::bad_alloc&) {
                    // Out of memory here: the tiles left are made as they are drawn.
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: this one takes every tile.
        }
    }
    struct Joiner {
        std::thread& thread;
        ~Joiner() {
            if (thread.joinable()) thread.join();
        }
    } joiner{helper};
    if (helper.joinable() && alongside) alongside();
    takeTiles(m_scaler);
}

// Tiles are scaled from the halved copy the device scale calls for, each
// pixel from its own place in the whole zoomed picture (CZoomScaler), so
// that tiles drawn at any time meet without a seam.
QImage CZoomedTiles::RenderTile(const CMapPicture& picture, const QRect& place, std::optional<CZoomScaler>& scaler,
                                QImage tile) const {
    if (tile.isNull()) tile = QImage(place.size(), QImage::Format_RGB32);
    if (tile.isNull()) return tile;  // out of memory: made again at the next draw
    if (!scaler) {
        const int level = picture.LevelFor(m_key.zoomed.width() / picture.GetPixelSize().cx);
        if (level < 0) {
            tile.fill(Qt::black);
            return tile;
        }
        const QImage& source = picture.Level(level);
        scaler.emplace(reinterpret_cast<const uint32_t*>(source.constBits()), source.width(), source.height(),
                       source.bytesPerLine() / 4, m_key.zoomed.width(), m_key.zoomed.height());
    }
    scaler->Scale(place.left(), place.top(),
                  {reinterpret_cast<uint32_t*>(tile.bits()), tile.width(), tile.height(), tile.bytesPerLine() / 4});
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
