#include "data/ByteReader.h"

#include <cstring>

bool ByteReader::ReadU16(uint16_t& value) {
    const unsigned char* p = nullptr;
    if (!ReadBytes(2, p)) return false;
    value = uint16_t(p[0] | (p[1] << 8));
    return true;
}

bool ByteReader::ReadI32(int32_t& value) {
    const unsigned char* p = nullptr;
    if (!ReadBytes(4, p)) return false;
    const uint32_t u = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                       (uint32_t(p[3]) << 24);
    value = int32_t(u);  // two's complement, as stored
    return true;
}

bool ByteReader::ReadBytes(size_t length, const unsigned char*& bytes) {
    if (length > Remaining()) return false;
    bytes = m_block.data + m_pos;
    m_pos += length;
    return true;
}

bool ByteReader::ReadCString(std::string& text) {
    if (AtEnd()) return false;
    const unsigned char* start = m_block.data + m_pos;
    const void* zero = std::memchr(start, 0, Remaining());
    if (!zero) return false;
    const size_t length = size_t(static_cast<const unsigned char*>(zero) - start);
    text.assign(reinterpret_cast<const char*>(start), length);
    m_pos += length + 1;
    return true;
}
