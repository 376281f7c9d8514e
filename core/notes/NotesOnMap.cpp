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
    IndexPins();
}

namespace {
// A grid of kCells x kCells over the world span: a few hundred pins a cell
// even at 100,000 pins.
constexpr int kCells = 64;

int CellColumn(int32_t x) {
    const CRect span = ViewGeometry::WorldSpan();
    return std::clamp(int((int64_t(x) - span.left) * kCells / span.Width()), 0, kCells - 1);
}

int CellRow(int32_t y) {
    const CRect span = ViewGeometry::WorldSpan();
    return std::clamp(int((int64_t(y) - span.top) * kCells / span.Height()), 0, kCells - 1);
}

int CellOf(const CMapPin& pin) { return CellRow(pin.y) * kCells + CellColumn(pin.x); }
}  // namespace

void CNotesOnMap::IndexPins() {
    std::stable_sort(m_pins.begin(), m_pins.end(),
                     [](const CMapPin& a, const CMapPin& b) { return CellOf(a) < CellOf(b); });
    m_cellStart.assign(kCells * kCells + 1, 0);
    for (const CMapPin& pin : m_pins) ++m_cellStart[size_t(CellOf(pin)) + 1];
    for (size_t i = 1; i < m_cellStart.size(); ++i) m_cellStart[i] += m_cellStart[i - 1];
    m_moved.clear();
}

void CNotesOnMap::ForPinsIn(const CRect& world, const std::function<void(int)>& visit) const {
    if (m_cellStart.empty()) return;  // never given any items
    const int left = CellColumn(world.left), right = CellColumn(world.right);
    const int bottom = CellRow(world.top), top = CellRow(world.bottom);
    for (int row = bottom; row <= top; ++row) {
        for (int pin = m_cellStart[size_t(row * kCells + left)]; pin < m_cellStart[size_t(row * kCells + right + 1)]; ++pin)
            if (std::find(m_moved.begin(), m_moved.end(), pin) == m_moved.end()) visit(pin);
    }
    for (int pin : m_moved) visit(pin);
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
    if (std::find(m_moved.begin(), m_moved.end(), index) == m_moved.end()) m_moved.push_back(index);
    m_pins[size_t(index)].x = world.x;
    m_pins[size_t(index)].y = world.y;
}
