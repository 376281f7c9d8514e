// The map picture drawn at one zoom for one device pixel ratio, kept in
// tiles of device pixels on a grid fixed to the picture's top left
// corner. A tile depends on nothing but its place on that grid (and the
// picture, the zoom, the ratio), so a frame put together from kept tiles is
// exactly the frame a fresh draw makes, wherever the view was before; a pan
// draws only the tiles it uncovers, and a repaint of the same view none. A
// new tile at the edge of a frame is scaled only as far as the frame shows
// it (at 1920 x 1080 a zoom step scales about a sixth fewer pixels), and
// the rest when a later frame shows more. A frame with many new tiles (a zoom step's)
// scales them on two threads.
//
// The places' markers and labels are drawn into the tiles they meet, so
// that a frame is a copy of tiles: the places cost only where they change.
// Each tile keeps the list of what it holds (where, and which image), and
// a tile whose list differs from the frame's is scaled again and drawn
// anew; the tiles show the same pixels as items drawn over a plain tile
// would, whatever the view did before.
//
// Memory: the tiles of the last frame and a quarter as many again (the most
// recently used), so about one and a quarter frames of device pixels at most
// (13 MB at 1920 x 1080, 46 MB at 3840 x 2160); all go when the zoom, the
// ratio or the picture changes, their memory taken by the new tiles.
#pragma once
#include <QImage>
#include <QRect>
#include <QtMath>

#include "render/PlaceItems.h"
#include "view/ZoomScaler.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class CMapPicture;
class QPainter;

class CZoomedTiles {
public:
    // Wide and low: the painter splits a draw of more than about a hundred
    // rows between threads, which costs more than it saves on a tile.
    static constexpr int kTileWidth = 256, kTileHeight = 64;

    // What the tiles show: `picture` zoomed to `zoomed` (the size of the
    // zoomed picture in device pixels, fractional at some ratios) for the
    // view's `zoom` and device pixel ratio `ratio`.
    struct Key {
        const CMapPicture* picture = nullptr;
        int generation = -1, zoom = 0;
        qreal ratio = 0;
        QSizeF zoomed;
        bool operator==(const Key& o) const {
            return picture == o.picture && generation == o.generation && zoom == o.zoom && ratio == o.ratio &&
                   zoomed == o.zoomed;
        }
        // The zoomed picture's device pixels, a fractional last column or row whole.
        QRect Bounds() const { return QRect(0, 0, qCeil(zoomed.width()), qCeil(zoomed.height())); }
    };

    // Draws the part `area` of the zoomed picture (device pixels, in its
    // own coordinates) with its top left corner at device pixel `at`, and
    // over it the items `makeItems` returns (in the painter's device
    // pixels, in the order they are drawn) where they meet the picture;
    // returns those items. The painter's transform must be the identity in
    // device pixels. Each item must be the same image while it is shown: a
    // new image must be a new QImage.
    //
    // When many tiles are new (a zoom step's frame), a second thread starts
    // on them while this one makes the items; then both make tiles, this
    // one drawing those made so far between its own.
    using MakeItems = std::function<std::vector<PlaceItem>()>;
    std::vector<PlaceItem> Draw(QPainter& painter, const CMapPicture& picture, const Key& key, const QRect& area,
                                QPoint at, const MakeItems& makeItems = {});
    // The tiles a draw of `area` shows, whole, as one rectangle of the zoomed
    // picture (empty when it shows none): the items they hold are those
    // meeting it.
    static QRect TilesShowing(const Key& key, const QRect& area);
    // Lets every tile go (the zoom went to one drawn otherwise).
    void Clear() {
        m_tiles.clear();
        m_spare.clear();
        m_scaler.reset();
        m_key = {};
    }

    size_t TileCount() const { return m_tiles.size(); }

private:
    // An item drawn into a tile: its place on the zoomed picture, and its image.
    struct Stamp {
        QRect rect;
        qint64 image;
    };
    struct Tile {
        QImage image;
        // The part of the tile scaled, in the zoomed picture: a new tile
        // at the edge of a frame is scaled only as far as the frame shows
        // it, and the rest when a later frame shows more of it.
        QRect scaled;
        std::vector<Stamp> drawn;  // empty: the picture alone
        uint64_t lastUse = 0;
    };
    // The items meeting a tile, in order, in the zoomed picture's device pixels.
    using ItemsOnTile = std::vector<PlaceItem>;
    struct Span {  // the tiles a draw needs
        int firstColumn, lastColumn, firstRow, lastRow;
        static Span Of(const QRect& needed) {
            return {needed.left() / kTileWidth, needed.right() / kTileWidth, needed.top() / kTileHeight,
                    needed.bottom() / kTileHeight};
        }
        size_t IndexOf(int column, int row) const {
            return size_t(row - firstRow) * size_t(lastColumn - firstColumn + 1) + size_t(column - firstColumn);
        }
    };
    // A tile of a draw's span and what it lacks: `part` to scale (or none),
    // and its items once they are made.
    struct Job {
        Tile* tile;
        QRect place, part;
        QImage memory;  // the tile's own, a spare, or none
    };
    static std::vector<ItemsOnTile> ItemsByTile(const std::vector<PlaceItem>& items, QPoint toPicture, const Span& span);
    std::vector<Job> JobsFor(const QRect& needed, const Span& span);
    void MakeTile(const CMapPicture& picture, Job& job, std::optional<CZoomScaler>& scaler) const;
    void GiveItems(const CMapPicture& picture, const Job& job, const ItemsOnTile& items,
                   std::optional<CZoomScaler>& scaler) const;
    void ShareOut(size_t count, bool share, const std::function<void(size_t, std::optional<CZoomScaler>&)>& work,
                  const std::function<void()>& first, const std::function<void()>& between);
    static bool Holds(const Tile& tile, const ItemsOnTile& items);
    static void DrawItems(Tile& tile, QPoint corner, const ItemsOnTile& items);
    QRect PlaceOf(int column, int row) const;
    void UseKey(const Key& key);
    QRect Needed(const QRect& area) const;
    QImage TakeSpare(QSize size);
    static QRect ToScale(const Tile& tile, const QRect& place, const QRect& shown);
    QImage RenderTile(const CMapPicture& picture, const QRect& place, const QRect& part,
                      std::optional<CZoomScaler>& scaler, QImage tile) const;
    void EvictBeyond(size_t keep);

    Key m_key;
    std::optional<CZoomScaler> m_scaler;  // for m_key, made at the first tile
    std::unordered_map<uint64_t, Tile> m_tiles;  // by column << 32 | row
    // The whole tiles of the key before, whose memory the new key's tiles
    // take rather than fresh pages (which the system must clear and map);
    // what is left of them goes at the end of the draw.
    std::vector<QImage> m_spare;
    uint64_t m_frame = 0;
};
