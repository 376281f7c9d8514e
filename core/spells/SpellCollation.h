// The order of names in the spell finder's tree: alphabetical, ignoring the
// case of every letter, on the Windows-1252 text the tables store.
//
// Names are compared level by level, as dictionaries do:
//   1. base letters: accents and case are ignored ("é" = "E"), the
//      ligatures count as their two letters ("œ" = "OE", "æ" = "AE",
//      "ß" = "SS"); spaces and punctuation come before digits, digits
//      before letters;
//   2. only when the base letters are equal, an unaccented letter comes
//      before an accented one ("peche" < "pêche"), compared from the left.
// Case never matters: "Feu" and "FEU" compare equal, so the tree keeps
// such names in the order it received them.
#pragma once
#include <string>
#include <string_view>

// Negative when `a` comes first, positive when `b` does, 0 when the two
// names are equal for sorting.
int CompareSpellNames(std::string_view a, std::string_view b);

// A name made ready for sorting: comparing keys with < orders names as
// CompareSpellNames does, without working the names out again at every
// comparison. The bytes are the first level's weights, two bytes each, then
// two zero bytes, then the second level's accent marks.
struct SpellSortKey {
    std::string bytes;

    bool operator<(const SpellSortKey& other) const { return bytes < other.bytes; }
};

SpellSortKey MakeSpellSortKey(std::string_view name);

// Whether the two names are equal at the first level: they differ at most in
// case and accents ("pêche" and "PECHE", "œuf" and "OEUF").
bool SameBaseLetters(std::string_view a, std::string_view b);

// The letters one Windows-1252 byte counts as at the first level, in
// capitals and without accents: "E" for 'e', 'é' and 'É', "OE" for 'œ',
// "SS" for 'ß'; nullptr for a byte that is no letter (a digit, a space, a
// sign). A search that ignores case and accents folds its text with it.
const char* BaseLetters1252(unsigned char byte);
