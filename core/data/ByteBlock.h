// A read-only view of bytes owned by someone else (an embedded resource, a
// test's buffer). Cheap to copy; never frees anything.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ByteBlock {
    const unsigned char* data = nullptr;
    size_t size = 0;

    ByteBlock() = default;
    ByteBlock(const void* bytes, size_t length)
        : data(static_cast<const unsigned char*>(bytes)), size(length) {}
    explicit ByteBlock(const std::vector<unsigned char>& v) : ByteBlock(v.data(), v.size()) {}
    explicit ByteBlock(const std::string& s) : ByteBlock(s.data(), s.size()) {}

    const unsigned char* begin() const { return data; }
    const unsigned char* end() const { return data + size; }
};
