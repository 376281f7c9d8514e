#include "npc/WorldLinks.h"

#include "npc/CrossLinker.h"
#include "npc/LocationLink.h"


namespace {

const std::vector<int> kNobody;

}  // namespace

CWorldLinks::CWorldLinks(const CPlaceArray& places, const CCharacterText& characters,
                         const CLinkTargets& targets, const std::vector<VendorRecord>& vendors,
                         const std::vector<std::string>& locations) {
    GroupPlaces(places, targets);
    characters.ForEach([&](int ordinal, size_t, const CharacterRecord& record) {
        AddCharacter(ordinal, record, targets);
        return true;
    });
    for (size_t index = 0; index < vendors.size(); ++index) {
        const uint16_t location = vendors[index].location;
        // A location index outside the table shows a text that names no place.
        if (location >= locations.size()) continue;
        const auto place = LocationPlace(locations[location], targets);
        if (place && GroupOf(*place) >= 0) m_vendors[size_t(GroupOf(*place))].push_back(int(index));
    }
}

// One group per name as the linker compares names (folded, whole), named
// by the first place of that name.
void CWorldLinks::GroupPlaces(const CPlaceArray& places, const CLinkTargets& targets) {
    m_group.assign(size_t(places.GetSize()), -1);
    m_groupSize.assign(size_t(places.GetSize()), 0);
    for (int index = 0; index < places.GetSize(); ++index) {
        const CPlace* place = places[index];
        if (!place) continue;
        m_group[size_t(index)] = targets.FirstPlaceNamed(place->m_strName).value_or(index);
        ++m_groupSize[size_t(m_group[size_t(index)])];
    }
    m_characters.resize(size_t(places.GetSize()));
    m_vendors.resize(size_t(places.GetSize()));
}

// Ordinals arrive in increasing order, so a character already listed for a
// group is the last one there.
void CWorldLinks::AddCharacter(int ordinal, const CharacterRecord& record, const CLinkTargets& targets) {
    for (const std::string_view text : {record.whereabouts, record.notes}) {
        for (const FoundLink& link : FindLinks(text, targets)) {
            if (link.kind != FoundLink::Place) continue;
            const int group = GroupOf(link.number);
            if (group < 0) continue;
            std::vector<int>& listed = m_characters[size_t(group)];
            if (listed.empty() || listed.back() != ordinal) listed.push_back(ordinal);
        }
    }
}

int CWorldLinks::GroupOf(int place) const {
    if (place < 0 || size_t(place) >= m_group.size()) return -1;
    return m_group[size_t(place)];
}

const std::vector<int>& CWorldLinks::CharactersAt(int place) const {
    const int group = GroupOf(place);
    return group < 0 ? kNobody : m_characters[size_t(group)];
}

int CWorldLinks::PlacesNamedLike(int place) const {
    const int group = GroupOf(place);
    return group < 0 ? 0 : m_groupSize[size_t(group)];
}

const std::vector<int>& CWorldLinks::VendorsAt(int place) const {
    const int group = GroupOf(place);
    return group < 0 ? kNobody : m_vendors[size_t(group)];
}
