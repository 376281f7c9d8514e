// Stage 2 (characters), the parts that its files share: the word lists and
// role table (CharacterData.cpp), the name forge (CharacterNames.cpp) and the
// writer of whereabouts and notes (CharacterTexts.cpp). Characters.cpp runs
// them, checks every figure the table must meet and writes the two tables.
#pragma once
#include "npc/CrossLinker.h"
#include "npc/Tokenizer.h"
#include "Rng.h"
#include "World.h"

#include <set>
#include <string>
#include <vector>

namespace wg2 {

// ---------------------------------------------------------------- word lists

// What a character does; decides the spot, the trade and the sentences.
enum class Trade { Seller, Trainer, Asker, Guard, Official, Clergy, Service, Hostile, Common, Roamer };

struct RoleDef {
    const char* noun;                 // "armourer": "the armourer of Kelwick"
    Trade trade;
    int weight;                       // how often the role is dealt
    int gender;                       // 0 either, 1 male, 2 female
    std::vector<const char*> spots;   // where in a town: "the forge behind the market"
    std::vector<const char*> wares;   // what a seller sells, a trainer teaches, an asker wants
};

const std::vector<RoleDef>& Roles();

// Plain word lists (CharacterData.cpp).
struct Words {
    std::vector<const char*> times;       // "at night", "from dawn to noon"
    std::vector<const char*> inns;        // "the Drowsy Heron"
    std::vector<const char*> items;       // plural gatherables: "frostcap mushrooms"
    std::vector<const char*> relics;      // singular quest objects: "the Reeve's seal"
    std::vector<const char*> creatures;   // plural: "mire stalkers"
    std::vector<const char*> factions;    // "the Salt Wardens"
    std::vector<const char*> rewards;     // "a ring of grey iron"
    std::vector<const char*> questAdj, questNoun;  // quest titles
    std::vector<const char*> questTitles;           // hand-made quest titles
    std::vector<const char*> wilds;       // "the woods", "the hills" (camps, lairs)
    std::vector<const char*> lairs;       // "a cave", "the ruined mill"
    std::vector<const char*> rumours;     // complete flavour sentences without names
    std::vector<const char*> tips;        // complete player tips without names
    std::vector<const char*> quirks;      // "hums while working" (after "He ")
    std::vector<const char*> pasts;       // "a deserter of the Thornwall garrison" (after "Once ")
    std::vector<const char*> bannedNames; // names from well-known books and games: never made
};
const Words& WordLists();

// ---------------------------------------------------------------- the cast

enum class RelKind { Sibling, Parent, Spouse, Rival, Master, Debtor, Employer, Friend, Twin, Cousin };

struct Relation {
    RelKind kind;
    int other;    // character index
    bool forward; // true: "this is the parent/master/debtor/employer of other"
};

struct Quest {
    std::string title;          // with its quotes: "\"The Drowned Bell\""
    int giver = -1;
    std::vector<int> helpers;   // further characters of the quest, in step order
    int target = -1;            // a hostile character to defeat, or -1
    int place = -1;             // where the objective lies (place index)
    std::string item;           // what to bring or recover
    int count = 0;              // how many of item (0: a single relic)
    std::string reward;
    int kind = 0;               // objective pattern
    int minLevel = 1;
};

struct Npc {
    std::string name;
    bool mentionable = false;   // texts may name this character (it links to itself)
    int role = 0;               // index into Roles()
    int gender = 1;             // 1 he, 2 she
    int home = -1;              // place index
    int second = -1;            // another place on its rounds, or -1
    std::string spot;
    std::vector<Relation> relations;
    std::vector<int> quests;    // indices into the quest list
    std::string faction;        // empty or a faction
    bool placeNamed = false;    // one of the two characters named like a place
    bool twinName = false;      // one of the two characters sharing a name
    bool warden = false;        // one of the fourteen gate wardens
    bool tail = false;          // stored after the table's end, never shown
    bool emptyNotes = false;
    std::string whereabouts, notes;
};

// A place as the texts name it.
struct PlaceUse {
    int index = -1;
    std::string mention;       // "Kelwick", or "Velmora" for "Velmora, Harbour Ward"
    std::string apostrophe;    // "Dun'Carrow" for "Dun-Carrow", else empty
    bool district = false;     // the name is "City, District"
    bool settlement = false;   // a place where people live and trade
    bool wild = false;         // a place outside towns (woods, hills, ruins)
};

// ---------------------------------------------------------------- the stages

// Invents the names of `count` characters (index order = table order; the
// last ones are the tail) and fills Npc::name, gender, placeNamed, twinName,
// warden, mentionable. Names obey the table's naming rules and are chosen so
// that a text naming a mentionable character links to exactly that name.
void ForgeNames(Rng& rng, std::vector<Npc>& cast, int mainCount, const std::vector<PlaceRec>& places,
                const std::vector<PlaceUse>& uses, const CLinkTargets& placesOnly);

// Gives relatives one family name where both carry the plain "First Surname"
// form (siblings, twins, parents and children, some spouses and cousins),
// keeping every naming rule of ForgeNames.
void ShareFamilyNames(Rng& rng, std::vector<Npc>& cast, const CLinkTargets& placesOnly);

// Writes whereabouts and notes of one character. `links` knows the places
// and the main table's names. Returns false when the text's links do not come
// out as intended (the caller then draws again).
struct TextContext {
    const std::vector<PlaceRec>& places;
    const std::vector<PlaceUse>& uses;          // by place index (index -1: not mentionable)
    const std::vector<std::vector<int>>& near;  // by place index: nearby mentionable places, nearest first
    const std::vector<std::vector<int>>& residents;  // by place index: mentionable main characters living there
    const std::vector<Npc>& cast;
    const std::vector<Quest>& quests;
    const CLinkTargets& links;
};
bool WriteTexts(Rng& rng, const TextContext& ctx, int who, std::string& whereabouts, std::string& notes,
                bool wantNotes, std::string* why);

// How one sentence names a place: what stands in the text, and the phrase of
// it that the cross-linker turns into a link.
struct PlaceRef {
    std::string display;  // "Velmora, Harbour Ward", "the Harbour Ward of Velmora", "Dun'Carrow"
    std::string mention;  // "Velmora", "Dun'Carrow"
};
// `full`: a district may show as "City, District" (else the city alone or
// "the District of City").
PlaceRef RefTo(Rng& rng, const PlaceRec& place, const PlaceUse& use, bool full);
std::string Direction(const PlaceRec& from, const PlaceRec& to);  // "north-east"
std::string Distance(const PlaceRec& from, const PlaceRec& to);   // "an hour's walk"

}  // namespace wg2
