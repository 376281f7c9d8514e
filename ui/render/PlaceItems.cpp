#include "render/PlaceItems.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <iterator>
#include <numeric>

namespace {

// The part of `item` in `part`, which lies within it.
void DrawPart(QPainter& painter, const PlaceItem& item, const QRect& part) {
    const QRect& r = item.rect;
    if (part == r) painter.drawImage(r.topLeft(), item.image);  // the painter's quickest way
    else painter.drawImage(part.topLeft(), item.image, part.translated(-r.topLeft()));
}

// The part of `item` in rows `top` to before `bottom` of `within`.
void DrawPart(QPainter& painter, const PlaceItem& item, const QRect& within, int top, int bottom) {
    const int partTop = std::max(top, within.top()), partBottom = std::min(bottom, within.bottom() + 1);
    if (partTop >= partBottom) return;
    const QRect part = item.rect & QRect(within.left(), partTop, within.width(), partBottom - partTop);
    if (!part.isEmpty()) DrawPart(painter, item, part);
}

// `r` less `hole`, in up to four rectangles: the rows above and below the
// hole, then the columns left and right of it.
std::vector<QRect> Around(const QRect& r, const QRect& hole) {
    if (r.isEmpty()) return {};
    const QRect inside = r & hole;
    if (inside.isEmpty()) return {r};
    std::vector<QRect> parts{QRect(r.left(), r.top(), r.width(), inside.top() - r.top()),
                             QRect(r.left(), inside.bottom() + 1, r.width(), r.bottom() - inside.bottom()),
                             QRect(r.left(), inside.top(), inside.left() - r.left(), inside.height()),
                             QRect(inside.right() + 1, inside.top(), r.right() - inside.right(), inside.height())};
    parts.erase(std::remove_if(parts.begin(), parts.end(), [](const QRect& p) { return p.isEmpty(); }), parts.end());
    return parts;
}

}  // namespace

void DrawPlaceItems(QPainter& painter, const std::vector<PlaceItem>& items, const QRect& within) {
    DrawPlaceItemsAround(painter, items, QRect(), within);
}

void DrawPlaceItemsAround(QPainter& painter, const std::vector<PlaceItem>& items, const QRect& hole,
                          const QRect& within) {
    for (const PlaceItem& item : items)
        for (const QRect& part : Around(item.rect & within, hole)) DrawPart(painter, item, part);
}

void DrawPlaceItemsByRows(QPainter& painter, const std::vector<PlaceItem>& items, const QRect& within,
                          const std::function<void(const std::function<void(int top, int bottom)>& afterRow)>& drawRows) {
    PlaceItemBands bands(items, within);
    int rowsTop = INT_MAX, rowsBottom = INT_MIN;
    drawRows([&](int top, int bottom) {
        bands.Draw(painter, top, bottom);
        rowsTop = std::min(rowsTop, top), rowsBottom = std::max(rowsBottom, bottom);
    });
    if (rowsTop > rowsBottom) return DrawPlaceItems(painter, items, within);  // no band
    // The rows above and below the bands.
    DrawPlaceItemsAround(painter, items, QRect(within.left(), rowsTop, within.width(), rowsBottom - rowsTop), within);
}

PlaceItemBands::PlaceItemBands(const std::vector<PlaceItem>& items, const QRect& within)
    : m_items(items), m_within(within), m_byTop(items.size()) {
    std::iota(m_byTop.begin(), m_byTop.end(), 0);
    std::stable_sort(m_byTop.begin(), m_byTop.end(),
                     [&](int a, int b) { return items[size_t(a)].rect.top() < items[size_t(b)].rect.top(); });
}

void PlaceItemBands::Draw(QPainter& painter, int top, int bottom) {
    const auto end = std::find_if(m_byTop.begin() + ptrdiff_t(m_entered), m_byTop.end(),
                                  [&](int i) { return m_items[size_t(i)].rect.top() >= bottom; });
    std::vector<int> entering(m_byTop.begin() + ptrdiff_t(m_entered), end);
    m_entered = size_t(end - m_byTop.begin());
    std::sort(entering.begin(), entering.end());
    std::vector<int> open;
    open.reserve(m_open.size() + entering.size());
    std::merge(m_open.begin(), m_open.end(), entering.begin(), entering.end(), std::back_inserter(open));
    // Those that end above this band end above every band after it.
    open.erase(std::remove_if(open.begin(), open.end(), [&](int i) { return m_items[size_t(i)].rect.bottom() < top; }),
               open.end());
    m_open.swap(open);
    for (int i : m_open) DrawPart(painter, m_items[size_t(i)], m_within, top, bottom);
}
