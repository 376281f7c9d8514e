// Names mapped to numbers by their exact bytes, for indexes of up to
// millions of names built once and read often. The names lie end to end in
// one buffer and the open-addressed table holds only where each one starts,
// so building it allocates a few times in all rather than once per name,
// and a probe touches one small slot before it compares any bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CNameIndex {
public:
    // Room for `expected` names without regrowing.
    explicit CNameIndex(size_t expected = 0);

    // Adds `name` with `value` unless the name is there already; either way
    // returns the value the index keeps for it (the first one given).
    int Insert(std::string_view name, int value);

    // Inserts names[i] with values[i] for i below `count` (at most kBatch),
    // in order, as Insert would. On tables larger than the processor's
    // caches it is faster: every slot is asked of memory before the first
    // insertion, so the waits overlap instead of following one another.
    static constexpr size_t kBatch = 16;
    void InsertBatch(const std::string* names, const int* values, size_t count);

    // The value of `name`, or nullptr.
    const int* Find(std::string_view name) const;

    size_t Size() const { return m_count; }

private:
    // Sixteen bytes, so that a table of a million names stays within the
    // processor's last cache.
    struct Slot {
        uint32_t start = 0;       // where the name begins in m_names
        uint32_t length = kEmpty; // kEmpty marks a free slot
        uint32_t hash = 0;
        int value = 0;
    };
    static constexpr uint32_t kEmpty = UINT32_MAX;

    static uint32_t Hash(std::string_view name);
    std::string_view NameOf(const Slot& slot) const;
    // The slot holding `name`, or the free slot where it would go.
    size_t Probe(std::string_view name, uint32_t hash) const;
    int InsertHashed(std::string_view name, int value, uint32_t hash);
    void Rehash(size_t slots);

    std::string m_names;
    std::vector<Slot> m_slots;  // a power of two long, at most half full
    size_t m_count = 0;
};
