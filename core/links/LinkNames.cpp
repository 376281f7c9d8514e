#include "links/LinkNames.h"

#include "data/CharacterText.h"
#include "data/PlaceArray.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/ShownText.h"
#include "data/Win1252.h"
#include "spells/SpellCollation.h"
#include "spells/SpellTables.h"
#include "view/UpperCase.h"

namespace {

// The first index whose name (Windows-1252) is `wanted` exactly, else the
// first that `alike` finds equal to it.
template <class NameAt, class Alike>
std::optional<int> FirstNamed(int count, NameAt nameAt, const std::string& utf8, Alike alike) {
    const auto wanted = Utf8ToWin1252(utf8);
    if (!wanted || wanted->empty()) return std::nullopt;
    for (int i = 0; i < count; ++i)
        if (nameAt(i) == *wanted) return i;
    for (int i = 0; i < count; ++i)
        if (alike(nameAt(i), *wanted)) return i;
    return std::nullopt;
}

bool SameIgnoringCase(std::string_view a, const std::string& b) {
    return a.size() == b.size() && UpperCase1252(a) == UpperCase1252(b);
}

std::string PlaceName(const CPlaceArray& places, int index) {
    const CPlace* place = places[index];
    return place ? place->m_strName : std::string();
}

// How many places before `index` have its name exactly.
int EarlierNamesakes(const CPlaceArray& places, int index) {
    int count = 0;
    for (int i = 0; i < index; ++i) count += PlaceName(places, i) == PlaceName(places, index);
    return count;
}

}  // namespace

std::optional<int> PlaceIndexNamed(const CPlaceArray& places, const std::string& name, std::optional<int> nth) {
    if (nth) {
        const auto wanted = Utf8ToWin1252(name);
        int left = *nth;
        for (int i = 0; wanted && i < places.GetSize(); ++i)
            if (PlaceName(places, i) == *wanted && --left == 0) return i;
        return std::nullopt;
    }
    return FirstNamed(
        places.GetSize(), [&](int i) { return PlaceName(places, i); }, name, SameIgnoringCase);
}

std::optional<int> CharacterNamed(const CCharacterText& characters, const std::string& name) {
    std::vector<std::string_view> names;
    characters.ForEach([&names](int, size_t, const CharacterRecord& record) {
        names.push_back(record.name);
        return true;
    });
    return FirstNamed(
        int(names.size()), [&](int i) { return names[size_t(i)]; }, name, SameIgnoringCase);
}

std::optional<size_t> SpellNamed(const std::vector<SpellRecord>& spells, const std::string& name) {
    const auto found = FirstNamed(
        int(spells.size()), [&](int i) { return std::string_view(spells[size_t(i)].name); }, name,
        [](std::string_view a, const std::string& b) { return SameBaseLetters(a, b); });
    if (!found) return std::nullopt;
    return size_t(*found);
}

CLinkNames::CLinkNames(const IResourceStore& store, const CPlaceArray& places)
    : m_places(places),
      m_characters(std::make_unique<CCharacterText>(FindRcData(store, ResId::IDR_CHARACTERS).value_or(ByteBlock{}))) {
    if (const auto spells = FindRcData(store, ResId::IDR_SPELLS)) m_spells = ReadSpells(*spells);
}

CLinkNames::~CLinkNames() = default;

std::optional<LinkTarget> CLinkNames::Resolve(const ZerimLink& link, std::string& error) const {
    std::optional<int> number;
    std::string name;
    switch (link.kind) {
    case ZerimLink::Kind::View:
        return LinkTarget{};
    case ZerimLink::Kind::Place:
        if ((number = PlaceIndexNamed(m_places, link.name, link.nth))) name = PlaceName(m_places, *number);
        break;
    case ZerimLink::Kind::Character:
        if ((number = CharacterNamed(*m_characters, link.name)))
            name = std::string(m_characters->Record(*number)->name);
        break;
    case ZerimLink::Kind::Spell:
        if (const auto index = SpellNamed(m_spells, link.name)) {
            number = m_spells[*index].id;
            name = m_spells[*index].name;
        }
        break;
    }
    if (!number) {
        error = link.nth
                    ? "il n'y a pas " + std::to_string(*link.nth) + " lieux appelés « " + ShownText(link.name) + " »"
                    : std::string("aucun ") + KindNoun(link.kind) + " ne s'appelle « " + ShownText(link.name) + " »";
        return std::nullopt;
    }
    return LinkTarget{*number, Win1252ToUtf8(name)};
}

std::optional<std::string> CLinkNames::NameOf(ZerimLink::Kind kind, int number) const {
    switch (kind) {
    case ZerimLink::Kind::Place:
        if (number >= 0 && number < m_places.GetSize() && m_places[number]) return m_places[number]->m_strName;
        break;
    case ZerimLink::Kind::Character:
        if (const auto record = m_characters->Record(number)) return std::string(record->name);
        break;
    case ZerimLink::Kind::Spell:
        for (const SpellRecord& spell : m_spells)
            if (spell.id == number) return spell.name;
        break;
    case ZerimLink::Kind::View:
        break;
    }
    return std::nullopt;
}

std::optional<ZerimLink> CLinkNames::LinkTo(ZerimLink::Kind kind, int number) const {
    const auto name = NameOf(kind, number);
    if (!name || name->empty()) return std::nullopt;
    ZerimLink link;
    link.kind = kind;
    link.name = Win1252ToUtf8(*name);
    if (kind == ZerimLink::Kind::Place)
        if (const int earlier = EarlierNamesakes(m_places, number); earlier > 0) link.nth = earlier + 1;
    return link;
}
