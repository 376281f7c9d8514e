#include "search/SearchQuery.h"

#include "search/SearchFold.h"

namespace {

struct Filter {
    const char* word;
    SearchKind kind;
};
constexpr Filter kFilters[] = {
    {"lieu", SearchKind::Place},     {"perso", SearchKind::Character}, {"personnage", SearchKind::Character},
    {"sort", SearchKind::Spell},     {"effet", SearchKind::Effect},    {"marchand", SearchKind::Vendor},
    {"note", SearchKind::Note},
};

// `text` cut to at most `limit` bytes, never inside a UTF-8 sequence.
std::string_view CutAt(std::string_view text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

int Letters(std::string_view word) {
    int letters = 0;
    for (const char c : word) letters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return letters;
}

}  // namespace

SearchQuery& SearchQuery::operator=(const SearchQuery& other) {
    if (this == &other) return *this;
    only = other.only;
    folded = other.folded;
    anyTypoWord = other.anyTypoWord;
    words.clear();
    for (const Word& word : other.words)
        words.push_back({std::string_view(folded).substr(size_t(word.text.data() - other.folded.data()),
                                                         word.text.size()),
                         word.letters});
    return *this;
}

std::optional<SearchKind> SearchKindOfFilter(std::string_view folded) {
    for (const Filter& filter : kFilters)
        if (folded == filter.word) return filter.kind;
    return std::nullopt;
}

SearchQuery ParseSearchQuery(std::string_view utf8) {
    SearchQuery query;
    std::string_view text = CutAt(utf8, kQueryByteLimit);
    if (const size_t colon = text.find(':'); colon != std::string_view::npos) {
        if (const auto kind = SearchKindOfFilter(FoldToWords(text.substr(0, colon)))) {
            query.only = kind;
            text.remove_prefix(colon + 1);
        }
    }
    AppendFoldedWords(text, query.folded);
    const std::string_view folded = query.folded;
    size_t start = 0;
    while (start < folded.size() && query.words.size() < kQueryWordLimit) {
        size_t end = folded.find(' ', start);
        if (end == std::string_view::npos) end = folded.size();
        const std::string_view word = folded.substr(start, end - start);
        query.words.push_back({word, Letters(word)});
        query.anyTypoWord = query.anyTypoWord || Letters(word) >= kTypoLetters;
        start = end + 1;
    }
    // Words beyond the limit are not read, nor kept in the text the name is compared with.
    if (start < folded.size()) query.folded.resize(start - 1);
    return query;
}
