// The name forge of stage 2. Names are invented from syllables, surname
// parts, titles and epithets; the table's rules (one name fourteen
// times, one twice, two that are place names, the rest unique) and the rules
// that keep mentions linkable are enforced here:
//   - no name equals a place name (but the two chosen ones);
//   - no one- or two-word beginning of a name is itself a name or a place,
//     and no name is such a beginning of another, since the cross-linker tries
//     the shortest window first and would link the shorter name instead;
//   - a single-word name is never an English word of the texts.
#include "Characters.h"
#include "GenCommon.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace wg2 {
namespace {

const std::vector<std::string> kMalePre = {
    "Al", "Ans", "Bar", "Bel", "Cad", "Cor", "Dar", "Del", "Dor", "Ed", "Ev", "Fal", "Fen", "Gar", "Hal",
    "Har", "Jor", "Kal", "Ker", "Lor", "Mal", "Mar", "Mer", "Nor", "Od", "Or", "Per", "Quen", "Ral", "Ren",
    "Ros", "Sal", "Tam", "Tor", "Ul", "Val", "Ver", "Wil", "Yor", "Zan", "Bram", "Corv", "Ing", "Teo",
    "Hesk", "Osk", "Rod", "Aud", "Gal", "Ivo", "Lud", "Nels", "Brec", "Dov", "Eth", "Hob", "Jas", "Mog",
    "Tib", "Wend", "Ulm", "Rask", "Stig", "Bod", "Cael", "Finn", "Gor", "Isk"};
const std::vector<std::string> kMaleSuf = {
    "elk", "ric", "an", "mar", "thal", "orn", "as", "ek", "ald", "ard", "mund", "in", "o", "us", "ath",
    "esk", "id", "wen", "bert", "rin", "ulf", "dric", "lo", "ven", "gar", "mer", "ick", "rec", "ot",
    "aldo", "wick", "em", "ost", "iel", "ander", "ovan", "al", "ebb"};
const std::vector<std::string> kFemPre = {
    "A", "Bel", "Cal", "Da", "El", "Fen", "Is", "Ja", "Ka", "Li", "Ma", "Mi", "Ne", "Or", "Pe", "Ro",
    "Sa", "Se", "Ta", "Tes", "Ve", "Wy", "Yl", "Zel", "Ama", "Bri", "Cel", "Del", "Eda", "Hes", "Ils",
    "Ket", "Lys", "Mor", "Nes", "Oda", "Ri", "Sif", "Tam", "Una", "Vin", "Wen", "Hel", "Ber", "Gis", "Ysa"};
const std::vector<std::string> kFemSuf = {
    "a", "ine", "wyn", "elle", "issa", "ra", "eth", "ia", "ys", "ora", "enne", "ild", "essa", "ith", "anne",
    "rid", "ka", "ena", "ise", "ette", "lin", "mira", "una", "vel", "dra", "lie", "sa", "rune", "wen"};
const std::vector<std::string> kSurPre = {
    "Ash", "Bram", "Cold", "Dun", "Fair", "Fen", "Gale", "Grey", "Hale", "Holt", "Kettle", "Lark", "Moss",
    "Night", "Oak", "Pike", "Rook", "Salt", "Stone", "Thistle", "Tallow", "Vell", "Wick", "Wren", "Black",
    "Brisk", "Clay", "Crow", "Dusk", "Elder", "Flint", "Gorse", "Hearth", "Iron", "Marsh", "Mire", "Rush",
    "Sedge", "Tarn", "Thorn", "Vane", "Weir", "Barrow", "Copper", "Dray", "Frost", "Glen", "Hob", "Lock",
    "Marrow", "Nettle", "Pell", "Quill", "Reed", "Shale", "Tide", "Umber", "Wold", "Yarrow", "Brine",
    "Cinder", "Fallow", "Hazel", "Lantern", "Otter", "Pebble", "Rime", "Sorrel", "Teasel", "Wax"};
const std::vector<std::string> kSurSuf = {
    "more", "wick", "ley", "by", "dale", "well", "mere", "combe", "ford", "brook", "wood", "ridge", "gate",
    "smith", "wright", "hand", "field", "stone", "water", "hill", "croft", "barrow", "holm", "worth",
    "shaw", "ton", "ham", "bury", "mantle", "feather", "foot", "bane", "hart", "cott", "hollow", "moor"};
const std::vector<std::string> kSurSyl = {"Vost", "Marr", "Kest", "Dral", "Orv", "Brenn", "Sask", "Tolv",
                                          "Harn", "Ulk", "Varr", "Lisk", "Mord", "Penn", "Rell", "Thask"};
const std::vector<std::string> kSurSylEnd = {"el", "ec", "in", "ow", "ack", "en", "ith", "ard", "os", "ane"};
const std::vector<std::string> kEpithets = {
    "Grey", "Younger", "Elder", "Tall", "Quiet", "Red", "Lame", "Bald", "Stout", "Lean", "Patient",
    "Unwashed", "Fair", "Black", "Wise", "Bold", "Lucky", "Sly", "Deaf", "Smiling", "Pious", "Kind",
    "Crooked", "Honest", "Pale", "Slow", "Sleepless", "Generous"};
const std::vector<std::string> kEpithetWords = {
    "Half-Hand", "One-Eye", "Iron-Jaw", "Salt-Beard", "Crow-Foot", "Red-Hand", "Ash-Cloak", "Nine-Toes",
    "Long-Arm", "Soft-Step", "Ironfoot", "Saltbeard", "Crowsong", "Thistledown", "Quickfingers",
    "Mudboots", "Greycloak", "Two-Coins", "Bent-Nose", "Old-Oak"};
const std::vector<std::string> kDescriptive = {
    "Hooded Stranger", "Weeping Widow", "Drowned Sailor", "Lost Child", "Blind Fiddler", "One-Armed Sailor",
    "Grey Pilgrim", "Masked Rider", "Laughing Beggar", "Tired Messenger", "Silent Monk", "Mute Boy",
    "Veiled Lady", "Ragged Prophet", "Sleepwalker", "Lantern Girl", "Salt Hag", "Tin Knight",
    "Singing Prisoner", "Barefoot Hermit", "Bone Collector", "Crow Mother", "Toothless Ferryman",
    "Limping Courier", "Nameless Smith", "Whispering Nun", "Drunken Poet", "Pale Rider", "Ash Child",
    "Chained Giant", "Moth Collector", "Widow in Grey"};

struct Forge {
    Rng& rng;
    const CLinkTargets& places;
    std::unordered_set<std::string> taken;     // lower-case whole names
    std::unordered_set<std::string> prefixes;  // lower-case one- and two-word beginnings
    std::unordered_set<std::string> banned;
    std::unordered_set<std::string> english;   // words of the texts

