// Turns a character's whereabouts or notes into an HTML fragment in which
// every phrase of one to three words that names a place or a character is an
// internal link ("quil://locidx=N" or "quil://npcidx=N"). Places win over
// characters of the same name, and shorter phrases over longer ones.
#pragma once
#include "npc/HtmlFragment.h"
#include "npc/LinkTargets.h"

#include <string>
#include <string_view>
#include <vector>

// A phrase that names something: a place (by index) or a character (by
// ordinal), and how many words of the text it spans.
struct FoundLink {
    enum Kind { Place, Character } kind;
    int number;
    std::string phrase;
    size_t words;
};

// What `phrase` names, places first; nothing when it names neither.
std::optional<FoundLink> FindLinkFor(std::string_view phrase, const CLinkTargets& targets);

// The phrases of `text` that LinkifyText makes links of, in text order.
std::vector<FoundLink> FindLinks(std::string_view text, const CLinkTargets& targets);

// The linked form of `text`, which ends at its first zero byte. Words are
// joined by single spaces however many stood between them; delimiter runs are
// kept as written.
std::string LinkifyText(std::string_view text, const CLinkTargets& targets);
