#include "cli/LoadedPlaces.h"

#include "cli/Failure.h"
#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

LoadedPlaces::LoadedPlaces(const IResourceStore& store, std::ostream& err) {
    const auto block = FindRcData(store, ResId::IDR_PLACES);
    if (!block) {
        Complain(err, "table des lieux absente");
        return;
    }
    if (!ParsePlaceTable(*block, m_places)) Complain(err, CutPlaceTableNotice(m_places.GetSize()));
}
