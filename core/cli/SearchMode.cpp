#include "cli/SearchMode.h"

#include "cli/Failure.h"
#include "cli/LoadedPlaces.h"
#include "cli/TableNotices.h"
#include "data/ResourceIds.h"
#include "data/ShownText.h"
#include "notes/NotesLook.h"
#include "npc/WorldData.h"
#include "search/SearchQuery.h"
#include "search/WorldSearch.h"

int PrintSearchHits(const IResourceStore& store, const std::string& notesPath, const std::string& text,
                    std::ostream& out, std::ostream& err) {
    const SearchQuery query = ParseSearchQuery(text);
    if (query.unknownPlaceType)
        return Misuse(err, "type de lieu inconnu dans « " + ShownText(text) + " » ; les types : zerim --list kinds");
    if (query.Empty())
        return Misuse(err, "--search attend un texte à chercher, par exemple : zerim --search 'trait foudre' "
                           "ou zerim --search 'sort: foudre'");
    CWorldData world(store);
    LoadPlacesSaying(world, err);
    WarnOfTables(store, {ResId::IDR_CHARACTERS, ResId::IDR_SPELLS, ResId::IDR_EFFECTS, ResId::IDR_VENDORS}, err);
    CWorldSearch search(world);
    const CNotesLook notes = LookAtNotes(notesPath);
    if (!notes.problem.empty()) Complain(err, notes.problem);
    search.SetNotes(notes.items);
    const std::vector<SearchHit> hits = search.Ranked(text);
    if (hits.empty()) return Fail(err, "rien ne correspond à « " + ShownText(text) + " »");
    // Names and places are shown text already (no control character, so no tab).
    for (const SearchHit& hit : hits)
        out << SearchKindWord(hit.kind) << '\t' << hit.name << '\t' << hit.where << '\n';
    return ExitCode::kSuccess;
}
