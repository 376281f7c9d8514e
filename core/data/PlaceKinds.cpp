#include "data/PlaceKinds.h"

#include <algorithm>
#include <map>

const std::vector<PlaceKind>& KnownPlaceKinds() {
    static const std::vector<PlaceKind> kinds = {
        {10, "region", "Région", "Régions"},
        {11, "capitale", "Capitale", "Capitales"},
        {18, "cite", "Cité", "Cités"},
        {19, "ville", "Ville", "Villes"},
        {20, "village", "Village", "Villages"},
        {21, "port", "Port", "Ports"},
        {22, "forteresse", "Forteresse", "Forteresses"},
        {23, "temple", "Temple", "Temples"},
        {24, "ruine", "Ruine", "Ruines"},
        {25, "col", "Col", "Cols"},
        {26, "mine", "Mine", "Mines"},
        {27, "grotte", "Grotte", "Grottes"},
        {28, "eau", "Étendue d'eau", "Étendues d'eau"},
        {29, "site", "Site remarquable", "Sites remarquables"},
    };
    return kinds;
}

const PlaceKind* FindPlaceKind(int32_t code) {
    const auto& kinds = KnownPlaceKinds();
    const auto it = std::find_if(kinds.begin(), kinds.end(), [code](const PlaceKind& kind) { return kind.code == code; });
    return it != kinds.end() ? &*it : nullptr;
}

namespace {
std::string Unknown(int32_t code) { return "Type " + std::to_string(code); }
}  // namespace

std::string PlaceKindName(int32_t code) {
    const PlaceKind* kind = FindPlaceKind(code);
    return kind ? kind->singular : Unknown(code);
}

std::string PlaceKindPlural(int32_t code) {
    const PlaceKind* kind = FindPlaceKind(code);
    return kind ? kind->plural : Unknown(code);
}

std::string PlaceKindKey(int32_t code) {
    const PlaceKind* kind = FindPlaceKind(code);
    return kind ? kind->key : std::to_string(code);
}

std::vector<PlaceKindCount> CountPlaceKinds(const CPlaceArray& places) {
    std::map<int32_t, int> counts;
    for (const CPlace* place : places)
        if (place) ++counts[place->m_nType];
    std::vector<PlaceKindCount> result;
    result.reserve(counts.size());
    for (const auto& [code, count] : counts) result.push_back({code, count});
    return result;
}

std::vector<int32_t> KindsHiddenBeside(const CPlaceArray& places, const std::vector<int32_t>& shown) {
    std::vector<int32_t> hidden;
    for (const PlaceKindCount& kind : CountPlaceKinds(places))
        if (std::find(shown.begin(), shown.end(), kind.code) == shown.end()) hidden.push_back(kind.code);
    return hidden;
}
