#include "journeys/Measure.h"

#include "journeys/JourneyText.h"
#include "journeys/Route.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// The status bar shows the last legs of a long measure, not all of them.
constexpr size_t kLegsShown = 5;
const char kNoBreakSpace[] = "\xC2\xA0";

// "2 000 unités": whole units, thousands apart as French writes them.
std::string UnitsText(double length) {
    const long units = std::lround(length);
    std::string digits = std::to_string(units);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3) digits.insert(size_t(at), kNoBreakSpace);
    return digits + (units < 2 ? " unité" : " unités");
}

// The side of point `i` whose diagonal lies farthest from the legs that meet
// there, so that no leg runs through its caption. World y points north.
JourneyCaptionSide ClearSide(const std::vector<CWorldPoint>& points, size_t i) {
    static const struct {
        JourneyCaptionSide side;
        double x, y;
    } kSides[] = {
        {JourneyCaptionSide::UpRight, 1, 1},
        {JourneyCaptionSide::UpLeft, -1, 1},
        {JourneyCaptionSide::DownRight, 1, -1},
        {JourneyCaptionSide::DownLeft, -1, -1},
    };
    JourneyCaptionSide best = JourneyCaptionSide::UpRight;
    double bestNearest = 2;
    for (const auto& s : kSides) {
        double nearest = -1;  // the cosine to the nearest leg
        for (const size_t j : {i - 1, i + 1}) {
            if (j >= points.size()) continue;  // past either end (i - 1 wraps)
            const double dx = double(points[j].x) - points[i].x, dy = double(points[j].y) - points[i].y;
            nearest = std::max(nearest, (dx * s.x + dy * s.y) / (std::hypot(dx, dy) * std::sqrt(2.0)));
        }
        if (nearest < bestNearest) {
            bestNearest = nearest;
            best = s.side;
        }
    }
    return best;
}
}  // namespace

bool CMeasure::Add(CWorldPoint point) {
    if (!m_points.empty() && m_points.back() == point) return false;
    m_points.push_back(point);
    return true;
}

bool CMeasure::RemoveLast() {
    if (m_points.empty()) return false;
    m_points.pop_back();
    return true;
}

std::vector<double> CMeasure::Legs() const {
    std::vector<double> legs;
    for (size_t i = 1; i < m_points.size(); ++i) legs.push_back(Distance(m_points[i - 1], m_points[i]));
    return legs;
}

std::string CMeasure::LengthText(double length) const {
    return m_scale ? LeaguesText(Leagues(length, *m_scale)) : UnitsText(length);
}

CJourneyLayer CMeasure::Layer() const {
    CJourneyLayer layer;
    if (m_points.size() >= 2) layer.paths.push_back({JourneyStroke::Measure, m_points});
    double total = 0;
    for (size_t i = 0; i < m_points.size(); ++i) {
        if (i > 0) total += Distance(m_points[i - 1], m_points[i]);
        layer.marks.push_back(
            {m_points[i], JourneyMarkStyle::Point, i > 0 ? LengthText(total) : std::string(), ClearSide(m_points, i)});
    }
    return layer;
}

std::string CMeasure::Summary() const {
    if (m_points.empty())
        return "Mesurer : Maj+clic sur la carte ou Entrée sur le lieu choisi pose un point, Retour arrière retire le "
               "dernier, Échap termine";
    if (m_points.size() == 1) return "1 point : Maj+clic ou Entrée pour poser le suivant";
    const std::vector<double> legs = Legs();
    const double total = std::accumulate(legs.begin(), legs.end(), 0.0);
    std::string text = std::to_string(m_points.size()) + " points : ";
    if (legs.size() > 1) {
        const size_t first = legs.size() > kLegsShown ? legs.size() - kLegsShown : 0;
        if (first > 0) text += "… + ";
        for (size_t i = first; i < legs.size(); ++i)
            text += LengthText(legs[i]) + (i + 1 < legs.size() ? " + " : " = ");
    }
    text += LengthText(total);
    if (m_scale && m_scale->walk[Roads::kOffRoad] > 0) {
        const double hours = Leagues(total, *m_scale) * 100.0 / m_scale->walk[Roads::kOffRoad];
        text += ", " + DurationText(hours) + " à pied";
    }
    return text;
}
