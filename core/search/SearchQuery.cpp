#include "search/SearchQuery.h"

#include "data/PlaceKinds.h"
#include "data/ShownText.h"
#include "data/WholeNumber.h"
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

constexpr std::string_view kTypeFilter = "type";

// After "type:", the kind's word, then the words to look for.
void ReadPlaceType(std::string_view text, SearchQuery& query) {
    std::string folded = FoldToWords(text);
    const size_t space = folded.find(' ');
    const std::string word = folded.substr(0, space);
    folded.erase(0, space == std::string::npos ? folded.size() : space + 1);
    query.only = SearchKind::Place;
    if (!word.empty()) {
        query.placeType = PlaceKindOfWord(word);
        query.unknownPlaceType = !query.placeType;
    }
    query.folded = std::move(folded);
}

}  // namespace

std::optional<int32_t> PlaceKindOfWord(std::string_view utf8) {
    const std::string folded = FoldToWords(utf8);
    if (folded.empty()) return std::nullopt;
    for (const PlaceKind& kind : KnownPlaceKinds())
        if (folded == kind.key || folded == FoldToWords(kind.singular) || folded == FoldToWords(kind.plural))
            return kind.code;
    if (const auto number = ParseWholeNumber(folded, Minus::Refused, 10); number && *number <= INT32_MAX)
        return int32_t(*number);
    return std::nullopt;
}

std::optional<SearchKind> SearchKindOfFilter(std::string_view folded) {
    for (const Filter& filter : kFilters)
        if (folded == filter.word) return filter.kind;
    return std::nullopt;
}

SearchQuery ParseSearchQuery(std::string_view utf8) {
    SearchQuery query;
    std::string_view text = utf8.substr(0, Utf8CutAt(utf8, kQueryByteLimit));
    bool typed = false;
    if (const size_t colon = text.find(':'); colon != std::string_view::npos) {
        const std::string filter = FoldToWords(text.substr(0, colon));
        if (const auto kind = SearchKindOfFilter(filter)) {
            query.only = kind;
            text.remove_prefix(colon + 1);
        } else if (filter == kTypeFilter) {
            ReadPlaceType(text.substr(colon + 1), query);
            typed = true;
        }
    }
    if (!typed) query.folded = FoldToWords(text);
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
