// The markers and labels of a frame drawn in device pixels, as a list of
// images to copy in the order they are drawn: each marker's outline, each
// label's inked part. A list can be drawn whole, or a band of rows
// at a time (PlaceItemBands): every pixel gets the same items in the same
// order either way.
#pragma once
#include <QImage>
#include <QRect>

#include <functional>
#include <vector>

class QPainter;

struct PlaceItem {
    QRect rect;
    QImage image;
};

// Each function draws only the items' parts `within` a rectangle of the
// painter (what is being painted), so that a paint of part of a frame
// draws no item twice over itself beyond it.

void DrawPlaceItems(QPainter& painter, const std::vector<PlaceItem>& items, const QRect& within);

// The items' parts outside `hole`: for a zoomed picture, the parts over the
// margins, which its tiles do not hold (see CZoomedTiles).
void DrawPlaceItemsAround(QPainter& painter, const std::vector<PlaceItem>& items, const QRect& hole,
                          const QRect& within);

// Runs `drawRows`, which draws bands of rows from the top down and gives
// `afterRow` each band's rows (top included, bottom not) once drawn: each
// band then gets the items' parts in its rows, while it is still in the
// cache, and the rows no band covered get theirs at the end.
void DrawPlaceItemsByRows(QPainter& painter, const std::vector<PlaceItem>& items, const QRect& within,
                          const std::function<void(const std::function<void(int top, int bottom)>& afterRow)>& drawRows);

// Draws the items band by band, each band below the one before: a band
// looks only at the items that reach into it, found from their top edges.
class PlaceItemBands {
public:
    PlaceItemBands(const std::vector<PlaceItem>& items, const QRect& within);
    void Draw(QPainter& painter, int top, int bottom);

private:
    const std::vector<PlaceItem>& m_items;
    QRect m_within;
    std::vector<int> m_byTop;  // item indices by top edge
    size_t m_entered = 0;      // of m_byTop, those met by a band so far
    std::vector<int> m_open;   // the entered items not ended above the last band, in order
};
