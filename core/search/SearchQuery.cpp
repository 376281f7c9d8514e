#include "search/SearchQuery.h"

#include "data/ShownText.h"
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

int Letters(std::string_view word) {
    int letters = 0;
    for (const char c : word) letters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return letters;
}

}  // namespace

std::optional<SearchKind> SearchKindOfFilter(std::string_view folded) {
    for (const Filter& filter : kFilters)
        if (folded == filter.word) return filter.kind;
    return std::nullopt;
}

SearchQuery ParseSearchQuery(std::string_view utf8) {
    SearchQuery query;
    std::string_view text = utf8.substr(0, Utf8CutAt(utf8, kQueryByteLimit));
    if (const size_t colon = text.find(':'); colon != std::string_view::npos) {
        if (const auto kind = SearchKindOfFilter(FoldToWords(text.substr(0, colon)))) {
            query.only = kind;
            text.remove_prefix(colon + 1);
        }
    }
    query.folded = FoldToWords(text);
    const std::string_view folded = query.folded;
    size_t start = 0;
    while (start < folded.size() && query.words.size() < kQueryWordLimit) {
        size_t end = folded.find(' ', start);
        if (end == std::string_view::npos) end = folded.size();
        const int letters = Letters(folded.substr(start, end - start));
        query.words.push_back({start, end - start, letters});
        query.anyTypoWord = query.anyTypoWord || letters >= kTypoLetters;
        start = end + 1;
    }
    // Words beyond the limit are not read, nor kept in the text the name is compared with.
    if (start < folded.size()) query.folded.resize(start - 1);
    return query;
}
