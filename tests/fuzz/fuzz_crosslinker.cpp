// The cross-linker on random text with random small tables: a few place
// names and a character table from the input, then every page the finder
// could build from them.
#include "npc/CharacterPage.h"
#include "npc/CrossLinker.h"
#include "data/PlaceTable.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    CPlaceList places;
    const int placeCount = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < placeCount; ++i)
        places.Add(input.ConsumeRandomLengthString(24), 0, 0, 0, 0);
    const std::string table = input.ConsumeRandomLengthString(400);
    const std::string text = input.ConsumeRemainingBytesAsString();

    const CCharacterPages pages(places, ByteBlock(table));
    LinkifyText(text, pages.Targets());
    for (int ordinal = 0; ordinal < pages.Text().Count(); ++ordinal) pages.Page(ordinal);
    return 0;
}
