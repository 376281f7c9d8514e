// The roads as journeys use them: the table as read (with the world's scale,
// or why there is none) and the graph made from it.
#pragma once
#include "journeys/RoadGraph.h"
#include "journeys/RoadTable.h"

#include <string>

struct CRoadNetwork {
    CRoadTable table;
    CRoadGraph graph;

    // Whether lengths can be given in leagues and times (a table was read);
    // otherwise routes go straight, in map units.
    bool Scaled() const { return table.state == CRoadTable::State::Read; }
    // Why routes go straight, in French lower case, or empty when they need not.
    std::string Notice() const;
};

CRoadNetwork LoadRoadNetwork(const IResourceStore& store);
