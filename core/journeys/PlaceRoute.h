// A route between two places as the route window shows it: its legs and
// its totals in words, what it draws on the map, and what there is to say
// when it goes straight.
#pragma once
#include "journeys/JourneyLayer.h"
#include "journeys/RoadNetwork.h"

#include <string>
#include <vector>

struct CRouteLegText {
    std::string rank;    // "grand-route", "hors route"...; "ligne droite" without a table
    std::string length;  // "12,4 lieues", or "1234 unités" without a table
};

struct CPlaceRoute {
    CRoute route;
    std::vector<CRouteLegText> legs;
    // "12,4 lieues, à pied 3 h 05, à cheval 1 h 20"; "1234 unités de la
    // carte" without a table.
    std::string total;
    // Why the way is the straight line ("Aucune route ne joint ces lieux :
    // la ligne droite", or why there are no roads); empty along the roads.
    std::string notice;
    // The legs, the start marked "A" and the end "B".
    CJourneyLayer layer;
};

CPlaceRoute PlanPlaceRoute(const CRoadNetwork& network, CWorldPoint from, CWorldPoint to);

// The smallest world rectangle holding every path and mark of `layer`
// (left <= right, bottom <= top as numbers); empty (all 0) for an empty layer.
struct CWorldBox {
    int32_t left = 0, bottom = 0, right = 0, top = 0;
};
CWorldBox JourneyBounds(const CJourneyLayer& layer);
