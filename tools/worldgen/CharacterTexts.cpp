// Whereabouts and notes of the characters, written like a players'
// community's notes: where and when to find someone, what they sell, teach or
// ask, their quests, their family and enemies, tips and rumours. Every
// sentence comes from one of many patterns; names of places and characters
// are written exactly as the cross-linker will find them (a district's city
// part alone, a hyphen written as an apostrophe now and then), and the links
// of the finished text are checked against what the sentences meant to name.
#include "Characters.h"
#include "GenCommon.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace wg2 {

PlaceRef RefTo(Rng& rng, const PlaceRec& place, const PlaceUse& use, bool full) {
    PlaceRef r;
    r.mention = use.mention;
    if (use.district) {
        // "Velmora, Harbour Ward" reads well only where the name leads or ends a
        // clause; elsewhere the city alone or "the Harbour Ward of Velmora".
        const size_t comma = place.name.find(',');
        std::string part = place.name.substr(comma + 1);
        while (!part.empty() && part[0] == ' ') part.erase(0, 1);
        const bool partOk = !part.empty() && LowerAscii(part).rfind("the ", 0) != 0;
        const double roll = rng.Uniform();
        if (full && roll < 0.6) r.display = place.name;
        else if (!partOk || roll < 0.8) r.display = use.mention;
        else r.display = "the " + part + " of " + use.mention;
    } else if (!use.apostrophe.empty() && rng.Chance(0.35)) {
        r.display = r.mention = use.apostrophe;
    } else {
        r.display = place.name;
    }
    return r;
}

std::string Direction(const PlaceRec& from, const PlaceRec& to) {
    const double dx = double(to.x) - from.x, dy = double(to.y) - from.y;  // y grows northwards
    static const char* names[8] = {"east", "north-east", "north", "north-west",
                                   "west", "south-west", "south", "south-east"};
    double a = std::atan2(dy, dx) / (2 * 3.14159265358979323846) * 8.0;
    int k = int(std::floor(a + 0.5));
    k = ((k % 8) + 8) % 8;
    return names[k];
}

std::string Distance(const PlaceRec& from, const PlaceRec& to) {
    const double d = std::hypot(double(to.x) - from.x, double(to.y) - from.y);
    if (d < 4000) return "a short walk";
    if (d < 12000) return "an hour's walk";
    if (d < 30000) return "half a day's walk";
    if (d < 60000) return "a day's ride";
    return "several days' ride";
}

namespace {

using Mentions = std::vector<std::string>;

// A sentence pattern filler: {key} takes a word, or a link (recorded).
struct Filler {
    std::map<std::string, std::string> words;
    std::map<std::string, PlaceRef> links;

