// Deterministic random numbers for the world generator.
// The standard library's distributions differ between implementations, so the
// generator draws everything from this one small, fully specified source: the
// same seed gives the same world on every machine.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class Rng {
public:
    explicit Rng(uint64_t seed) : m_state(seed) {}

    // A generator for one part of the world, independent of how much the
    // other parts draw: changing the painter never moves a town.
    Rng Fork(const std::string& purpose) const {
        uint64_t h = m_state ^ 0xcbf29ce484222325ull;
        for (unsigned char c : purpose) h = (h ^ c) * 0x100000001b3ull;
        return Rng(h);
    }

    uint64_t Next() {  // splitmix64
        uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform integer in [lo, hi], both ends included.
    int Int(int lo, int hi) { return lo + int(Next() % uint64_t(int64_t(hi) - lo + 1)); }
    bool Chance(double p) { return Uniform() < p; }
    template <class T> const T& Pick(const std::vector<T>& v) { return v[size_t(Next() % v.size())]; }
    template <class T> void Shuffle(std::vector<T>& v) {
        for (size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[size_t(Next() % i)]);
    }

private:
    uint64_t m_state;
};
