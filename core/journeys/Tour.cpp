#include "journeys/Tour.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();

// Whether a change shortens the trip by more than rounding.
bool Shorter(double candidate, double current) { return candidate < current - 1e-9 * (1 + std::fabs(current)); }

// Turns stops i..j around when that shortens the trip.
bool TryReversals(const CDistanceMatrix& d, std::vector<int>& stops, double& length) {
    bool improved = false;
    for (size_t i = 0; i + 1 < stops.size(); ++i)
        for (size_t j = i + 1; j < stops.size(); ++j) {
            std::reverse(stops.begin() + long(i), stops.begin() + long(j) + 1);
            const double l = TourLength(d, stops);
            if (Shorter(l, length)) {
                length = l;
                improved = true;
            } else {
                std::reverse(stops.begin() + long(i), stops.begin() + long(j) + 1);
            }
        }
    return improved;
}

// Moves a run of one to three stops to another place when that shortens it.
bool TryMoves(const CDistanceMatrix& d, std::vector<int>& stops, double& length) {
    bool improved = false;
    for (size_t run = 1; run <= 3 && run < stops.size(); ++run)
        for (size_t i = 0; i + run <= stops.size(); ++i) {
            std::vector<int> rest = stops;
            const std::vector<int> moved(rest.begin() + long(i), rest.begin() + long(i + run));
            rest.erase(rest.begin() + long(i), rest.begin() + long(i + run));
            for (size_t at = 0; at <= rest.size(); ++at) {
                if (at == i) continue;
                std::vector<int> trial = rest;
                trial.insert(trial.begin() + long(at), moved.begin(), moved.end());
                const double l = TourLength(d, trial);
                if (Shorter(l, length)) {
                    stops = std::move(trial);
                    length = l;
                    improved = true;
                    break;
                }
            }
        }
    return improved;
}

}  // namespace

double TourLength(const CDistanceMatrix& distance, const std::vector<int>& stops) {
    double length = 0;
    int at = 0;
    for (const int s : stops) {
        length += distance[size_t(at)][size_t(s)];
        at = s;
    }
    return length;
}

CTourOrder ExactTour(const CDistanceMatrix& d) {
    const size_t n = d.size() < 2 ? 0 : d.size() - 1;  // the stops, 1 to n
    CTourOrder tour;
    if (n == 0) return tour;
    // best[set][last]: the shortest trip from 0 through the stops of `set`,
    // ending at stop `last` (bit last - 1 of the set).
    const size_t sets = size_t(1) << n;
    std::vector<double> best(sets * n, kNever);
    std::vector<int> before(sets * n, -1);
    for (size_t s = 0; s < n; ++s) best[(size_t(1) << s) * n + s] = d[0][s + 1];
    for (size_t set = 1; set < sets; ++set)
        for (size_t last = 0; last < n; ++last) {
            const double here = best[set * n + last];
            if (!(set >> last & 1) || here == kNever) continue;
            for (size_t next = 0; next < n; ++next) {
                if (set >> next & 1) continue;
                const size_t grown = set | size_t(1) << next;
                const double l = here + d[last + 1][next + 1];
                if (l < best[grown * n + next]) best[grown * n + next] = l, before[grown * n + next] = int(last);
            }
        }
    const size_t all = sets - 1;
    size_t last = 0;
    for (size_t s = 1; s < n; ++s)
        if (best[all * n + s] < best[all * n + last]) last = s;
    tour.length = best[all * n + last];
    for (size_t set = all; set;) {
        tour.stops.push_back(int(last) + 1);
        const int prev = before[set * n + last];
        set &= ~(size_t(1) << last);
        last = size_t(prev);
    }
    std::reverse(tour.stops.begin(), tour.stops.end());
    return tour;
}

CTourOrder NearestNeighbourTour(const CDistanceMatrix& d) {
    CTourOrder tour;
    std::vector<char> seen(d.size(), 0);
    int at = 0;
    for (size_t k = 1; k < d.size(); ++k) {
        int next = -1;
        for (size_t s = 1; s < d.size(); ++s)
            if (!seen[s] && (next < 0 || d[size_t(at)][s] < d[size_t(at)][size_t(next)])) next = int(s);
        seen[size_t(next)] = 1;
        tour.length += d[size_t(at)][size_t(next)];
        tour.stops.push_back(next);
        at = next;
    }
    return tour;
}

CTourOrder ImprovedTour(const CDistanceMatrix& d) {
    CTourOrder tour = NearestNeighbourTour(d);
    tour.exact = false;
    tour.length = TourLength(d, tour.stops);
    while (TryReversals(d, tour.stops, tour.length) || TryMoves(d, tour.stops, tour.length)) {
    }
    return tour;
}

CTourOrder ShortestTour(const CDistanceMatrix& distance) {
    return distance.size() <= Tours::kMaxExactStops + 1 ? ExactTour(distance) : ImprovedTour(distance);
}
