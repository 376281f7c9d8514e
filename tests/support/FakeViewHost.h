// A view host for geometry tests: a picture of a chosen size, and a record
// of what the geometry asked the window to do.
#pragma once
#include "view/ViewGeometry.h"

#include <vector>

struct FakeViewHost : IViewHost {
    CSize picture{3300, 3800};
    std::vector<int> zooms;  // every zoom shown in the title
    int redraws = 0;
    int focusRequests = 0;

    CSize PictureSize() override { return picture; }
    void ZoomChanged(int zoom) override { zooms.push_back(zoom); }
    void RedrawNow() override { ++redraws; }
    void FocusMainWindow() override { ++focusRequests; }
};

// A geometry over `host` in a client area of `client` pixels (scroll bars
// take no room, so the client area is exactly that), at `zoom`.
inline void Place(ViewGeometry& geometry, CSize client, int zoom) {
    geometry.Resize(client, 0);
    geometry.SetZoom(zoom);
}
