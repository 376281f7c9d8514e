// Who is found at each place: the reverse of the links that character pages
// and vendor locations make. Places that share a name (ignoring the case of A
// to Z) share their lists, since a phrase cannot tell them apart.
#pragma once
#include "data/CharacterText.h"
#include "data/PlaceArray.h"
#include "npc/LinkTargets.h"
#include "spells/SpellTables.h"

#include <string>
#include <vector>

class CWorldLinks {
public:
    // `locations` are the vendor location texts, by the index a vendor
    // record holds. Reads the tables now, once, in time linear in their
    // size; none of them needs to outlive this object.
    CWorldLinks(const CPlaceArray& places, const CCharacterText& characters, const CLinkTargets& targets,
                const std::vector<VendorRecord>& vendors, const std::vector<std::string>& locations);

    // Ordinals of the characters whose whereabouts or notes link to a place
    // of the same name as `place`: table order, each once.
    const std::vector<int>& CharactersAt(int place) const;
    // Indexes in the vendor table of the vendors whose location links to a
    // place of that name, in table order.
    const std::vector<int>& VendorsAt(int place) const;
    // How many places bear `place`'s name (itself included); 0 for no place.
    int PlacesNamedLike(int place) const;

private:
    void GroupPlaces(const CPlaceArray& places, const CLinkTargets& targets);
    void AddCharacter(int ordinal, const CharacterRecord& record, const CLinkTargets& targets);
    int GroupOf(int place) const;

    std::vector<int> m_group;                    // by place index: its group, -1 for a null entry
    std::vector<std::vector<int>> m_characters;  // by group (the first place of the name)
    std::vector<std::vector<int>> m_vendors;     // by group
    std::vector<int> m_groupSize;                // by group
};
