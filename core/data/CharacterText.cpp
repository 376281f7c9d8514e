#include "data/CharacterText.h"

#include <cstring>

namespace {

// Length of the record starting at `offset` (its three strings with their
// zeros), or 0 when the block ends inside it.
size_t WholeRecordLength(ByteBlock table, size_t offset) {
    size_t pos = offset;
    for (int field = 0; field < 3; ++field) {
        if (pos >= table.size) return 0;
        const void* zero = std::memchr(table.data + pos, 0, table.size - pos);
        if (!zero) return 0;
        pos = size_t(static_cast<const unsigned char*>(zero) - table.data) + 1;
    }
    return pos - offset;
}

}  // namespace

CCharacterText::CCharacterText(ByteBlock table) {
    size_t offset = 0;
    while (offset < table.size && table.data[offset] != 0) {
        const size_t length = WholeRecordLength(table, offset);
        if (length == 0) break;  // cut short: keep the whole records before it
        m_offsets.push_back(offset);
        offset += length;
    }
    m_bytes.assign(table.data, table.data + offset);
    m_bytes.push_back('\0');
}

std::string_view CCharacterText::StringAt(size_t& offset) const {
    if (offset >= m_bytes.size()) return {};
    const char* start = m_bytes.data() + offset;
    // The text always ends with a zero byte, so this finds one.
    const size_t length = std::strlen(start);
    offset += length + 1;
    return std::string_view(start, length);
}

CharacterRecord CCharacterText::ReadAt(size_t offset) const {
    CharacterRecord record;
    record.name = StringAt(offset);
    record.whereabouts = StringAt(offset);
    record.notes = StringAt(offset);
    return record;
}

std::optional<size_t> CCharacterText::OffsetOf(int ordinal) const {
    if (ordinal < 0 || ordinal >= Count()) return std::nullopt;
    return m_offsets[size_t(ordinal)];
}

std::optional<CharacterRecord> CCharacterText::Record(int ordinal) const {
    const auto offset = OffsetOf(ordinal);
    if (!offset) return std::nullopt;
    return ReadAt(*offset);
}

void CCharacterText::ForEach(
    const std::function<bool(int, size_t, const CharacterRecord&)>& visit) const {
    for (int ordinal = 0; ordinal < Count(); ++ordinal) {
        const size_t offset = m_offsets[size_t(ordinal)];
        if (!visit(ordinal, offset, ReadAt(offset))) return;
    }
}
