#include "PlaceArray.h"

#include <algorithm>

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
    // Grow by a step that scales with the array (an eighth, 4 to 1024), so
    // that appending one by one copies the storage only a few times.
    int step = m_nGrowBy;
    if (step == 0) step = std::clamp(m_nSize / 8, 4, 1024);
    const int capacity = std::max(m_nMaxSize + step, newSize);
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
