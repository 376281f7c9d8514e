// The order in which to visit stops so that the trip is shortest. The trip
// starts at index 0 of a distance matrix and ends at the last stop (it does
// not come back); distances may differ each way. A trip with no fixed start
// gives row 0 all zeros: it then begins at the best first stop.
#pragma once
#include <cstddef>
#include <vector>

using CDistanceMatrix = std::vector<std::vector<double>>;

namespace Tours {
// Up to this many stops the order is the best one (dynamic programming over
// the subsets of stops); beyond, a good one.
constexpr size_t kMaxExactStops = 10;
}  // namespace Tours

struct CTourOrder {
    std::vector<int> stops;  // the matrix's indexes 1 to n - 1, in visiting order
    double length = 0;
    bool exact = true;
};

CTourOrder ShortestTour(const CDistanceMatrix& distance);
// The best order over every subset of stops; at most kMaxExactStops stops.
CTourOrder ExactTour(const CDistanceMatrix& distance);
// Always the nearest stop not yet visited.
CTourOrder NearestNeighbourTour(const CDistanceMatrix& distance);
// The nearest neighbour's order, then shortened while a segment turned
// around (2-opt) or a run of up to three stops moved elsewhere (or-opt) makes
// it shorter: never longer than the nearest neighbour's.
CTourOrder ImprovedTour(const CDistanceMatrix& distance);
// The length of a trip from index 0 through `stops` in turn.
double TourLength(const CDistanceMatrix& distance, const std::vector<int>& stops);
