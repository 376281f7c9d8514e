#include "cli/LoadedPlaces.h"

#include "cli/Failure.h"
#include "npc/WorldData.h"

const CPlaceArray& LoadPlacesSaying(CWorldData& world, std::ostream& err) {
    if (world.LoadPlaces() == CWorldData::PlaceTable::Missing) Complain(err, CWorldData::AbsentTableNotice());
    for (const std::string& problem : world.LoadProblems()) Complain(err, problem);
    return world.Places();
}
