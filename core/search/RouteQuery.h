// A route asked for in words in the one search: « de Brom-Ghor à Hagholm »
// (or « d'Hagholm à Brom-Ghor », « de X a Y »; letter case and accents
// ignored). The query is read as folded words: "de" (or the "d" of "d'")
// first, then the start's name, the word "a" (« à » folded), the end's.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct RouteQueryEnds {
    std::string from, to;  // folded words, as FoldToWords writes them
};

// Names hold that word seldom, and a query of nothing but it must not cost
// a search of the places for every cut: no more cuts are read than this.
constexpr size_t kMostRouteReadings = 8;

// Every way the query reads as a route, first the one cut at the first "a":
// a name may hold that word itself, and only the places found tell which
// cut was meant. Empty for any other query, and when either end is empty.
std::vector<RouteQueryEnds> ReadRouteQuery(std::string_view utf8);
