#include "cli/RouteMode.h"

#include "cli/DataModes.h"
#include "cli/Failure.h"
#include "cli/LoadedPlaces.h"
#include "data/PlaceArray.h"
#include "data/ShownText.h"
#include "data/Win1252.h"
#include "journeys/JourneyText.h"
#include "journeys/RoadNetwork.h"
#include "journeys/Route.h"
#include "npc/WorldData.h"

#include <cmath>
#include <cstdio>

namespace {

bool SameAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

const CPlace* FindPlace(const CPlaceArray& places, const std::string& utf8) {
    const auto name = Utf8ToWin1252(utf8);
    if (!name) return nullptr;
    for (const CPlace* p : places)
        if (p && p->m_strName == *name) return p;
    for (const CPlace* p : places)
        if (p && SameAsciiCase(p->m_strName, *name)) return p;
    return nullptr;
}

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string PointText(CWorldPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

void PrintLegs(const CRoute& route, const CPlace& from, const CPlace& to, const CRoadTable& roads, std::ostream& out) {
    // The places' names at the way's ends, coordinates between.
    const bool scaled = roads.state == CRoadTable::State::Read;
    for (size_t i = 0; i < route.legs.size(); ++i) {
        const CRouteLeg& leg = route.legs[i];
        out << (i == 0 ? LineText(from.m_strName) : PointText(leg.points.front())) << '\t'
            << (i + 1 == route.legs.size() ? LineText(to.m_strName) : PointText(leg.points.back())) << '\t'
            << (scaled ? RoadRankName(leg.rank) : "ligne droite") << '\t'
            << (scaled ? Fixed(Leagues(leg.length, roads.scale), 2) : Fixed(leg.length, 0)) << '\n';
    }
    if (!scaled) {
        out << "total\t" << Fixed(route.length, 0) << " unités\n";
        return;
    }
    const CRouteTotals totals = Totals(route, roads.scale);
    out << "total\t" << Fixed(totals.leagues, 2) << " lieues\tà pied " << DurationText(totals.walkHours)
        << "\tà cheval " << DurationText(totals.rideHours) << '\n';
}

}  // namespace

int PrintRoute(const std::vector<std::string>& args, const IResourceStore& store, std::ostream& out,
               std::ostream& err) {
    if (args.size() != 3 || args[1].empty() || args[2].empty())
        return Misuse(err, "--route attend deux lieux, par exemple : zerim --route Tessanta Brom-Ghor");
    CWorldData world(store);
    const CPlaceArray& places = LoadPlacesSaying(world, err);
    const CPlace* ends[2] = {FindPlace(places, args[1]), FindPlace(places, args[2])};
    for (int i = 0; i < 2; ++i)
        if (!ends[i]) return Fail(err, "aucun lieu ne s'appelle « " + ShownText(args[size_t(i) + 1]) + " »");
    const CPlace& from = *ends[0];
    const CPlace& to = *ends[1];
    const CRoadNetwork& network = world.Roads();
    const CRoadTable& roads = network.table;
    if (!network.Scaled()) Complain(err, network.Notice());
    const CRoute route = FindRoute(network.graph, {from.m_x, from.m_y}, {to.m_x, to.m_y});
    if (roads.state == CRoadTable::State::Read && !route.alongRoads)
        Complain(err, "aucune route ne joint ces lieux : la ligne droite");
    PrintLegs(route, from, to, roads, out);
    return ExitCode::kSuccess;
}
