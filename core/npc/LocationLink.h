// Which place a vendor's location names, so that the spell finder can show a
// vendor on the map and a place card can list who sells there.
#pragma once
#include "npc/LinkTargets.h"

#include <optional>
#include <string_view>

// The place named by the location's text up to its first comma, or else by
// the whole text. Each is looked up as a character page's place phrase is:
// blanks around it ignored and runs of blanks read as one space, the case of
// A to Z ignored, the linker's three place passes in turn.
std::optional<int> LocationPlace(std::string_view location, const CLinkTargets& targets);
