// The place table reader on any bytes: whole records only, never a byte
// past the end.
#include "data/PlaceTable.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPlaceList places;
    ParsePlaceTable(ByteBlock(data, size), places);
    size_t used = 0;  // each record costs 14 bytes and its name
    for (const CPlace* p : places) used += 14 + p->m_strName.size();
    if (used > size) std::abort();
    return 0;
}
