// The shortest way between two points of the world along the roads: a
// straight leg from the start to its nearest road, the roads (A* with the
// straight line as its guess), a straight leg to the end. Lengths are in
// world units; the scale turns them into leagues and hours.
#pragma once
#include "journeys/RoadGraph.h"

#include <vector>

struct CRouteLeg {
    int rank = Roads::kOffRoad;
    std::vector<CWorldPoint> points;  // from the first to the last, at least two
    double length = 0;                // world units
};

struct CRoute {
    bool alongRoads = false;  // false: the straight line, no road joins them
    std::vector<CRouteLeg> legs;  // consecutive stretches of one rank are one leg
    double length = 0;
};

struct CRouteTotals {
    double leagues = 0, walkHours = 0, rideHours = 0;
};

CRoute FindRoute(const CRoadGraph& graph, CWorldPoint from, CWorldPoint to);
double Leagues(double length, const CRoadScale& scale);
// `scale` is a read table's: its speeds are above zero.
CRouteTotals Totals(const CRoute& route, const CRoadScale& scale);
