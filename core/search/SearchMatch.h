// How well one folded name matches a query, by the rules of the one search
// (MatchRank, best first):
// - Exact: the query's words are the name's words, in the same order;
// - NamePrefix: the name's folded text starts with the query's;
// - WordPrefixes: every query word is the start of a word of the name, in
//   any order, two query words needing two distinct words of the name;
// - Substring: every query word occurs somewhere in the name's folded text;
// - OneTypo: as WordPrefixes, but a query word of kTypoLetters letters or
//   more may be one edit (a letter inserted, deleted or replaced, or two
//   neighbours swapped) away from the start of the name's word.
// Nothing when no rule holds. Runs without allocating.
#pragma once
#include "search/SearchHit.h"
#include "search/SearchQuery.h"

#include <cstdint>
#include <optional>
#include <string_view>

// A word of a folded text: where it starts and how long it is, in bytes.
struct FoldedWord {
    uint32_t start = 0;
    uint32_t length = 0;
};

// The most words of one folded text that a match compares; a longer text
// (a note) is split into pieces of this many words.
constexpr size_t kMatchWordLimit = 255;

// `folded` as FoldToWords gives it, `words` its words (at most
// kMatchWordLimit).
std::optional<MatchRank> MatchFolded(const SearchQuery& query, std::string_view folded, const FoldedWord* words,
                                     size_t wordCount);

// Whether `word` is at most one edit away from the start of `name` (an
// exact start included).
bool StartsWithOneTypo(std::string_view name, std::string_view word);
