// The names a description can link to: places by their index in the place
// table, characters by their ordinal in the character text. Built once when
// the character finder opens, so that each lookup is one probe instead of a
// walk over both tables, and in time linear in the tables' size; the answers are those of the walks: names
// compare ignoring the case of A to Z only, and table order decides.
#pragma once
#include "data/CharacterText.h"
#include "data/PlaceArray.h"
#include "npc/NameIndex.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Upper-cases a to z; every other byte stays as it is.
std::string FoldAsciiCase(std::string_view text);

class CLinkTargets {
public:
    // Reads the names only; neither table needs to outlive this object.
    // Null entries of the place array are skipped but keep their index.
    CLinkTargets(const CPlaceArray& places, const CCharacterText& characters);

    // The same from the names alone: place i is placeNames[i], character n
    // is characterNames[n] (the world generator checks its texts so).
    CLinkTargets(const std::vector<std::string>& placeNames, const std::vector<std::string>& characterNames);

    // The three place passes in turn: the whole name, the part before the
    // comma, the whole name with the phrase's first apostrophe read as a
    // hyphen. The first pass that succeeds gives the index.
    std::optional<int> FindPlace(std::string_view phrase) const;

    // Pass 0: the only place with this whole name (two or more is no match).
    // Pass 1: the first place whose name, cut before its first comma, is the
    // phrase (names without a comma never match).
    // Pass 2: as pass 0 after replacing the phrase's first apostrophe by a
    // hyphen; no match when the phrase holds no apostrophe.
    std::optional<int> FindPlacePass(std::string_view phrase, int pass) const;

    // The first place whose whole name is `name`, even when later places
    // share it: the place that stands for all of that name.
    std::optional<int> FirstPlaceNamed(std::string_view name) const;

    // The first character with this name.
    std::optional<int> FindCharacter(std::string_view phrase) const;

    // FindPlace and FindCharacter for a phrase already folded with
    // FoldAsciiCase, so that the linker folds each phrase once for both.
    std::optional<int> FindFoldedPlace(const std::string& folded) const;
    std::optional<int> FindFoldedCharacter(std::string_view folded) const;

private:
    void AddPlace(int index, std::string_view name);
    std::optional<int> FindWholeName(const std::string& folded) const;
    std::optional<int> FindFoldedPlacePass(const std::string& folded, int pass) const;
    void AddCharacters(const CCharacterText& characters);

    CNameIndex m_placeNames;       // folded whole name -> first place
    std::vector<bool> m_ambiguous; // by place index: a later place has its name
    CNameIndex m_placeHeads;       // folded part before the comma -> first place
    CNameIndex m_characterNames;   // folded name -> first character
};
