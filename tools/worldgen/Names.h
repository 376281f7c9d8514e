// Invented place names, each culture with its own sounds.
#pragma once
#include "Rng.h"
#include "Terrain.h"

#include <set>
#include <string>

namespace worldmap {

class NameMaker {
public:
    explicit NameMaker(const Rng& rng) : m_rng(rng) {}
    // A new root word of the culture (a town's or a river's own name), not yet
    // used by any earlier call.
    std::string Root(int culture);
    // A full place name for a type code (Places.cpp lists them), in the
    // culture's sounds, unique among the names handed out so far.
    std::string Name(int culture, int type, int level, const char* pattern = nullptr, std::string* rootOut = nullptr);
    // Marks a name as taken.
    void Take(const std::string& name) { m_used.insert(name); }
    bool Taken(const std::string& name) const { return m_used.count(name) > 0; }
    void Release(const std::string& name) { m_used.erase(name); }
    Rng& rng() { return m_rng; }

private:
    std::string RawRoot(int culture);
    Rng m_rng;
    std::set<std::string> m_used;
    std::set<std::string> m_roots;
};

// True when the word would echo a famous invented world; such roots are never used.
bool SoundsBorrowed(const std::string& word);

}  // namespace worldmap
