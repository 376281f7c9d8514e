#include "data/PlaceTable.h"

#include "data/ByteReader.h"

#include <cstring>

namespace {

struct PlaceRecord {
    std::string name;
    uint16_t type = 0, level = 0;
    int32_t x = 0, y = 0;
};

// Reads the record after its length word; false when it would run past the end.
bool ReadRecord(ByteReader& reader, uint16_t nameLength, PlaceRecord& record) {
    const unsigned char* name = nullptr;
    if (!reader.ReadBytes(nameLength, name)) return false;
    const void* zero = std::memchr(name, 0, nameLength);
    const size_t kept = zero ? size_t(static_cast<const unsigned char*>(zero) - name) : nameLength;
    record.name.assign(reinterpret_cast<const char*>(name), kept);
    return reader.ReadU16(record.type) && reader.ReadU16(record.level) &&
           reader.ReadI32(record.x) && reader.ReadI32(record.y);
}

}  // namespace

bool ParsePlaceTable(ByteBlock block, CPlaceList& places) {
    ByteReader reader(block);
    uint16_t nameLength = 0;
    if (!reader.ReadU16(nameLength)) return false;
    while (nameLength != 0) {
        PlaceRecord r;
        if (!ReadRecord(reader, nameLength, r)) return false;
        places.Add(std::move(r.name), r.x, r.y, r.level, r.type);
        if (!reader.ReadU16(nameLength)) return false;
    }
    return true;
}

std::string CutPlaceTableNotice(int placesRead) {
    return "table des lieux incomplète ; " + std::to_string(placesRead) +
           (placesRead > 1 ? " lieux lus" : " lieu lu");
}
