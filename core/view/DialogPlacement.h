// Where a dialog goes so that it no longer hides a point of interest behind
// it (a place just shown on the map), as editors move their find dialog off
// the match. Screen coordinates throughout; rectangles are half-open.
#pragma once
#include "data/Geometry.h"

#include <optional>

// The nearest top-left for `dialog` (its whole frame) that leaves `marker`,
// grown by `margin` on every side, uncovered and keeps the dialog inside
// `screen` (the screen's available area). Nothing when the dialog does not
// cover the grown marker, or when no such place exists on that screen.
std::optional<CPoint> PlaceAsideOf(const CRect& dialog, const CRect& marker, const CRect& screen, int margin);
