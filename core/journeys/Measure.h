// The measuring tool's sums: the points the player set on the map, the
// straight legs between them, the running total beside each point and the
// status bar's sentence, in leagues with the time to walk it across
// country, or in the world's units when the world has no scale.
#pragma once
#include "journeys/JourneyLayer.h"
#include "journeys/RoadTable.h"

#include <optional>
#include <string>
#include <vector>

class CMeasure {
public:
    // `scale`: a read roads table's (its speeds above zero); none: lengths
    // in world units and no time.
    explicit CMeasure(std::optional<CRoadScale> scale = std::nullopt) : m_scale(scale) {}

    // Adds a point; false, adding nothing, when it is the last one again
    // (a leg of no length, as a double click would make).
    bool Add(CWorldPoint point);
    // Takes the last point back; false when there is none.
    bool RemoveLast();
    const std::vector<CWorldPoint>& Points() const { return m_points; }

    // What the map shows: the legs as one measuring line, a dot on each
    // point with the length so far beside it (none on the first), on the
    // side its legs leave clear.
    CJourneyLayer Layer() const;
    // « 3 points : 2,1 lieues + 1,1 lieue = 3,2 lieues, 1 h 04 à pied »,
    // the first legs left out when there are many; with fewer than two
    // points, how to go on. UTF-8.
    std::string Summary() const;
    // A length in world units as it reads: "3,2 lieues", or "2 000 unités".
    std::string LengthText(double length) const;

private:
    std::vector<double> Legs() const;

    std::optional<CRoadScale> m_scale;
    std::vector<CWorldPoint> m_points;
};
