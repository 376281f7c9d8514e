#include "search/SearchMatch.h"

#include <cstring>

namespace {

bool StartsWith(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && std::memcmp(text.data(), start.data(), start.size()) == 0;
}

// Whether query word `q` may stand for the name's word `w`.
bool WordMatches(std::string_view q, int letters, std::string_view w, bool typos) {
    if (StartsWith(w, q)) return true;
    return typos && letters >= kTypoLetters && StartsWithOneTypo(w, q);
}

// Gives every query word its own word of the name (a bipartite matching,
// found by augmenting paths: a handful of words each side).
class CWordAssignment {
public:
    CWordAssignment(const SearchQuery& query, std::string_view folded, const FoldedWord* words, size_t count,
                    bool typos)
        : m_query(query), m_folded(folded), m_words(words), m_count(count), m_typos(typos) {
        for (size_t i = 0; i < count; ++i) m_owner[i] = -1;
    }

    bool AssignAll() {
        const size_t queryWords = m_query.words.size();
        if (queryWords > m_count) return false;
        for (size_t q = 0; q < queryWords; ++q) {
            std::memset(m_seen, 0, m_count);
            if (!Assign(int(q))) return false;
        }
        return true;
    }

private:
    bool Assign(int q) {
        const SearchQuery::Word& word = m_query.words[size_t(q)];
        const std::string_view text = m_query.Text(word);
        for (size_t w = 0; w < m_count; ++w) {
            if (m_seen[w]) continue;
            if (!WordMatches(text, word.letters, m_folded.substr(m_words[w].start, m_words[w].length), m_typos))
                continue;
            m_seen[w] = 1;
            if (m_owner[w] < 0 || Assign(m_owner[w])) {
                m_owner[w] = int16_t(q);
                return true;
            }
        }
        return false;
    }

    const SearchQuery& m_query;
    std::string_view m_folded;
    const FoldedWord* m_words;
    size_t m_count;
    bool m_typos;
    int16_t m_owner[kMatchWordLimit];
    unsigned char m_seen[kMatchWordLimit];
};

}  // namespace

bool StartsWithOneTypo(std::string_view name, std::string_view word) {
    size_t i = 0;
    while (i < word.size() && i < name.size() && word[i] == name[i]) ++i;
    if (i == word.size()) return true;
    const std::string_view restWord = word.substr(i + 1);
    // A letter of the word replaced, or one too many in it.
    if (i < name.size() && StartsWith(name.substr(i + 1), restWord)) return true;
    if (StartsWith(name.substr(i), restWord)) return true;
    // A letter of the name missing from the word.
    if (i < name.size() && StartsWith(name.substr(i + 1), word.substr(i))) return true;
    // Two neighbours swapped.
    return i + 1 < word.size() && i + 1 < name.size() && word[i] == name[i + 1] && word[i + 1] == name[i] &&
           StartsWith(name.substr(i + 2), word.substr(i + 2));
}

std::optional<MatchRank> MatchFolded(const SearchQuery& query, std::string_view folded, const FoldedWord* words,
                                     size_t wordCount) {
    if (query.words.empty() || wordCount == 0) return std::nullopt;
    bool everyWordOccurs = true;
    for (const SearchQuery::Word& word : query.words) {
        if (folded.find(query.Text(word)) == std::string_view::npos) {
            everyWordOccurs = false;
            break;
        }
    }
    if (everyWordOccurs) {
        if (folded == query.folded) return MatchRank::Exact;
        if (StartsWith(folded, query.folded)) return MatchRank::NamePrefix;
        if (CWordAssignment(query, folded, words, wordCount, false).AssignAll()) return MatchRank::WordPrefixes;
        return MatchRank::Substring;
    }
    if (query.anyTypoWord && CWordAssignment(query, folded, words, wordCount, true).AssignAll())
        return MatchRank::OneTypo;
    return std::nullopt;
}
