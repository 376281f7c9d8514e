#include "search/WorldSearch.h"

#include "search/RouteQuery.h"
#include "search/SearchEntries.h"

#include <limits>

CWorldSearch::CWorldSearch(CWorldData& world) {
    AddWorldEntries(world, m_world);
    m_world.Finish();
    m_notes.Finish();
}

CWorldSearch::CWorldSearch(CSearchIndex world) : m_world(std::move(world)) {
    m_world.Finish();
    m_notes.Finish();
}

void CWorldSearch::SetNotes(const CNoteItems& items) {
    CSearchIndex notes;
    AddNoteEntries(items, notes);
    notes.Finish();
    m_notes = std::move(notes);
}

// Calls visit(index, entry, rank) for every hit in ranked order: rank by
// rank, the world's entries (kinds before notes) then the notes'.
template <class VisitHit>
void CWorldSearch::Visit(const std::string& queryUtf8, VisitHit&& visit) const {
    const SearchQuery query = ParseSearchQuery(queryUtf8);
    if (query.Empty()) return;
    RankedEntries world, notes;
    m_world.Match(query, world);
    m_notes.Match(query, notes);
    for (size_t rank = 0; rank < world.size(); ++rank) {
        for (const uint32_t entry : world[rank]) visit(m_world, entry, MatchRank(rank));
        for (const uint32_t entry : notes[rank]) visit(m_notes, entry, MatchRank(rank));
    }
}

SearchResults CWorldSearch::Find(const std::string& queryUtf8) const {
    SearchGroup groups[kSearchKindCount];
    Visit(queryUtf8, [&groups](const CSearchIndex& index, uint32_t entry, MatchRank rank) {
        SearchGroup& group = groups[int(index.KindOf(entry))];
        if (group.shown.size() < size_t(kShownPerKind)) group.shown.push_back(index.Hit(entry, rank));
        ++group.total;
    });
    SearchResults results;
    if (std::optional<SearchHit> route = RouteHit(queryUtf8)) results.push_back({SearchKind::Route, 1, {*route}});
    for (int kind = 0; kind < kSearchKindCount; ++kind) {
        if (groups[kind].total == 0) continue;
        groups[kind].kind = SearchKind(kind);
        results.push_back(std::move(groups[kind]));
    }
    return results;
}

std::vector<SearchHit> CWorldSearch::Ranked(const std::string& queryUtf8) const {
    std::vector<SearchHit> hits;
    Visit(queryUtf8, [&hits](const CSearchIndex& index, uint32_t entry, MatchRank rank) {
        hits.push_back(index.Hit(entry, rank));
    });
    return hits;
}

namespace {
constexpr uint32_t kNoPlace = std::numeric_limits<uint32_t>::max();
}

uint32_t CWorldSearch::PlaceNamed(const std::string& folded) const {
    SearchQuery query = ParseSearchQuery(folded);
    query.only = SearchKind::Place;
    RankedEntries ranked;
    m_world.Match(query, ranked);
    for (const MatchRank rank : {MatchRank::Exact, MatchRank::NamePrefix})
        if (!ranked[size_t(rank)].empty()) return ranked[size_t(rank)].front();
    return kNoPlace;
}

std::optional<SearchHit> CWorldSearch::RouteHit(const std::string& queryUtf8) const {
    for (const RouteQueryEnds& ends : ReadRouteQuery(queryUtf8)) {
        const uint32_t from = PlaceNamed(ends.from), to = PlaceNamed(ends.to);
        if (from == kNoPlace || to == kNoPlace) continue;
        const SearchHit start = m_world.Hit(from, MatchRank::Exact), end = m_world.Hit(to, MatchRank::Exact);
        if (start.ref == end.ref) continue;
        SearchHit route;
        route.kind = SearchKind::Route;
        route.name = "Itinéraire de " + start.name + " à " + end.name;
        route.ref = start.ref;
        route.to = end.ref;
        return route;
    }
    return std::nullopt;
}

const char* SearchKindTitle(SearchKind kind) {
    switch (kind) {
    case SearchKind::Place: return "Lieux";
    case SearchKind::Character: return "Personnages";
    case SearchKind::Spell: return "Sorts";
    case SearchKind::Effect: return "Effets";
    case SearchKind::Vendor: return "Marchands";
    case SearchKind::Note: return "Notes";
    case SearchKind::Route: return "Itinéraire";
    }
    return "";
}

const char* SearchKindWord(SearchKind kind) {
    switch (kind) {
    case SearchKind::Place: return "lieu";
    case SearchKind::Character: return "personnage";
    case SearchKind::Spell: return "sort";
    case SearchKind::Effect: return "effet";
    case SearchKind::Vendor: return "marchand";
    case SearchKind::Note: return "note";
    case SearchKind::Route: return "itinéraire";
    }
    return "";
}
