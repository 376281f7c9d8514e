#include "npc/NameIndex.h"

#include <stdexcept>

namespace {

size_t SlotsFor(size_t names) {
    size_t slots = 16;
    while (slots / 2 < names) slots *= 2;
    return slots;
}

}  // namespace

CNameIndex::CNameIndex(size_t expected) : m_slots(SlotsFor(expected)) {}

// FNV-1a: short names, good spread, no table.
uint32_t CNameIndex::Hash(std::string_view name) {
    uint32_t hash = 2166136261u;
    for (const unsigned char c : name) hash = (hash ^ c) * 16777619u;
    return hash;
}

std::string_view CNameIndex::NameOf(const Slot& slot) const {
    return std::string_view(m_names).substr(slot.start, slot.length);
}

size_t CNameIndex::Probe(std::string_view name, uint32_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = m_slots[at];
        if (slot.length == kEmpty) return at;
        if (slot.hash == hash && NameOf(slot) == name) return at;
    }
}

void CNameIndex::Rehash(size_t slots) {
    std::vector<Slot> old(slots);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.length == kEmpty) continue;
        size_t at = slot.hash & mask;
        while (m_slots[at].length != kEmpty) at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

int CNameIndex::Insert(std::string_view name, int value) { return InsertHashed(name, value, Hash(name)); }

void CNameIndex::InsertBatch(const std::string* names, const int* values, size_t count) {
    if (count > kBatch) throw std::invalid_argument("batch too large");
    uint32_t hashes[kBatch];
    for (size_t i = 0; i < count; ++i) {
        hashes[i] = Hash(names[i]);
        __builtin_prefetch(&m_slots[hashes[i] & (m_slots.size() - 1)]);
    }
    for (size_t i = 0; i < count; ++i) InsertHashed(names[i], values[i], hashes[i]);
}

int CNameIndex::InsertHashed(std::string_view name, int value, uint32_t hash) {
    if (m_names.size() + name.size() >= kEmpty) throw std::length_error("names too long for the index");
    size_t at = Probe(name, hash);
    if (m_slots[at].length != kEmpty) return m_slots[at].value;
    if ((m_count + 1) * 2 > m_slots.size()) {
        Rehash(m_slots.size() * 2);
        at = Probe(name, hash);
    }
    m_slots[at] = Slot{uint32_t(m_names.size()), uint32_t(name.size()), hash, value};
    m_names.append(name);
    ++m_count;
    return value;
}

const int* CNameIndex::Find(std::string_view name) const {
    const Slot& slot = m_slots[Probe(name, Hash(name))];
    return slot.length == kEmpty ? nullptr : &slot.value;
}
