// A query of the one search, read once before it is matched against every
// entry: its kind filter, its folded text and its words.
#pragma once
#include "search/SearchHit.h"

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
    std::string folded;  // the words, one space between each (see FoldToWords)
    struct Word {
        size_t start = 0, length = 0;  // in `folded`
        int letters = 0;               // characters, not bytes
    };
    std::vector<Word> words;
    bool anyTypoWord = false;  // a word of kTypoLetters letters or more

    bool Empty() const { return words.empty(); }
    std::string_view Text(const Word& word) const {
        return std::string_view(folded).substr(word.start, word.length);
    }
};

// The filter word (folded, as typed before the colon) that names a kind:
// "lieu", "perso" or "personnage", "sort", "effet", "marchand", "note".
std::optional<SearchKind> SearchKindOfFilter(std::string_view folded);

SearchQuery ParseSearchQuery(std::string_view utf8);
