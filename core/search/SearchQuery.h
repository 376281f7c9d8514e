// A query of the one search, read once before it is matched against every
// entry: its kind filter, its folded text and its words.
#pragma once
#include "search/SearchHit.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A query is read up to this many bytes (a field's line, not a file);
// longer text is cut at a character's boundary.
constexpr size_t kQueryByteLimit = 256;
// The words of a query beyond this many are not read.
constexpr size_t kQueryWordLimit = 16;
// A query word of this many letters or more may be one typo away.
constexpr int kTypoLetters = 5;

struct SearchQuery {
    // Set by a filter at the start of the query ("lieu:", "perso:", "sort:",
    // "effet:", "marchand:", "note:"; letter case and accents ignored,
    // blanks around the filter word allowed): only that kind is matched.
    std::optional<SearchKind> only;
    // Set by "type:KEY" (a kind's key, name or code, see PlaceKinds.h): only
    // places of that kind, found by the words after it, or all of them when
    // none follow. A key that names no kind finds nothing.
    std::optional<int32_t> placeType;
    bool unknownPlaceType = false;
    std::string folded;  // the words, one space between each (see FoldToWords)
    struct Word {
        size_t start = 0, length = 0;  // in `folded`
        int letters = 0;               // characters, not bytes
    };
    std::vector<Word> words;
    bool anyTypoWord = false;  // a word of kTypoLetters letters or more

    // Nothing to look for: no word, and no kind of place to list.
    bool Empty() const { return words.empty() && !placeType; }
    std::string_view Text(const Word& word) const {
        return std::string_view(folded).substr(word.start, word.length);
    }
};

// The filter word (folded, as typed before the colon) that names a kind:
// "lieu", "perso" or "personnage", "sort", "effet", "marchand", "note".
std::optional<SearchKind> SearchKindOfFilter(std::string_view folded);

// The kind of place a word names: its key, its French name in the singular
// or plural (letter case and accents ignored), or its type code; nothing
// for any other word.
std::optional<int32_t> PlaceKindOfWord(std::string_view utf8);

SearchQuery ParseSearchQuery(std::string_view utf8);
