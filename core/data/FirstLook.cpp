#include "data/FirstLook.h"

#include "data/JpegDecoder.h"

#include <cstring>

namespace {

const char kMagic[8] = {'Z', 'E', 'R', 'I', 'M', 'F', 'L', '1'};

// Native byte order: the block is made and read by builds for one machine.
struct Header {
    char magic[8];
    uint64_t jpegSize;
    uint64_t jpegHash;
    uint32_t width;
    uint32_t height;
    uint32_t pitch;
    uint32_t denominator;
};
static_assert(sizeof(Header) == 40, "the header has no padding");

uint64_t Load64(const unsigned char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

}  // namespace

uint64_t HashBytes(ByteBlock bytes) {
    constexpr uint64_t kPrime = 0x100000001b3ULL;
    uint64_t hash = 0xcbf29ce484222325ULL;
    size_t i = 0;
    for (; i + 8 <= bytes.size; i += 8) hash = (hash ^ Load64(bytes.data + i)) * kPrime;
    for (; i < bytes.size; ++i) hash = (hash ^ bytes.data[i]) * kPrime;
    return hash;
}

std::vector<unsigned char> MakeFirstLook(ByteBlock jpeg) {
    JpegInfo info;
    if (InspectJpeg(jpeg, info) != JpegProblem::None) return {};
    const JpegInfo size = ScaledInfo(info, kFirstLookDenominator);
    const Header header{{}, jpeg.size, HashBytes(jpeg), uint32_t(size.width), uint32_t(size.height),
                        uint32_t(size.width) * 4, uint32_t(kFirstLookDenominator)};
    std::vector<unsigned char> block(sizeof header + size_t(header.pitch) * header.height);
    unsigned char* pixels = block.data() + sizeof header;
    if (DecodeJpegBgrxScaled(jpeg, info, kFirstLookDenominator, pixels, int(header.pitch)) != JpegProblem::None)
        return {};
    Header stamped = header;
    std::memcpy(stamped.magic, kMagic, sizeof kMagic);
    std::memcpy(block.data(), &stamped, sizeof stamped);
    return block;
}

std::optional<FirstLookPixels> StoredFirstLook(ByteBlock stored, ByteBlock source, ByteBlock jpeg) {
    if (jpeg.size != source.size) return std::nullopt;
    if (jpeg.size && jpeg.data != source.data && std::memcmp(jpeg.data, source.data, jpeg.size) != 0)
        return std::nullopt;
    Header header;
    if (stored.size < sizeof header) return std::nullopt;
    std::memcpy(&header, stored.data, sizeof header);
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0) return std::nullopt;
    if (header.jpegSize != jpeg.size || header.denominator != uint32_t(kFirstLookDenominator)) return std::nullopt;
    JpegInfo info;
    if (!ReadJpegInfo(jpeg, info)) return std::nullopt;
    const JpegInfo size = ScaledInfo(info, kFirstLookDenominator);
    if (header.width != uint32_t(size.width) || header.height != uint32_t(size.height) ||
        header.pitch != header.width * 4)
        return std::nullopt;
    if (stored.size - sizeof header < uint64_t(header.pitch) * header.height) return std::nullopt;
    if (header.jpegHash != HashBytes(jpeg)) return std::nullopt;
    return FirstLookPixels{stored.data + sizeof header, size.width, size.height, int(header.pitch)};
}
