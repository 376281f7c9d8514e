#include "search/SearchIndex.h"

#include "search/SearchFold.h"

#include <algorithm>
#include <tuple>

void CSearchIndex::AddKey(Entry& entry, const std::string& folded) {
    // A key of kMatchWordLimit words at most: a longer text is cut into pieces.
    size_t start = 0;
    while (start < folded.size()) {
        Key key;
        key.text = uint32_t(m_text.size());
        key.firstWord = uint32_t(m_words.size());
        size_t end = start;
        while (end < folded.size() && key.wordCount < kMatchWordLimit) {
            size_t wordEnd = folded.find(' ', end);
            if (wordEnd == std::string::npos) wordEnd = folded.size();
            m_words.push_back({uint32_t(end - start), uint32_t(wordEnd - end)});
            ++key.wordCount;
            end = wordEnd == folded.size() ? wordEnd : wordEnd + 1;
        }
        const size_t pieceEnd = end < folded.size() ? end - 1 : folded.size();  // without the space after
        m_text.append(folded, start, pieceEnd - start);
        key.length = uint32_t(pieceEnd - start);
        entry.keys.push_back(key);
        start = end;
    }
}

void CSearchIndex::Add(SearchKind kind, const std::string& nameUtf8, std::string where, int ref,
                       const std::vector<std::string_view>& alsoUtf8) {
    if (m_finished) return;  // see Finish
    Entry entry;
    entry.kind = kind;
    entry.ref = ref;
    entry.name = nameUtf8;
    entry.where = std::move(where);
    entry.sortName = FoldToWords(nameUtf8);
    AddKey(entry, entry.sortName);
    for (const std::string_view text : alsoUtf8) AddKey(entry, FoldToWords(text));
    m_entries.push_back(std::move(entry));
}

void CSearchIndex::AddPlace(const std::string& nameUtf8, std::string where, int ref, int32_t type) {
    if (m_finished) return;
    Add(SearchKind::Place, nameUtf8, std::move(where), ref);
    m_entries.back().placeType = type;
}

void CSearchIndex::Finish() {
    if (m_finished) return;
    m_finished = true;
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.kind, a.sortName, a.name, a.ref) < std::tie(b.kind, b.sortName, b.name, b.ref);
    });
    // The keys' text and words again, in the entries' order, so that a query
    // reads memory front to back.
    std::string text;
    std::vector<FoldedWord> words;
    text.reserve(m_text.size());
    words.reserve(m_words.size());
    m_keys.clear();
    m_firstKey.clear();
    for (Entry& entry : m_entries) {
        m_firstKey.push_back(uint32_t(m_keys.size()));
        for (Key key : entry.keys) {
            const uint32_t textStart = uint32_t(text.size()), wordStart = uint32_t(words.size());
            text.append(m_text, key.text, key.length);
            words.insert(words.end(), m_words.begin() + key.firstWord,
                         m_words.begin() + key.firstWord + key.wordCount);
            key.text = textStart;
            key.firstWord = wordStart;
            m_keys.push_back(key);
        }
        entry.keys.clear();
        entry.keys.shrink_to_fit();
        entry.sortName.clear();
        entry.sortName.shrink_to_fit();
    }
    m_firstKey.push_back(uint32_t(m_keys.size()));
    m_text = std::move(text);
    m_words = std::move(words);
    for (int kind = 0; kind <= kSearchKindCount; ++kind)
        m_kindStart[size_t(kind)] = uint32_t(
            std::lower_bound(m_entries.begin(), m_entries.end(), kind,
                             [](const Entry& entry, int k) { return int(entry.kind) < k; }) -
            m_entries.begin());
}

void CSearchIndex::Match(const SearchQuery& query, RankedEntries& ranked) const {
    if (query.Empty() || query.unknownPlaceType || !m_finished) return;
    uint32_t first = 0, last = uint32_t(m_entries.size());
    if (query.only) {
        first = m_kindStart[size_t(*query.only)];
        last = m_kindStart[size_t(*query.only) + 1];
    }
    const std::string_view text = m_text;
    for (uint32_t index = first; index < last; ++index) {
        if (query.placeType) {
            if (m_entries[index].placeType != *query.placeType) continue;
            // A kind alone lists every place of it.
            if (query.words.empty()) {
                ranked[size_t(MatchRank::WordPrefixes)].push_back(index);
                continue;
            }
        }
        int best = -1;
        for (uint32_t k = m_firstKey[index]; k < m_firstKey[index + 1]; ++k) {
            const Key& key = m_keys[k];
            const auto rank = MatchFolded(query, text.substr(key.text, key.length), &m_words[key.firstWord],
                                          key.wordCount);
            if (rank && (best < 0 || int(*rank) < best)) best = int(*rank);
            if (best == 0) break;
        }
        if (best >= 0) ranked[size_t(best)].push_back(index);
    }
}

SearchHit CSearchIndex::Hit(uint32_t index, MatchRank rank) const {
    const Entry& entry = m_entries[index];
    SearchHit hit;
    hit.kind = entry.kind;
    hit.rank = rank;
    hit.name = entry.name;
    hit.where = entry.where;
    hit.ref = entry.ref;
    return hit;
}
