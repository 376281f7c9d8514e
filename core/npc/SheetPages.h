// The pages of the sheet beside the map, besides a place's card: a
// character's page (the character finder's), a spell with who sells it and
// where, a magic effect with its spells, a vendor with where it stands and
// what it sells. HTML fragments in Windows-1252, as the place card is, every
// table text escaped, each page built no larger than a bound; a name is a
// link to its own page, a location that names a place a link to the place.
#pragma once
#include "npc/LinkedWorld.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class SheetKind { Place, Character, Spell, Effect, Vendor };

// What the sheet shows: a place's index, a character's ordinal, a spell's
// id, an effect's key or a vendor's index in the vendor table.
struct SheetSubject {
    SheetKind kind = SheetKind::Place;
    int ref = -1;
    bool operator==(const SheetSubject& other) const { return kind == other.kind && ref == other.ref; }
};

struct SheetPage {
    std::string title;  // the name shown, Windows-1252 as the tables have it
    std::string html;   // empty when the subject names nothing
};

// The page of `subject`; `maxBytes` as for BuildPlaceCard: the lists stop
// once the page passes it.
SheetPage BuildSheetPage(const CLinkedWorld& world, SheetSubject subject, size_t maxBytes = size_t(-1));

// The place a vendor's location names, as the spell finder's "Montrer sur
// la carte" finds it; nothing for a vendor past the table.
std::optional<int> VendorPlace(const CLinkedWorld& world, int vendor);

// The spell the spell finder opens on for the sheet's subject: the spell
// itself, an effect's first spell in the finder's order, a vendor's first
// spell that exists; nothing for the rest, or when there is none.
std::optional<uint16_t> FinderSpell(const CLinkedWorld& world, SheetSubject subject);

// The spells of `ids` as links, each once, in their order, ids that name
// no spell left out, "aucun sort" for none; `shown` has a flag for every id,
// all clear before and after. Stops once `page` passes `maxBytes`.
void AppendSpellLinks(const CLinkedWorld& world, const std::vector<uint16_t>& ids, std::vector<bool>& shown,
                      std::string& page, size_t maxBytes);
