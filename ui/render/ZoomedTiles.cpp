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

// From this many tiles to scale a draw shares them with a second thread.
constexpr size_t kSharedFrom = 24;

}  // namespace

std::vector<PlaceItem> CZoomedTiles::Draw(QPainter& painter, const CMapPicture& picture, const Key& key,
                                          const QRect& area, QPoint at, const MakeItems& makeItems) {
    UseKey(key);
    const QRect needed = Needed(area);
    if (needed.isEmpty()) {
        m_spare.clear();
        return makeItems ? makeItems() : std::vector<PlaceItem>();
    }
    ++m_frame;
    const Span span = Span::Of(needed);
    std::vector<Job> jobs = JobsFor(needed, span);
    const size_t toScale =
        size_t(std::count_if(jobs.begin(), jobs.end(), [](const Job& job) { return !job.part.isEmpty(); }));

    // The items go into the tiles made once they are known; those made
    // before are given them here as they are drawn. (A frame whose tiles
    // all need new items but none a new scale is done by this thread
    // alone: that takes a change of the places shown without a move.)
    std::vector<PlaceItem> items;
    std::vector<ItemsOnTile> onTiles;
    std::atomic<bool> itemsKnown{false};
    std::vector<std::atomic<bool>> made(jobs.size());
    size_t drawn = 0;  // the jobs drawn so far, in order
    painter.save();
    // The tiles are opaque: each replaces what is under it.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    auto drawUpTo = [&](size_t end, bool wait) {
        for (; drawn < end && (!wait || made[drawn].load(std::memory_order_acquire)); ++drawn) {
            const Job& job = jobs[drawn];
            GiveItems(picture, job, onTiles[drawn], m_scaler);
            const QRect part = job.place & needed;  // drawn with its top left corner at `at` + its offset in `area`
            painter.drawImage(at + (part.topLeft() - area.topLeft()), job.tile->image,
                              part.translated(-job.place.topLeft()));
        }
    };
    ShareOut(
        jobs.size(), toScale >= kSharedFrom,
        [&](size_t i, std::optional<CZoomScaler>& scaler) {
            MakeTile(picture, jobs[i], scaler);
            if (itemsKnown.load(std::memory_order_acquire)) GiveItems(picture, jobs[i], onTiles[i], scaler);
            made[i].store(true, std::memory_order_release);
        },
        [&] {
            if (makeItems) items = makeItems();
            onTiles = ItemsByTile(items, area.topLeft() - at, span);
            itemsKnown.store(true, std::memory_order_release);
        },
        [&] { drawUpTo(jobs.size(), true); });
    drawUpTo(jobs.size(), false);
    painter.restore();
    m_spare.clear();
    EvictBeyond(jobs.size() + jobs.size() / 4);
    return items;
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

// Every tile of the span, with the part of it to scale: its memory taken
// out of it, or a spare's for a new one. No tile is added to the map past
// this point, which the threads read.
std::vector<CZoomedTiles::Job> CZoomedTiles::JobsFor(const QRect& needed, const Span& span) {
    std::vector<Job> jobs;
    for (int row = span.firstRow; row <= span.lastRow; ++row)
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) {
            Tile& tile = m_tiles[TileId(column, row)];
            tile.lastUse = m_frame;
            const QRect place = PlaceOf(column, row);
            const QRect part = ToScale(tile, place, place & needed);
            QImage memory;
            if (!part.isEmpty()) memory = tile.image.isNull() ? TakeSpare(place.size()) : std::move(tile.image);
            jobs.push_back({&tile, place, part, std::move(memory)});
        }
    return jobs;
}

void CZoomedTiles::MakeTile(const CMapPicture& picture, Job& job, std::optional<CZoomScaler>& scaler) const {
    if (job.part.isEmpty()) return;
    job.tile->image = RenderTile(picture, job.place, job.part, scaler, std::move(job.memory));
    job.tile->scaled = job.part;
    job.tile->drawn.clear();
}

// A tile holding other items is scaled again under the new ones; one
// holding none is used as it is scaled.
void CZoomedTiles::GiveItems(const CMapPicture& picture, const Job& job, const ItemsOnTile& items,
                             std::optional<CZoomScaler>& scaler) const {
    Tile& tile = *job.tile;
    if (tile.image.isNull() || Holds(tile, items)) return;
    if (!tile.drawn.empty()) tile.image = RenderTile(picture, job.place, tile.scaled, scaler, std::move(tile.image));
    tile.drawn.clear();
    if (!tile.image.isNull()) DrawItems(tile, job.place.topLeft(), items);
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

// Runs `work` for 0 to `count` - 1, indices taken one by one, on a second
// thread too when `share` is set and one can be had, each thread with a
// scaler of its own. The calling thread first runs `first`, then `between`
// after each index it takes.
void CZoomedTiles::ShareOut(size_t count, bool share,
                            const std::function<void(size_t, std::optional<CZoomScaler>&)>& work,
                            const std::function<void()>& first, const std::function<void()>& between) {
    std::atomic<size_t> next{0};
    auto takeWork = [&](std::optional<CZoomScaler>& scaler, const std::function<void()>& after) {
        for (size_t i = next++; i < count; i = next++) {
            work(i, scaler);
            if (after) after();
        }
    };
    std::optional<CZoomScaler> helperScaler;
    std::thread helper;
    if (share) {
        try {
            helper = std::thread([&] {
                try {
                    takeWork(helperScaler, {});
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
    first();
    takeWork(m_scaler, between);
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
