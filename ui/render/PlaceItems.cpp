#include "render/PlaceItems.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <iterator>
#include <numeric>

namespace {

void DrawPart(QPainter& painter, const PlaceItem& item, int top, int bottom) {
    const QRect& r = item.rect;
    const int partTop = std::max(top, r.top()), partBottom = std::min(bottom, r.bottom() + 1);
    if (partTop >= partBottom) return;
    const QRect part(r.left(), partTop, r.width(), partBottom - partTop);
    if (part == r) painter.drawImage(r.topLeft(), item.image);  // the painter's quickest way
    else painter.drawImage(part.topLeft(), item.image, part.translated(-r.topLeft()));
}

}  // namespace

void DrawPlaceItems(QPainter& painter, const std::vector<PlaceItem>& items, int top, int bottom) {
    for (const PlaceItem& item : items) DrawPart(painter, item, top, bottom);
}

void DrawPlaceItemsByRows(QPainter& painter, const std::vector<PlaceItem>& items,
                          const std::function<void(const std::function<void(int top, int bottom)>& afterRow)>& drawRows) {
    PlaceItemBands bands(items);
    int rowsTop = INT_MAX, rowsBottom = INT_MIN;
    drawRows([&](int top, int bottom) {
        bands.Draw(painter, top, bottom);
        rowsTop = std::min(rowsTop, top), rowsBottom = std::max(rowsBottom, bottom);
    });
    if (rowsTop > rowsBottom) return DrawPlaceItems(painter, items, INT_MIN, INT_MAX);  // no band
    DrawPlaceItems(painter, items, INT_MIN, rowsTop);
    DrawPlaceItems(painter, items, rowsBottom, INT_MAX);
}

PlaceItemBands::PlaceItemBands(const std::vector<PlaceItem>& items) : m_items(items), m_byTop(items.size()) {
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
    for (int i : m_open) DrawPart(painter, m_items[size_t(i)], top, bottom);
}
