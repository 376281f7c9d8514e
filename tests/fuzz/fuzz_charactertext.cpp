// The character text on any bytes, read every way the finder reads it.
#include "data/CharacterText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CCharacterText text(ByteBlock(data, size));
    if (text.Size() == 0 || text.Bytes().back() != 0) std::abort();  // always ended
    size_t total = 0;
    text.ForEach([&](int ordinal, size_t offset, const CharacterRecord& record) {
        if (text.OffsetOf(ordinal) != offset) std::abort();
        total += record.name.size() + record.whereabouts.size() + record.notes.size();
        return true;
    });
    if (total > size) std::abort();
    text.ReadAt(text.Size());  // past the end: empty strings
    text.Record(text.Count());
    return 0;
}
