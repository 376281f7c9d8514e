#include "notes/NotesOnMap.h"

#include "data/Win1252.h"
#include "view/PlaceOverlay.h"

#include <algorithm>
#include <unordered_map>

std::string PlaceKeyOf(const CPlace& place) {
    return PlaceKey(Win1252ToUtf8(place.m_strName), place.m_x, place.m_y);
}

void CNotesOnMap::Update(const CNoteItems& items, const CPlaceArray& places) {
    std::unordered_map<std::string, int> indexOf;
    for (int i = 0; i < places.GetSize(); ++i)
        if (const CPlace* place = places[i]) indexOf.emplace(PlaceKeyOf(*place), i);
    m_marks.assign(size_t(places.GetSize()), CPlaceMarks());
    m_placeOfMark.clear();
    m_pins.clear();
    for (const CNoteItem& item : items) {
        if (item.kind == CNoteItem::Kind::Pin) {
            m_pins.push_back({item.id, item.name, item.x, item.y, item.colour, false});
            continue;
        }
        const auto found = indexOf.find(item.id);
        if (found == indexOf.end()) {
            m_pins.push_back({item.id, item.name, item.x, item.y, PinColour::Blue, true});
            continue;
        }
        m_marks[size_t(found->second)] = {item.visited, item.favourite, !item.note.empty()};
        m_placeOfMark.emplace_back(item.id, found->second);
    }
    std::sort(m_placeOfMark.begin(), m_placeOfMark.end());
}

CPlaceMarks CNotesOnMap::MarksOf(int index) const {
    return size_t(index) < m_marks.size() ? m_marks[size_t(index)] : CPlaceMarks();
}

std::vector<const CPlace*> CNotesOnMap::VisitedPlaces(const CPlaceArray& places) const {
    std::vector<const CPlace*> visited;
    for (size_t i = 0; i < m_marks.size() && int(i) < places.GetSize(); ++i)
        if (m_marks[i].visited) visited.push_back(places[int(i)]);
    return visited;
}

int CNotesOnMap::PlaceOf(const std::string& id) const {
    const auto it = std::lower_bound(m_placeOfMark.begin(), m_placeOfMark.end(), std::make_pair(id, -1));
    return it != m_placeOfMark.end() && it->first == id ? it->second : -1;
}

CRect PinRect(const ViewGeometry& geometry, int32_t x, int32_t y) {
    const CPoint map = geometry.WorldToMap({x, y});
    const CPoint scroll = geometry.GetScrollOffset();
    const int cx = map.x - scroll.x, cy = map.y - scroll.y;
    return {cx - 5, cy - 5, cx + 6, cy + 6};
}

int CNotesOnMap::PinAt(const ViewGeometry& geometry, CPoint client) const {
    for (size_t i = m_pins.size(); i-- > 0;)
        if (Contains(PinRect(geometry, m_pins[i].x, m_pins[i].y), client)) return int(i);
    return -1;
}

void CNotesOnMap::MovePin(int index, CPoint world) {
    if (size_t(index) >= m_pins.size()) return;
    m_pins[size_t(index)].x = world.x;
    m_pins[size_t(index)].y = world.y;
}
