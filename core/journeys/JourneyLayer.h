// What the player's journeys draw over the map, in world coordinates: the
// measuring tool's points, a route between two places, a shopping tour's
// numbered stops. Each tool owns one part (JourneyPart) and replaces it
// whole; the map renderer draws every part above the places and the pins,
// and so do export and print.
#pragma once
#include "journeys/Route.h"

#include <array>
#include <string>
#include <vector>

enum class JourneyStroke {
    Road,     // along a road: a solid line
    OffRoad,  // across country, or straight where no road joins: dashed
    Measure,  // the measuring tool's legs: a thin dashed line
};

struct CJourneyPath {
    JourneyStroke stroke = JourneyStroke::Road;
    std::vector<CWorldPoint> points;  // joined in order
};

enum class JourneyMarkStyle {
    Stop,   // a disc with its text inside (a tour's stop number)
    Point,  // a small dot with its text beside it (a measured point's length)
};

// Where a Point mark's text sits around its dot, as the map shows it
// (north up).
enum class JourneyCaptionSide { UpRight, UpLeft, DownRight, DownLeft };

struct CJourneyMark {
    CWorldPoint at;
    JourneyMarkStyle style = JourneyMarkStyle::Point;
    std::string text;  // UTF-8, may be empty
    JourneyCaptionSide side = JourneyCaptionSide::UpRight;
};

struct CJourneyLayer {
    std::vector<CJourneyPath> paths;
    std::vector<CJourneyMark> marks;
    bool Empty() const { return paths.empty() && marks.empty(); }
};

enum class JourneyPart { Measure, Route, Tour };
constexpr size_t kJourneyPartCount = 3;
using CJourneyLayers = std::array<CJourneyLayer, kJourneyPartCount>;

// A route's paths: one per leg, solid along roads, dashed off them.
std::vector<CJourneyPath> RoutePaths(const CRoute& route);
