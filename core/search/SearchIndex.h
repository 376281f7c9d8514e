// The entries the one search looks through, with their names folded once
// when they are added, so that a query is one tight pass over packed text.
// Entries are kept in the order hits are listed within a rank: by kind,
// then by folded name, then by the name's bytes, then by ref.
#pragma once
#include "search/SearchHit.h"
#include "search/SearchMatch.h"
#include "search/SearchQuery.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The entries that matched, by rank (MatchRank's order), each list in the
// index's order.
using RankedEntries = std::array<std::vector<uint32_t>, 5>;

class CSearchIndex {
public:
    // One entry: what its hit shows (`nameUtf8` and `where`, UTF-8, as
    // shown) and what it opens. It is found by its name and by each of
    // `alsoUtf8` (a vendor's location, a note's text), its rank the best of
    // them. A text with no letter or digit finds nothing.
    void Add(SearchKind kind, const std::string& nameUtf8, std::string where, int ref,
             const std::vector<std::string_view>& alsoUtf8 = {});
    // A place's entry, with its kind (type code) for "type:".
    void AddPlace(const std::string& nameUtf8, std::string where, int ref, int32_t type);
    // Puts the entries in their order: after the last Add and before any
    // query (a query before it finds nothing). A second call does nothing;
    // no entry may be added after it.
    void Finish();

    size_t Size() const { return m_entries.size(); }

    // Every entry the query matches (of its kind, with a filter), appended
    // to `ranked`.
    void Match(const SearchQuery& query, RankedEntries& ranked) const;

    // The hit entry `index` makes at `rank`.
    SearchHit Hit(uint32_t index, MatchRank rank) const;
    SearchKind KindOf(uint32_t index) const { return m_entries[index].kind; }

private:
    struct Key {
        uint32_t text = 0;       // start of its folded text in m_text
        uint32_t length = 0;     // bytes of that text
        uint32_t firstWord = 0;  // in m_words
        uint32_t wordCount = 0;
    };
    struct Entry {
        SearchKind kind = SearchKind::Place;
        int ref = -1;
        int32_t placeType = 0;  // of a place
        std::string name, where;  // as shown
        std::string sortName;     // the name folded, for the order
        std::vector<Key> keys;    // until Finish; then in m_keys
    };

    void AddKey(Entry& entry, const std::string& folded);

    bool m_finished = false;
    std::vector<Entry> m_entries;
    std::string m_text;               // every key's folded text, one after the other
    std::vector<FoldedWord> m_words;  // every key's words, relative to its text
    std::vector<Key> m_keys;          // by entry, in the entries' order
    std::vector<uint32_t> m_firstKey;  // entry i's keys: [m_firstKey[i], m_firstKey[i + 1])
    std::array<uint32_t, kSearchKindCount + 1> m_kindStart{};  // entries of kind k: [start[k], start[k + 1])
};
