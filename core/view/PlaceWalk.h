// Walking the places from the keyboard: from the focused place (or from a
// point of the view when none is focused) to the nearest shown place in a
// direction, and through the found places in turn. Points are in a plane
// where x grows rightwards and y downwards, as the map is seen (the
// picture's pixels), so that "up" is up on the screen.
#pragma once
#include "data/Geometry.h"
#include "data/PlaceArray.h"

#include <cstdint>
#include <functional>
#include <optional>

enum class WalkDirection { Left, Right, Up, Down };

// What a step from `from` to `to` costs when walking in `direction`: the
// distance along the direction plus twice the distance across it, so that a
// place nearly straight ahead wins over a nearer one well to the side.
// Nothing when `to` lies outside the quarter-turn cone around the direction
// (45 degrees either side, edges included), or at `from` itself.
std::optional<int64_t> StepCost(CPoint from, CPoint to, WalkDirection direction);

// Where a place sits in the plane of a picture of `plane` pixels.
CPoint PlaceInPlane(const CPlace& place, CSize plane);

// The index in `places` of the cheapest step from `from` in `direction`
// among the places `shown` accepts, other than `focused`; equal costs go to
// the first in table order. -1 when no place lies that way.
int NearestPlace(const CPlaceArray& places, CSize plane, const std::function<bool(const CPlace&)>& shown, CPoint from,
                 const CPlace* focused, WalkDirection direction);

// The found place after `current` in the set's order (before it when
// `backwards`), wrapping at either end; the first (or last) when `current`
// is not in the set. Null for an empty set.
CPlace* NextFound(const CPlaceArray& found, const CPlace* current, bool backwards);
