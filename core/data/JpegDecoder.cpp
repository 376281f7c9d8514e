#include "data/JpegDecoder.h"

#include "data/JpegScans.h"

#include <turbojpeg.h>

#include <climits>
#include <memory>
#include <string>

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

// What a call that did not return 0 means. The library also fails a call
// that only met warnings, and keeps its warning flag when an error follows
// one: the message tells which of the two it was.
JpegProblem ProblemAfterFailure(void* decoder) {
    const std::string message = tjGetErrorStr2(decoder);
    if (tjGetErrorCode(decoder) == TJERR_WARNING && IsJpegWarningMessage(message))
        return ClassifyJpegWarning(message);
    return ClassifyJpegError(message);
}

JpegProblem CheckSize(int width, int height) {
    if (width <= 0 || height <= 0) return JpegProblem::ZeroSize;
    if (width > kMaxJpegSide || height > kMaxJpegSide || int64_t(width) * height > kMaxJpegPixels)
        return JpegProblem::TooLarge;
    return JpegProblem::None;
}

}  // namespace

JpegProblem InspectJpeg(ByteBlock bytes, JpegInfo& info) {
    if (!bytes.data || bytes.size == 0) return JpegProblem::Empty;
    if (bytes.size < 2 || bytes.data[0] != 0xFF || bytes.data[1] != 0xD8) return JpegProblem::NotJpeg;
    if (!FitsDecoder(bytes)) return JpegProblem::TooLarge;
    DecoderHandle decoder = NewDecoder();
    if (!decoder) return JpegProblem::NoMemory;
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(decoder.get(), const_cast<unsigned char*>(bytes.data),
                            static_cast<unsigned long>(bytes.size), &width, &height, &subsampling,
                            &colorspace) != 0) {
        // A header read with a warning (stray bytes, say) still gives the
        // size; the decode reports the damage.
        const JpegProblem problem = ProblemAfterFailure(decoder.get());
        if (IsRefusal(problem)) return problem;
    }
    // Tables without a frame read as a header of no size.
    if (width == 0 && height == 0) return JpegProblem::HeaderOnly;
    if (const JpegProblem problem = CheckSize(width, height); problem != JpegProblem::None) return problem;
    if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK) return JpegProblem::Cmyk;
    if (CountJpegScans(bytes) > kMaxJpegScans) return JpegProblem::TooManyScans;
    info.width = width;
    info.height = height;
    return JpegProblem::None;
}

bool ReadJpegInfo(ByteBlock bytes, JpegInfo& info) { return InspectJpeg(bytes, info) == JpegProblem::None; }

JpegInfo ScaledInfo(const JpegInfo& info, int denominator) {
    return {(info.width + denominator - 1) / denominator, (info.height + denominator - 1) / denominator};
}

JpegProblem DecodeJpegBgrx(ByteBlock bytes, const JpegInfo& info, unsigned char* pixels, int pitch) {
    return DecodeJpegBgrxScaled(bytes, info, 1, pixels, pitch);
}

JpegProblem DecodeJpegBgrxScaled(ByteBlock bytes, const JpegInfo& info, int denominator,
                                 unsigned char* pixels, int pitch) {
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8) return JpegProblem::Damaged;
    const JpegInfo scaled = ScaledInfo(info, denominator);
    if (!FitsDecoder(bytes)) return JpegProblem::Empty;
    if (!pixels || pitch < scaled.width * 4) return JpegProblem::NoMemory;
    DecoderHandle decoder = NewDecoder();
    if (!decoder) return JpegProblem::NoMemory;
    // Asking for the scaled size makes the decoder scale in its DCT. The
    // scan limit stops a progressive file of thousands of passes, each of
    // which costs a walk over the whole picture, should the count of
    // InspectJpeg have missed some.
    const int status = tjDecompress2(decoder.get(), const_cast<unsigned char*>(bytes.data),
                                     static_cast<unsigned long>(bytes.size), pixels, scaled.width, pitch,
                                     scaled.height, TJPF_BGRX, TJFLAG_ACCURATEDCT | TJFLAG_LIMITSCANS);
    return status == 0 ? JpegProblem::None : ProblemAfterFailure(decoder.get());
}
