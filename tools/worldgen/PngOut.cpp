#include "PngOut.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace wg2 {
namespace {

class BitWriter {
public:
    void Bits(uint32_t value, int count) {  // least significant bit first
        for (int i = 0; i < count; ++i) {
            m_acc |= ((value >> i) & 1u) << m_n;
            if (++m_n == 8) Flush();
        }
    }
    void Code(uint32_t code, int length) {  // Huffman codes go most significant bit first
        for (int i = length - 1; i >= 0; --i) Bits((code >> i) & 1u, 1);
    }
    std::vector<uint8_t> Finish() {
        if (m_n) Flush();
        return m_out;
    }

private:
    void Flush() {
        m_out.push_back(uint8_t(m_acc));
        m_acc = 0;
        m_n = 0;
    }
    std::vector<uint8_t> m_out;
    uint32_t m_acc = 0;
    int m_n = 0;
};

const uint16_t kLenBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Literal(BitWriter& w, int sym) {  // fixed Huffman code of a literal/length symbol
    if (sym < 144) w.Code(0x30 + sym, 8);
    else if (sym < 256) w.Code(0x190 + (sym - 144), 9);
    else if (sym < 280) w.Code(sym - 256, 7);
    else w.Code(0xC0 + (sym - 280), 8);
}

void Match(BitWriter& w, int length, int distance) {
    int li = 28;
    while (kLenBase[li] > length) --li;
    Literal(w, 257 + li);
    w.Bits(uint32_t(length - kLenBase[li]), kLenExtra[li]);
    int di = 29;
    while (kDistBase[di] > distance) --di;
    w.Code(uint32_t(di), 5);
    w.Bits(uint32_t(distance - kDistBase[di]), kDistExtra[di]);
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data) {
    // One final block with the fixed codes; matches from a hash chain over the
    // last 32 KiB, the longest of at most 64 candidates.
    constexpr int kWindow = 32768, kHashSize = 1 << 15, kMaxChain = 64, kMaxLen = 258;
    BitWriter w;
    w.Bits(1, 1);  // BFINAL
    w.Bits(1, 2);  // BTYPE = 01, fixed Huffman
    std::vector<int> head(kHashSize, -1), prev(data.size(), -1);
    auto hash = [&](size_t i) {
        return int(((uint32_t(data[i]) << 10) ^ (uint32_t(data[i + 1]) << 5) ^ data[i + 2]) & (kHashSize - 1));
    };
    auto insert = [&](size_t i) {
        if (i + 2 >= data.size()) return;
        const int h = hash(i);
        prev[i] = head[size_t(h)];
        head[size_t(h)] = int(i);
    };
    size_t i = 0;
    while (i < data.size()) {
        int bestLen = 0, bestDist = 0;
        if (i + 2 < data.size()) {
            int cand = head[size_t(hash(i))];
            for (int chain = 0; cand >= 0 && chain < kMaxChain; ++chain) {
                const int dist = int(i) - cand;
                if (dist > kWindow) break;
                int len = 0;
                const int maxLen = int(std::min<size_t>(kMaxLen, data.size() - i));
                while (len < maxLen && data[size_t(cand) + size_t(len)] == data[i + size_t(len)]) ++len;
                if (len > bestLen) {
                    bestLen = len;
                    bestDist = dist;
                    if (len == maxLen) break;
                }
                cand = prev[size_t(cand)];
            }
        }
        if (bestLen >= 3) {
            Match(w, bestLen, bestDist);
            for (int k = 0; k < bestLen; ++k) insert(i + size_t(k));
            i += size_t(bestLen);
        } else {
            Literal(w, data[i]);
            insert(i);
            ++i;
        }
    }
    Literal(w, 256);  // end of block
    std::vector<uint8_t> out = {0x78, 0x01};
    const auto body = w.Finish();
    out.insert(out.end(), body.begin(), body.end());
    const uint32_t adler = Adler32(data.data(), data.size());
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(adler >> s));
    return out;
}

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba) {
    const size_t stride = size_t(width) * 4;
    std::vector<uint8_t> raw;
    raw.reserve((stride + 1) * size_t(height));
    std::vector<uint8_t> zero(stride, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &rgba[size_t(y) * stride];
        const uint8_t* up = y ? &rgba[size_t(y - 1) * stride] : zero.data();
        std::vector<uint8_t> best;
        long bestSum = -1;
        for (int f = 0; f < 5; ++f) {
            std::vector<uint8_t> line(stride);
            long sum = 0;
            for (size_t x = 0; x < stride; ++x) {
                const int a = x >= 4 ? row[x - 4] : 0, b = up[x], c = x >= 4 ? up[x - 4] : 0;
                int pred = 0;
                switch (f) {
                case 1: pred = a; break;
                case 2: pred = b; break;
                case 3: pred = (a + b) / 2; break;
                case 4: {
                    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                    pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
                    break;
                }
                default: break;
                }
                line[x] = uint8_t(row[x] - pred);
                sum += line[x] < 128 ? line[x] : 256 - line[x];
            }
            if (bestSum < 0 || sum < bestSum) {
                bestSum = sum;
                best = line;
                best.insert(best.begin(), uint8_t(f));
            }
        }
        raw.insert(raw.end(), best.begin(), best.end());
    }
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto u32 = [](std::vector<uint8_t>& v, uint32_t x) {
        for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(x >> s));
    };
    auto chunk = [&](const char* type, const std::vector<uint8_t>& data) {
        u32(png, uint32_t(data.size()));
        std::vector<uint8_t> body(type, type + 4);
        body.insert(body.end(), data.begin(), data.end());
        png.insert(png.end(), body.begin(), body.end());
        u32(png, Crc32(body.data(), body.size()));
    };
    std::vector<uint8_t> ihdr;
    u32(ihdr, uint32_t(width));
    u32(ihdr, uint32_t(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    chunk("IHDR", ihdr);
    chunk("IDAT", ZlibCompress(raw));
    chunk("IEND", {});
    return png;
}

}  // namespace wg2
