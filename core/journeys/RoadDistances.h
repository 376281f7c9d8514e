// The lengths of the ways along the roads between every two of a few points,
// as FindRoute would give them, by one search over the whole road graph from
// each point rather than a search for each pair.
#pragma once
#include "journeys/RoadGraph.h"
#include "journeys/Tour.h"

#include <vector>

// distance[i][j]: the length of FindRoute(graph, points[i], points[j]) (the
// straight line when no road joins them), and 0 between points at one spot.
// The ways are the same both ways.
CDistanceMatrix RoadDistances(const CRoadGraph& graph, const std::vector<CWorldPoint>& points);
