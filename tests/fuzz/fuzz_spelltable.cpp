// One of the spell finder's four table readers on any bytes (which one is
// chosen at build time by ZERIM_FUZZ_TABLE), then the effect tree built
// from what the effect and spell readers make of the same bytes.
#include "spells/EffectTree.h"
#include "spells/SpellTables.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteBlock block(data, size);
    size_t strings = 0;
#if ZERIM_FUZZ_TABLE == 0
    const auto effects = ReadEffects(block);
    for (const auto& e : effects) strings += e.name.size();
    EffectTree tree;
    tree.Build(effects, ReadSpells(block));
    tree.Flatten();
#elif ZERIM_FUZZ_TABLE == 1
    for (const auto& s : ReadSpells(block)) strings += s.name.size();
#elif ZERIM_FUZZ_TABLE == 2
    for (const auto& v : ReadVendors(block)) strings += v.name.size() + 2 * v.spells.size();
#else
    for (const auto& l : ReadLocations(block)) strings += l.size();
#endif
    if (strings > size) std::abort();  // nothing read from outside the block
    return 0;
}
