// Stage 3 of the world generator: the spell finder's four tables
// (res/effects.tsv, spells.tsv, vendors.tsv, locations.tsv), in French.
//
// The shape of the effect tree is decided first (which effects have no
// spell, one spell, or two to fourteen), then names, keys and ids are dealt
// to fit it; vendors get their spells by a randomised greedy that favours the
// vendors with the most room left and those of the spell's school (dealt
// again with less noise if a vendor ends short), so every count comes out
// exact. A model of
// the dialog's tree and every figure the tables must meet are checked before
// writing.
#include "GenCommon.h"
#include "Rng.h"
#include "Spells.h"
#include "World.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <unordered_set>

namespace wg2 {
namespace {

constexpr int kEffects = 137;
constexpr int kSpells = 325;
constexpr int kVendors = 86;
constexpr int kLocations = 63;
constexpr int kVendorSlots = 1355;
constexpr int kNoSpell = 21, kOneSpell = 54, kManySpells = 62, kSpellsBeneath = 271;
constexpr int kWanderer = 48;  // the 49th vendor record: location unknown

struct Effect {
    const EffectDef* def;
    std::string name;
    int key = -1;
    int spellCount = 0;
    double weight = 0;
};
struct Spell {
    std::string name;
    int effectKey;
    int id = 0;
    SpellSchool school;
    double popularity;
};
struct Vendor {
    std::string name;
    int location = 0;
    std::vector<int> spellIds;
    SpellSchool favourite, second;
};

void Check(bool ok, const std::string& what) {
    if (!ok) Fail("spell tables self-check: " + what);
}

// Spell names of one effect: a head noun and one of the effect's complements,
// sometimes an adjective that agrees with the head.
std::vector<std::string> NameSpells(Rng& rng, const EffectDef& def, int count, std::unordered_set<std::string>& used) {
    std::vector<std::string> plain, adorned;
    std::map<std::string, std::string> complementOf;
    for (const auto& h : def.heads.empty() ? SpellHeads(def.school) : def.heads) {
        for (const char* c : def.complements) {
            if (LowerAscii(c).find(LowerAscii(h.word)) != std::string::npos) continue;  // no "Songe du songe"
            plain.push_back(std::string(h.word) + " " + c);
            complementOf[plain.back()] = c;
            for (const auto& a : SpellAdjectives()) {
                const char* form = h.gender == 'm' ? a.m : h.gender == 'f' ? a.f : h.gender == 'M' ? a.mp : a.fp;
                adorned.push_back(std::string(h.word) + " " + c + " " + form);
                complementOf[adorned.back()] = c;
            }
        }
    }
    rng.Shuffle(plain);
    rng.Shuffle(adorned);
    // Mostly plain names; an adjective now and then.
    std::vector<std::string> order;
    size_t p = 0, a = 0;
    while (p < plain.size() || a < adorned.size()) {
        if (p < plain.size() && (a >= adorned.size() || rng.Chance(0.88))) order.push_back(plain[p++]);
        else order.push_back(adorned[a++]);
    }
    std::vector<std::string> out;
    std::set<std::string> headsTaken;
    std::map<std::string, int> complementUses;
    const int complementCap = (count + int(def.complements.size()) - 1) / int(def.complements.size());
    for (int pass = 0; pass < 2 && int(out.size()) < count; ++pass) {
        for (const auto& n : order) {
            if (int(out.size()) == count) break;
            if (Utf8Length(n) > 31 || used.count(LowerAscii(n))) continue;
            // first pass: one name per head noun and complements spread evenly, for variety
            const std::string head = n.substr(0, n.find(' '));
            if (pass == 0 && (headsTaken.count(head) || complementUses[complementOf[n]] >= complementCap)) continue;
            headsTaken.insert(head);
            ++complementUses[complementOf[n]];
            used.insert(LowerAscii(n));
            out.push_back(n);
        }
    }
    if (int(out.size()) != count) Fail(std::string("spell tables: not enough spell names for ") + def.name);
    return out;
}

std::string VendorName(Rng& rng, bool wanderer) {
    const VendorWords& w = VendorVocabulary();
    const bool female = rng.Chance(0.5);
    const std::string first = female ? rng.Pick(w.femaleNames) : rng.Pick(w.maleNames);
    if (wanderer) return first + (female ? " la Colporteuse" : " le Colporteur");
    const std::string title = female ? rng.Pick(w.femaleTitles) : rng.Pick(w.maleTitles);
    const std::string epithet = female ? rng.Pick(w.femaleEpithets) : rng.Pick(w.maleEpithets);
    const double r = rng.Uniform();
    if (r < 0.4) return title + " " + first;
    if (r < 0.85) return first + " " + epithet;
    if (r < 0.95) return title + " " + first + " " + epithet;
    return first;
}

}  // namespace
}  // namespace wg2

