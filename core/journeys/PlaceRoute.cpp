#include "journeys/PlaceRoute.h"

#include "journeys/JourneyText.h"

#include <algorithm>
#include <cmath>

namespace {

std::string UnitsText(double length) { return std::to_string(std::lround(length)) + " unités"; }

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text;
}

}  // namespace

CPlaceRoute PlanPlaceRoute(const CRoadNetwork& network, CWorldPoint from, CWorldPoint to) {
    CPlaceRoute plan;
    plan.route = FindRoute(network.graph, from, to);
    const bool scaled = network.Scaled();
    for (const CRouteLeg& leg : plan.route.legs)
        plan.legs.push_back(
            scaled ? CRouteLegText{RoadRankName(leg.rank), LeaguesText(Leagues(leg.length, network.table.scale))}
                   : CRouteLegText{"ligne droite", UnitsText(leg.length)});
    if (scaled) {
        const CRouteTotals totals = Totals(plan.route, network.table.scale);
        plan.total = LeaguesText(totals.leagues) + ", à pied " + DurationText(totals.walkHours) + ", à cheval " +
                     DurationText(totals.rideHours);
        if (!plan.route.alongRoads) plan.notice = "Aucune route ne joint ces lieux : la ligne droite";
    } else {
        plan.total = UnitsText(plan.route.length) + " de la carte";
        plan.notice = Capitalised(network.Notice());
    }
    plan.layer.paths = RoutePaths(plan.route);
    plan.layer.marks = {{from, JourneyMarkStyle::Stop, "A"}, {to, JourneyMarkStyle::Stop, "B"}};
    return plan;
}

CWorldBox JourneyBounds(const CJourneyLayer& layer) {
    bool any = false;
    CWorldBox box;
    const auto take = [&](CWorldPoint p) {
        if (!any) box = {p.x, p.y, p.x, p.y};
        box = {std::min(box.left, p.x), std::min(box.bottom, p.y), std::max(box.right, p.x), std::max(box.top, p.y)};
        any = true;
    };
    for (const CJourneyPath& path : layer.paths)
        for (const CWorldPoint p : path.points) take(p);
    for (const CJourneyMark& mark : layer.marks) take(mark.at);
    return box;
}
