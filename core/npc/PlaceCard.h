// A place's card: the place's name in bold, then "Personnages", the
// characters found there, each a link to their page, then "Marchands", each
// vendor with its location and the spells it sells, each spell a link
// "quil://spellid=N". An HTML fragment in Windows-1252, as character pages
// are; every text from the tables is escaped.
#pragma once
#include "npc/LinkedWorld.h"

#include <string>

// An empty string for an index that names no place.
std::string BuildPlaceCard(const CLinkedWorld& world, int place);

// The place's name as the card shows it: up to its first zero byte.
std::string PlaceCardTitle(const CLinkedWorld& world, int place);