    std::string Apply(const std::string& tpl, Mentions& used) const {
        std::string out;
        for (size_t i = 0; i < tpl.size(); ++i) {
            if (tpl[i] != '{') {
                out += tpl[i];
                continue;
            }
            const size_t end = tpl.find('}', i);
            if (end == std::string::npos) Fail("unclosed key in pattern: " + tpl);
            const std::string key = tpl.substr(i + 1, end - i - 1);
            i = end;
            auto l = links.find(key);
            if (l != links.end()) {
                out += l->second.display;
                used.push_back(l->second.mention);
                continue;
            }
            auto w = words.find(key);
            if (w != words.end()) {
                out += w->second;
                continue;
            }
            std::string low = key;
            low[0] = char(std::tolower(static_cast<unsigned char>(low[0])));
            w = words.find(low);
            if (w != words.end() && low != key) {
                out += CapFirst(w->second);
                continue;
            }
            Fail("pattern key {" + key + "} has no value in: " + tpl);
        }
        return out;
    }
};

struct Piece {
    std::string text;
    Mentions mentions;
};

Piece Make(const Filler& f, const std::string& tpl) {
    Piece p;
    p.text = CapFirst(f.Apply(tpl, p.mentions));
    return p;
}

std::string ListOf(const std::vector<std::string>& v) {
    if (v.empty()) return "";
    if (v.size() == 1) return v[0];
    std::string r;
    for (size_t i = 0; i + 1 < v.size(); ++i) r += (i ? ", " : "") + v[i];
    return r + " and " + v.back();
}

const char* kGates[] = {"north", "south", "east", "west", "river", "harbour", "old", "market", "bell", "lion"};

// ------------------------------------------------------------ whereabouts

const std::vector<std::string> kWhereTown = {
    "{PF}, {spot}.",
    "{Spot}, {PF}.",
    "{PF}: {spot}, {time}.",
    "{Spot} in {P}, {time}.",
    "In {P}, {spot}. {Time}.",
    "{P}, {spot}; sometimes at {Q} {time}.",
    "{Spot}, {P}. Goes to {Q} on market days.",
    "{PF} ({spot}), {time}.",
    "Lives in {P}, works at {spot} {time}.",
    "{Spot} in {P}. Moves to {Q} in winter.",
    "Usually {spot} in {P}; if not there, try {inn}.",
    "{PF}, {spot}. Not there? Look in {Q}.",
    "{Spot}. That is in {P}, {dist} {dirFrom} of {Q}.",
    "Near {P}: {spot}, on the road to {Q}.",
    "{PF}. Look for {spot}.",
    "{Spot}, {P}, {time}; at home in {Q} otherwise.",
    "{P} and {Q}, alternating weeks; {spot}.",
    "{Spot}, {P} (not {Q}, whatever the old guides say).",
    "Found {time} at {spot}, {PF}.",
};
const std::vector<std::string> kWhereGuard = {
    "The {gate} gate of {P}, {time}.",
    "{PF}, {spot}, {time}.",
    "Walls of {P}; walks between the {gate} and {gate2} gates.",
    "On the road from {P} to {Q}, {time}.",
    "{Spot}, {PF}. Relieved {time}.",
    "{P}: {spot} by day, the {gate} gate by night.",
    "Patrols between {P} and {Q}.",
};
const std::vector<std::string> kWhereWarden = {
    "The {gate} gate of {P}.",
    "{PF}, {gate} gate, {time}.",
    "Gatehouse of {P}, {gate} side. Stays there day and night.",
    "{P}, at the {gate} gate; the road to {Q} starts there.",
};
const std::vector<std::string> kWhereHostile = {
    "{Lair} {dirTo} of {P}.",
    "{Lair} in {wild} {dirTo} of {P}, {time}.",
    "Camps in {wild} between {P} and {Q}.",
    "{Wild} around {P}, {time}.",
    "Near {Q}, {dist} {dirFrom} of {P}; hides in {lair}.",
    "Roams {wild} near {P}. Appears {time}.",
    "{Lair} on the road from {P} to {Q}.",
    "{Lair}, {dist} from {P}, towards {Q}.",
    "Under {P}: the way in is behind {inn}.",
};
// Outlaws living in a ruin, a pass or a cave: the home is the lair.
const std::vector<std::string> kWhereLair = {
    "{PF}, deep inside.",
    "{PF}, {time}.",
    "{PF}; the way in is {dist} from {Q}.",
    "Near the entrance of {P}, {time}.",
    "{PF}. Comes out {time}.",
    "Inside {P}, past the second chamber.",
    "Around {P}, {dist} {dirFrom} of {Q}.",
};
const std::vector<std::string> kWhereRoamer = {
    "Travels between {P} and {Q}.",
    "On the road from {P} to {Q}, {time}.",
    "{P} in spring and summer, {Q} in autumn and winter.",
    "Anywhere between {P}, {Q} and {R}.",
    "Wanders around {P}; often at {inn}.",
    "Seen at {P}, {Q} and {R}, in that order, then back.",
    "Market days in {P}, the rest of the week on the road to {Q}.",
    "Between {P} and {Q}; camps by the road {time}.",
};

// --------------------------------------------------------------- notes

const std::vector<std::string> kSell = {
    "Sells {wares}.",
    "Sells {wares}; buys {ware4} at a fair price.",
    "Good prices on {ware1}, poor ones on {ware2}.",
    "The only place in {P} to buy {ware1}.",
    "Sells {ware1} and {ware2}, and repairs what {he} sold you.",
    "Stock: {wares}. Haggling works.",
    "Sells {wares}; keeps the best {ware1} under the counter, so ask twice.",
    "Sells {ware1}, but only to members of {faction}.",
    "Has {ware1} and {ware2}. Opens late on rest days.",
    "Sells {wares}. Prices go up during the Lantern Fair.",
    "Cheaper than anyone in {Q} for {ware1}.",
    "Sells {wares}, and sometimes {reward} at a silly price.",
};
// Second sentences of a seller's note: never the wares again.
const std::vector<std::string> kSellMore = {
    "Buys {item} for {price} crowns each.",
    "Tip: buy before the evening, prices rise at night.",
    "Buys loot at the best prices in the area.",
    "Note: stock refreshes every seven days.",
    "Delivers to {Q} for a small fee.",
    "Gets new stock from {Q} after every full moon.",
    "Gives credit to members of {faction}.",
    "Bug: the buy-back list empties when you zone out.",
};
const std::vector<std::string> kTeach = {
    "Teaches {skill} up to rank {rank}.",
    "Trains {skill} (ranks {rankLow} to {rank}), {price} crowns a lesson.",
    "Teaches {skill} and {skill2}.",
    "Only teaches {skill} to members of {faction}.",
    "Teaches {skill}; best teacher of the region, and knows it.",
    "Teaches {skill} for free if you bring {N} {item}.",
    "Trains {skill} up to rank {rank}; beyond that, go to {Q}.",
};
const std::vector<std::string> kAsk = {
    "Asks for {N} {item}; pays {reward}.",
    "Needs help with the {creature} near {P}; no quest, just thanks.",
    "Wants someone to find {relic}, lost near {Q}.",
    "Buys {item} at {price} crowns a dozen.",
    "Asks everyone about {relic}.",
    "Complains about the {creature} between {P} and {Q}.",
};
const std::vector<std::string> kGuard = {
    "Asks for your pass at night.",
    "Lets you through after dark for {price} crowns.",
    "Hunts the {creature} that attack travellers near {Q}.",
    "Off duty {time}; then found at {inn}.",
    "Knows everyone who came through the {gate} gate this week.",
    "Arrests you on sight if your reputation in {P} is bad.",
    "Pays {price} crowns for news of the bandits towards {Q}.",
};
const std::vector<std::string> kWarden = {
    "Asks for the toll: {price} crowns, or a pass from the town hall of {P}.",
    "Lets nobody into {P} after dark without a pass.",
    "One of the gate wardens; this one stands at {P}.",
    "Tells you the way to {Q} if you ask politely.",
};
const std::vector<std::string> kClergy = {
    "Heals for a donation.",
    "Blesses weapons for {price} crowns.",
    "Hears confession {time}.",
    "Keeps the records of births and deaths of {P}.",
    "Sends pilgrims on to the shrine at {Q}.",
    "Speaks in riddles; one of them points to {R}.",
    "Lifts curses, for a price that is not always money.",
    "Prays for the dead of {Q} every evening.",
};
const std::vector<std::string> kHostile = {
    "Guarded by {N} {creature}.",
    "Wanted in {Q}; bounty of {price} crowns.",
    "Fights with two daggers; stay at range.",
    "Surrenders at low health; sparing {him} gives a better ending.",
    "Serves {faction}.",
    "Calls {creature} to help when hurt.",
    "Level {level}; hits hard, runs slow.",
    "Carries {reward}.",
    "Raids the road to {Q} {time}.",
    "Level {level}, casts frost spells; fire works well against {him}.",
    "Warning: attacks anyone wearing the colours of the watch.",
    "Warning: very strong for {his} level; bring friends.",
    "Note: immune to fire, weak against frost.",
    "Warning: poisoned blades; carry antidotes.",
    "Note: respawns after about twenty minutes.",
    "Unconfirmed: may drop a rare ring.",
};
const std::vector<std::string> kCommon = {
    "Asks for a coin; give one and {he} tells you a rumour.",
    "Knows a shortcut to {Q}.",
    "Will tell you the gossip of {P} for a drink.",
    "Runs errands for anyone who pays.",
    "Sometimes gives you a free apple.",
    "Knows who sleeps where in {P}.",
    "Has never left {P} and is proud of it.",
};
// Role-specific first sentences, by role noun.
const std::map<std::string, std::vector<std::string>> kByRole = {
    {"ferryman", {"Takes you across to {Q} for {price} crowns.", "Ferry to {Q} and back; last crossing at dusk."}},
    {"boatwoman", {"Rows you to {Q} for {price} crowns.", "Boat to {Q} and back; no crossing in fog."}},
    {"caravan master", {"Leaves for {Q} every third day; ride along for {price} crowns.",
                        "Needs guards for the caravan to {Q}."}},
    {"courier", {"Carries letters to {Q} and {R}.", "Delivers parcels to {Q}; slow but honest."}},
    {"bard", {"Sings the ballad of {R}; one verse hides a clue.", "Knows songs about hidden places; one points to {R}."}},
    {"storyteller", {"Tells the tale of the flood of {R}.", "Stories every evening; the one about {R} is true, they say."}},
    {"town crier", {"Announces the bounties of the week.", "Shouts the news from {Q} every morning."}},
    {"barber", {"Cuts hair and pulls teeth.", "Knows all the gossip of {P}."}},
    {"scribe", {"Writes and reads letters for a copper.", "Copies maps; the one of {Q} is wrong on purpose."}},
    {"banker", {"Keeps your gold; the vault in {Q} shares the same account.", "Lends money at a cruel rate."}},
    {"stable master", {"Rents horses to {Q}; return them at the stables there.",
                       "Stables your horse for {price} crowns a week."}},
    {"guide", {"Guides you to {Q} for {price} crowns.", "Knows the safe path through {wild} to {Q}."}},
    {"lamplighter", {"Knows every alley of {P}.", "Sees everything after dark; ask {him} who comes and goes."}},
    {"rat catcher", {"Pays a crown for every {N} rat tails.", "Knows the sewers of {P} and where they lead."}},
    {"reeve", {"Runs {P}; the quests of the town go through {him}.", "Pays bounties on {creature}."}},
    {"magistrate", {"Sits in judgement every seventh day; pay your fines here.", "Pardons crimes for a favour."}},
    {"tax collector", {"Collects the toll for the road to {Q}.", "Takes a tenth of everything sold at the market."}},
    {"harbourmaster", {"Sells passage to {Q} on the next ship.", "Knows every ship that docks in {P}."}},
    {"steward", {"Runs the household; hires hands for the harvest.", "Buys {item} for the kitchens of {P}."}},
    {"lord", {"Rules {P} and the lands towards {Q}.", "Grants an audience once your reputation in {P} is high."}},
    {"lady", {"Rules {P} and the lands towards {Q}.", "Grants an audience once your reputation in {P} is high."}},
    {"herald", {"Reads the proclamations; knows every coat of arms.", "Announces the tournament at {Q}."}},
    {"moneychanger", {"Changes coin from {Q} at a bad rate.", "Buys gems and gold dust."}},
    {"guildmaster", {"Head of the guild in {P}; joining costs {price} crowns.", "Sells guild tokens."}},
    {"gravedigger", {"Buries the dead of {P} and knows where the bodies are.", "Sells shovels, cheap."}},
    {"bandit chief", {"Leads the bandits that raid the road to {Q}.", "Holds prisoners from {Q} for ransom."}},
    {"smuggler", {"Smuggles wine from {Q} to {R}.", "Sells smuggled salt from {R}, no questions asked."}},
    {"poacher", {"Poaches in the woods of {P}; the hunters there pay for {his} head.", "Sells deer meat, cheap."}},
    {"necromancer", {"Raises the dead of {R}.", "Keeps {N} skeletons at the door."}},
    {"restless ghost", {"Haunts the place where {he} drowned; lay {him} to rest with {relic}.",
                        "Only visible at night; asks for {relic}."}},
    {"pirate captain", {"Raids the coast between {P} and {Q}.", "Buys stolen cargo from {R}."}},
    {"cultist", {"Preaches the end of the world near {Q}.", "Recruits in {P}; the temple there pays for names."}},
    {"witch", {"Sells curses and cures; both work.", "Trades charms for {N} {item}."}},
    {"child", {"Plays hide and seek; find {him} for a small reward.", "Tells you where the cat of the inn hides."}},
    {"drunkard", {"Gives you the password of the back room if you buy {him} three ales.", "Sings badly, loudly."}},
    {"pedlar", {"Sells {wares}.", "Sells {wares} from a tray."}},
    {"tinker", {"Offers {wares}.", "Mends pots and sells {ware1}."}},
    {"travelling merchant", {"Sells {wares}; new stock after each trip to {Q}.", "Sells {wares}."}},
    {"wandering minstrel", {"Sings for coin; the song about {R} hides a clue.", "Plays the same three songs."}},
    {"knight errant", {"Challenges every armed traveller to a duel; beat {him} for {reward}.",
                       "Looking for a worthy quest; tell {him} about {R}."}},
    {"messenger", {"Carries news from {Q}; ask {him} about the war.", "Carries sealed letters between {Q} and {R}."}},
    {"vagrant", {"Sleeps under the bridge of {Q} when it rains.", "Begs for bread, gives good advice."}},
    {"innkeeper", {"Rooms for {price} crowns a night; meals included.", "Rents rooms; the one at the top has a hidden door."}},
};

// Quest sentences.
const std::vector<std::string> kQuestGiver = {
    "Gives the quest {T}: {obj}.",
    "Starts {T}. {Obj}.",
    "Quest: {T}. {Obj}; reward: {reward}.",
    "Hands out {T} from level {level}: {obj}.",
    "{T} starts here: {obj}. Pays {reward}.",
    "Asks you to {obj} ({T}).",
    "Gives {T}, repeatable once a week: {obj}.",
};
const std::vector<std::string> kQuestHelper = {
    "Step {step} of {T}, which {G} gives in {GP}.",
    "Part of {T}: talk to {him} after {G}.",
    "In {T}, {he} knows where to look; ask about {item}.",
    "Needed for {T}; only talks if you bring {N} {item}.",
    "{T}: gives you the next clue after {G}.",
    "Helps with {T} (from {G}); {he} wants {reward} in return.",
};
const std::vector<std::string> kQuestTarget = {
    "Target of {T} (given by {G}).",
    "Killing {him} completes {T}; sparing {him} fails it.",
    "Boss of {T}. Tough at level {level}.",
    "Wanted by {G} for {T}.",
};
const std::vector<std::string> kObjective = {
    "bring {N} {item} from {QP}",                // 0
    "find {relic}, lost near {QP}",              // 1
    "find {H}, last seen in {HP}",               // 2
    "deliver {relic} to {H} in {HP}",            // 3
    "clear the {creature} out of the ruins near {QP}",  // 4
    "defeat {X} near {XP}",                      // 5
    "escort {H} to {QP}",                        // 6
    "light the old beacon above {QP}",           // 7
    "recover {relic} from {X}",                  // 8
};

// Relations, by kind; "fwd" when this character is the parent, master,
// debtor or employer.
const std::vector<std::string> kSibling = {
    "{Sib} of {C}.", "{Sib} of {C}, the {Cnoun} in {CP}.",
    "Has a {Csib} in {CP}, {C}; they have not spoken in years.",
    "{Sib} of {C}. Helping one raises your standing with the other."};
const std::vector<std::string> kParentFwd = {
    "{Parent} of {C}.", "{His} {Cchild} {C} works as a {Cnoun} in {CP}.",
    "Worries about {his} {Cchild}, {C}, who left for {CP}."};
const std::vector<std::string> kParentBack = {
    "{Child} of {C}.", "{Child} of {C}, the {Cnoun} of {CP}.",
    "{Child} of {C}; wants to leave for {Q}, against the wishes of {C}."};
const std::vector<std::string> kSpouse = {
    "Married to {C}.", "{Spouse} of {C}, the {Cnoun}.",
    "Married to {C}, who lives in {CP} most of the year."};
const std::vector<std::string> kTwin = {
    "Twin {sib} of {C}; they swap places on feast days.", "Twin of {C}. Nobody in {P} can tell them apart."};
const std::vector<std::string> kCousin = {"Cousin of {C} in {CP}.",
                                          "Cousin of {C}; the two share a grudge against the reeve."};
const std::vector<std::string> kRival = {
    "Rival of {C}; never mention {Chis} name here.", "Feuds with {C}, the {Cnoun} of {CP}, over an old debt.",
    "Hates {C}. Helping {Chim} makes {him} refuse to talk to you."};
const std::vector<std::string> kMasterFwd = {"Master of {C}, who is learning the trade.",
                                             "Trained {C}, now a {Cnoun} in {CP}."};
const std::vector<std::string> kMasterBack = {"Apprentice of {C} in {CP}.",
                                              "Learned the trade from {C}; still sends {Chim} a gift every winter."};
const std::vector<std::string> kDebtorFwd = {"Owes {price} crowns to {C}.",
                                             "In debt to {C} of {CP}; hides when {Che} comes to town."};
const std::vector<std::string> kDebtorBack = {"{C} owes {him} {price} crowns; collecting it is a small quest.",
                                              "Lent money to {C} and wants it back."};
const std::vector<std::string> kEmployerFwd = {"Employs {C}.", "{C} works for {him}; ask {Chim} if {he} is out."};
const std::vector<std::string> kEmployerBack = {"Works for {C}.", "Works for {C} in {CP}, and complains about the pay."};
const std::vector<std::string> kFriend = {"Old friend of {C}; mention {Chim} for a better welcome.",
                                          "Friend of {C} from {CP}; they fought side by side."};

// Flavour.
const std::vector<std::string> kFlavourPlace = {
    "Moved here from {R} in patch 1.2.",
    "Was in {R} before patch 1.1; old guides are wrong.",
    "Born in {R}.",
    "Comes from {R} and misses it.",
    "Knows the way to {R}, for a price.",
    "Tells the story of {R} if you buy {him} a drink.",
    "Claims to have seen {creature} near {R}.",
    "Pays {price} crowns for proof of the {creature} near {R}.",
    "Friendly once your reputation in {P} is good.",
    "Goes to the fair at {R} every summer.",
    "Has a cousin in {R}, or so {he} says.",
    "Swears the road to {R} is haunted.",
};
// Colour for outlaws and monsters.
const std::vector<std::string> kFlavourHostile = {
    "Raided {R} last winter.",
    "Escaped from the jail of {Q}.",
    "Hides stolen goods somewhere near {R}.",
    "Born in {R}; the family there pretends not to know {him}.",
    "Once {past}.",
    "{He} {quirk}.",
    "Unconfirmed: may drop a rare ring.",
    "Warning: calls for help; others come from {R}.",
};
const std::vector<std::string> kFlavourPlain = {
    "Member of {faction}.", "Secretly works for {faction}.", "Sympathises with {faction}.",
    "{He} {quirk}.", "Once {past}.",
    "Sleeps from 10pm to 6am; knock at the back door.",
    "Takes a day off every week; then you find {him} at {inn}.",
    "Goes to the temple on rest days.",
};

std::string GenderWord(int gender, const char* male, const char* female) { return gender == 2 ? female : male; }

}  // namespace

