#include "npc/WorldData.h"

#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "journeys/RoadNetwork.h"
#include "npc/LinkedWorld.h"

CWorldData::CWorldData(const IResourceStore& store) : m_store(store) {}

CWorldData::~CWorldData() = default;

CWorldData::PlaceTable CWorldData::LoadPlaces() {
    if (m_placeTable) return *m_placeTable;
    PlaceTable outcome = PlaceTable::Missing;
    if (const auto block = FindRcData(m_store, ResId::IDR_PLACES))
        outcome = ParsePlaceTable(*block, m_places) ? PlaceTable::Read : PlaceTable::Cut;
    m_placeTable = outcome;
    return outcome;
}

std::vector<std::string> CWorldData::LoadProblems() const {
    if (!m_placeTable || *m_placeTable != PlaceTable::Cut) return {};
    return {CutPlaceTableNotice(m_places.GetSize())};
}

const CRoadNetwork& CWorldData::Roads() {
    if (!m_roads) m_roads = std::make_unique<CRoadNetwork>(LoadRoadNetwork(m_store));
    return *m_roads;
}

const CLinkedWorld& CWorldData::LinkedWorld() {
    if (!m_linked) m_linked = std::make_unique<CLinkedWorld>(m_places.Array(), m_store);
    return *m_linked;
}
