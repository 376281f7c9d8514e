#include "data/PlaceArray.h"

#include <algorithm>
#include <climits>
#include <cstdint>

int CPlaceArray::GrownCapacity(int newSize) const {
    // Automatic growth adds half the count (at least 4): the storage is copied
    // a logarithmic number of times, so loading n places costs O(n) however
    // large the table. A fixed step would make it O(n^2).
    const int64_t step = m_nGrowBy != 0 ? m_nGrowBy : std::max(4, m_nSize / 2);
    const int64_t grown = std::min<int64_t>(int64_t(m_nMaxSize) + step, INT_MAX);
    return std::max(int(grown), newSize);
}

void CPlaceArray::SetSize(int newSize) {
    if (newSize <= 0) {
        m_pData.reset();
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (!m_pData) {  // the first allocation holds exactly what is asked
        m_pData.reset(new CPlace*[size_t(newSize)]());
        m_nMaxSize = m_nSize = newSize;
        return;
    }
    if (newSize <= m_nMaxSize) {
        std::fill(m_pData.get() + std::min(m_nSize, newSize), m_pData.get() + newSize, nullptr);
        m_nSize = newSize;
        return;
    }
    const int capacity = GrownCapacity(newSize);
    std::unique_ptr<CPlace*[]> grown(new CPlace*[size_t(capacity)]());
    std::copy(m_pData.get(), m_pData.get() + m_nSize, grown.get());
    m_pData = std::move(grown);
    m_nMaxSize = capacity;
    m_nSize = newSize;
}

int CPlaceArray::Add(CPlace* place) {
    const int index = m_nSize;
    SetSize(index + 1);
    m_pData[index] = place;
    return index;
}
