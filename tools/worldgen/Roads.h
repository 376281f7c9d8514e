// Roads found by A* over the coarse terrain grid.
#pragma once
#include "MapPainter.h"
#include "Terrain.h"

#include <vector>

namespace worldmap {

class RoadPlanner {
public:
    explicit RoadPlanner(const Terrain& t);
    // Routes a road between two picture points; false when there is no way
    // over land. Roads already built are cheaper to follow, so routes merge.
    bool Route(int ax, int ay, int bx, int by, int rank, std::vector<Road>& out);
    // A short track from (ax, ay) to the nearest road within maxCells.
    bool Spur(int ax, int ay, int maxCells, std::vector<Road>& out);
    bool OnRoad(int cell) const { return m_road[size_t(cell)] != 0; }
    // Coarse cells of each road routed so far, in order.
    const std::vector<std::vector<int>>& Paths() const { return m_paths; }

private:
    float StepCost(int from, int to) const;
    void Commit(const std::vector<int>& cells, int ax, int ay, int bx, int by, int rank, std::vector<Road>& out);
    const Terrain& m_t;
    std::vector<float> m_base;   // cost to enter each cell, < 0 = impassable
    std::vector<uint8_t> m_road;
    std::vector<std::vector<int>> m_paths;
};

}  // namespace worldmap
