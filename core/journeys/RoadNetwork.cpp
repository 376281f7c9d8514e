#include "journeys/RoadNetwork.h"

std::string CRoadNetwork::Notice() const {
    switch (table.state) {
    case CRoadTable::State::Read: return {};
    case CRoadTable::State::Absent: return "pas de table des routes : la ligne droite, en unités de la carte";
    case CRoadTable::State::Damaged:
        return "table des routes endommagée (" + table.reason + ") : la ligne droite, en unités de la carte";
    }
    return {};
}

CRoadNetwork LoadRoadNetwork(const IResourceStore& store) {
    CRoadNetwork network;
    network.table = LoadRoadTable(store);
    network.graph = CRoadGraph(network.table.roads);
    return network;
}
