// The map picture's JPEG load on any bytes: the size read first, then the
// quick quarter-size decode and the full one, as the program does them.
#include "data/JpegDecoder.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ByteBlock bytes(data, size);
    JpegInfo info;
    if (!ReadJpegInfo(bytes, info)) return 0;
    // A real picture may be huge; a fuzzer's claims of huge sizes only cost
    // memory, so they stop at the size check above being passed.
    if (int64_t(info.width) * info.height > (int64_t(1) << 22)) return 0;
    for (int denominator : {4, 1}) {
        const JpegInfo scaled = denominator == 1 ? info : ScaledInfo(info, denominator);
        const int pitch = scaled.width * 4;
        std::vector<unsigned char> pixels(size_t(pitch) * size_t(scaled.height));
        if (denominator == 1)
            DecodeJpegBgrx(bytes, info, pixels.data(), pitch);
        else
            DecodeJpegBgrxScaled(bytes, info, denominator, pixels.data(), pitch);
    }
    return 0;
}
