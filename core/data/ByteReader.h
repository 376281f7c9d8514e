// Little-endian reads from a byte block that never go past its end: every
// read first checks that the whole field is there and reports false if not.
#pragma once
#include "data/ByteBlock.h"

#include <cstdint>
#include <string>

class ByteReader {
public:
    explicit ByteReader(ByteBlock block) : m_block(block) {}

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_block.size - m_pos; }
    bool AtEnd() const { return m_pos >= m_block.size; }

    bool ReadU16(uint16_t& value);
    bool ReadI32(int32_t& value);
    // `length` raw bytes; the position moves over all of them.
    bool ReadBytes(size_t length, const unsigned char*& bytes);
    // A zero-terminated string; false (position unchanged) when no zero byte
    // is left before the end of the block.
    bool ReadCString(std::string& text);

private:
    ByteBlock m_block;
    size_t m_pos = 0;
};
