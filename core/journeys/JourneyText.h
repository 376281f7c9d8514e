// How lengths and times of journeys read, in the window and on the command
// line alike.
#pragma once
#include <string>

// A road rank's French name: "hors route", "grand-route", "route", "piste".
const char* RoadRankName(int rank);
// "12,4 lieues", "1,5 lieue": one decimal, a comma, singular below two.
std::string LeaguesText(double leagues);
// "3 h 05": hours and minutes, rounded to the minute.
std::string DurationText(double hours);