    Forge(Rng& r, const CLinkTargets& p) : rng(r), places(p) {
        for (const char* b : WordLists().bannedNames) banned.insert(b);
    }

    std::string FirstName(int gender) {
        for (;;) {
            std::string n = gender == 2 ? rng.Pick(kFemPre) + rng.Pick(kFemSuf) : rng.Pick(kMalePre) + rng.Pick(kMaleSuf);
            // avoid doubled letters at the seam making three in a row and very short names
            if (n.size() < 3 || n.size() > 10) continue;
            const std::string low = LowerAscii(n);
            bool triple = false;
            for (size_t i = 2; i < low.size(); ++i) triple = triple || (low[i] == low[i - 1] && low[i] == low[i - 2]);
            if (triple) continue;
            if (banned.count(LowerAscii(n)) || english.count(LowerAscii(n))) continue;
            return n;
        }
    }

    std::string Surname() {
        for (;;) {
            std::string s;
            if (rng.Chance(0.75)) {
                const std::string pre = rng.Pick(kSurPre), suf = rng.Pick(kSurSuf);
                if (LowerAscii(pre) == suf) continue;  // no "Stonestone"
                s = pre + suf;
            } else {
                s = rng.Pick(kSurSyl) + rng.Pick(kSurSylEnd);
            }
            const std::string low = LowerAscii(s);
            bool triple = false;  // no "Mossstone"
            for (size_t i = 2; i < low.size(); ++i) triple = triple || (low[i] == low[i - 1] && low[i] == low[i - 2]);
            if (triple || banned.count(low)) continue;
            return s;
        }
    }

    static std::vector<std::string> ProperPrefixes(const std::string& name) {
        const auto w = SplitWords(name);
        std::vector<std::string> out;
        if (w.size() >= 2) out.push_back(w[0]);
        if (w.size() >= 3) out.push_back(w[0] + " " + w[1]);
        return out;
    }

