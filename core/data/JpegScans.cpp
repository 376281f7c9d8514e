#include "data/JpegScans.h"

#include <cstdint>
#include <cstring>

namespace {

// Markers without a length: the restart markers, TEM, and the start and end
// of the image.
bool StandsAlone(uint8_t marker) { return (marker >= 0xD0 && marker <= 0xD9) || marker == 0x01; }

// Where a scan's coded data starting at `at` ends: at the next marker. In
// coded data a 0xFF byte is followed by a stuffed zero or is a restart
// marker, both part of the data.
size_t EndOfCodedData(ByteBlock bytes, size_t at) {
    while (at < bytes.size) {
        const void* found = std::memchr(bytes.data + at, 0xFF, bytes.size - at);
        if (!found) return bytes.size;
        const size_t ff = size_t(static_cast<const uint8_t*>(found) - bytes.data);
        if (ff + 1 >= bytes.size) return bytes.size;
        const uint8_t next = bytes.data[ff + 1];
        if (next != 0x00 && (next < 0xD0 || next > 0xD7)) return ff;
        at = ff + 2;
    }
    return bytes.size;
}

}  // namespace

int CountJpegScans(ByteBlock bytes, int limit) {
    int scans = 0;
    size_t at = 2;  // past the start-of-image marker
    while (at + 1 < bytes.size && scans <= limit) {
        // Anything but a marker between segments is skipped, as the decoder
        // does (with a warning); so are fill bytes before a marker.
        if (bytes.data[at] != 0xFF || bytes.data[at + 1] == 0xFF) {
            ++at;
            continue;
        }
        const uint8_t marker = bytes.data[at + 1];
        at += 2;
        if (marker == 0xD9) break;
        if (StandsAlone(marker)) continue;
        if (at + 1 >= bytes.size) break;
        const size_t length = size_t(bytes.data[at]) << 8 | bytes.data[at + 1];
        if (length < 2) break;
        at += length;
        if (marker == 0xDA) {
            ++scans;
            at = EndOfCodedData(bytes, at);
        }
    }
    return scans;
}
