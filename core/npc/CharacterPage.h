// The page the character finder shows for one character: the name in bold,
// then "Localisation" with the linked whereabouts, then, when the linked notes
// are not empty, "Commentaires" with them.
#pragma once
#include "npc/LinkTargets.h"
#include "data/CharacterText.h"

#include <optional>
#include <string>

std::string BuildCharacterPage(const CharacterRecord& record, const CLinkTargets& targets);

// The character text and its link targets, made once for an opening of the
// character finder.
class CCharacterPages {
public:
    // `table` is the character table's bytes; it may be released afterwards.
    // The place names are read now, their indexes are what place links carry.
    CCharacterPages(const CPlaceArray& places, ByteBlock table);

    const CCharacterText& Text() const { return m_text; }
    const CLinkTargets& Targets() const { return m_targets; }
    int PlaceCount() const { return m_nPlaces; }

    // Nothing for an ordinal outside the text.
    std::optional<std::string> Page(int ordinal) const;

private:
    CCharacterText m_text;
    CLinkTargets m_targets;  // built from m_text, so declared after it
    int m_nPlaces;
};
