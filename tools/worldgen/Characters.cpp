// Stage 2 of the world generator: the character table (res/characters.tsv)
// and the records stored after its end (res/characters-tail.tsv).
//
// Order of work: how texts can name each place; the cast's roles, homes and
// names; quests and relations that tie characters together; which 778 keep
// empty notes; then the texts, each checked against the core's cross-linker;
// last, every figure the table must meet is checked and the tables are written.
#include "Characters.h"
#include "GenCommon.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace wg2 {
namespace {

constexpr int kMainCount = 2405;
constexpr int kTailCount = 106;
constexpr int kEmptyNotes = 778;

// Place type codes where a trade mostly lives (empty: anywhere people live).
const std::vector<int>& FittingTypes(const std::string& noun) {
    static const std::map<std::string, std::vector<int>> kFit = {
        {"fisherman", {21}}, {"fisherwoman", {21}}, {"fishmonger", {21}}, {"boatwright", {21}},
        {"harbourmaster", {21}}, {"sailing master", {21}}, {"dockhand", {21}}, {"pirate captain", {21}},
        {"smuggler", {21}}, {"map seller", {21, 18, 11}}, {"priest", {23}}, {"priestess", {23}}, {"monk", {23}},
        {"nun", {23}}, {"gravedigger", {23, 20}}, {"relic dealer", {23}}, {"pilgrim", {23}}, {"hermit", {23}},
        {"miner", {26}}, {"prospector", {26}}, {"charcoal burner", {26, 20}}, {"captain of the guard", {22, 11, 18}},
        {"sergeant of the watch", {22, 18, 19}}, {"shield master", {22}}, {"squire", {22}}, {"jailer", {22, 11, 18}},
        {"lord", {11, 22}}, {"lady", {11, 22}}, {"steward", {22, 11}}, {"herald", {11, 18}},
        {"guildmaster", {11, 18}}, {"banker", {11, 18}}, {"moneychanger", {11, 18, 21}}, {"magistrate", {11, 18}},
        {"farmer", {20}}, {"farmhand", {20}}, {"shepherd", {20}}, {"miller", {20, 19}}, {"beekeeper", {20}},
        {"woodcutter", {20}}, {"village elder", {20}}, {"battle mage", {11, 18, 22}}, {"scholar", {11, 18, 23}}};
    static const std::vector<int> none;
    auto it = kFit.find(noun);
    return it == kFit.end() ? none : it->second;
}

double Dist(const PlaceRec& a, const PlaceRec& b) { return std::hypot(double(a.x) - b.x, double(a.y) - b.y); }

int WeightedPick(Rng& rng, const std::vector<int>& weights) {
    int total = 0;
    for (int w : weights) total += w;
    int r = rng.Int(0, total - 1);
    for (size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i]) return int(i);
        r -= weights[i];
    }
    return int(weights.size()) - 1;
}

}  // namespace
}  // namespace wg2

