#include "journeys/RoadTable.h"

#include "data/ByteReader.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

namespace {

constexpr size_t kPointBytes = 8;

bool ReadSpeeds(ByteReader& in, int (&speeds)[Roads::kRankCount]) {
    for (int& speed : speeds) {
        uint16_t value = 0;
        if (!in.ReadU16(value) || value == 0 || value > Roads::kMaxSpeed) return false;
        speed = value;
    }
    return true;
}

bool InWorld(int32_t v) { return v >= -Roads::kMaxCoordinate && v <= Roads::kMaxCoordinate; }

// One road after its rank word; the reason when it is damaged.
std::string ReadRoad(ByteReader& in, CRoad& road) {
    uint16_t count = 0;
    if (!in.ReadU16(count)) return "table des routes tronquée";
    if (count < 2) return "route de moins de deux points";
    if (size_t(count) * kPointBytes > in.Remaining()) return "nombre de points au-delà de la table";
    road.points.resize(count);
    for (CWorldPoint& p : road.points) {
        in.ReadI32(p.x);
        in.ReadI32(p.y);
        if (!InWorld(p.x) || !InWorld(p.y)) return "point de route hors du monde";
    }
    return {};
}

std::string ReadRoads(ByteReader& in, std::vector<CRoad>& roads) {
    for (;;) {
        uint16_t rank = 0;
        if (!in.ReadU16(rank)) return "table des routes tronquée";
        if (rank == 0) return in.AtEnd() ? std::string() : "octets après la fin de la table des routes";
        if (rank > Roads::kTrack) return "rang de route inconnu (" + std::to_string(rank) + ")";
        CRoad road;
        road.rank = rank;
        const std::string reason = ReadRoad(in, road);
        if (!reason.empty()) return reason;
        roads.push_back(std::move(road));
    }
}

std::string ReadTable(ByteBlock block, CRoadTable& table) {
    ByteReader in(block);
    if (!in.ReadI32(table.scale.unitsPerLeague)) return "table des routes tronquée";
    if (table.scale.unitsPerLeague <= 0 || table.scale.unitsPerLeague > Roads::kMaxUnitsPerLeague)
        return "échelle absurde (" + std::to_string(table.scale.unitsPerLeague) + " unités par lieue)";
    if (!ReadSpeeds(in, table.scale.walk) || !ReadSpeeds(in, table.scale.ride))
        return "vitesses absentes ou absurdes";
    return ReadRoads(in, table.roads);
}

}  // namespace

CRoadTable ParseRoadTable(ByteBlock block) {
    CRoadTable table;
    const std::string reason = ReadTable(block, table);
    if (reason.empty()) {
        table.state = CRoadTable::State::Read;
        return table;
    }
    CRoadTable damaged;
    damaged.state = CRoadTable::State::Damaged;
    damaged.reason = reason;
    return damaged;
}

CRoadTable LoadRoadTable(const IResourceStore& store) {
    const auto block = FindRcData(store, ResId::IDR_ROADS);
    return block ? ParseRoadTable(*block) : CRoadTable{};
}
