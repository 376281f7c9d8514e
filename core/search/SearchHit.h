// What the one search finds: hits of six kinds, ranked, then grouped by kind
// for the list that shows them. Every text is UTF-8, as shown.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// In the order the groups show, which is also the order of kinds within a
// rank: places first, the player's own notes last. A route asked for in
// words (RouteQuery.h) is no entry of the index: its one hit shows above
// every group.
enum class SearchKind { Place, Character, Spell, Effect, Vendor, Note, Route };
constexpr int kSearchKindCount = 7;

// How well a hit's name matches the query, best first.
enum class MatchRank { Exact, NamePrefix, WordPrefixes, Substring, OneTypo };

struct SearchHit {
    SearchKind kind = SearchKind::Place;
    MatchRank rank = MatchRank::Exact;
    std::string name;   // the name as shown
    std::string where;  // a place's position, a vendor's location...; may be empty
    // What the hit opens: a place's index in the place table, a character's
    // ordinal, a spell's id, an effect's key, a vendor's index in the vendor
    // table, a note's index in the items given to the search; a route's
    // start, a place's index.
    int ref = -1;
    int to = -1;  // a route's end, a place's index
};

struct SearchGroup {
    SearchKind kind = SearchKind::Place;
    int total = 0;                 // every hit of this kind
    std::vector<SearchHit> shown;  // the best of them, at most kShownPerKind
};

constexpr int kShownPerKind = 50;

// The groups that have hits, in kind order.
using SearchResults = std::vector<SearchGroup>;
