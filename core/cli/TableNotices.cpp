#include "cli/TableNotices.h"

#include "cli/Failure.h"
#include "data/CharacterText.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "spells/SpellTables.h"

#include <vector>

namespace {

struct Reading {
    const char* noun;  // plural, after "table des"
    size_t records = 0;
    size_t bytes = 0;  // taken by the records read; the end mark follows
};

// Each record: its name and zero, then its words.
template <typename Record, typename Words>
Reading Read(const char* noun, const std::vector<Record>& records, Words words) {
    Reading reading{noun, records.size(), 0};
    for (const Record& r : records) reading.bytes += r.name.size() + 1 + words(r);
    return reading;
}

std::optional<Reading> ReadingOf(ByteBlock block, int id) {
    switch (id) {
    case ResId::IDR_CHARACTERS: {
        const CCharacterText text(block);
        return Reading{"NPCs", size_t(text.Count()), text.Size() - 1};
    }
    case ResId::IDR_SPELLS: return Read("sorts", ReadSpells(block), [](const SpellRecord&) { return 4; });
    case ResId::IDR_EFFECTS: return Read("effets", ReadEffects(block), [](const EffectRecord&) { return 2; });
    case ResId::IDR_VENDORS:
        return Read("vendeurs", ReadVendors(block), [](const VendorRecord& v) { return 2 * (v.spells.size() + 2); });
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> TableNotice(const IResourceStore& store, int id) {
    const auto block = FindRcData(store, id);
    if (!block) return std::nullopt;
    const auto reading = ReadingOf(*block, id);
    if (!reading) return std::nullopt;
    // Whole when the records read are followed by the empty name that ends it.
    const bool whole = reading->bytes < block->size && block->data[reading->bytes] == 0;
    const std::string table = std::string("table des ") + reading->noun;
    if (!whole) return table + " incomplète ; " + std::to_string(reading->records) + " " + reading->noun + " lus";
    if (reading->records == 0) return table + " vide";
    return std::nullopt;
}

bool WarnOfTables(const IResourceStore& store, std::initializer_list<int> ids, std::ostream& err) {
    bool quiet = true;
    for (const int id : ids)
        if (const auto notice = TableNotice(store, id)) {
            Complain(err, *notice);
            quiet = false;
        }
    return quiet;
}
