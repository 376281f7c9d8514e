#include "cli/ShoppingMode.h"

#include "cli/DataModes.h"
#include "cli/Failure.h"
#include "cli/LoadedPlaces.h"
#include "cli/RouteMode.h"
#include "data/PlaceArray.h"
#include "data/ShownText.h"
#include "journeys/JourneyText.h"
#include "journeys/Shopping.h"
#include "npc/LinkedWorld.h"
#include "npc/WorldData.h"

#include <iomanip>
#include <optional>
#include <sstream>

namespace {

const char kUsage[] = "--shopping attend des noms de sorts, par exemple : "
                      "zerim --shopping 'Griffe de bile' 'Songe du bateleur' [--from Tessanta]";

struct ShoppingArgs {
    std::vector<std::string> spells;
    std::optional<std::string> from;
};

// The spells and the start, or a French reason the command cannot be run.
std::optional<ShoppingArgs> ParseArgs(const std::vector<std::string>& args, std::string& error) {
    ShoppingArgs parsed;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] != "--from") {
            parsed.spells.push_back(args[i]);
            continue;
        }
        if (parsed.from || i + 1 >= args.size() || args[i + 1].empty()) {
            error = parsed.from ? "--from ne se donne qu'une fois" : "--from attend un lieu de départ";
            return std::nullopt;
        }
        parsed.from = args[++i];
    }
    for (const std::string& spell : parsed.spells)
        if (spell.empty()) {
            error = "un nom de sort vide ne désigne aucun sort";
            return std::nullopt;
        }
    if (parsed.spells.empty()) error = kUsage;
    return parsed.spells.empty() ? std::nullopt : std::optional<ShoppingArgs>(parsed);
}

// The ids of the named spells; the name of one no spell has in `unknown`.
std::vector<uint16_t> SpellIds(const CLinkedWorld& world, const std::vector<std::string>& names, std::string& unknown,
                               std::ostream& err) {
    const auto& spells = world.Spells();
    std::vector<uint16_t> ids;
    for (const std::string& name : names) {
        const auto it = FindSpell(spells, name);
        if (it == spells.end()) {
            unknown = name;
            return {};
        }
        const auto same = std::count_if(spells.begin(), spells.end(), [&](const SpellRecord& s) { return s.name == it->name; });
        if (same > 1) Complain(err, "plusieurs sorts s'appellent « " + ShownText1252(it->name) + " » : le premier est pris");
        ids.push_back(it->id);
    }
    return ids;
}

std::string Number(double value, int decimals) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

// How a length reads: leagues with the world's scale, else map units.
std::string LengthText(double length, const CRoadNetwork& roads) {
    return roads.Scaled() ? Number(Leagues(length, roads.table.scale), 2) : Number(length, 0);
}

std::string SpellNames(const CLinkedWorld& world, const std::vector<uint16_t>& ids) {
    std::string text;
    for (const uint16_t id : ids) {
        const SpellRecord* spell = world.SpellById(id);
        text += (text.empty() ? "" : ", ") + (spell ? LineText(spell->name) : std::to_string(id));
    }
    return text;
}

void PrintStops(const CShoppingPlan& plan, const CLinkedWorld& world, const CRoadNetwork& roads, bool fromStart,
                std::ostream& out) {
    // With a start, the first leg leads to the first stop; without, the
    // first stop is where the trip begins.
    size_t leg = 0;
    for (size_t i = 0; i < plan.stops.size(); ++i) {
        const CShoppingStop& stop = plan.stops[i];
        const VendorRecord& vendor = world.Vendors()[size_t(stop.vendor)];
        std::string from = "-";
        if (stop.place >= 0 && (fromStart || i > 0)) from = LengthText(plan.legs[leg++].length, roads);
        else if (stop.place >= 0) from = LengthText(0, roads);
        out << i + 1 << '\t' << LineText(vendor.name) << '\t' << LineText(world.LocationText(vendor.location)) << '\t'
            << (stop.place >= 0 ? LineText(world.Places()[stop.place]->m_strName) : "lieu inconnu") << '\t'
            << SpellNames(world, stop.spells) << '\t' << from << '\n';
    }
    for (const uint16_t id : plan.unsold) out << "personne ne vend\t" << SpellNames(world, {id}) << '\n';
}

void PrintTotals(const CShoppingPlan& plan, const CRoadNetwork& roads, std::ostream& out) {
    if (!roads.Scaled()) {
        out << "total\t" << Number(plan.length, 0) << " unités\n";
    } else {
        CRouteTotals totals;
        for (const CRoute& leg : plan.legs) {
            const CRouteTotals t = Totals(leg, roads.table.scale);
            totals.leagues += t.leagues, totals.walkHours += t.walkHours, totals.rideHours += t.rideHours;
        }
        out << "total\t" << Number(totals.leagues, 2) << " lieues\tà pied " << DurationText(totals.walkHours)
            << "\tà cheval " << DurationText(totals.rideHours) << '\n';
    }
    out << "précision\t"
        << (plan.coverExact ? "le moins de marchands possible" : "des marchands bien choisis, pas forcément le moins possible")
        << '\t' << (plan.orderExact ? "l'ordre le plus court" : "un ordre court, pas forcément le plus court") << '\n';
}

}  // namespace

int PrintShopping(const std::vector<std::string>& args, const IResourceStore& store, std::ostream& out,
                  std::ostream& err) {
    std::string error;
    const std::optional<ShoppingArgs> parsed = ParseArgs(args, error);
    if (!parsed) return Misuse(err, error);
    CWorldData data(store);
    const CPlaceArray& places = LoadPlacesSaying(data, err);
    std::optional<CWorldPoint> start;
    if (parsed->from) {
        const CPlace* place = FindPlace(places, *parsed->from);
        if (!place) return Misuse(err, "--from : aucun lieu ne s'appelle « " + ShownText(*parsed->from) + " »");
        start = CWorldPoint{place->m_x, place->m_y};
    }
    const CLinkedWorld& world = data.LinkedWorld();
    std::string unknown;
    const std::vector<uint16_t> ids = SpellIds(world, parsed->spells, unknown, err);
    if (ids.empty()) return Fail(err, "aucun sort ne s'appelle « " + ShownText(unknown) + " »");
    const CRoadNetwork& roads = data.Roads();
    if (!roads.Scaled()) Complain(err, roads.Notice());
    const CShoppingPlan plan = PlanShopping(world, roads, ids, start);
    PrintStops(plan, world, roads, start.has_value(), out);
    PrintTotals(plan, roads, out);
    return ExitCode::kSuccess;
}
