// The overview map's arithmetic: the whole picture fitted into a small
// area, the part the map view shows drawn over it, and a point of it turned
// into the scroll position that shows that point in the middle of the view.
#pragma once
#include "view/ViewGeometry.h"

// The picture of `picture` pixels scaled to fit `area` with its shape kept,
// in the middle across and at the top (a dock beside the map is tall);
// empty when either is empty.
CRect FitInto(CSize area, CSize picture);
// The picture pixels the view shows, within the picture.
CRect VisiblePicture(const ViewGeometry& view, CSize picture);
// A rectangle of picture pixels where the picture is drawn at `fitted`.
CRect PictureToOverview(const CRect& r, const CRect& fitted, CSize picture);
// The picture pixel drawn at an overview point, the nearest one on the
// picture for a point beside it.
CPoint OverviewToPicture(CPoint p, const CRect& fitted, CSize picture);
// The scroll position that puts picture pixel `p` in the middle of the
// view; the scroll layer keeps it within its limits, so a point near an
// edge shows that edge.
CPoint PositionCentring(const ViewGeometry& view, CPoint p);
