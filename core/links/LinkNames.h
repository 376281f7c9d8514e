// What a link's name stands for in the world: a place's index, a
// character's ordinal, a spell's id. The window and `zerim --link` find
// names the same way: the exact name first, else the first that differs
// only in letter case (accents too, for spells, as the spell finder files
// them).
#pragma once
#include "links/ZerimLink.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CCharacterText;
class CPlaceArray;
class IResourceStore;
struct SpellRecord;

// The UTF-8 name `name` looked up in the tables (Windows-1252); nothing when
// no entry has it, or when it cannot be written in Windows-1252. With
// `nth`, the nth place (from 1) called exactly `name`.
std::optional<int> PlaceIndexNamed(const CPlaceArray& places, const std::string& name,
                                   std::optional<int> nth = std::nullopt);
std::optional<int> CharacterNamed(const CCharacterText& characters, const std::string& name);
std::optional<size_t> SpellNamed(const std::vector<SpellRecord>& spells, const std::string& name);

// What a link shows: the place index, character ordinal or spell id its name
// stands for (0 for a view), and the name as the table writes it (UTF-8).
struct LinkTarget {
    int number = 0;
    std::string name;
};

// The tables a link's name is looked up in: the places borrowed, the
// character and spell tables read from the store (missing ones are empty).
class CLinkNames {
public:
    CLinkNames(const IResourceStore& store, const CPlaceArray& places);
    ~CLinkNames();

    // The link's target, or nothing with the French reason ("aucun lieu ne
    // s'appelle « X »") in `error`.
    std::optional<LinkTarget> Resolve(const ZerimLink& link, std::string& error) const;

    // The link to place index, character ordinal or spell id `number`, by
    // its name (a place that shares its exact name with earlier ones also
    // by its rank among them); nothing when the table has no such entry.
    std::optional<ZerimLink> LinkTo(ZerimLink::Kind kind, int number) const;

private:
    std::optional<std::string> NameOf(ZerimLink::Kind kind, int number) const;

    const CPlaceArray& m_places;
    std::unique_ptr<CCharacterText> m_characters;
    std::vector<SpellRecord> m_spells;
};
