#include "journeys/ShoppingText.h"

#include "data/PlaceArray.h"
#include "data/ShownText.h"
#include "journeys/JourneyText.h"
#include "journeys/RoadNetwork.h"
#include "npc/LinkedWorld.h"

#include <cstdio>

namespace {

std::string SpellName(const CLinkedWorld& world, uint16_t spell) {
    if (const SpellRecord* record = world.SpellById(spell)) return ShownText1252(record->name);
    return "sort n° " + std::to_string(spell);  // a list kept from another world's tables
}

std::string NameList(const CLinkedWorld& world, const std::vector<uint16_t>& spells) {
    std::string text;
    for (const uint16_t spell : spells) text += (text.empty() ? "" : ", ") + SpellName(world, spell);
    return text;
}

std::string StopLine(size_t number, const CShoppingStop& stop, const CLinkedWorld& world) {
    const VendorRecord& vendor = world.Vendors()[size_t(stop.vendor)];
    std::string line = std::to_string(number) + ". " + ShownText1252(vendor.name) + " — " +
                       ShownText1252(world.LocationText(vendor.location));
    if (stop.place < 0) line += " (pas sur la carte)";
    return line + " : " + NameList(world, stop.spells);
}

std::string TotalLine(const CShoppingPlan& plan, const CRoadNetwork& roads) {
    if (!roads.Scaled()) {
        char text[96];
        std::snprintf(text, sizeof text, "Total : %.0f %s de la carte, en ligne droite", plan.length,
                      plan.length < 1.5 ? "unité" : "unités");
        return text;
    }
    CRouteTotals sum;
    for (const CRoute& leg : plan.legs) {
        const CRouteTotals totals = Totals(leg, roads.table.scale);
        sum.leagues += totals.leagues;
        sum.walkHours += totals.walkHours;
        sum.rideHours += totals.rideHours;
    }
    return "Total : " + LeaguesText(sum.leagues) + " — à pied " + DurationText(sum.walkHours) + ", à cheval " +
           DurationText(sum.rideHours);
}

bool SomeLegStraight(const CShoppingPlan& plan) {
    for (const CRoute& leg : plan.legs)
        if (!leg.alongRoads && leg.length > 0) return true;
    return false;
}

}  // namespace

std::string ShoppingSpellText(const CLinkedWorld& world, uint16_t spell) {
    const SpellRecord* record = world.SpellById(spell);
    const EffectRecord* effect = record ? world.EffectByKey(record->effect) : nullptr;
    return SpellName(world, spell) + (effect ? " (" + ShownText1252(effect->name) + ")" : std::string());
}

CShoppingLines ShoppingLines(const CShoppingPlan& plan, const CLinkedWorld& world, const CRoadNetwork& roads) {
    CShoppingLines lines;
    for (size_t i = 0; i < plan.stops.size(); ++i) lines.stops.push_back(StopLine(i + 1, plan.stops[i], world));
    if (!plan.unsold.empty()) lines.unsold = "Personne ne vend : " + NameList(world, plan.unsold);
    if (!plan.stops.empty()) lines.total = TotalLine(plan, roads);
    if (!plan.coverExact) lines.notes.push_back("Choix des marchands approché");
    if (!plan.orderExact) lines.notes.push_back("Ordre de visite approché (2-opt)");
    if (roads.Scaled() && SomeLegStraight(plan))
        lines.notes.push_back("Aucune route ne joint certaines étapes : elles vont en ligne droite");
    return lines;
}

std::string ShoppingReport(const std::vector<uint16_t>& spells, const std::string& start, const CShoppingLines& tour,
                           const CLinkedWorld& world) {
    std::string text = "Liste d'achats\n";
    for (const uint16_t spell : spells) text += "- " + ShoppingSpellText(world, spell) + '\n';
    text += "\nDépart : " + start + '\n';
    if (!tour.stops.empty()) text += "\nMarchands, dans l'ordre de visite :\n";
    for (const std::string& line : tour.stops) text += line + '\n';
    for (const std::string* line : {&tour.unsold, &tour.total})
        if (!line->empty()) text += '\n' + *line + '\n';
    for (const std::string& note : tour.notes) text += note + '\n';
    return text;
}
