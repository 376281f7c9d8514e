#include "cli/LinkCommand.h"

#include "cli/Failure.h"
#include "cli/LoadedPlaces.h"
#include "data/ShownText.h"
#include "links/LinkNames.h"
#include "npc/WorldData.h"

namespace {

const char kUsage[] = "--link attend place, character ou spell, puis un nom, par exemple : zerim --link place Tessanta";

std::optional<ZerimLink::Kind> NamedKind(const std::string& word) {
    for (const auto kind : {ZerimLink::Kind::Place, ZerimLink::Kind::Character, ZerimLink::Kind::Spell})
        if (word == KindWord(kind)) return kind;
    return std::nullopt;
}

}  // namespace

int PrintLinkOf(const std::vector<std::string>& args, const IResourceStore& store, std::ostream& out,
                std::ostream& err) {
    if (args.size() != 3 || args[2].empty()) return Misuse(err, kUsage);
    const auto kind = NamedKind(args[1]);
    if (!kind) return Misuse(err, "genre inconnu : « " + ShownText(args[1]) + " » ; " + kUsage);
    CWorldData world(store);
    const CLinkNames names(store, LoadPlacesSaying(world, err));
    ZerimLink link;
    link.kind = *kind;
    link.name = args[2];
    std::string error;
    const auto target = names.Resolve(link, error);
    if (!target) return Fail(err, error);
    link.name = target->name;
    out << WriteZerimLink(link) << '\n';
    return ExitCode::kSuccess;
}