    // May `name` join the cast? `asPlace`: it is meant to equal a place name.
    bool Acceptable(const std::string& name, bool asPlace) const {
        if (name.empty() || name.size() > 42 || !IsPlainAscii(name)) return false;
        const std::string key = LowerAscii(name);
        if (taken.count(key) || prefixes.count(key)) return false;
        if (!asPlace && places.FindPlace(name)) return false;
        const auto words = SplitWords(name);
        if (words.size() == 1 && english.count(key)) return false;
        for (const auto& p : ProperPrefixes(name))
            if (taken.count(LowerAscii(p)) || places.FindPlace(p)) return false;
        return true;
    }

    void Take(const std::string& name) {
        taken.insert(LowerAscii(name));
        for (const auto& p : ProperPrefixes(name)) prefixes.insert(LowerAscii(p));
    }
};

// Title that fits a role, or empty.
std::string TitleFor(Rng& rng, const RoleDef& role, int gender) {
    const std::string n = role.noun;
    auto g = [&](const char* m, const char* f) { return std::string(gender == 2 ? f : m); };
    if (n == "monk" || n == "nun") return g("Brother", "Sister");
    if (n == "priest" || n == "priestess") return rng.Chance(0.5) ? g("Father", "Mother") : g("Brother", "Sister");
    if (n == "lord" || n == "lady") return g("Lord", "Lady");
    if (n == "knight errant" || n == "steward") return g("Sir", "Dame");
    if (n == "sergeant of the watch") return "Sergeant";
    if (n == "captain of the guard" || n == "pirate captain" || n == "caravan master") return "Captain";
    if (n == "reeve") return "Reeve";
    if (n == "magistrate") return "Judge";
    if (n == "fencing master" || n == "master smith" || n == "shield master" || n == "guildmaster")
        return g("Master", "Mistress");
    if (n == "scholar" || n == "battle mage" || n == "archivist") return "Magister";
    if (n == "hermit" || n == "drunkard" || n == "beggar" || n == "storyteller" || n == "old soldier") return "Old";
    if (n == "child" || n == "apprentice" || n == "squire" || n == "stable hand") return "Young";
    if (n == "widow") return "Widow";
    if (n == "village elder") return "Elder";
    if (n == "midwife" || n == "herbalist" || n == "witch") return g("Uncle", "Granny");
    if (n == "bridge warden" || n == "toll keeper") return "Warden";
    return "";
}

}  // namespace

