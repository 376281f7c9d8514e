// A view host without a window: a picture of a fixed size and no window to
// tell about zoom, scrolling or focus. For drawing the map off screen (the
// snapshot, the benchmarks) and for tests.
#pragma once
#include "view/ViewGeometry.h"

class CFixedPictureHost : public IViewHost {
public:
    explicit CFixedPictureHost(CSize picture) : m_picture(picture) {}
    CSize PictureSize() override { return m_picture; }

private:
    CSize m_picture;
};
