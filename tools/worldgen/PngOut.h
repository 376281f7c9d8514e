// A small, self-contained PNG encoder for the generator's icons: 8-bit RGBA,
// one IDAT, per-row filter chosen by the usual minimum-sum rule, and a zlib
// stream made here (LZ77 with fixed Huffman codes, CRC-32 and Adler-32 our
// own), so the output is the same on every machine.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wg2 {

// `rgba`: width * height * 4 bytes, rows top to bottom, not premultiplied.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba);

// Exposed for the self-check: a zlib stream of `data` and the checksums.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data);
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size);

}  // namespace wg2
