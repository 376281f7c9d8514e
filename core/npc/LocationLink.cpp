#include "npc/LocationLink.h"

#include <string>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The words of `text` joined by single spaces.
std::string JoinWords(std::string_view text) {
    std::string phrase;
    bool pendingSpace = false;
    for (const char c : text) {
        if (IsBlank(c)) {
            pendingSpace = !phrase.empty();
            continue;
        }
        if (pendingSpace) phrase += ' ';
        pendingSpace = false;
        phrase += c;
    }
    return phrase;
}

std::optional<int> FindPhrase(std::string_view text, const CLinkTargets& targets) {
    const std::string phrase = JoinWords(text);
    if (phrase.empty()) return std::nullopt;
    return targets.FindPlace(phrase);
}

}  // namespace

std::optional<int> LocationPlace(std::string_view location, const CLinkTargets& targets) {
    location = location.substr(0, location.find('\0'));
    const size_t comma = location.find(',');
    if (comma != std::string_view::npos)
        if (const auto place = FindPhrase(location.substr(0, comma), targets)) return place;
    return FindPhrase(location, targets);
}
