#include "search/RouteQuery.h"

#include "data/ShownText.h"
#include "search/SearchFold.h"
#include "search/SearchQuery.h"

namespace {

std::vector<std::string_view> Words(std::string_view folded) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < folded.size()) {
        size_t end = folded.find(' ', start);
        if (end == std::string_view::npos) end = folded.size();
        words.push_back(folded.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string Joined(const std::vector<std::string_view>& words, size_t first, size_t last) {
    std::string text;
    for (size_t i = first; i < last; ++i) {
        if (i > first) text += ' ';
        text += words[i];
    }
    return text;
}

}  // namespace

std::vector<RouteQueryEnds> ReadRouteQuery(std::string_view utf8) {
    const std::string folded = FoldToWords(utf8.substr(0, Utf8CutAt(utf8, kQueryByteLimit)));
    const std::vector<std::string_view> words = Words(folded);
    std::vector<RouteQueryEnds> readings;
    if (words.empty() || (words[0] != "de" && words[0] != "d")) return readings;
    // A name of at least one word on either side of the "a".
    for (size_t cut = 2; cut + 1 < words.size() && readings.size() < kMostRouteReadings; ++cut)
        if (words[cut] == "a") readings.push_back({Joined(words, 1, cut), Joined(words, cut + 1, words.size())});
    return readings;
}
