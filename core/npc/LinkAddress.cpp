#include "npc/LinkAddress.h"

#include "npc/HtmlFragment.h"

#include <cstdint>

namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// atoi's reading, saturated far outside any table instead of overflowing.
int64_t ReadNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kCap = int64_t(1) << 40;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < kCap) value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

LinkAction InRange(LinkKind kind, int64_t number, int count) {
    if (number < 0 || number >= count) return {LinkKind::OutOfRange, 0};
    return {kind, int(number)};
}

}  // namespace

LinkAction ResolveLink(std::string_view url, int placeCount, int characterCount) {
    constexpr std::string_view kPlace = "/locidx=";
    constexpr std::string_view kCharacter = "/npcidx=";
    if (const size_t at = url.find(kPlace); at != std::string_view::npos)
        return InRange(LinkKind::Place, ReadNumber(url.substr(at + kPlace.size())), placeCount);
    if (const size_t at = url.find(kCharacter); at != std::string_view::npos)
        return InRange(LinkKind::Character, ReadNumber(url.substr(at + kCharacter.size())),
                       characterCount);
    return {LinkKind::External, 0};
}

SpellLinkAction ResolveSpellLink(std::string_view url) {
    const std::optional<int64_t> number = LinkNumber(url, "spellid");
    if (!number) return {};
    if (*number < 0 || *number > 0xFFFF) return {true, std::nullopt};
    return {true, uint16_t(*number)};
}

std::optional<int64_t> LinkNumber(std::string_view url, std::string_view kind) {
    const std::string marker = "/" + std::string(kind) + "=";
    const size_t at = url.find(marker);
    if (at == std::string_view::npos) return std::nullopt;
    return ReadNumber(url.substr(at + marker.size()));
}

std::string InternalLink(std::string_view kind, int number, std::string_view text) {
    return "<a href=\"quil://" + std::string(kind) + "=" + std::to_string(number) + "\">" + EscapeHtml(text) + "</a>";
}
