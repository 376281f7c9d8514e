#include "view/LabelSizes.h"

#include <cstddef>

CSize CLabelSizes::Of(int index) const {
    if (index < 0 || std::size_t(index) >= m_sizes.size()) return {};
    return m_sizes[std::size_t(index)];
}

bool CLabelSizes::IsMeasured(int index) const {
    const CSize size = Of(index);
    return size.cx > 0 && size.cy > 0;
}

void CLabelSizes::Set(int index, CSize size) {
    if (index < 0) return;
    // Grown to the place's index only: the table is read in index order, so
    // this happens about once per place at the first paint.
    if (std::size_t(index) >= m_sizes.size()) m_sizes.resize(std::size_t(index) + 1);
    m_sizes[std::size_t(index)] = size;
}
