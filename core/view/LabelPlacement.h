// Where the names go when none may hide another or a marker: each label
// tries a few places around its marker, the usual one first (to the right),
// and takes the first that meets no marker and no label placed before it.
// Found places are placed first, then by detail level (lowest first), then
// in table order; a label with no free place is left out, its marker kept.
// A found place's name is never left out: with no free place it takes the
// first that meets no other name, over markers, else its usual place.
// Everything is in one plane (the zoomed picture's map coordinates), so a
// placement holds at every scroll position of its zoom.
#pragma once
#include "data/Geometry.h"

#include <vector>

struct LabelToPlace {
    CRect marker;
    CSize size;  // (0, 0) for a name with no extent: nothing to place
    bool found = false;
    int level = 0;
};

// The candidate places of a label of `size` beside `marker`, in the order
// they are tried: right (the usual place), left, above, below, then the four
// diagonals.
std::vector<CRect> LabelCandidates(const CRect& marker, CSize size);

// For each label, in the order given (table order), its rectangle, or an
// empty one for a label left out. A label keeps `gap` pixels clear of every
// other label and marker (its outline's width), its own marker included.
std::vector<CRect> PlaceLabels(const std::vector<LabelToPlace>& labels, int gap = 1);
