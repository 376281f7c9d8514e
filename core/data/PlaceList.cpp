#include "data/PlaceList.h"

CPlace& CPlaceList::Add(std::string name, int32_t x, int32_t y, int32_t level, int32_t type) {
    CPlace& place = m_places.emplace_back(std::move(name), x, y, level, type);
    m_array.Add(&place);
    return place;
}
