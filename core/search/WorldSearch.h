// The one search: as the player types, it finds places, characters, spells,
// magic effects, vendors (by name and by location) and the player's own
// notes and pins, letter case and accents ignored, and ranks them.
//
// Ranking: by how well the name matches (MatchRank: exact name, name prefix,
// word prefixes in any order, substrings, one typo; see SearchMatch.h), then
// by kind in SearchKind's order (places, characters, spells, effects,
// vendors, notes), then alphabetically by folded name (ties: the name's
// bytes, then the ref).
//
// A query may start with a kind filter, "lieu:", "perso:", "sort:",
// "effet:", "marchand:" or "note:" (letter case and accents ignored): the
// rest is then matched against that kind only. An empty query, or a filter
// alone, finds nothing.
//
// Hits: a place is shown with its position "x, y" in world coordinates; a
// character with the name of the first place their page links to (empty
// when none); a spell with its effect's name; an effect with how many spells
// it holds ("3 sorts"); a vendor with its location's text; a note with its
// place's name (a place's mark) or "épingle" (a pin). A note's name is a
// pin's title, or the first line of a place mark's note (else its marks:
// "visité", "favori"). Names and wheres are UTF-8 made safe to show
// (ShownText). Refs as SearchHit.h says.
//
// Building reads the world's tables (and makes its linked world if it is
// not made yet); after that every query is const and touches nothing
// shared, so Find and Ranked may run on any thread.
#pragma once
#include "notes/NoteItem.h"
#include "search/SearchHit.h"
#include "search/SearchIndex.h"

#include <optional>
#include <string>
#include <vector>

class CWorldData;

class CWorldSearch {
public:
    // Indexes the world's places, characters, spells, effects and vendors
    // (the tables of `world`, read now; `world` may be released afterwards).
    explicit CWorldSearch(CWorldData& world);
    // Replaces the player's notes and pins it searches (title and note text);
    // a note hit's ref is its index in `items`.
    void SetNotes(const CNoteItems& items);
    // Grouped by kind, at most kShownPerKind shown per kind, each group's
    // total counted; only the kinds that have hits, in kind order, after
    // the route the query asks for, if it asks for one (RouteHit).
    SearchResults Find(const std::string& queryUtf8) const;
    // The route « de X à Y » asks for, "Itinéraire de X à Y" (the places'
    // names as shown): each end the first place of that name, else the
    // first place whose name the words begin, in the order of hits; the
    // first cut of the words (ReadRouteQuery) that names two places. None
    // when no cut does.
    std::optional<SearchHit> RouteHit(const std::string& queryUtf8) const;
    // Every hit, ranked (the command line's order, and the order within
    // each group of Find).
    std::vector<SearchHit> Ranked(const std::string& queryUtf8) const;

    // How many entries it holds: world and notes.
    size_t Size() const { return m_world.Size() + m_notes.Size(); }

    // An index made elsewhere (tests, benchmarks), finished here if it is
    // not yet, with no notes.
    explicit CWorldSearch(CSearchIndex world);

private:
    // The place entry the folded words name, as RouteHit finds it.
    uint32_t PlaceNamed(const std::string& folded) const;
    template <class VisitHit>
    void Visit(const std::string& queryUtf8, VisitHit&& visit) const;

    CSearchIndex m_world;
    CSearchIndex m_notes;
};

// The title of a kind's group: "Lieux", "Personnages", "Sorts", "Effets",
// "Marchands", "Notes".
const char* SearchKindTitle(SearchKind kind);
// The kind in one word, as the command line prints it: "lieu",
// "personnage", "sort", "effet", "marchand", "note".
const char* SearchKindWord(SearchKind kind);
