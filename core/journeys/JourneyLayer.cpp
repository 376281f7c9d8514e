#include "journeys/JourneyLayer.h"

std::vector<CJourneyPath> RoutePaths(const CRoute& route) {
    std::vector<CJourneyPath> paths;
    paths.reserve(route.legs.size());
    for (const CRouteLeg& leg : route.legs) {
        const bool road = route.alongRoads && leg.rank != Roads::kOffRoad;
        paths.push_back({road ? JourneyStroke::Road : JourneyStroke::OffRoad, leg.points});
    }
    return paths;
}
