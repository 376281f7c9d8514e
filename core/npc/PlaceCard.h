// A place's card: the place's name in bold, then "Personnages", the
// characters found there, each a link to their page, then "Marchands", each
// vendor with its location and the spells it sells, each spell a link
// "quil://spellid=N". An HTML fragment in Windows-1252, as character pages
// are; every text from the tables is escaped.
#pragma once
#include "npc/LinkedWorld.h"

#include <string>

// An empty string for an index that names no place. A name that several
// places bear is said under it: their cards list the same people, since a
// page's phrase cannot tell such places apart. The page stops growing once
// it passes `maxBytes`, so that a huge table costs no more than that before
// the panel refuses the page as too large.
std::string BuildPlaceCard(const CLinkedWorld& world, int place, size_t maxBytes = size_t(-1));

// The place's name as the card shows it: up to its first zero byte.
std::string PlaceCardTitle(const CLinkedWorld& world, int place);
