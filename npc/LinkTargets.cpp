#include "LinkTargets.h"

std::string FoldAsciiCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return folded;
}

CLinkTargets::CLinkTargets(const CPlaceArray& places, const CCharacterText& characters) {
    for (int index = 0; index < places.GetSize(); ++index) {
        const CPlace* place = places[index];
        if (!place) continue;
        const std::string& name = place->m_strName;
        // emplace keeps the first entry, so table order decides.
        auto [it, first] = m_placeNames.emplace(FoldAsciiCase(name), WholeName{index, false});
        if (!first) it->second.ambiguous = true;
        const size_t comma = name.find(',');
        if (comma != std::string::npos)
            m_placeHeads.emplace(FoldAsciiCase(std::string_view(name).substr(0, comma)), index);
    }
    characters.ForEach([this](int ordinal, size_t, const CharacterRecord& record) {
        m_characterNames.emplace(FoldAsciiCase(record.name), ordinal);
        return true;
    });
}

std::optional<int> CLinkTargets::FindWholeName(const std::string& folded) const {
    const auto it = m_placeNames.find(folded);
    if (it == m_placeNames.end() || it->second.ambiguous) return std::nullopt;
    return it->second.index;
}

std::optional<int> CLinkTargets::FindPlacePass(std::string_view phrase, int pass) const {
    std::string folded = FoldAsciiCase(phrase);
    switch (pass) {
    case 0:
        return FindWholeName(folded);
    case 1: {
        const auto it = m_placeHeads.find(folded);
        if (it == m_placeHeads.end()) return std::nullopt;
        return it->second;
    }
    case 2: {
        const size_t apostrophe = folded.find('\'');
        if (apostrophe == std::string::npos) return std::nullopt;
        folded[apostrophe] = '-';
        return FindWholeName(folded);
    }
    default:
        return std::nullopt;
    }
}

std::optional<int> CLinkTargets::FindPlace(std::string_view phrase) const {
    for (int pass = 0; pass < 3; ++pass)
        if (const auto index = FindPlacePass(phrase, pass)) return index;
    return std::nullopt;
}

std::optional<int> CLinkTargets::FindCharacter(std::string_view phrase) const {
    const auto it = m_characterNames.find(FoldAsciiCase(phrase));
    if (it == m_characterNames.end()) return std::nullopt;
    return it->second;
}
