// What a paint of the map view draws, worked out before any drawing: the
// margins around the picture, and which picture pixels go where.
#pragma once
#include "view/ViewGeometry.h"

#include <optional>
#include <vector>

// The strips of update rectangle `update` outside the image rectangle `image`
// (client coordinates): right, left, then below and above between those.
std::vector<CRect> MarginFills(const CRect& update, const CRect& image);

struct PictureDraw {
    CRect source;  // picture pixels; the whole picture in whole-picture mode
    CRect dest;    // client coordinates
};

// The part of a picture of `picture` pixels that covers `update`, or nothing
// when it covers none of it. In whole-picture mode the whole picture is drawn
// to its zoomed place, whatever the update rectangle.
std::optional<PictureDraw> PlanPictureDraw(const ViewGeometry& geometry, const CRect& update,
                                           CSize picture, bool wholePicture);
