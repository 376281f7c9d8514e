#include "search/WorldSearch.h"

#include "search/SearchEntries.h"

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

const char* SearchKindTitle(SearchKind kind) {
    switch (kind) {
    case SearchKind::Place: return "Lieux";
    case SearchKind::Character: return "Personnages";
    case SearchKind::Spell: return "Sorts";
    case SearchKind::Effect: return "Effets";
    case SearchKind::Vendor: return "Marchands";
    case SearchKind::Note: return "Notes";
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
    }
    return "";
}
