// The world's roads and scale (RCDATA 142): how many world units make a
// league, the travel speeds, and each road as a rank and a polyline in world
// units. Little-endian, unaligned:
//   i32 units per league; u16 walking speeds off road and on ranks 1 to 3;
//   u16 riding speeds likewise (hundredths of a league an hour);
//   then per road: u16 rank (1 highway, 2 road, 3 track), u16 point count,
//   that many (i32 x, i32 y); ended by a zero rank word, the last bytes.
// The reader trusts no count: every field is checked against the bytes left.
#pragma once
#include "data/ByteBlock.h"

#include <cstdint>
#include <string>
#include <vector>

class IResourceStore;

namespace Roads {
constexpr int kOffRoad = 0;
constexpr int kHighway = 1;
constexpr int kTrack = 3;
constexpr int kRankCount = 4;  // off road and the three ranks
// Bounds that no sane world passes; both the compiler and the reader use them.
constexpr int32_t kMaxUnitsPerLeague = 1000000;
constexpr int kMaxSpeed = 10000;        // hundredths of a league an hour
constexpr int32_t kMaxCoordinate = 100000000;
constexpr int kMaxPoints = 0xFFFF;
}  // namespace Roads

struct CWorldPoint {
    int32_t x = 0, y = 0;
    bool operator==(const CWorldPoint& o) const { return x == o.x && y == o.y; }
};

struct CRoad {
    int rank = Roads::kHighway;
    std::vector<CWorldPoint> points;
};

struct CRoadScale {
    int32_t unitsPerLeague = 1000;
    int walk[Roads::kRankCount] = {};  // by rank, 0 off road
    int ride[Roads::kRankCount] = {};
};

struct CRoadTable {
    enum class State { Read, Absent, Damaged };
    State state = State::Absent;
    std::string reason;  // French, when damaged
    CRoadScale scale;
    std::vector<CRoad> roads;
};

// Reads a block; a damaged one gives no road at all and says why.
CRoadTable ParseRoadTable(ByteBlock block);
// The store's table, or Absent when it has none (an older --data folder).
CRoadTable LoadRoadTable(const IResourceStore& store);
