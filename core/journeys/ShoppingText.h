// A shopping list and its tour as the player reads them: the rows of the
// "Liste d'achats" panel, and the text that "Exporter la liste…" writes and
// "Imprimer…" prints before the map. UTF-8 and French; names from the
// tables come through ShownText, so no control character reaches a file or
// a terminal.
#pragma once
#include "journeys/Shopping.h"

#include <cstdint>
#include <string>
#include <vector>

class CLinkedWorld;
struct CRoadNetwork;

struct CShoppingLines {
    // "1. Vendeur — Localisation : Sort A, Sort B", in visiting order; the
    // numbers are those of the stops' marks on the map.
    std::vector<std::string> stops;
    std::string unsold;  // "Personne ne vend : Sort C", or empty
    // "Total : 12,4 lieues — à pied 3 h 05, à cheval 1 h 20"; empty without stops.
    std::string total;
    std::vector<std::string> notes;  // what is approximate or straight
};

// "Flamme (Feu)": a spell of the list with the effect it is filed under.
std::string ShoppingSpellText(const CLinkedWorld& world, uint16_t spell);

CShoppingLines ShoppingLines(const CShoppingPlan& plan, const CLinkedWorld& world, const CRoadNetwork& roads);

// The whole text, one line each, ended by a line break: the list, where the
// trip starts (`start`, already UTF-8), then the tour.
std::string ShoppingReport(const std::vector<uint16_t>& spells, const std::string& start, const CShoppingLines& tour,
                           const CLinkedWorld& world);
