// A growable array of place pointers. It owns only its storage, never the
// places: they belong to a CPlaceList (the world's table), and every array
// (the table's own, the view's highlight set) borrows them.
#pragma once
#include "data/Place.h"

#include <memory>

class CPlaceArray {
public:
    CPlaceArray() = default;
    CPlaceArray(const CPlaceArray&) = delete;
    CPlaceArray& operator=(const CPlaceArray&) = delete;

    int GetSize() const { return m_nSize; }
    int GetCapacity() const { return m_nMaxSize; }
    bool IsEmpty() const { return m_nSize == 0; }
    CPlace* operator[](int index) const { return m_pData[index]; }
    CPlace* const* begin() const { return m_pData.get(); }
    CPlace* const* end() const { return m_pData.get() + m_nSize; }

    // Growth step for later enlargements; 0 (the default) grows by half the
    // count, at least 4, so that appending is amortised constant time.
    void SetGrowBy(int growBy) { m_nGrowBy = growBy; }
    // New slots are null; a size of 0 frees the storage.
    void SetSize(int newSize);
    // Appends one pointer and returns its index.
    int Add(CPlace* place);
    void RemoveAll() { SetSize(0); }

private:
    // The capacity for a size beyond the current one (see SetGrowBy).
    int GrownCapacity(int newSize) const;

    std::unique_ptr<CPlace*[]> m_pData;
    int m_nSize = 0;
    int m_nMaxSize = 0;
    int m_nGrowBy = 0;
};