void GenerateCharacters(unsigned long long seed, const std::vector<PlaceRec>& places, const std::string& outDir) {
    using namespace wg2;
    Rng rng = Rng(seed).Fork("characters");
    const Words& W = WordLists();

    // ---- 1. How texts name each place.
    std::vector<std::string> placeNames;
    for (const auto& p : places) placeNames.push_back(p.name);
    const CLinkTargets placesOnly(placeNames, {});
    std::vector<PlaceUse> uses(places.size());
    for (size_t i = 0; i < places.size(); ++i) {
        const PlaceRec& p = places[i];
        PlaceUse u;
        const size_t comma = p.name.find(',');
        u.district = comma != std::string::npos;
        u.mention = u.district ? p.name.substr(0, comma) : p.name;
        bool ok = !u.mention.empty() && SplitWords(u.mention).size() <= 3 && u.mention.back() != ' ';
        for (char c : u.mention) ok = ok && !IsLinkDelimiter(c);
        if (ok) {
            const auto links = FindLinks(u.mention, placesOnly);
            ok = links.size() == 1 && links[0].phrase == u.mention && (u.district || links[0].number == int(i));
        }
        if (ok && !u.district && p.name.find('-') != std::string::npos && p.name.find('\'') == std::string::npos) {
            std::string alt = p.name;
            alt[alt.find('-')] = '\'';
            const auto links = FindLinks(alt, placesOnly);
            if (links.size() == 1 && links[0].phrase == alt && links[0].number == int(i)) u.apostrophe = alt;
        }
        u.settlement = u.district || IsSettlement(p);
        u.wild = !u.settlement;
        u.index = ok ? int(i) : -1;
        uses[i] = u;
    }
    std::vector<int> homes, homeWeights, mentionable, lairs;
    for (size_t i = 0; i < places.size(); ++i) {
        if (uses[i].index < 0) continue;
        mentionable.push_back(int(i));
        if (IsLair(places[i])) lairs.push_back(int(i));
        if (!uses[i].settlement) continue;
        static const int kLevelWeight[6] = {14, 12, 9, 5, 3, 2};
        homes.push_back(int(i));
        homeWeights.push_back(uses[i].district ? 7 : kLevelWeight[std::clamp(places[i].level, 0, 5)]);
    }
    if (homes.size() < 50) Fail("characters: fewer than 50 places can be homes");
    // Nearby mentionable places, nearest first, another mention than the place's own.
    std::vector<std::vector<int>> near(places.size());
    for (size_t i = 0; i < places.size(); ++i) {
        std::vector<std::pair<double, int>> d;
        for (int j : mentionable)
            if (j != int(i) && uses[size_t(j)].mention != uses[i].mention) d.emplace_back(Dist(places[i], places[size_t(j)]), j);
        const size_t keep = std::min<size_t>(8, d.size());
        std::partial_sort(d.begin(), d.begin() + long(keep), d.end());
        for (size_t k = 0; k < keep; ++k) near[i].push_back(d[k].second);
    }

    // ---- 2. The cast: roles, genders, homes.
    const int total = kMainCount + kTailCount;
    std::vector<Npc> cast(static_cast<size_t>(total));
    std::vector<int> roleWeights;
    for (const auto& r : Roles()) roleWeights.push_back(r.weight);
    for (int i = 0; i < total; ++i) {
        Npc& c = cast[size_t(i)];
        c.role = WeightedPick(rng, roleWeights);
        const RoleDef& role = Roles()[size_t(c.role)];
        c.gender = role.gender ? role.gender : rng.Int(1, 2);
        c.home = homes[size_t(WeightedPick(rng, homeWeights))];
        // Most of a trade live where the trade belongs: sailors at ports,
        // priests at temples, miners at mines; some outlaws in ruins and caves.
        const auto& fit = FittingTypes(role.noun);
        if (!fit.empty() && rng.Chance(0.75)) {
            std::vector<int> w = homeWeights;
            bool any = false;
            for (size_t h = 0; h < homes.size(); ++h) {
                const int t = places[size_t(homes[h])].type;
                if (std::find(fit.begin(), fit.end(), t) == fit.end()) w[h] = 0;
                any = any || w[h] > 0;
            }
            if (any) c.home = homes[size_t(WeightedPick(rng, w))];
        }
        if (role.trade == Trade::Hostile && !lairs.empty() && rng.Chance(0.45))
            c.home = lairs[size_t(rng.Int(0, int(lairs.size()) - 1))];
        c.tail = i >= kMainCount;
        if (rng.Chance(0.18)) c.faction = rng.Pick(W.factions);
    }
    // Fourteen gate wardens, each at the gate of another town.
    {
        std::vector<int> towns;
        for (int h : homes) {
            const int t = places[size_t(h)].type;
            const bool walled = t == 11 || t == 18 || t == 19 || t == 21 || t == 22;
            if (!uses[size_t(h)].district && places[size_t(h)].level <= 3 && walled) towns.push_back(h);
        }
        rng.Shuffle(towns);
        int made = 0;
        for (int i = 0; i < kMainCount && made < 14; ++i) {
            Npc& c = cast[size_t(i)];
            if (Roles()[size_t(c.role)].trade != Trade::Guard || !rng.Chance(0.25) || size_t(made) >= towns.size())
                continue;
            c.warden = true;
            c.home = towns[size_t(made++)];
        }
        if (made != 14) Fail("characters: could not place fourteen gate wardens");
    }
    ForgeNames(rng, cast, kMainCount, places, uses, placesOnly);
    for (auto& c : cast) {
        const auto& n = near[size_t(c.home)];
        c.second = n.empty() ? -1 : n[size_t(rng.Int(0, int(std::min<size_t>(3, n.size())) - 1))];
    }
    std::vector<std::vector<int>> residents(places.size());
    for (int i = 0; i < kMainCount; ++i)
        if (cast[size_t(i)].mentionable) residents[size_t(cast[size_t(i)].home)].push_back(i);
    auto around = [&](int place, bool includeHome) {
        std::vector<int> out;
        if (includeHome) out = residents[size_t(place)];
        for (int p : near[size_t(place)]) out.insert(out.end(), residents[size_t(p)].begin(), residents[size_t(p)].end());
        return out;
    };
    auto tradeOf = [&](int i) { return Roles()[size_t(cast[size_t(i)].role)].trade; };

    // ---- 3. Quests.
    std::vector<Quest> quests;
    {
        std::unordered_set<std::string> titles;
        std::vector<std::string> handTitles;
        for (const char* t : W.questTitles) handTitles.push_back(t);
        rng.Shuffle(handTitles);
        size_t nextHand = 0;
        auto newTitle = [&]() {
            for (;;) {
                std::string t;
                if (nextHand < handTitles.size() && rng.Chance(0.15)) t = handTitles[nextHand++];
                else if (rng.Chance(0.7)) t = std::string("The ") + rng.Pick(W.questAdj) + " " + rng.Pick(W.questNoun);
                else t = std::string(rng.Pick(W.questNoun)) + " of the " + rng.Pick(W.questAdj) + " " + rng.Pick(W.questNoun);
                if (titles.insert(LowerAscii(t)).second) return "\"" + t + "\"";
            }
        };
        std::vector<int> givers;
        std::vector<int> giverWeights;
        for (int i = 0; i < kMainCount; ++i) {
            const Npc& c = cast[size_t(i)];
            if (!c.mentionable || c.warden || c.twinName || c.placeNamed) continue;
            int w = 0;
            switch (tradeOf(i)) {
            case Trade::Asker: w = 12; break;
            case Trade::Official: w = 6; break;
            case Trade::Clergy: w = 5; break;
            case Trade::Service: case Trade::Guard: case Trade::Common: w = 2; break;
            case Trade::Seller: case Trade::Trainer: w = 1; break;
            default: w = 0;
            }
            if (w) {
                givers.push_back(i);
                giverWeights.push_back(w);
            }
        }
        const int kQuests = 340;
        for (int qn = 0; qn < kQuests; ++qn) {
            Quest q;
            int g = -1;
            for (int tries = 0; tries < 50; ++tries) {
                const int cand = givers[size_t(WeightedPick(rng, giverWeights))];
                if (cast[size_t(cand)].quests.size() < 2) {
                    g = cand;
                    break;
                }
            }
            if (g < 0) continue;
            q.giver = g;
            const Npc& giver = cast[size_t(g)];
            const auto& n = near[size_t(giver.home)];
            q.place = n.empty() ? giver.home : n[size_t(rng.Int(0, int(std::min<size_t>(5, n.size())) - 1))];
            auto pool = around(giver.home, true);
            rng.Shuffle(pool);
            for (int cand : pool) {
                if (q.helpers.size() >= 2 || (q.helpers.size() == 1 && !rng.Chance(0.35))) break;
                if (q.helpers.empty() && !rng.Chance(0.6)) break;
                const Npc& h = cast[size_t(cand)];
                if (cand == g || h.warden || tradeOf(cand) == Trade::Hostile || h.quests.size() >= 2) continue;
                q.helpers.push_back(cand);
            }
            if (rng.Chance(0.35)) {
                for (int cand : pool) {
                    if (tradeOf(cand) == Trade::Hostile && cast[size_t(cand)].quests.size() < 2) {
                        q.target = cand;
                        break;
                    }
                }
            }
            std::vector<int> kinds = {0, 1, 4, 7};
            if (!q.helpers.empty()) kinds.insert(kinds.end(), {2, 3, 6});
            if (q.target >= 0) kinds = {5, 8, 5, 8, 0, 4};
            q.kind = rng.Pick(kinds);
            if ((q.kind != 5 && q.kind != 8)) q.target = -1;  // the target only where the objective names it
            q.title = newTitle();
            if (q.kind == 0) {
                q.item = rng.Pick(W.items);
                q.count = rng.Int(3, 12);
            } else {
                q.item = rng.Pick(W.relics);
            }
            q.reward = rng.Pick(W.rewards);
            q.minLevel = rng.Int(1, 40);
            const int qi = int(quests.size());
            quests.push_back(q);
            cast[size_t(g)].quests.push_back(qi);
            for (int h : q.helpers) cast[size_t(h)].quests.push_back(qi);
            if (q.target >= 0) cast[size_t(q.target)].quests.push_back(qi);
        }
    }

    // ---- 4. Relations.
    {
        const std::vector<RelKind> kinds = {RelKind::Sibling, RelKind::Parent, RelKind::Spouse, RelKind::Rival,
                                            RelKind::Master,  RelKind::Debtor, RelKind::Employer, RelKind::Friend,
                                            RelKind::Twin,    RelKind::Cousin};
        const std::vector<int> kindWeights = {20, 15, 15, 10, 8, 8, 10, 8, 2, 6};
        auto related = [&](int a, int b) {
            for (const auto& r : cast[size_t(a)].relations)
                if (r.other == b) return true;
            return false;
        };
        auto hasSpouse = [&](int a) {
            for (const auto& r : cast[size_t(a)].relations)
                if (r.kind == RelKind::Spouse) return true;
            return false;
        };
        int made = 0;
        for (int attempt = 0; attempt < 20000 && made < 560; ++attempt) {
            const int a = rng.Int(0, kMainCount - 1);
            const Npc& ca = cast[size_t(a)];
            if (!ca.mentionable || ca.warden || ca.relations.size() >= 2 || tradeOf(a) == Trade::Hostile) continue;
            const RelKind kind = kinds[size_t(WeightedPick(rng, kindWeights))];
            const bool sameHome = kind == RelKind::Spouse || kind == RelKind::Twin || kind == RelKind::Employer ||
                                  (kind == RelKind::Parent && rng.Chance(0.6));
            const auto pool = sameHome ? residents[size_t(ca.home)] : around(ca.home, true);
            if (pool.empty()) continue;
            const int b = pool[size_t(rng.Int(0, int(pool.size()) - 1))];
            const Npc& cb = cast[size_t(b)];
            if (b == a || cb.warden || cb.relations.size() >= 2 || related(a, b) || tradeOf(b) == Trade::Hostile) continue;
            if (kind == RelKind::Spouse && (ca.gender == cb.gender || hasSpouse(a) || hasSpouse(b))) continue;
            if (kind == RelKind::Master && ca.role != cb.role && tradeOf(a) != Trade::Trainer) continue;
            if (kind == RelKind::Employer &&
                !((tradeOf(a) == Trade::Seller || tradeOf(a) == Trade::Official || tradeOf(a) == Trade::Service) &&
                  (tradeOf(b) == Trade::Common || tradeOf(b) == Trade::Guard || tradeOf(b) == Trade::Asker)))
                continue;
            cast[size_t(a)].relations.push_back({kind, b, true});
            cast[size_t(b)].relations.push_back({kind, a, false});
            ++made;
        }
    }

    ShareFamilyNames(rng, cast, placesOnly);

    // ---- 5. Who keeps empty notes: quiet characters with no quest and no kin.
    {
        std::vector<std::pair<uint64_t, int>> order;
        for (int i = 0; i < kMainCount; ++i) {
            const Npc& c = cast[size_t(i)];
            if (!c.quests.empty() || !c.relations.empty() || c.twinName || c.placeNamed) continue;
            static const std::map<Trade, uint64_t> kRank = {
                {Trade::Common, 0}, {Trade::Guard, 0}, {Trade::Asker, 1}, {Trade::Hostile, 1}, {Trade::Roamer, 2},
                {Trade::Clergy, 2}, {Trade::Service, 2}, {Trade::Official, 3}, {Trade::Seller, 3}, {Trade::Trainer, 4}};
            order.emplace_back((kRank.at(tradeOf(i)) << 32) | (rng.Next() & 0xffffffffu), i);
        }
        if (order.size() < size_t(kEmptyNotes))
            Fail("characters: only " + std::to_string(order.size()) + " characters can keep empty notes");
        std::sort(order.begin(), order.end());
        for (int k = 0; k < kEmptyNotes; ++k) cast[size_t(order[size_t(k)].second)].emptyNotes = true;
    }

    // ---- 6. The texts.
    std::vector<std::string> mainNames;
    for (int i = 0; i < kMainCount; ++i) mainNames.push_back(cast[size_t(i)].name);
    const CLinkTargets links(placeNames, mainNames);
    const TextContext ctx{places, uses, near, residents, cast, quests, links};
    int redraws = 0;
    for (int i = 0; i < total; ++i) {
        Npc& c = cast[size_t(i)];
        std::string why;
        bool ok = false;
        for (int attempt = 0; attempt < 60 && !ok; ++attempt) {
            ok = WriteTexts(rng, ctx, i, c.whereabouts, c.notes, !c.emptyNotes, &why);
            if (!ok) ++redraws;
        }
        if (!ok) Fail("characters: no text for \"" + c.name + "\" links as meant; last try: " + why);
    }

    // ---- 7. Every figure the table must meet.
    std::map<std::string, int> nameCount;
    std::set<std::string> placeSet(placeNames.begin(), placeNames.end());
    std::set<std::string> placeSetLower;
    for (const auto& n : placeNames) placeSetLower.insert(LowerAscii(n));
    size_t longestName = 0, longestWhere = 0, longestNotes = 0, tableBytes = 1, tailBytes = 0;
    int emptyNotes = 0, placeNamedExact = 0, placeNamedAnyCase = 0;
    std::vector<int> linkHist(5, 0);
    long totalLinks = 0;
    for (int i = 0; i < total; ++i) {
        const Npc& c = cast[size_t(i)];
        for (const auto* s : {&c.name, &c.whereabouts, &c.notes})
            if (!IsPlainAscii(*s)) Fail("characters: not plain printable ASCII: " + *s);
        if (c.name.empty() || c.name.size() > 42) Fail("characters: bad name length: " + c.name);
        if (c.whereabouts.empty() || c.whereabouts.size() > 115) Fail("characters: bad whereabouts: " + c.whereabouts);
        if (c.notes.size() > 379) Fail("characters: notes too long: " + c.notes);
        const size_t bytes = c.name.size() + c.whereabouts.size() + c.notes.size() + 3;
        if (c.tail) {
            tailBytes += bytes;
            continue;
        }
        tableBytes += bytes;
        longestName = std::max(longestName, c.name.size());
        longestWhere = std::max(longestWhere, c.whereabouts.size());
        longestNotes = std::max(longestNotes, c.notes.size());
        emptyNotes += c.notes.empty();
        ++nameCount[LowerAscii(c.name)];
        placeNamedExact += placeSet.count(c.name) ? 1 : 0;
        placeNamedAnyCase += placeSetLower.count(LowerAscii(c.name)) ? 1 : 0;
        const int n = int(FindLinks(c.whereabouts, links).size() + FindLinks(c.notes, links).size());
        totalLinks += n;
        ++linkHist[size_t(std::min(n, 4))];
    }
    std::string fourteen, twice, placeNamedList;
    int over = 0;
    for (const auto& [name, n] : nameCount) {
        if (n == 14 && fourteen.empty()) fourteen = name;
        else if (n == 2 && twice.empty()) twice = name;
        else if (n != 1) ++over;
    }
    for (int i = 0; i < kMainCount; ++i) {  // the names as written
        const std::string& n = cast[size_t(i)].name;
        if (LowerAscii(n) == fourteen) fourteen = n;
        if (LowerAscii(n) == twice) twice = n;
        if (placeSet.count(n)) placeNamedList += (placeNamedList.empty() ? "" : ", ") + n;
    }
    if (fourteen.empty() || twice.empty() || over) Fail("characters: the name counts are wrong");
    if (placeNamedExact != 2 || placeNamedAnyCase != 2) Fail("characters: not exactly two names are place names");
    if (emptyNotes != kEmptyNotes) Fail("characters: " + std::to_string(emptyNotes) + " empty notes, not 778");
    for (int i = kMainCount; i < total; ++i)
        if (nameCount.count(LowerAscii(cast[size_t(i)].name))) Fail("characters: a tail name repeats a table name");

    TsvTable table("characters.tsv", {"name", "whereabouts", "notes"});
    TsvTable tail("characters-tail.tsv", {"name", "whereabouts", "notes"});
    for (int i = 0; i < total; ++i) {
        const Npc& c = cast[size_t(i)];
        (c.tail ? tail : table).Add({c.name, c.whereabouts, c.notes});
    }
    if (table.Rows() != size_t(kMainCount) || tail.Rows() != size_t(kTailCount)) Fail("characters: wrong record count");
    table.Write(outDir);
    tail.Write(outDir);

    int placeNamesUsed = 0;
    for (const auto& u : uses) placeNamesUsed += u.index >= 0;
    std::cout << "characters: " << kMainCount << " records + " << kTailCount << " in the tail; \"" << fourteen
              << "\" x14, \"" << twice << "\" x2, 2 names are place names ("
              << placeNamedList << "); " << emptyNotes << " empty notes\n"
              << "characters: longest name " << longestName << ", whereabouts " << longestWhere << ", notes "
              << longestNotes << "; table " << tableBytes << " bytes to its end marker, tail " << tailBytes << " bytes\n"
              << "characters: " << quests.size() << " quests; " << placeNamesUsed << " of " << places.size()
              << " places nameable in texts; " << redraws << " texts redrawn for their links\n"
              << "characters: links per page (whereabouts + notes): 0: " << linkHist[0] << ", 1: " << linkHist[1]
              << ", 2: " << linkHist[2] << ", 3: " << linkHist[3] << ", 4+: " << linkHist[4] << "; "
              << totalLinks << " links in all\n";
}
