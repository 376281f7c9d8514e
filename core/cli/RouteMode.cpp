#include "cli/RouteMode.h"

#include "cli/DataModes.h"
#include "cli/Failure.h"
#include "cli/LoadedPlaces.h"
#include "data/PlaceArray.h"
#include "data/ShownText.h"
#include "data/Win1252.h"
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

const CPlace* FindPlace(const CPlaceArray& places, const std::string& utf8) {
    const auto name = Utf8ToWin1252(utf8);
    if (!name) return nullptr;
    for (const CPlace* p : places)
        if (p && p->m_strName == *name) return p;
    for (const CPlace* p : places)
        if (p && SameAsciiCase(p->m_strName, *name)) return p;
    return nullptr;
}

const char* RankName(int rank) {
    static const char* const kNames[] = {"hors route", "grand-route", "route", "piste"};
    return kNames[rank];
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// "3 h 05": hours and minutes, rounded to the minute.
std::string Duration(double hours) {
    const long minutes = std::lround(hours * 60);
    char text[64];
    std::snprintf(text, sizeof text, "%ld h %02ld", minutes / 60, minutes % 60);
    return text;
}

std::string PointText(CWorldPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// The end's place name where the way starts or stops, else its coordinates.
std::string EndText(CWorldPoint p, const CPlace& from, const CPlace& to, bool first, bool last) {
    if (first) return LineText(from.m_strName);
    if (last) return LineText(to.m_strName);
    return PointText(p);
}

void PrintLegs(const CRoute& route, const CPlace& from, const CPlace& to, const CRoadTable& roads, std::ostream& out) {
    const bool scaled = roads.state == CRoadTable::State::Read;
    for (size_t i = 0; i < route.legs.size(); ++i) {
        const CRouteLeg& leg = route.legs[i];
        out << EndText(leg.points.front(), from, to, i == 0, false) << '\t'
            << EndText(leg.points.back(), from, to, false, i + 1 == route.legs.size()) << '\t'
            << (scaled ? RankName(leg.rank) : "ligne droite") << '\t'
            << (scaled ? Fixed(Leagues(leg.length, roads.scale), 2) : Fixed(leg.length, 0)) << '\n';
    }
    if (!scaled) {
        out << "total\t" << Fixed(route.length, 0) << " unités\n";
        return;
    }
    const CRouteTotals totals = Totals(route, roads.scale);
    out << "total\t" << Fixed(totals.leagues, 2) << " lieues\tà pied " << Duration(totals.walkHours)
        << "\tà cheval " << Duration(totals.rideHours) << '\n';
}

}  // namespace

int PrintRoute(const std::vector<std::string>& args, const IResourceStore& store, std::ostream& out,
               std::ostream& err) {
    if (args.size() != 3 || args[1].empty() || args[2].empty())
        return Misuse(err, "--route attend deux lieux, par exemple : zerim --route Kerandra 'Dar-Bekesh'");
    CWorldData world(store);
    const CPlaceArray& places = LoadPlacesSaying(world, err);
    for (const std::string& name : {args[1], args[2]})
        if (!FindPlace(places, name)) return Fail(err, "aucun lieu ne s'appelle « " + ShownText(name) + " »");
    const CPlace& from = *FindPlace(places, args[1]);
    const CPlace& to = *FindPlace(places, args[2]);
    const CRoadTable roads = LoadRoadTable(store);
    if (roads.state == CRoadTable::State::Absent)
        Complain(err, "pas de table des routes : la ligne droite, en unités de la carte");
    if (roads.state == CRoadTable::State::Damaged)
        Complain(err, "table des routes endommagée (" + roads.reason + ") : la ligne droite, en unités de la carte");
    const CRoute route = FindRoute(CRoadGraph(roads.roads), {from.m_x, from.m_y}, {to.m_x, to.m_y});
    if (roads.state == CRoadTable::State::Read && !route.alongRoads)
        Complain(err, "aucune route ne joint ces lieux : la ligne droite");
    PrintLegs(route, from, to, roads, out);
    return ExitCode::kSuccess;
}
