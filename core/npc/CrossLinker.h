// Turns a character's whereabouts or notes into an HTML fragment in which
// every phrase of one to three words that names a place or a character is an
// internal link ("quil://locidx=N" or "quil://npcidx=N"). Places win over
// characters of the same name, and shorter phrases over longer ones.
#pragma once
#include "npc/HtmlFragment.h"
#include "npc/LinkTargets.h"

#include <string>
#include <string_view>

// The link for `phrase` if it names a place or a character; nothing otherwise.
// The phrase is escaped in the link's text.
std::optional<std::string> LinkFor(std::string_view phrase, const CLinkTargets& targets);

// The linked form of `text`, which ends at its first zero byte. Words are
// joined by single spaces however many stood between them; delimiter runs are
// kept as written.
std::string LinkifyText(std::string_view text, const CLinkTargets& targets);