void ForgeNames(Rng& rng, std::vector<Npc>& cast, int mainCount, const std::vector<PlaceRec>& places,
                const std::vector<PlaceUse>& uses, const CLinkTargets& placesOnly) {
    Forge forge(rng, placesOnly);
    // Words of the texts: a single-word name must not be one of them.
    {
        auto addWords = [&](const std::string& s) {
            std::string cur;
            for (char c : s + " ") {
                if (std::isalpha(static_cast<unsigned char>(c))) cur += char(std::tolower(c));
                else {
                    if (!cur.empty()) forge.english.insert(cur);
                    cur.clear();
                }
            }
        };
        const Words& w = WordLists();
        for (const auto* list : {&w.times, &w.inns, &w.items, &w.relics, &w.creatures, &w.factions, &w.rewards,
                                 &w.questAdj, &w.questNoun, &w.questTitles, &w.wilds, &w.lairs, &w.rumours,
                                 &w.tips, &w.quirks, &w.pasts})
            for (const char* s : *list) addWords(s);
        for (const auto& r : Roles()) {
            addWords(r.noun);
            for (const char* s : r.spots) addWords(s);
            for (const char* s : r.wares) addWords(s);
        }
        for (const char* s : {"and", "the", "of", "from", "to", "in", "at", "near", "by", "with", "for", "gate",
                              "warden", "north", "south", "east", "west", "road", "town", "ask", "find", "sells",
                              "buys", "teaches", "trains", "brother", "sister", "mother", "father", "son",
                              "daughter", "wife", "husband", "twin", "cousin", "uncle", "aunt", "master", "friend",
                              "enemy", "rival", "rank", "level", "quest", "step", "part", "reward", "crowns",
                              "he", "she", "his", "her", "him", "it", "not", "only", "also", "ever", "never",
                              "rest", "wait", "come", "seen", "last", "way", "day", "night", "mind", "hand",
                              "there", "here", "where", "when", "home", "lives", "spring", "autumn", "summer",
                              "winter", "camp", "cave", "hills", "woods", "inn", "tavern", "market", "square",
                              "harbour", "docks", "temple", "chapel", "mill", "well", "bridge", "keep", "tower"})
            forge.english.insert(s);
    }

    // 1. The fourteen gate wardens: one name, fourteen guards.
    const std::string wardenName = "Gate Warden";
    if (!forge.Acceptable(wardenName, false)) Fail("the name \"Gate Warden\" clashes with a place");
    forge.Take(wardenName);
    int wardens = 0;
    for (int i = 0; i < mainCount; ++i) {
        if (!cast[size_t(i)].warden) continue;
        cast[size_t(i)].name = wardenName;
        ++wardens;
    }
    if (wardens != 14) Fail("there must be fourteen gate wardens");

    // 2. Two characters named like a place: known by the name of their home.
    std::vector<int> candidates;
    for (const auto& u : uses) {
        if (u.index < 0 || u.district || !u.settlement || !u.apostrophe.empty()) continue;
        const auto& name = places[size_t(u.index)].name;
        const auto words = SplitWords(name);
        if (words.size() > 2 || name.find('-') != std::string::npos) continue;
        // not a great capital: a town or smaller (a one-word town may be a level higher)
        if (places[size_t(u.index)].level < (words.size() == 1 ? 2 : 3)) continue;
        if (placesOnly.FindPlace(name).value_or(-1) != u.index) continue;
        candidates.push_back(u.index);
    }
    if (candidates.size() < 2) Fail("no place fit to name a character after");
    rng.Shuffle(candidates);
    // One-word names first: "Zlaets" sounds like a nickname, "Grodozh Market" does not.
    std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) {
        return SplitWords(places[size_t(a)].name).size() < SplitWords(places[size_t(b)].name).size();
    });
    int placeNamed = 0;
    for (int idx : candidates) {
        if (placeNamed == 2) break;
        const std::string& pn = places[size_t(idx)].name;
        if (!forge.Acceptable(pn, true)) continue;
        // a villager, a hermit or a shopkeeper of that very place
        std::vector<int> eligible;
        for (int i = 1; i < mainCount; ++i) {
            const Npc& c = cast[size_t(i)];
            const Trade t = Roles()[size_t(c.role)].trade;
            if (c.name.empty() && (t == Trade::Common || t == Trade::Clergy || t == Trade::Seller)) eligible.push_back(i);
        }
        if (eligible.empty()) break;
        Npc& c = cast[size_t(rng.Pick(eligible))];
        c.name = pn;
        c.home = idx;
        c.placeNamed = true;
        forge.Take(pn);
        ++placeNamed;
    }
    if (placeNamed != 2) Fail("could not name two characters after places");

    // 3. Every other character, by the forms that fit its role.
    size_t descriptive = 0;
    std::vector<std::string> descr = kDescriptive;
    rng.Shuffle(descr);
    for (size_t i = 0; i < cast.size(); ++i) {
        Npc& c = cast[i];
        if (!c.name.empty()) continue;
        const RoleDef& role = Roles()[size_t(c.role)];
        for (int attempt = 0;; ++attempt) {
            if (attempt > 5000) Fail("the name forge ran dry");
            const std::string title = TitleFor(rng, role, c.gender);
            const std::string first = forge.FirstName(c.gender);
            std::string name;
            const double roll = rng.Uniform();
            if (descriptive < descr.size() && (role.trade == Trade::Common || role.trade == Trade::Roamer ||
                                               role.trade == Trade::Hostile) && roll < 0.03) {
                name = descr[descriptive];
                if (forge.Acceptable(name, false)) ++descriptive;
                else name.clear();
            } else if (!title.empty() && roll < 0.55) {
                name = title + " " + first;
                if (rng.Chance(0.2)) name += " " + forge.Surname();
            } else if (roll < 0.08) {
                name = first;  // known by one name
            } else if (roll < 0.15) {
                name = first + " the " + rng.Pick(kEpithets);
            } else if (roll < 0.21) {
                name = first + " " + rng.Pick(kEpithetWords);
            } else if (roll < 0.235) {
                // a long, formal name: never written in the texts (four words or more)
                std::string home;
                for (int tries = 0; tries < 20 && home.empty(); ++tries) {
                    const PlaceRec& p = places[size_t(rng.Int(0, int(places.size()) - 1))];
                    if (p.name.find(',') == std::string::npos && SplitWords(p.name).size() == 1) home = p.name;
                }
                if (home.empty()) continue;
                name = (title.empty() ? first : title + " " + first) + " " + forge.Surname() + " of " + home;
            } else {
                name = first + " " + forge.Surname();
            }
            if (name.empty() || !forge.Acceptable(name, false)) continue;
            forge.Take(name);
            c.name = name;
            break;
        }
    }

    // 4. One name twice: a second character takes the name of an earlier one,
    //    far away, of another trade.
    {
        int first = -1, second = -1;
        for (int i = 40; i < mainCount && first < 0; ++i) {
            const Npc& c = cast[size_t(i)];
            if (c.warden || c.placeNamed || SplitWords(c.name).size() != 2 || c.name.find(" the ") != std::string::npos)
                continue;
            if (Roles()[size_t(c.role)].trade != Trade::Seller) continue;
            first = i;
        }
        for (int i = mainCount - 300; i < mainCount && second < 0; ++i) {
            const Npc& c = cast[size_t(i)];
            if (first < 0 || c.warden || c.placeNamed || c.gender != cast[size_t(first)].gender) continue;
            if (Roles()[size_t(c.role)].trade != Trade::Asker) continue;
            second = i;
        }
        if (first < 0 || second < 0) Fail("no pair for the shared name");
        cast[size_t(second)].name = cast[size_t(first)].name;
        cast[size_t(first)].twinName = cast[size_t(second)].twinName = true;
    }

    // Mentionable: the name links to itself in a text (one to three words,
    // no link delimiter), and the character is in the main table.
    for (size_t i = 0; i < cast.size(); ++i) {
        Npc& c = cast[i];
        bool ok = int(i) < mainCount && SplitWords(c.name).size() <= 3;
        for (char ch : c.name) ok = ok && !IsLinkDelimiter(ch);
        c.mentionable = ok;
    }
}

}  // namespace wg2

