// The measured size of each place's label, by the place's index in the place
// table. This is view state: whoever paints the labels measures each one the
// first time it is drawn, and the hit test reads only what was measured.
#pragma once
#include "data/Geometry.h"

#include <vector>

class CLabelSizes {
public:
    // (0, 0) for a label never measured, or measured without extent (an
    // empty name), which the next paint measures again.
    CSize Of(int index) const;
    bool IsMeasured(int index) const;
    void Set(int index, CSize size);
    void Clear() { m_sizes.clear(); }

private:
    std::vector<CSize> m_sizes;
};
