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
                        const std::vector<PlaceItem>& items) {
    UseKey(key);
    const QRect needed = Needed(area);
    if (needed.isEmpty()) return m_spare.clear();
    ++m_frame;
    const Span span = Span::Of(needed);
    const std::vector<ItemsOnTile> onTiles = ItemsByTile(items, area.topLeft() - at, span);
    Refresh(picture, needed, span, onTiles);
    painter.save();
    // The tiles are opaque: each replaces what is under it.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int row = span.firstRow; row <= span.lastRow; ++row)
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            const QImage& tile = m_tiles[TileId(column, row)].image;
            const QRect place(column * kTileWidth, row * kTileHeight, tile.width(), tile.height());
            const QRect part = place & needed;
            painter.drawImage(at + (part.topLeft() - area.topLeft()), tile, part.translated(-place.topLeft()));
        }
    painter.restore();
    m_spare.clear();
    const size_t used = size_t(span.lastColumn - span.firstColumn + 1) * size_t(span.lastRow - span.firstRow + 1);
    EvictBeyond(used + used / 4);
}

// Each item, moved onto the zoomed picture, goes to every tile of the span
// it meets, in the items' order.
std::vector<CZoomedTiles::ItemsOnTile> CZoomedTiles::ItemsByTile(const std::vector<PlaceItem>& items, QPoint toPicture,
                                                                 const Span& span) {
    std::vector<ItemsOnTile> onTiles(span.IndexOf(span.lastColumn, span.lastRow) + 1);
    for (const PlaceItem& item : items) {
        const QRect rect = item.rect.translated(toPicture);
        if (rect.isEmpty() || rect.right() < 0 || rect.bottom() < 0) continue;
        const int firstColumn = std::max(span.firstColumn, rect.left() / kTileWidth);
        const int lastColumn = std::min(span.lastColumn, rect.right() / kTileWidth);
        const int firstRow = std::max(span.firstRow, rect.top() / kTileHeight);
        const int lastRow = std::min(span.lastRow, rect.bottom() / kTileHeight);
        for (int row = firstRow; row <= lastRow; ++row)
            for (int column = firstColumn; column <= lastColumn; ++column)
                onTiles[span.IndexOf(column, row)].push_back({rect, item.image});
    }
    return onTiles;
}

// Every tile of the span not holding its items, or not scaled as far as
// the draw shows it, is scaled again and given them, on two threads when
// there are many (a zoom step's frame draws places into all its tiles). A
// tile holding no items is used as it is scaled.
void CZoomedTiles::Refresh(const CMapPicture& picture, const QRect& needed, const Span& span,
                           const std::vector<ItemsOnTile>& onTiles) {
    struct Stale {
        Tile* tile;
        QRect place, part;  // the part to scale again, or none
        const ItemsOnTile* items;
        QImage memory;  // the tile's own, a spare, or none
    };
    std::vector<Stale> stale;
    for (int row = span.firstRow; row <= span.lastRow; ++row)
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            Tile& tile = m_tiles[TileId(column, row)];
            tile.lastUse = m_frame;
            const ItemsOnTile& items = onTiles[span.IndexOf(column, row)];
            const QRect place = PlaceOf(column, row);
            QRect part = ToScale(tile, place, place & needed);
            if (part.isEmpty() && Holds(tile, items)) continue;
            if (part.isEmpty() && !tile.drawn.empty()) part = tile.scaled;  // the picture again under new items
            QImage memory = tile.image.isNull() ? TakeSpare(place.size()) : std::move(tile.image);
            stale.push_back({&tile, place, part, &items, std::move(memory)});
        }
    ShareOut(stale.size(), [&](size_t i, std::optional<CZoomScaler>& scaler) {
        Stale& s = stale[i];
        if (s.part.isEmpty()) {
            s.tile->image = std::move(s.memory);
        } else {
            s.tile->image = RenderTile(picture, s.place, s.part, scaler, std::move(s.memory));
            s.tile->scaled = s.part;
        }
        s.tile->drawn.clear();
        if (!s.tile->image.isNull()) DrawItems(*s.tile, s.place.topLeft(), *s.items);
    });
}

// What of a tile at `place` must be scaled for a draw showing `shown` of
// it: that part of a new tile, all of one scaled only in part and not as
// far, else nothing.
QRect CZoomedTiles::ToScale(const Tile& tile, const QRect& place, const QRect& shown) {
    if (tile.image.isNull()) return shown;
    return tile.scaled.contains(shown) ? QRect() : place;
}

bool CZoomedTiles::Holds(const Tile& tile, const ItemsOnTile& items) {
    return std::equal(tile.drawn.begin(), tile.drawn.end(), items.begin(), items.end(),
                      [](const Stamp& drawn, const PlaceItem& item) {
                          return drawn.rect == item.rect && drawn.image == item.image.cacheKey();
                      });
}

