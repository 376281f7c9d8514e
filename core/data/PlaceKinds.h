// The kinds of places of our world: each type code of the place table has a
// French name (singular and plural) and a short ASCII key that filters
// type (`type:port`, `--kinds port,ville`). A code outside the table is
// shown "Type N", its key the number itself.
#pragma once
#include "data/PlaceArray.h"

#include <cstdint>
#include <string>
#include <vector>

struct PlaceKind {
    int32_t code;
    const char* key;       // ASCII, lower case
    const char* singular;  // UTF-8
    const char* plural;    // UTF-8
};

// Our world's kinds, by code.
const std::vector<PlaceKind>& KnownPlaceKinds();
// The known kind of `code`, or null.
const PlaceKind* FindPlaceKind(int32_t code);

std::string PlaceKindName(int32_t code);    // "Port", or "Type 37"
std::string PlaceKindPlural(int32_t code);  // "Ports", or "Type 37"
std::string PlaceKindKey(int32_t code);     // "port", or "37"

struct PlaceKindCount {
    int32_t code = 0;
    int count = 0;
    bool operator==(const PlaceKindCount& other) const { return code == other.code && count == other.count; }
};

// How many places of each kind `places` holds: only the kinds present, by
// code.
std::vector<PlaceKindCount> CountPlaceKinds(const CPlaceArray& places);

// The kinds present in `places` that `shown` does not list: what to hide so
// that only `shown` remain.
std::vector<int32_t> KindsHiddenBeside(const CPlaceArray& places, const std::vector<int32_t>& shown);