void GenerateSpellTables(unsigned long long seed, const std::vector<PlaceRec>& places, const std::string& outDir) {
    using namespace wg2;
    Rng rng = Rng(seed).Fork("spells");
    const auto& defs = EffectDefs();
    Check(defs.size() == size_t(kEffects), "the vocabulary holds " + std::to_string(defs.size()) + " effects");

    // ---- 1. The shape: which effects get none, one, or several spells.
    std::vector<Effect> effects;
    for (const auto& d : defs) effects.push_back({&d, d.name, -1, 0, d.weight * rng.Uniform(0.6, 1.4)});
    std::vector<int> byWeight(kEffects);
    for (int i = 0; i < kEffects; ++i) byWeight[size_t(i)] = i;
    std::stable_sort(byWeight.begin(), byWeight.end(),
                     [&](int a, int b) { return effects[size_t(a)].weight > effects[size_t(b)].weight; });
    std::vector<int> many(byWeight.begin(), byWeight.begin() + kManySpells);
    std::vector<int> one(byWeight.begin() + kManySpells, byWeight.begin() + kManySpells + kOneSpell);
    std::vector<int> none(byWeight.begin() + kManySpells + kOneSpell, byWeight.end());
    for (int e : many) effects[size_t(e)].spellCount = 2;
    for (int e : one) effects[size_t(e)].spellCount = 1;
    effects[size_t(many.front())].spellCount = 14;  // the richest effect is full
    int left = kSpellsBeneath - 14 - 2 * (kManySpells - 1);
    while (left > 0) {  // the rest by weight; the poorest of the many keeps two
        double total = 0;
        for (size_t k = 1; k + 1 < many.size(); ++k)
            if (effects[size_t(many[k])].spellCount < 14) total += effects[size_t(many[k])].weight;
        double r = rng.Uniform() * total;
        for (size_t k = 1; k + 1 < many.size(); ++k) {
            Effect& e = effects[size_t(many[k])];
            if (e.spellCount >= 14) continue;
            r -= e.weight;
            if (r <= 0 || k + 2 == many.size()) {
                ++e.spellCount;
                --left;
                break;
            }
        }
    }

    // ---- 2. Keys: a permutation of 0..136; 132..136 go to effects without spells.
    {
        std::vector<int> low(132);
        for (int k = 0; k < 132; ++k) low[size_t(k)] = k;
        rng.Shuffle(low);
        rng.Shuffle(none);
        size_t next = 0;
        for (size_t k = 0; k < none.size(); ++k)
            effects[size_t(none[k])].key = k < 5 ? 132 + int(k) : low[next++];
        for (auto* group : {&one, &many})
            for (int e : *group) effects[size_t(e)].key = low[next++];
        Check(next == low.size(), "effect keys not all dealt");
    }

    // ---- 3. Spells: names by effect, two names given twice, ids 26..965.
    std::vector<Spell> spells;
    std::unordered_set<std::string> usedNames;
    for (const auto& d : defs) usedNames.insert(LowerAscii(d.name));  // no spell is named like an effect
    for (auto& e : effects) {
        if (e.spellCount == 0) continue;
        for (const auto& n : NameSpells(rng, *e.def, e.spellCount, usedNames))
            spells.push_back({n, e.key, 0, e.def->school, e.weight * rng.Uniform(0.3, 1.7)});
    }
    Check(spells.size() == size_t(kSpells), "spell count " + std::to_string(spells.size()));
    {
        // Two effects each list one spell name twice (two ranks of one spell, as it were).
        std::vector<int> candidates;
        for (int e : many)
            if (effects[size_t(e)].spellCount >= 3) candidates.push_back(effects[size_t(e)].key);
        rng.Shuffle(candidates);
        for (int k = 0; k < 2; ++k) {
            std::vector<size_t> of;
            for (size_t s = 0; s < spells.size(); ++s)
                if (spells[s].effectKey == candidates[size_t(k)]) of.push_back(s);
            spells[of[1]].name = spells[of[0]].name;
        }
    }
    {
        std::vector<int> ids;
        for (int id = 27; id <= 964; ++id) ids.push_back(id);
        rng.Shuffle(ids);
        ids.resize(kSpells - 2);
        ids.push_back(26);
        ids.push_back(965);
        rng.Shuffle(ids);
        for (size_t s = 0; s < spells.size(); ++s) spells[s].id = ids[s];
        std::sort(spells.begin(), spells.end(), [](const Spell& a, const Spell& b) { return a.id < b.id; });
    }

    // ---- 4. Locations: our places, with a French position.
    std::vector<std::string> locations;
    {
        std::map<std::string, int> nameCount;
        for (const auto& p : places) ++nameCount[p.name];
        std::vector<int> towns;
        for (size_t i = 0; i < places.size(); ++i) {
            const PlaceRec& p = places[i];
            if (!IsSettlement(p) || p.type == 26 || p.level > 4 || p.name.size() > 34 || nameCount[p.name] > 1) continue;
            towns.push_back(int(i));
        }
        std::stable_sort(towns.begin(), towns.end(),
                         [&](int a, int b) { return places[size_t(a)].level < places[size_t(b)].level; });
        if (towns.size() > 90) towns.resize(90);  // the larger places
        Check(towns.size() >= 20, "fewer than 20 places fit for vendor locations");
        rng.Shuffle(towns);
        const auto& positions = VendorVocabulary().positions;
        std::set<std::string> seen;
        const size_t distinctPlaces = std::min<size_t>(towns.size(), 41);
        for (int k = 0; k < 5000 && int(locations.size()) < kLocations; ++k) {
            const int place = towns[locations.size() < distinctPlaces ? locations.size()
                                                                     : size_t(rng.Int(0, int(distinctPlaces) - 1))];
            const std::string loc = places[size_t(place)].name + ", " + rng.Pick(positions);
            if (Utf8Length(loc) > 62 || !seen.insert(loc).second) continue;
            locations.push_back(loc);
        }
        Check(locations.size() == size_t(kLocations), "could not make 63 locations");
    }

    // ---- 5. Vendors: how many spells each sells, and how many vendors sell each spell.
    std::vector<Vendor> vendors(static_cast<size_t>(kVendors));
    {
        std::set<std::string> seen;
        for (int v = 0; v < kVendors; ++v) {
            std::string n;
            do n = VendorName(rng, v == kWanderer);
            while (!seen.insert(LowerAscii(n)).second);
            vendors[size_t(v)].name = n;
            vendors[size_t(v)].favourite = SpellSchool(rng.Int(0, 10));
            vendors[size_t(v)].second = SpellSchool(rng.Int(0, 10));
        }
        std::vector<int> order(kVendors);
        for (int v = 0; v < kVendors; ++v) order[size_t(v)] = v;
        order.erase(order.begin() + kWanderer);
        rng.Shuffle(order);
        for (size_t k = 0; k < order.size(); ++k)
            vendors[size_t(order[k])].location = k < size_t(kLocations) ? int(k) : rng.Int(0, kLocations - 1);
        vendors[size_t(kWanderer)].location = 65535;
    }
    std::vector<int> room(static_cast<size_t>(kVendors));  // spells each vendor sells
    {
        int sum = 0;
        for (auto& r : room) sum += (r = rng.Int(5, 27));
        const int lo = rng.Int(0, kVendors - 1);
        int hi = rng.Int(0, kVendors - 2);
        if (hi >= lo) ++hi;
        sum += 5 - room[size_t(lo)] + 27 - room[size_t(hi)];
        room[size_t(lo)] = 5;
        room[size_t(hi)] = 27;
        while (sum != kVendorSlots) {
            const int v = rng.Int(0, kVendors - 1);
            if (v == lo || v == hi) continue;
            if (sum < kVendorSlots && room[size_t(v)] < 27) ++room[size_t(v)], ++sum;
            else if (sum > kVendorSlots && room[size_t(v)] > 5) --room[size_t(v)], --sum;
        }
    }
    std::vector<int> sold(spells.size());  // vendors per spell
    {
        // Popular spells (common effects) are sold widely, rare ones by one vendor.
        std::vector<size_t> byPop(spells.size());
        for (size_t s = 0; s < spells.size(); ++s) byPop[s] = s;
        std::stable_sort(byPop.begin(), byPop.end(),
                         [&](size_t a, size_t b) { return spells[a].popularity > spells[b].popularity; });
        int sum = 0;
        for (size_t k = 0; k < byPop.size(); ++k) {
            const double rank = double(k) / double(byPop.size());  // 0 most popular
            const double u = rng.Uniform();
            int n = 1 + int((1.0 - rank) * (1.0 - rank) * 9.0 + u * 3.0);
            n = std::clamp(n, 1, 17);
            sold[byPop[k]] = n;
            sum += n;
        }
        sold[byPop.front()] = 17;
        sold[byPop.back()] = 1;
        sum = 0;
        for (int n : sold) sum += n;
        while (sum != kVendorSlots) {
            const size_t k = size_t(rng.Int(1, int(byPop.size()) - 2));
            int& n = sold[byPop[k]];
            if (sum < kVendorSlots && n < 16) ++n, ++sum;
            else if (sum > kVendorSlots && n > 1) --n, --sum;
        }
    }
    {
        bool done = false;
        // Much noise first, so that no two vendors sell the same list; less if
        // the noisy deal leaves a vendor short.
        for (int attempt = 0; attempt < 12 && !done; ++attempt) {
            const int bonus = attempt < 6 ? 30 : 10;
            const int noise = attempt < 3 ? 250 : attempt < 6 ? 100 : 20;
            std::vector<int> left = room;
            for (auto& v : vendors) v.spellIds.clear();
            std::vector<size_t> order(spells.size());
            for (size_t s = 0; s < spells.size(); ++s) order[s] = s;
            rng.Shuffle(order);  // spells in random order: vendors' lists then differ
            bool ok = true;
            for (size_t s : order) {
                std::vector<std::pair<int, int>> scored;  // (score, vendor)
                for (int v = 0; v < kVendors; ++v) {
                    if (left[size_t(v)] == 0) continue;
                    const bool likes = vendors[size_t(v)].favourite == spells[s].school ||
                                       vendors[size_t(v)].second == spells[s].school;
                    scored.emplace_back(left[size_t(v)] * 10 + (likes ? bonus * 10 : 0) + rng.Int(0, noise), v);
                }
                if (int(scored.size()) < sold[s]) {
                    ok = false;
                    break;
                }
                std::stable_sort(scored.begin(), scored.end(), [](auto& a, auto& b) { return a.first > b.first; });
                for (int k = 0; k < sold[s]; ++k) {
                    const int v = scored[size_t(k)].second;
                    vendors[size_t(v)].spellIds.push_back(spells[s].id);
                    --left[size_t(v)];
                }
            }
            for (int l : left) ok = ok && l == 0;
            if (ok) {
                done = true;
                std::cout << "spells: vendors dealt at attempt " << attempt + 1 << " (school bonus " << bonus
                          << ", noise " << noise << ")\n";
            }
        }
        Check(done, "the vendors' spells could not be dealt");
        for (auto& v : vendors) std::sort(v.spellIds.begin(), v.spellIds.end());
    }

    // ---- 6. Records in table order; the effect records in their own order.
    std::vector<Effect> effectRecords = effects;
    rng.Shuffle(effectRecords);

    // ---- 7. Self-check: every figure the tables must meet, and the dialog's tree.
    {
        // effects
        Check(effectRecords.size() == size_t(kEffects), "137 effects");
        std::set<int> keys;
        std::set<std::string> names;
        bool inOrder = true;
        for (size_t i = 0; i < effectRecords.size(); ++i) {
            const auto& e = effectRecords[i];
            keys.insert(e.key);
            Check(names.insert(LowerAscii(e.name)).second, "effect name twice: " + e.name);
            Check(Utf8Length(e.name) <= 35 && FitsWindows1252(e.name), "effect name: " + e.name);
            inOrder = inOrder && e.key == int(i);
        }
        Check(keys.size() == size_t(kEffects) && *keys.begin() == 0 && *keys.rbegin() == kEffects - 1,
              "effect keys are not a permutation of 0..136");
        Check(!inOrder, "effect keys are in record order");
        // spells
        Check(spells.size() == size_t(kSpells), "325 spells");
        std::set<int> ids;
        std::map<std::string, std::vector<const Spell*>> byName;
        for (const auto& s : spells) {
            Check(s.effectKey >= 0 && s.effectKey <= 131 && keys.count(s.effectKey), "spell effect key");
            Check(s.id >= 26 && s.id <= 965 && ids.insert(s.id).second, "spell id");
            Check(Utf8Length(s.name) <= 31 && FitsWindows1252(s.name), "spell name: " + s.name);
            byName[LowerAscii(s.name)].push_back(&s);
        }
        Check(ids.count(26) && ids.count(965), "spell ids 26 and 965 both used");
        int twice = 0;
        for (const auto& [n, v] : byName) {
            Check(v.size() <= 2, "a spell name more than twice: " + n);
            if (v.size() == 2) {
                ++twice;
                Check(v[0]->effectKey == v[1]->effectKey && v[0]->id != v[1]->id, "shared spell name: " + n);
            }
        }
        Check(twice == 2, "exactly two spell names occur twice");
        // vendors and locations
        Check(vendors.size() == size_t(kVendors), "86 vendors");
        int slots = 0;
        std::map<int, int> sellers;
        std::set<int> usedLocations;
        for (size_t v = 0; v < vendors.size(); ++v) {
            const auto& vd = vendors[v];
            Check(vd.spellIds.size() >= 5 && vd.spellIds.size() <= 27, "vendor list length");
            std::set<int> mine(vd.spellIds.begin(), vd.spellIds.end());
            Check(mine.size() == vd.spellIds.size(), "a spell twice in one vendor");
            for (int id : vd.spellIds) {
                Check(ids.count(id) > 0, "a vendor sells an unknown spell");
                ++sellers[id];
            }
            slots += int(vd.spellIds.size());
            Check(FitsWindows1252(vd.name), "vendor name");
            if (int(v) == kWanderer) Check(vd.location == 65535, "the 49th vendor carries 65535");
            else {
                Check(vd.location >= 0 && vd.location < kLocations, "vendor location index");
                usedLocations.insert(vd.location);
            }
        }
        Check(slots == kVendorSlots, "1355 spell ids in the vendor lists");
        for (int id : ids) Check(sellers[id] >= 1 && sellers[id] <= 17, "every spell sold by 1 to 17 vendors");
        Check(usedLocations.size() == size_t(kLocations), "every location used");
        std::set<std::string> locSet;
        for (const auto& l : locations)
            Check(locSet.insert(l).second && Utf8Length(l) <= 62 && FitsWindows1252(l), "location: " + l);
        // the tree
        std::vector<TreeEffect> te;
        for (const auto& e : effectRecords) te.push_back({e.name, e.key});
        std::vector<TreeSpell> ts;
        for (const auto& s : spells) ts.push_back({s.name, s.effectKey, s.id});
        const TreeOutcome t = BuildAndFlattenTree(te, ts);
        std::cout << "spells: tree: " << t.removed << " effects removed, " << t.replaced << " replaced by their spell, "
                  << t.kept << " kept with " << t.minKeptChildren << " to " << t.maxKeptChildren << " spells; "
                  << t.rootItems << " root items, " << t.beneath << " spells beneath effects\n";
        Check(t.removed == kNoSpell && t.replaced == kOneSpell && t.kept == kManySpells, "tree pass counts");
        Check(t.minKeptChildren == 2 && t.maxKeptChildren == 14, "kept effects hold 2 to 14 spells");
        Check(t.rootItems == 116 && t.beneath == kSpellsBeneath, "tree totals");
        // binary sizes the compiler will produce (Windows-1252: one byte a character)
        size_t eb = 1, sb = 1, vb = 1, lb = 1;
        for (const auto& e : effectRecords) eb += Utf8Length(e.name) + 1 + 2;
        for (const auto& s : spells) sb += Utf8Length(s.name) + 1 + 4;
        for (const auto& v : vendors) vb += Utf8Length(v.name) + 1 + 2 + 2 * v.spellIds.size() + 2;
        for (const auto& l : locations) lb += Utf8Length(l) + 1;
        std::cout << "spells: " << kEffects << " effects, " << kSpells << " spells (ids 26..965, 2 names twice), "
                  << kVendors << " vendors (" << slots << " ids), " << kLocations << " locations; binary sizes "
                  << eb << ", " << sb << ", " << vb << ", " << lb << " bytes\n";
    }

    // ---- 8. Write.
    TsvTable et("effects.tsv", {"name", "key"});
    for (const auto& e : effectRecords) et.Add({e.name, std::to_string(e.key)});
    TsvTable st("spells.tsv", {"name", "effect", "id"});
    for (const auto& s : spells) st.Add({s.name, std::to_string(s.effectKey), std::to_string(s.id)});
    TsvTable vt("vendors.tsv", {"name", "location", "spells"});
    for (const auto& v : vendors) {
        std::vector<std::string> idText;
        for (int id : v.spellIds) idText.push_back(std::to_string(id));
        vt.Add({v.name, std::to_string(v.location), Join(idText, " ")});
    }
    TsvTable lt("locations.tsv", {"location"});
    for (const auto& l : locations) lt.Add({l});
    et.Write(outDir);
    st.Write(outDir);
    vt.Write(outDir);
    lt.Write(outDir);
}
