#include "npc/LinkTargets.h"

#include <array>

// Without a branch, so that the loop runs on many bytes at once: every
// phrase the linker tries is folded.
std::string FoldAsciiCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = char(c - (static_cast<unsigned char>(c - 'a') < 26 ? 'a' - 'A' : 0));
    return folded;
}

// The indexes keep the first entry of a name, so table order decides.
CLinkTargets::CLinkTargets(const CPlaceArray& places, const CCharacterText& characters)
    : m_placeNames(size_t(places.GetSize())),
      m_ambiguous(size_t(places.GetSize())),
      m_characterNames(size_t(characters.Count())) {
    for (int index = 0; index < places.GetSize(); ++index) {
        const CPlace* place = places[index];
        if (place) AddPlace(index, place->m_strName);
    }
    AddCharacters(characters);
}

// In batches: a large table's index outgrows the caches (see InsertBatch).
void CLinkTargets::AddCharacters(const CCharacterText& characters) {
    std::array<std::string, CNameIndex::kBatch> names;
    std::array<int, CNameIndex::kBatch> ordinals;
    size_t count = 0;
    characters.ForEach([&](int ordinal, size_t, const CharacterRecord& record) {
        names[count] = FoldAsciiCase(record.name);
        ordinals[count++] = ordinal;
        if (count == names.size()) {
            m_characterNames.InsertBatch(names.data(), ordinals.data(), count);
            count = 0;
        }
        return true;
    });
    m_characterNames.InsertBatch(names.data(), ordinals.data(), count);
}

CLinkTargets::CLinkTargets(const std::vector<std::string>& placeNames,
                           const std::vector<std::string>& characterNames)
    : m_placeNames(placeNames.size()), m_ambiguous(placeNames.size()), m_characterNames(characterNames.size()) {
    for (size_t index = 0; index < placeNames.size(); ++index) AddPlace(int(index), placeNames[index]);
    for (size_t ordinal = 0; ordinal < characterNames.size(); ++ordinal)
        m_characterNames.Insert(FoldAsciiCase(characterNames[ordinal]), int(ordinal));
}

void CLinkTargets::AddPlace(int index, std::string_view name) {
    const int first = m_placeNames.Insert(FoldAsciiCase(name), index);
    if (first != index) m_ambiguous[size_t(first)] = true;
    const size_t comma = name.find(',');
    if (comma != std::string::npos) m_placeHeads.Insert(FoldAsciiCase(name.substr(0, comma)), index);
}

std::optional<int> CLinkTargets::FindWholeName(const std::string& folded) const {
    const int* index = m_placeNames.Find(folded);
    if (!index || m_ambiguous[size_t(*index)]) return std::nullopt;
    return *index;
}

std::optional<int> CLinkTargets::FindPlacePass(std::string_view phrase, int pass) const {
    return FindFoldedPlacePass(FoldAsciiCase(phrase), pass);
}

std::optional<int> CLinkTargets::FindFoldedPlacePass(const std::string& folded, int pass) const {
    switch (pass) {
    case 0:
        return FindWholeName(folded);
    case 1:
        if (const int* index = m_placeHeads.Find(folded)) return *index;
        return std::nullopt;
    case 2: {
        const size_t apostrophe = folded.find('\'');
        if (apostrophe == std::string::npos) return std::nullopt;
        std::string hyphenated = folded;
        hyphenated[apostrophe] = '-';
        return FindWholeName(hyphenated);
    }
    default:
        return std::nullopt;
    }
}

std::optional<int> CLinkTargets::FindPlace(std::string_view phrase) const {
    return FindFoldedPlace(FoldAsciiCase(phrase));
}

// Every phrase of every page comes through here, most of them naming
// nothing: the phrase is folded once for the three passes.
std::optional<int> CLinkTargets::FindFoldedPlace(const std::string& folded) const {
    for (int pass = 0; pass < 3; ++pass)
        if (const auto index = FindFoldedPlacePass(folded, pass)) return index;
    return std::nullopt;
}

std::optional<int> CLinkTargets::FirstPlaceNamed(std::string_view name) const {
    if (const int* index = m_placeNames.Find(FoldAsciiCase(name))) return *index;
    return std::nullopt;
}

std::optional<int> CLinkTargets::FindCharacter(std::string_view phrase) const {
    return FindFoldedCharacter(FoldAsciiCase(phrase));
}

std::optional<int> CLinkTargets::FindFoldedCharacter(std::string_view folded) const {
    if (const int* ordinal = m_characterNames.Find(folded)) return *ordinal;
    return std::nullopt;
}
