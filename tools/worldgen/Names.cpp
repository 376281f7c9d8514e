// Name cultures: word parts per culture, joined and filtered so names stay
// pronounceable; descriptive words (Pass, Keep, Bay...) are English.
#include "Names.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace worldmap {
namespace {

using Parts = std::vector<const char*>;

struct CultureParts {
    Parts first, last;
    double hyphen;   // chance that a root is written "First-Last"
    bool syllabic;   // built from open syllables instead of parts
};

const CultureParts& Get(int c) {
    static const CultureParts k[kCultureCount] = {
        // kNorth: hard, wintry.
        {{"Skar", "Hrim", "Vald", "Brek", "Ulf", "Hald", "Sval", "Kjel", "Ros", "Eyr", "Jor", "Vig", "Ask",
          "Orm", "Gunn", "Hest", "Fros", "Ylv", "Bjar", "Sig", "Rag", "Thrand", "Var", "Hag", "Kol", "Stav",
          "Isk", "Snae", "Geir", "Alf"},
         {"vald", "fell", "holm", "gard", "vik", "strand", "heim", "stad", "borg", "nes", "dal", "ey", "vard",
          "mark", "fjall", "by", "sund", "rud", "hov", "tun", "skar", "brekka"},
         0, false},
        // kFrost: long vowels, soft endings.
        {{"Kai", "Ilm", "Tuo", "Vaa", "Lem", "Ous", "Aaj", "Pih", "Sauk", "Rii", "Kuu", "Yla", "Hel", "Mur",
          "Jaa", "Oul", "Ank", "Tiv", "Saar", "Ven", "Kem", "Inar", "Sot"},
         {"vala", "ikko", "avi", "onen", "uri", "esta", "ola", "ijo", "ukka", "ela", "anto", "imo", "usta",
          "oki", "aari", "asto", "elma"},
         0, false},
        // kWest: soft, green, sea-bound.
        {{"Bryn", "Lleth", "Gwen", "Tal", "Mael", "Cor", "Pen", "Rhos", "Glyn", "Ard", "Kil", "Dor", "Carn",
          "Llan", "Tre", "Bal", "Cael", "Eil", "Fion", "Morr", "Seil", "Tir", "Caer"},
         {"wen", "ach", "oran", "aidh", "ethin", "wyn", "ellan", "ogan", "mor", "ery", "idd", "annon", "wys",
          "elly", "ain", "lyn", "arra", "ennan"},
         0, false},
        // kHeart: flowing, old and courtly.
        {{"Vel", "Cas", "Mon", "Ser", "Lun", "Aur", "Tor", "Val", "Bel", "Cor", "Mir", "Ost", "Ver", "Pal",
          "Sol", "Riv", "Fal", "Ced", "Lor", "Ambr", "Tess", "Vin", "Alb", "Cal"},
         {"mora", "ano", "essa", "ine", "enza", "aro", "ona", "ara", "ello", "ice", "anta", "ia", "ezzo",
          "iana", "ombra", "essio", "orre", "ana", "oli", "enne"},
         0, false},
        // kDwarf: stony, often two words joined by a hyphen.
        {{"Dun", "Kar", "Gor", "Bar", "Thul", "Drak", "Mor", "Grum", "Bor", "Zar", "Kel", "Hag", "Vor", "Dol",
          "Brom", "Tark", "Orth", "Stag", "Hurn"},
         {"Varak", "Azun", "Dolm", "Tarak", "Ghor", "Kuldur", "Arn", "Durm", "Okh", "Gund", "Brak", "Hadd",
          "Zorn", "Bruk", "Ummar", "Ragh", "Keld", "Vorn", "Tamm", "Grod"},
         0.6, false},
        // kSteppe: open, horse-clan sounds.
        {{"Khar", "Tug", "Oz", "Bat", "Sar", "Kul", "Ay", "Ter", "Jal", "Ush", "Bor", "Qal", "Tem", "Uz", "Alt",
          "Sub", "Kes", "Yer", "Kor", "Nog", "Erd"},
         {"gan", "ur", "tai", "lik", "bek", "ulun", "aday", "ar", "ash", "min", "tash", "ghan", "dar", "ei",
          "suu", "ak", "bai", "ut", "tay", "egen"},
         0, false},
        // kMarch: homely compounds of the border farmers.
        {{"Ash", "Wen", "Hob", "Rook", "Mar", "Tam", "Sedge", "Wil", "Brack", "Fern", "Lang", "Kettle", "Thorn",
          "Wether", "Bram", "Cotter", "Elder", "Hollin", "Marl", "Pell", "Quill", "Rush", "Sallow", "Tansy",
          "Withy", "Yarrow", "Gorse", "Nettle", "Barrow", "Flax"},
         {"ford", "well", "mere", "thorpe", "wick", "combe", "ley", "stow", "hurst", "den", "holt", "field",
          "brook", "cote", "stead", "worth", "ham", "bury", "croft", "hithe"},
         0, false},
        // kIsles: open syllables of the sea-folk.
        {{"ka", "ma", "na", "ta", "va", "ha", "la", "ra", "pa", "ke", "me", "ne", "te", "ve", "he", "le", "re",
          "ki", "mi", "ni", "ti", "vi", "hi", "li", "ri", "ko", "mo", "no", "to", "vo", "ho", "lo", "ro",
          "ku", "mu", "nu", "tu", "hu", "lu", "ru", "ai", "au", "ei", "oa"},
         {}, 0, true},
        // kEastN: forest-kingdom sounds.
        {{"Vol", "Dra", "Zvor", "Mir", "Stav", "Rad", "Bel", "Grod", "Kras", "Lud", "Vys", "Dob", "Svet",
          "Trem", "Yar", "Zla", "Brod", "Cher", "Kov", "Lis", "Ozer", "Prel"},
         {"ovets", "ina", "ava", "ets", "ov", "ek", "ansk", "omir", "osk", "enka", "itsa", "avl", "ozh", "any",
          "uvna", "eny", "ovo", "ignev"},
         0, false},
        // kEastS: bright coastal city-states.
        {{"Thes", "Kal", "Ael", "Myr", "Pel", "Ker", "Ly", "Ast", "Eph", "Nik", "Dor", "Zan", "Ther", "Pha",
          "Kry", "Mel", "Skia", "Xan", "Iol", "Sym", "Hal"},
         {"aros", "ion", "ene", "eia", "issa", "ikon", "ara", "ymna", "othe", "andra", "os", "ossa", "ethe",
          "ira", "akos", "ymos", "ia", "eron"},
         0, false},
        // kDesert: dry, with wells, capes and forts written with a hyphen.
        {{"Zah", "Qas", "Mar", "Suf", "Tam", "Kha", "Ras", "Ur", "Anz", "Sid", "Haz", "Bek", "Jab", "Nak",
          "Sah", "Dar", "Fal", "Wad", "Mir", "Sar", "Ouz"},
         {"adra", "ir", "ar", "oun", "eth", "ima", "aleh", "ud", "esh", "ouz", "amir", "ira", "assa", "ib",
          "arra", "ush", "ahin", "abet"},
         0.22, false},
        // kSavanna: round vowels of the river-peoples.
        {{"Oz", "Kei", "Nda", "Tem", "Wa", "Lum", "Sa", "Ibe", "Gor", "Mbe", "Ku", "Zu", "Ama", "Ti", "Ngo",
          "Ba", "Eko", "Ulu", "Ra", "Do"},
         {"ani", "oro", "eku", "ala", "umbe", "isi", "onga", "aru", "ende", "awa", "ozi", "imba", "ule", "anda",
          "uru", "eti"},
         0, false},
    };
    return k[c];
}

bool IsVowel(char c) { return std::strchr("aeiouy", std::tolower(c)) != nullptr; }

// Rejects joins that are hard to say: three vowels or three equal letters in
// a row, or four consonants.
bool Sayable(const std::string& w) {
    int vowels = 0, cons = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (IsVowel(w[i])) { ++vowels; cons = 0; } else { ++cons; vowels = 0; }
        if (vowels >= 3 || cons >= 4) return false;
        if (i >= 2 && std::tolower(w[i]) == std::tolower(w[i - 1]) && w[i] == w[i - 2]) return false;
    }
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(c));
    return s;
}

}  // namespace

