#include "JpegDecoder.h"

#include <turbojpeg.h>

#include <climits>
#include <memory>

namespace {

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using DecoderHandle = std::unique_ptr<void, HandleCloser>;

DecoderHandle NewDecoder() { return DecoderHandle(tjInitDecompress()); }

bool FitsDecoder(ByteBlock bytes) {
    // The library takes the length as an unsigned long and the pointer as
    // non-const; it does not write through it.
    return bytes.data && bytes.size > 0 && bytes.size <= ULONG_MAX;
}

}  // namespace

bool ReadJpegInfo(ByteBlock bytes, JpegInfo& info) {
    if (!FitsDecoder(bytes)) return false;
    DecoderHandle decoder = NewDecoder();
    if (!decoder) return false;
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(decoder.get(), const_cast<unsigned char*>(bytes.data),
                            static_cast<unsigned long>(bytes.size), &width, &height,
                            &subsampling, &colorspace) != 0)
        return false;
    if (width <= 0 || height <= 0 || width > kMaxJpegSide || height > kMaxJpegSide ||
        int64_t(width) * height > kMaxJpegPixels)
        return false;
    info.width = width;
    info.height = height;
    return true;
}

JpegInfo ScaledInfo(const JpegInfo& info, int denominator) {
    return {(info.width + denominator - 1) / denominator, (info.height + denominator - 1) / denominator};
}

bool DecodeJpegBgrx(ByteBlock bytes, const JpegInfo& info, unsigned char* pixels, int pitch) {
    return DecodeJpegBgrxScaled(bytes, info, 1, pixels, pitch);
}

bool DecodeJpegBgrxScaled(ByteBlock bytes, const JpegInfo& info, int denominator,
                          unsigned char* pixels, int pitch) {
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8) return false;
    const JpegInfo scaled = ScaledInfo(info, denominator);
    if (!FitsDecoder(bytes) || !pixels || pitch < scaled.width * 4) return false;
    DecoderHandle decoder = NewDecoder();
    if (!decoder) return false;
    // Asking for the scaled size makes the decoder scale in its DCT.
    const int status = tjDecompress2(decoder.get(), const_cast<unsigned char*>(bytes.data),
                                     static_cast<unsigned long>(bytes.size), pixels, scaled.width,
                                     pitch, scaled.height, TJPF_BGRX, TJFLAG_ACCURATEDCT);
    // A warning (a slightly damaged but displayable stream) still gives a picture.
    return status == 0 || tjGetErrorCode(decoder.get()) == TJERR_WARNING;
}