namespace wg2 {

void ShareFamilyNames(Rng& rng, std::vector<Npc>& cast, const CLinkTargets& placesOnly) {
    static const std::unordered_set<std::string> kTitles = {
        "Brother", "Sister", "Father", "Mother", "Lord", "Lady", "Sir", "Dame", "Sergeant", "Captain", "Reeve",
        "Judge", "Master", "Mistress", "Magister", "Old", "Young", "Widow", "Elder", "Uncle", "Granny", "Warden"};
    auto plain = [&](const Npc& c) {
        if (c.warden || c.twinName || c.placeNamed || c.tail) return false;
        const auto w = SplitWords(c.name);
        if (w.size() != 2 || kTitles.count(w[0])) return false;
        return std::find(kEpithetWords.begin(), kEpithetWords.end(), w[1]) == kEpithetWords.end();
    };
    std::unordered_set<std::string> taken, prefixes;
    for (const auto& c : cast) {
        taken.insert(LowerAscii(c.name));
        const auto w = SplitWords(c.name);
        if (w.size() >= 2) prefixes.insert(LowerAscii(w[0]));
        if (w.size() >= 3) prefixes.insert(LowerAscii(w[0] + " " + w[1]));
    }
    for (size_t a = 0; a < cast.size(); ++a) {
        for (const Relation& r : cast[a].relations) {
            if (size_t(r.other) < a) continue;  // each pair once, the earlier one keeps its name
            const bool family = r.kind == RelKind::Sibling || r.kind == RelKind::Twin || r.kind == RelKind::Parent ||
                                (r.kind == RelKind::Spouse && rng.Chance(0.6)) ||
                                (r.kind == RelKind::Cousin && rng.Chance(0.5));
            Npc& b = cast[size_t(r.other)];
            if (!family || !plain(cast[a]) || !plain(b)) continue;
            const std::string surname = SplitWords(cast[a].name)[1];
            const std::string renamed = SplitWords(b.name)[0] + " " + surname;
            const std::string key = LowerAscii(renamed);
            if (renamed == b.name || taken.count(key) || prefixes.count(key) || placesOnly.FindPlace(renamed))
                continue;
            taken.erase(LowerAscii(b.name));
            taken.insert(key);
            b.name = renamed;
        }
    }
}

}  // namespace wg2