bool WriteTexts(Rng& rng, const TextContext& ctx, int who, std::string& whereabouts, std::string& notes,
                bool wantNotes, std::string* why) {
    const Words& W = WordLists();
    const Npc& me = ctx.cast[size_t(who)];
    const RoleDef& role = Roles()[size_t(me.role)];
    const PlaceRec& home = ctx.places[size_t(me.home)];
    const auto& near = ctx.near[size_t(me.home)];
    const int second = me.second >= 0 ? me.second : (near.empty() ? me.home : near[0]);
    auto ref = [&](int p) { return RefTo(rng, ctx.places[size_t(p)], ctx.uses[size_t(p)], false); };
    // A third place for one sentence: near home, named unlike home and Q, not used yet.
    std::vector<std::string> usedThird;
    auto pickThird = [&]() {
        std::vector<int> c;
        for (int p : near) {
            const std::string& m = ctx.uses[size_t(p)].mention;
            if (p != second && m != ctx.uses[size_t(me.home)].mention && m != ctx.uses[size_t(second)].mention &&
                std::find(usedThird.begin(), usedThird.end(), m) == usedThird.end())
                c.push_back(p);
        }
        if (c.empty()) return -1;
        const int p = c[size_t(rng.Int(0, int(c.size()) - 1))];
        usedThird.push_back(ctx.uses[size_t(p)].mention);
        return p;
    };
    int third = pickThird();
    auto charRef = [&](int c) { return PlaceRef{ctx.cast[size_t(c)].name, ctx.cast[size_t(c)].name}; };

    Filler f;
    const int g = me.gender;
    f.words["he"] = GenderWord(g, "he", "she");
    f.words["his"] = GenderWord(g, "his", "her");
    f.words["him"] = GenderWord(g, "him", "her");
    f.words["sib"] = GenderWord(g, "brother", "sister");
    f.words["parent"] = GenderWord(g, "father", "mother");
    f.words["child"] = GenderWord(g, "son", "daughter");
    f.words["spouse"] = GenderWord(g, "husband", "wife");
    f.words["noun"] = role.noun;
    f.words["time"] = rng.Pick(W.times);
    {
        const std::string inn = rng.Pick(W.inns);
        f.words["inn"] = inn;
        std::string spot = role.spots.empty() ? "" : rng.Pick(role.spots);
        const size_t at = spot.find("{inn}");
        if (at != std::string::npos) {
            std::string other = rng.Pick(W.inns);
            while (other == inn) other = rng.Pick(W.inns);
            spot.replace(at, 5, other);  // where one works is not where one drinks
        }
        f.words["spot"] = spot;
    }
    {
        std::vector<std::string> wares;
        for (const char* w : role.wares) wares.push_back(w);
        rng.Shuffle(wares);
        while (wares.size() < 4) wares.push_back(rng.Pick(W.items));
        f.words["ware1"] = wares[0];
        f.words["ware2"] = wares[1];
        f.words["ware4"] = wares[3];
        f.words["wares"] = ListOf({wares.begin(), wares.begin() + rng.Int(2, 3)});
        f.words["skill"] = wares[0];
        f.words["skill2"] = wares[1];
    }
    f.words["item"] = rng.Pick(W.items);
    f.words["relic"] = rng.Pick(W.relics);
    f.words["reward"] = rng.Pick(W.rewards);
    f.words["creature"] = rng.Pick(W.creatures);
    f.words["faction"] = me.faction.empty() ? rng.Pick(W.factions) : me.faction;
    f.words["wild"] = rng.Pick(W.wilds);
    f.words["lair"] = rng.Pick(W.lairs);
    f.words["quirk"] = rng.Pick(W.quirks);
    f.words["past"] = rng.Pick(W.pasts);
    f.words["N"] = std::to_string(rng.Int(3, 12));
    f.words["price"] = std::to_string(rng.Int(2, 90));
    f.words["level"] = std::to_string(rng.Int(5, 40));
    f.words["rank"] = std::to_string(rng.Int(3, 9));
    f.words["rankLow"] = std::to_string(rng.Int(1, 2));
    {
        const int a = rng.Int(0, 9);
        int b = rng.Int(0, 8);
        if (b >= a) ++b;
        f.words["gate"] = kGates[a];
        f.words["gate2"] = kGates[b];
    }
    f.words["dist"] = Distance(home, ctx.places[size_t(second)]);
    f.words["dirFrom"] = Direction(ctx.places[size_t(second)], home);  // home lies {dirFrom} of Q
    f.words["dirTo"] = Direction(home, ctx.places[size_t(second)]);
    f.links["PF"] = RefTo(rng, home, ctx.uses[size_t(me.home)], true);
    f.links["P"] = ref(me.home);
    f.links["Q"] = ref(second);
    if (third >= 0) f.links["R"] = ref(third);
    const bool twoPlaces = second != me.home && ctx.uses[size_t(second)].mention != ctx.uses[size_t(me.home)].mention;
    bool threePlaces = twoPlaces && third >= 0;
    auto usable = [&](const std::string& tpl) {
        if (!twoPlaces && tpl.find("{Q}") != std::string::npos) return false;
        if (!threePlaces && tpl.find("{R}") != std::string::npos) return false;
        if (role.spots.empty() && tpl.find("pot}") != std::string::npos) return false;
        return true;
    };

    // ---- whereabouts
    const std::vector<std::string>* wherePool = &kWhereTown;
    if (me.warden) wherePool = &kWhereWarden;
    else if (role.trade == Trade::Guard) wherePool = &kWhereGuard;
    else if (role.trade == Trade::Hostile)
        wherePool = ctx.uses[size_t(me.home)].settlement ? &kWhereHostile : &kWhereLair;
    else if (role.trade == Trade::Roamer) wherePool = &kWhereRoamer;
    Piece where;
    for (int attempt = 0; attempt < 40 && where.text.empty(); ++attempt) {
        const std::string& tpl = rng.Pick(*wherePool);
        if (!usable(tpl)) continue;
        Piece p = Make(f, tpl);
        if (p.text.size() <= 115) where = p;
    }
    if (where.text.empty()) where = Make(f, "{P}.");
    if (where.text.size() > 115) where = Piece{CapFirst(ctx.places[size_t(me.home)].name) + ".", {}};

    // ---- notes
    std::vector<Piece> pieces;
    std::vector<const std::string*> usedTemplates;  // no pattern twice in one note
    bool sameHomeAsOther = false;                  // relations: the other lives here too
    auto addFrom = [&](const std::vector<std::string>& pool, Filler& filler) {
        for (int attempt = 0; attempt < 12; ++attempt) {
            const std::string& tpl = rng.Pick(pool);
            if (!usable(tpl) || std::find(usedTemplates.begin(), usedTemplates.end(), &tpl) != usedTemplates.end())
                continue;
            if (sameHomeAsOther && tpl.find("{CP}") != std::string::npos) continue;
            usedTemplates.push_back(&tpl);
            pieces.push_back(Make(filler, tpl));
            return;
        }
    };
    if (wantNotes) {
        // What they do.
        auto byRole = kByRole.find(role.noun);
        if (me.warden) addFrom(kWarden, f);
        else if (byRole != kByRole.end() && rng.Chance(0.8)) addFrom(byRole->second, f);
        else {
            switch (role.trade) {
            case Trade::Seller: addFrom(kSell, f); if (rng.Chance(0.4)) addFrom(kSellMore, f); break;
            case Trade::Trainer: addFrom(kTeach, f); break;
            case Trade::Asker: if (me.quests.empty() || rng.Chance(0.3)) addFrom(kAsk, f); break;
            case Trade::Guard: addFrom(kGuard, f); break;
            case Trade::Clergy: addFrom(kClergy, f); break;
            case Trade::Hostile: addFrom(kHostile, f); break;
            case Trade::Roamer: addFrom(kCommon, f); break;
            case Trade::Official: case Trade::Service: case Trade::Common: addFrom(kCommon, f); break;
            }
        }
        if (role.trade == Trade::Hostile && rng.Chance(0.5)) addFrom(kHostile, f);

        // Their quests.
        for (size_t qi = 0; qi < me.quests.size() && qi < 2; ++qi) {
            const Quest& q = ctx.quests[size_t(me.quests[qi])];
            Filler fq = f;
            fq.words["T"] = q.title;
            fq.words["reward"] = q.reward;
            if (q.count > 0) {
                fq.words["item"] = q.item;
                fq.words["N"] = std::to_string(q.count);
            } else {
                fq.words["relic"] = q.item;
            }
            fq.words["level"] = std::to_string(q.minLevel);
            fq.links["QP"] = ref(q.place);
            if (q.giver >= 0 && q.giver != who) {
                fq.links["G"] = charRef(q.giver);
                fq.links["GP"] = ref(ctx.cast[size_t(q.giver)].home);
            }
            Mentions objMentions;
            if (q.giver == who) {
                Filler fo = fq;
                const int h = q.helpers.empty() ? -1 : q.helpers[0];
                if (h >= 0) {
                    fo.links["H"] = charRef(h);
                    fo.links["HP"] = ref(ctx.cast[size_t(h)].home);
                }
                if (q.target >= 0) {
                    fo.links["X"] = charRef(q.target);
                    fo.links["XP"] = ref(ctx.cast[size_t(q.target)].home);
                }
                const std::string obj = fo.Apply(kObjective[size_t(q.kind)], objMentions);
                fq.words["obj"] = obj;
                Piece p;
                for (int attempt = 0; attempt < 10; ++attempt) {
                    p = Make(fq, rng.Pick(kQuestGiver));
                    if (p.text.size() <= 300) break;
                }
                p.mentions.insert(p.mentions.end(), objMentions.begin(), objMentions.end());
                pieces.push_back(p);
            } else if (q.target == who) {
                if (q.giver >= 0) addFrom(kQuestTarget, fq);
            } else if (q.giver >= 0) {
                size_t step = 2;
                for (size_t k = 0; k < q.helpers.size(); ++k)
                    if (q.helpers[k] == who) step = k + 2;
                fq.words["step"] = std::to_string(step);
                addFrom(kQuestHelper, fq);
            }
        }

        // Their family, friends and enemies.
        std::vector<Relation> rels = me.relations;
        for (size_t ri = 0; ri < rels.size() && ri < 3; ++ri) {
            const Relation& r = rels[ri];
            const Npc& other = ctx.cast[size_t(r.other)];
            Filler fr = f;
            fr.links["C"] = charRef(r.other);
            fr.links["CP"] = ref(other.home);
            fr.words["Cnoun"] = Roles()[size_t(other.role)].noun;
            const int og = other.gender;
            fr.words["Che"] = GenderWord(og, "he", "she");
            fr.words["Chis"] = GenderWord(og, "his", "her");
            fr.words["Chim"] = GenderWord(og, "him", "her");
            fr.words["Csib"] = GenderWord(og, "brother", "sister");
            fr.words["Cchild"] = GenderWord(og, "son", "daughter");
            sameHomeAsOther = ctx.uses[size_t(other.home)].mention == ctx.uses[size_t(me.home)].mention;
            const std::vector<std::string>* pool = nullptr;
            switch (r.kind) {
            case RelKind::Sibling: pool = &kSibling; break;
            case RelKind::Parent: pool = r.forward ? &kParentFwd : &kParentBack; break;
            case RelKind::Spouse: pool = &kSpouse; break;
            case RelKind::Twin: pool = &kTwin; break;
            case RelKind::Cousin: pool = &kCousin; break;
            case RelKind::Rival: pool = &kRival; break;
            case RelKind::Master: pool = r.forward ? &kMasterFwd : &kMasterBack; break;
            case RelKind::Debtor: pool = r.forward ? &kDebtorFwd : &kDebtorBack; break;
            case RelKind::Employer: pool = r.forward ? &kEmployerFwd : &kEmployerBack; break;
            case RelKind::Friend: pool = &kFriend; break;
            }
            addFrom(*pool, fr);
            sameHomeAsOther = false;
        }

        // The one who shares a name, and the ones named like places.
        if (me.twinName) {
            for (size_t i = 0; i < ctx.cast.size(); ++i) {
                if (int(i) == who || !ctx.cast[i].twinName) continue;
                Filler ft = f;
                ft.links["O"] = charRef(int(i));
                ft.links["OP"] = ref(ctx.cast[i].home);
                pieces.push_back(Make(ft, int(i) < who ? "Not to be confused with the other {O}, who lives in {OP}; the links go to that one."
                                                      : "Not to be confused with the other {O} in {OP}."));
            }
        }
        if (me.placeNamed)
            pieces.push_back(Make(f, "Everyone calls {him} by the name of {his} home town; the links go to the town."));

        // Colour, until the note has its length.
        const int target = rng.Chance(0.25) ? rng.Int(220, 379) : rng.Int(60, 220);
        int colour = 0;
        while (colour < 4) {
            size_t len = 0;
            for (const auto& p : pieces) len += p.text.size() + 1;
            if (int(len) >= target) break;
            ++colour;
            const double roll = rng.Uniform();
            if (roll < 0.45 || role.trade == Trade::Hostile) {
                third = pickThird();
                threePlaces = twoPlaces && third >= 0;
                if (threePlaces) f.links["R"] = ref(third);
                addFrom(role.trade == Trade::Hostile ? kFlavourHostile : kFlavourPlace, f);
            }
            else if (roll < 0.65) addFrom(kFlavourPlain, f);
            else if (roll < 0.8) pieces.push_back(Make(f, rng.Pick(W.tips)));
            else if (roll < 0.92) pieces.push_back(Make(f, rng.Pick(W.rumours)));
            else {
                // a greeting to somebody living elsewhere
                const int there = pickThird();
                const std::vector<int> none;
                const auto& res = there >= 0 ? ctx.residents[size_t(there)] : none;
                if (!res.empty()) {
                    const int c = res[size_t(rng.Int(0, int(res.size()) - 1))];
                    if (c != who) {
                        Filler fg = f;
                        fg.links["C"] = charRef(c);
                        fg.links["CP"] = ref(ctx.cast[size_t(c)].home);
                        pieces.push_back(Make(fg, rng.Chance(0.5) ? "Sends greetings to {C} if you are going to {CP}."
                                                                  : "Knows {C} from {CP}; ask about the old days."));
                    }
                }
            }
        }
    }

    // Assemble within 379 bytes, dropping what does not fit; no sentence twice.
    Piece note;
    std::vector<std::string> seen;
    for (const auto& p : pieces) {
        if (std::find(seen.begin(), seen.end(), p.text) != seen.end()) continue;
        const size_t len = note.text.size() + (note.text.empty() ? 0 : 1) + p.text.size();
        if (len > 379) continue;
        if (!note.text.empty()) note.text += ' ';
        note.text += p.text;
        note.mentions.insert(note.mentions.end(), p.mentions.begin(), p.mentions.end());
        seen.push_back(p.text);
    }
    if (wantNotes && note.text.empty()) note = Make(f, "Nothing special; {he} {quirk}.");

    // The links must come out as the sentences meant them: every named place
    // or character a link, and nothing else linked.
    auto check = [&](const Piece& p, const char* field) {
        const auto links = FindLinks(p.text, ctx.links);
        for (const auto& l : links) {
            if (std::find(p.mentions.begin(), p.mentions.end(), l.phrase) == p.mentions.end()) {
                if (why) *why = std::string(field) + ": unintended link \"" + l.phrase + "\" in: " + p.text;
                return false;
            }
        }
        for (const auto& m : p.mentions) {
            bool found = false;
            for (const auto& l : links) found = found || l.phrase == m;
            if (!found) {
                if (why) *why = std::string(field) + ": \"" + m + "\" is not a link in: " + p.text;
                return false;
            }
        }
        return true;
    };
    if (!check(where, "whereabouts") || !check(note, "notes")) return false;
    whereabouts = where.text;
    notes = note.text;
    return true;
}

}  // namespace wg2
