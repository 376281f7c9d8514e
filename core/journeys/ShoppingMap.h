// What a shopping tour shows on the map: its legs along the roads, a
// numbered disc at each stop's place (the numbers of the panel's rows) and
// "Départ" where the trip begins.
#pragma once
#include "journeys/JourneyLayer.h"
#include "journeys/Shopping.h"

#include <optional>

class CPlaceArray;

CJourneyLayer ShoppingLayer(const CShoppingPlan& plan, const CPlaceArray& places, std::optional<CWorldPoint> start);