void CZoomedTiles::DrawItems(Tile& tile, QPoint corner, const ItemsOnTile& items) {
    if (items.empty()) return;
    QPainter painter(&tile.image);
    painter.translate(-corner);
    for (const PlaceItem& item : items) {
        painter.drawImage(item.rect.topLeft(), item.image);
        tile.drawn.push_back({item.rect, item.image.cacheKey()});
    }
}

QRect CZoomedTiles::PlaceOf(int column, int row) const {
    const int left = column * kTileWidth, top = row * kTileHeight;
    return QRect(left, top, kTileWidth, kTileHeight) & m_key.Bounds();
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

QRect CZoomedTiles::Needed(const QRect& area) const { return area & m_key.Bounds(); }

QRect CZoomedTiles::TilesShowing(const Key& key, const QRect& area) {
    const QRect needed = area & key.Bounds();
    if (needed.isEmpty()) return {};
    const Span span = Span::Of(needed);
    const QPoint first(span.firstColumn * kTileWidth, span.firstRow * kTileHeight);
    const QPoint last((span.lastColumn + 1) * kTileWidth - 1, (span.lastRow + 1) * kTileHeight - 1);
    return QRect(first, last) & key.Bounds();
}

// After a zoom step every tile of the frame is new: a second thread takes
// them one by one alongside the calling thread, each with a scaler of its
// own, while the calling thread first does `alongside`. A pan's few new
// tiles are not worth a thread, and are made here without it.
void CZoomedTiles::MakeMissing(const CMapPicture& picture, const Key& key, const QRect& area,
                               const std::function<void()>& alongside) {
    UseKey(key);
    struct Missing {
        QRect place, part;
        Tile* tile;
        QImage memory;  // the tile's own, a spare, or none
    };
    std::vector<Missing> missing;
    if (const QRect needed = Needed(area); !needed.isEmpty())
        for (int row = needed.top() / kTileHeight; row <= needed.bottom() / kTileHeight; ++row)
            for (int column = needed.left() / kTileWidth; column <= needed.right() / kTileWidth; ++column) {
                Tile& tile = m_tiles[TileId(column, row)];
                const QRect place = PlaceOf(column, row);
                const QRect part = ToScale(tile, place, place & needed);
                if (part.isEmpty()) continue;
                QImage memory = tile.image.isNull() ? TakeSpare(place.size()) : std::move(tile.image);
                missing.push_back({place, part, &tile, std::move(memory)});
            }
    ShareOut(
        missing.size(),
        [&](size_t i, std::optional<CZoomScaler>& scaler) {
            Missing& m = missing[i];
            m.tile->image = RenderTile(picture, m.place, m.part, scaler, std::move(m.memory));
            m.tile->scaled = m.part;
            m.tile->drawn.clear();
        },
        alongside);
}

// Runs `work` for 0 to `count` - 1, on a second thread too when there are
// enough to be worth it, each thread with a scaler of its own; `alongside`
// then runs first on the calling thread. Indices are taken one by one.
void CZoomedTiles::ShareOut(size_t count, const std::function<void(size_t, std::optional<CZoomScaler>&)>& work,
                            const std::function<void()>& alongside) {
    constexpr size_t kSharedFrom = 24;
    std::atomic<size_t> next{0};
    auto takeWork = [&](std::optional<CZoomScaler>& scaler) {
        for (size_t i = next++; i < count; i = next++) work(i, scaler);
    };
    std::optional<CZoomScaler> helperScaler;
    std::thread helper;
    if (count >= kSharedFrom) {
        try {
            helper = std::thread([&] {
                try {
                    takeWork(helperScaler);
                } catch (const std::bad_alloc&) {
                    // Out of memory here: what is left is done by the calling thread.
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: this one does it all.
        }
    }
    struct Joiner {
        std::thread& thread;
        ~Joiner() {
            if (thread.joinable()) thread.join();
        }
    } joiner{helper};
    if (helper.joinable() && alongside) alongside();
    takeWork(m_scaler);
}

// Tiles are scaled from the halved copy the device scale calls for, each
// pixel from its own place in the whole zoomed picture (CZoomScaler), so
// that tiles drawn at any time meet without a seam. Only `part` of the
// tile at `place` is scaled.
QImage CZoomedTiles::RenderTile(const CMapPicture& picture, const QRect& place, const QRect& part,
                                std::optional<CZoomScaler>& scaler, QImage tile) const {
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
    const ptrdiff_t stride = tile.bytesPerLine() / 4;
    uint32_t* corner = reinterpret_cast<uint32_t*>(tile.bits()) + (part.top() - place.top()) * stride +
                       (part.left() - place.left());
    scaler->Scale(part.left(), part.top(), {corner, part.width(), part.height(), stride});
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
