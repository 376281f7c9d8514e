#include "journeys/ShoppingMap.h"

#include "data/PlaceArray.h"

#include <algorithm>

namespace {

// Several vendors at one place share a disc, which holds two characters:
// "2+" is the second stop and the ones after it there (the panel's rows
// name them all).
std::string Numbers(const std::vector<size_t>& numbers) {
    return std::to_string(numbers.front()) + (numbers.size() > 1 ? "+" : "");
}

}  // namespace

CJourneyLayer ShoppingLayer(const CShoppingPlan& plan, const CPlaceArray& places, std::optional<CWorldPoint> start) {
    CJourneyLayer layer;
    for (const CRoute& leg : plan.legs)
        for (CJourneyPath& path : RoutePaths(leg)) layer.paths.push_back(std::move(path));
    // The stops' numbers by place, in the order the places are first met.
    std::vector<std::pair<int, std::vector<size_t>>> byPlace;
    for (size_t i = 0; i < plan.stops.size(); ++i) {
        const int place = plan.stops[i].place;
        if (place < 0 || place >= places.GetSize() || !places[place]) continue;
        auto same = std::find_if(byPlace.begin(), byPlace.end(), [place](const auto& p) { return p.first == place; });
        if (same == byPlace.end()) same = byPlace.insert(byPlace.end(), {place, {}});
        same->second.push_back(i + 1);
    }
    if (start) layer.marks.push_back({*start, JourneyMarkStyle::Point, "Départ"});
    for (const auto& [place, numbers] : byPlace)
        layer.marks.push_back({{places[place]->m_x, places[place]->m_y}, JourneyMarkStyle::Stop, Numbers(numbers)});
    return layer;
}
