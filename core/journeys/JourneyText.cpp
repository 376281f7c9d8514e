#include "journeys/JourneyText.h"

#include "journeys/RoadTable.h"

#include <cmath>
#include <cstdio>

const char* RoadRankName(int rank) {
    static const char* const kNames[Roads::kRankCount] = {"hors route", "grand-route", "route", "piste"};
    return rank >= 0 && rank < Roads::kRankCount ? kNames[rank] : "?";
}

std::string LeaguesText(double leagues) {
    const long tenths = std::lround(leagues * 10);
    char text[64];
    std::snprintf(text, sizeof text, "%ld,%ld %s", tenths / 10, tenths % 10, tenths < 20 ? "lieue" : "lieues");
    return text;
}

std::string DurationText(double hours) {
    const long minutes = std::lround(hours * 60);
    char text[64];
    std::snprintf(text, sizeof text, "%ld h %02ld", minutes / 60, minutes % 60);
    return text;
}
