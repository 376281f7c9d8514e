// Baseline JPEG through TurboJPEG, then the JFIF header patched to version
// 1.02 with no pixel density (TurboJPEG writes 1.01 and 1 x 1).
#include "JpegOut.h"

#include <turbojpeg.h>

#include <cstdio>
#include <cstring>

namespace worldmap {
namespace {

bool Compress(const std::vector<uint8_t>& rgb, int w, int h, int quality, std::vector<uint8_t>& out) {
    tjhandle tj = tjInitCompress();
    if (!tj) return false;
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    // Flags 0: baseline Huffman coding, accurate integer DCT, no progression.
    const int rc = tjCompress2(tj, rgb.data(), w, 0, h, TJPF_RGB, &buf, &size, TJSAMP_420, quality, 0);
    if (rc == 0) out.assign(buf, buf + size);
    tjFree(buf);
    tjDestroy(tj);
    return rc == 0;
}

// APP0 "JFIF\0" right after SOI: version at 11..12, units 13, densities 14..17.
bool PatchJfif(std::vector<uint8_t>& j) {
    if (j.size() < 20 || j[0] != 0xFF || j[1] != 0xD8 || j[2] != 0xFF || j[3] != 0xE0) return false;
    if (std::memcmp(&j[6], "JFIF\0", 5) != 0) return false;
    j[11] = 1;
    j[12] = 2;
    j[13] = 0;
    j[14] = j[15] = j[16] = j[17] = 0;
    return true;
}

}  // namespace

size_t WriteMapJpeg(const std::vector<uint8_t>& rgb, int width, int height, const std::string& path,
                    size_t minBytes, size_t maxBytes, int* qualityOut) {
    std::vector<uint8_t> best;
    int bestQ = 0;
    // Highest quality that fits: the size grows with the quality, so bisect.
    int lo = 40, hi = 97;
    while (lo <= hi) {
        const int q = (lo + hi) / 2;
        std::vector<uint8_t> j;
        if (!Compress(rgb, width, height, q, j)) return 0;
        if (j.size() <= maxBytes) {
            best.swap(j);
            bestQ = q;
            lo = q + 1;
        } else {
            hi = q - 1;
        }
    }
    if (best.empty() || best.size() < minBytes || !PatchJfif(best)) return 0;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    const bool ok = std::fwrite(best.data(), 1, best.size(), f) == best.size();
    std::fclose(f);
    if (qualityOut) *qualityOut = bestQ;
    return ok ? best.size() : 0;
}

}  // namespace worldmap
