// What the map shows of the player's layer, made from the items and the
// places once per change: each place's marks (by index in the place
// array), and the pins, among them the marks whose place the data no
// longer has, drawn where that place was so that nothing marked vanishes.
#pragma once
#include "notes/NoteItem.h"

#include "data/PlaceArray.h"
#include "view/ViewGeometry.h"

#include <functional>
#include <string>
#include <vector>

struct CPlaceMarks {
    bool visited = false, favourite = false, noted = false;
    bool Any() const { return visited || favourite || noted; }
};

struct CMapPin {
    std::string id;
    std::string title;  // UTF-8
    int32_t x = 0, y = 0;  // world coordinates
    PinColour colour = PinColour::Blue;
    bool lostPlace = false;  // a place's mark whose place is gone
};

class CNotesOnMap {
public:
    void Update(const CNoteItems& items, const CPlaceArray& places);

    // The marks of the place at `index`; none when it has none.
    CPlaceMarks MarksOf(int index) const;
    const std::vector<CMapPin>& Pins() const { return m_pins; }
    // Moves a pin where it is drawn (while it is dragged), not in the layer.
    void MovePin(int index, CPoint world);
    // Runs `visit` with the index of every pin whose point may lie in the
    // world rectangle (x eastwards, y northwards, as ViewGeometry::WorldSpan
    // gives the world), in the order they are drawn: a frame looks only at
    // the pins near the view, however many the layer holds.
    void ForPinsIn(const CRect& world, const std::function<void(int)>& visit) const;
    // The visited places, for hiding them.
    std::vector<const CPlace*> VisitedPlaces(const CPlaceArray& places) const;
    // The index of the place a mark is on, or -1 (a pin, a lost place).
    int PlaceOf(const std::string& id) const;
    // The pin drawn on top whose mark holds the client point, or -1.
    int PinAt(const ViewGeometry& geometry, CPoint client) const;

private:
    void IndexPins();

    std::vector<CPlaceMarks> m_marks;  // by place index
    std::vector<std::pair<std::string, int>> m_placeOfMark;  // sorted by id
    // The pins by cell of a grid over the world, and where each cell's run
    // starts; a pin moved since (dragged) is looked at by every query.
    std::vector<CMapPin> m_pins;
    std::vector<int> m_cellStart;
    std::vector<int> m_moved;
};

// A pin's mark in client coordinates: 11 x 11 around its point.
CRect PinRect(const ViewGeometry& geometry, int32_t x, int32_t y);

// The id of a place's mark: the place's name (in UTF-8) and position.
std::string PlaceKeyOf(const CPlace& place);
