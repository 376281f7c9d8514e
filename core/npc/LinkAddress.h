// Reading the internal links of a character page or a place card:
// "quil://locidx=N" names the place at index N, "quil://npcidx=N" the
// character with ordinal N, "quil://spellid=N" the spell whose id is N; the
// sheet's pages add "quil://vendoridx=N", the vendor at index N of the vendor
// table, and "quil://effectkey=N", the magic effect whose key is N.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The link a page shows: `text`, escaped, leading to "quil://KIND=NUMBER"
// (kind "locidx", "npcidx", "spellid", "vendoridx" or "effectkey").
std::string InternalLink(std::string_view kind, int number, std::string_view text);

enum class LinkKind {
    External,    // not an internal link: the panel may open it elsewhere
    Place,
    Character,
    OutOfRange,  // internal, but its number names nothing: ignore it
};

struct LinkAction {
    LinkKind kind;
    int index;  // the place index or character ordinal; 0 for the others
};

// Looks for "/locidx=" first, then "/npcidx=", anywhere in the address. The
// number after it is read like C's atoi (leading white space and a sign
// allowed, digits up to the first other character, 0 when there are none);
// it must lie below `placeCount` or `characterCount`.
LinkAction ResolveLink(std::string_view url, int placeCount, int characterCount);

struct SpellLinkAction {
    bool internal = false;          // the address holds "/spellid="
    std::optional<uint16_t> spell;  // its number, when it can be a spell id (0 to 65535)
};

// For an address that ResolveLink finds external: looks for "/spellid=" in
// it, and reads the number after it as ResolveLink reads its numbers.
SpellLinkAction ResolveSpellLink(std::string_view url);

// The number after "/KIND=" in the address (kind as for InternalLink), read
// as ResolveLink reads its numbers (saturated far outside any table);
// nothing when the address has no such part.
std::optional<int64_t> LinkNumber(std::string_view url, std::string_view kind);