bool SoundsBorrowed(const std::string& word) {
    static const char* kFamous[] = {
        "mordor", "gondor", "rohan", "shire", "rivendell", "isengard", "moria", "erebor", "valinor", "narnia",
        "hyrule", "azeroth", "tamriel", "skyrim", "westeros", "essos", "winterfell", "faerun", "krynn", "eberron",
        "golarion", "midgard", "asgard", "vanaheim", "elsweyr", "morrowind", "hammerfell", "skellige", "novigrad",
        "temeria", "nilfgaard", "lorien", "mirkwood", "numenor", "beleriand", "arnor", "angmar", "eriador",
        "khazad", "baldur", "neverwinter", "waterdeep", "cormyr", "kalimdor", "lordaeron", "stormwind",
        "ironforge", "orgrimmar", "dalaran", "pandaria", "arrakis", "lankhmar", "earthsea", "gormenghast",
        "hogwarts", "tatooine", "umbar", "harad", "dorne", "braavos", "meereen", "qarth", "solitude", "whiterun",
        "riften", "markarth", "dawnstar", "falkreath", "helgen", "riverwood", "cyrodiil", "vvardenfell",
        "ferelden", "orlais", "kirkwall", "denerim", "thedas", "sigil", "oerth", "greyhawk", "toril", "athas",
        "mystara", "calimport", "luskan", "menzoberr", "zendikar", "dominaria", "ravnica", "amonkhet",
        "hyboria", "aquilonia", "cimmeria", "stygia", "zamora", "lyonesse", "avalon", "camelot", "atlantis",
        "lemuria", "valyria", "qohor", "volantis", "kaer", "tolkien", "elrond", "arda", "maui", "oahu", "hawaii",
        "tahiti", "moana", "fiji", "samoa", "tonga", "kona", "luna", "mars", "alfheim", "jotunheim",
        "niflheim", "muspelheim", "helheim", "uzbek", "kazakh", "tajik", "oslo", "bergen", "london",
    };
    const std::string w = Lower(word);
    for (const char* f : kFamous) {
        const size_t n = std::strlen(f);
        if (n >= 5 ? w.find(f) != std::string::npos : w == f) return true;
    }
    return false;
}

