// The tool bar strip's decoder on any bytes (a --data folder may hold any
// BITMAP_128): what it accepts must lie within the bytes it was given.
#include "data/SimpleBitmap.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto bitmap = DecodeSimpleBitmap(ByteBlock(data, size));
    if (bitmap && bitmap->pixels.size() != size_t(bitmap->width) * size_t(bitmap->height)) std::abort();
    return 0;
}
