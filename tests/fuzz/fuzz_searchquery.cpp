// The one search on any bytes as a query, against a small index of every
// kind (accented names, ligatures, long notes): folding, the filter, the
// ranks and the typo rule must answer, and Find must agree with Ranked
// (but for the route a « de X à Y » query offers).
#include "search/SearchFold.h"
#include "search/SearchIndex.h"
#include "search/WorldSearch.h"

#include <cstdlib>
#include <string>

namespace {

const CWorldSearch& SmallSearch() {
    static const CWorldSearch search = [] {
        CSearchIndex index;
        const char* const places[] = {"Forêt Noire", "Tessanta", "Tessanta, Copper Row", "Saint-Jean-d'Acre",
                                      "Œil de Bœuf", "Ŀlæ ß", "Αθήνα", "Route 66", "a", "aa aa aa"};
        int ref = 0;
        for (const char* name : places) index.Add(SearchKind::Place, name, "0, 0", ref++);
        index.Add(SearchKind::Character, "Foudre le Sage", "Tessanta", 0);
        index.Add(SearchKind::Spell, "Trait de foudre", "Dégâts de foudre", 27);
        index.Add(SearchKind::Effect, "Dégâts de foudre", "1 sort", 5);
        index.Add(SearchKind::Vendor, "Maître Isembart", "Tessanta, près du lavoir", 0, {"Tessanta, près du lavoir"});
        for (int i = 0; i < 60; ++i) index.Add(SearchKind::Vendor, "Ville " + std::to_string(i), "", i + 1);
        CWorldSearch made(std::move(index));
        std::string longNote;
        for (int i = 0; i < 700; ++i) longNote += "mot" + std::to_string(i % 37) + (i % 5 ? " " : "\n");
        CNoteItem pin;
        pin.name = "Trésor";
        pin.note = longNote;
        CNoteItem mark;
        mark.kind = CNoteItem::Kind::Place;
        mark.name = "Tessanta";
        mark.note = "Acheter des herbes\nchez Doriane";
        made.SetNotes({pin, mark});
        return made;
    }();
    return search;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string query(reinterpret_cast<const char*>(data), size);
    FoldToWords(query);
    const CWorldSearch& search = SmallSearch();
    const std::vector<SearchHit> ranked = search.Ranked(query);
    size_t total = 0;
    for (const SearchGroup& group : search.Find(query)) {
        if (group.shown.size() > size_t(kShownPerKind) || group.shown.empty() || int(group.shown.size()) > group.total)
            std::abort();
        // A route is the query read as « de X à Y », not a ranked name.
        if (group.kind == SearchKind::Route) {
            if (group.total != 1 || !search.RouteHit(query)) std::abort();
            continue;
        }
        total += size_t(group.total);
    }
    if (total != ranked.size()) std::abort();
    for (size_t i = 1; i < ranked.size(); ++i)
        if (ranked[i].rank < ranked[i - 1].rank) std::abort();
    return 0;
}