std::string NameMaker::RawRoot(int culture) {
    const CultureParts& c = Get(culture);
    if (c.syllabic) {
        const int n = m_rng.Chance(0.55) ? 3 : (m_rng.Chance(0.6) ? 2 : 4);
        std::string w;
        for (int i = 0; i < n; ++i) w += m_rng.Pick(c.first);
        w[0] = char(std::toupper(w[0]));
        return w;
    }
    const std::string a = m_rng.Pick(c.first);
    std::string b = m_rng.Pick(c.last);
    if (c.hyphen > 0 && m_rng.Chance(c.hyphen)) {
        if (culture == kDesert) {
            static const Parts kDesertHead = {"Ras", "Bir", "Qal", "Dar", "Ain", "Wadi"};
            return std::string(m_rng.Pick(kDesertHead)) + "-" + a + b.substr(0, b.size() > 3 ? 3 : b.size());
        }
        b[0] = char(std::toupper(b[0]));
        return a + "-" + b;
    }
    b[0] = char(std::tolower(b[0]));
    if (m_rng.Chance(0.3) && a.size() + b.size() <= 9) {
        // A linking syllable taken from another ending: "Skar" + "ve" + "holm".
        std::string mid = m_rng.Pick(c.last);
        mid = mid.substr(0, 2);
        mid[0] = char(std::tolower(mid[0]));
        if (IsVowel(a.back()) != IsVowel(mid[0]) && IsVowel(mid[1]) != IsVowel(b[0])) b = mid + b;
    }
    // Avoid a doubled letter at the join that reads badly ("Hestt").
    if (!a.empty() && !b.empty() && a.back() == b[0] && !IsVowel(b[0]) && b.size() > 2) b = b.substr(1);
    return a + b;
}

