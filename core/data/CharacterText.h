// The character text: an in-memory copy of the character table, records of
// three zero-terminated strings (name, whereabouts, notes), ended by an empty
// name. A character is its ordinal among the records; within the text it is
// addressed by the byte offset of its name.
#pragma once
#include "data/ByteBlock.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

struct CharacterRecord {
    std::string_view name, whereabouts, notes;
};

class CCharacterText {
public:
    // Copies the records of `table` up to its first empty name, then ends the
    // text with one zero byte. Whatever follows the end is never read. A table
    // whose bytes stop before the end marker keeps its whole records only.
    explicit CCharacterText(ByteBlock table);

    // The text's bytes, ending zero included.
    const std::vector<char>& Bytes() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }
    // Number of characters in the text.
    int Count() const { return int(m_offsets.size()); }

    // The record whose name starts at `offset`; empty strings when the offset
    // is at or past the end of the text.
    CharacterRecord ReadAt(size_t offset) const;
    // The name offset of the character with this ordinal, if there is one.
    std::optional<size_t> OffsetOf(int ordinal) const;
    std::optional<CharacterRecord> Record(int ordinal) const;

    // Walks the text from offset 0, in ordinal order; stops early when the
    // visitor returns false.
    void ForEach(const std::function<bool(int ordinal, size_t offset,
                                          const CharacterRecord&)>& visit) const;

private:
    std::string_view StringAt(size_t& offset) const;

    std::vector<char> m_bytes;
    std::vector<size_t> m_offsets;  // name offset of each ordinal
};
