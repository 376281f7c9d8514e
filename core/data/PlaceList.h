// The places of a table, owned by value, with the array of pointers to them
// that the rest of the program reads (the place bar, the view, the links).
// Places never move once added, so those pointers hold while the list grows.
#pragma once
#include "data/PlaceArray.h"

#include <deque>

class CPlaceList {
public:
    CPlaceList() = default;
    CPlaceList(const CPlaceList&) = delete;
    CPlaceList& operator=(const CPlaceList&) = delete;

    // Appends a place at the end of the table and returns it; the array
    // grows by its own rule.
    CPlace& Add(std::string name, int32_t x, int32_t y, int32_t level, int32_t type);

    // The array every reader borrows, in table order.
    const CPlaceArray& Array() const { return m_array; }
    operator const CPlaceArray&() const { return m_array; }

    int GetSize() const { return m_array.GetSize(); }
    CPlace* operator[](int index) const { return m_array[index]; }
    CPlace* const* begin() const { return m_array.begin(); }
    CPlace* const* end() const { return m_array.end(); }

private:
    std::deque<CPlace> m_places;  // a deque: adding never moves a place
    CPlaceArray m_array;
};