std::string NameMaker::Root(int culture) {
    for (int tries = 0; tries < 400; ++tries) {
        std::string w = RawRoot(culture);
        if (w.size() < 4 || w.size() > 13) continue;
        const size_t dash = w.find('-');
        if (!Sayable(dash == std::string::npos ? w : w.substr(dash + 1))) continue;
        if (SoundsBorrowed(w) || m_roots.count(w)) continue;
        m_roots.insert(w);
        return w;
    }
    return "Nameless";
}

std::string NameMaker::Name(int culture, int type, int level, const char* pattern, std::string* rootOut) {
    static const Parts kFort = {"%s Keep", "Fort %s", "%s Watch", "Castle %s", "%s Tower", "%s Citadel",
                                "%s Bastion", "%s Hold"};
    static const Parts kTemple = {"Temple of %s", "Shrine of %s", "%s Abbey", "%s Priory", "Sanctum of %s",
                                  "%s Monastery", "Chapel of %s", "%s Hermitage", "Oracle of %s",
                                  "Shrine of Saint %s", "Temple of the %s Flame"};
    static const Parts kRuin = {"Ruins of %s", "Old %s", "%s Ruins", "Fallen %s", "%s Barrow", "Tomb of %s",
                                "%s Cairn", "Broken %s"};
    static const Parts kPass = {"%s Pass", "Pass of %s", "%s Gap", "%s Saddle", "%s Col", "%s Notch"};
    static const Parts kMine = {"%s Mine", "%s Mines", "%s Quarry", "%s Delvings", "%s Diggings", "%s Pits"};
    static const Parts kCave = {"%s Cave", "Caves of %s", "%s Grotto", "%s Hollow", "%s Lair", "%s Deeps",
                                "%s Den", "%s Caverns"};
    static const Parts kPort = {"%s", "%s Haven", "Port %s", "%s Harbour", "%s Landing", "%s Quay", "%s Wharf",
                                "%s Anchorage", "%s Moorings"};
    static const Parts kVillage = {"%s", "%s", "%s", "Upper %s", "Lower %s", "%s Cross", "%s Farm", "%s Mill",
                                   "%s Green", "%s Crossing", "%s Hollow", "%s Bridge", "Little %s", "%s Orchard",
                                   "%s Wells", "%s End", "%s Steading", "%s Heath", "%s Fold", "%s Vale",
                                   "%s Rise", "%s Meadows", "%s Brook", "Nether %s"};
    static const Parts kTown = {"%s", "%s", "%s", "%s Market", "%s Bridge", "%s Ford", "Great %s", "%s Crossing",
                                "%s Vale", "%s Gate", "%s Reach", "Market %s", "%s Hall", "%s Fair"};
    for (int tries = 0; tries < 200; ++tries) {
        const char* pat = pattern;
        if (!pat) {
            switch (type) {
                case 22: pat = m_rng.Pick(kFort); break;
                case 23: pat = m_rng.Pick(kTemple); break;
                case 24: pat = m_rng.Pick(kRuin); break;
                case 25: pat = m_rng.Pick(kPass); break;
                case 26: pat = m_rng.Pick(kMine); break;
                case 27: pat = m_rng.Pick(kCave); break;
                case 21: pat = level <= 2 ? "%s" : m_rng.Pick(kPort); break;
                case 20: pat = m_rng.Pick(kVillage); break;
                case 19: pat = m_rng.Pick(kTown); break;
                default: pat = "%s"; break;
            }
        }
        std::string name;
        const std::string root = Root(culture);
        for (const char* p = pat; *p; ++p) {
            if (p[0] == '%' && p[1] == 's') { name += root; ++p; } else { name += *p; }
        }
        if (name.size() < 3 || name.size() > 39 || m_used.count(name)) continue;
        m_used.insert(name);
        if (rootOut) *rootOut = root;
        return name;
    }
    return "Unnamed";
}

}  // namespace worldmap
