// zerim --route FROM TO: the way between two places along the roads, as
// tab-separated lines. Each leg "from TAB to TAB rank TAB leagues" (a place's
// name at either end of the way, world coordinates "x,y" between), then
// "total TAB leagues TAB walking time TAB riding time". A place is the first
// of that exact name in table order, else the first of that name in any case
// of A to Z. Without a roads table the way is the straight line in map units,
// said once on `err`; so is a way no road makes.
#pragma once
#include <ostream>
#include <string>
#include <vector>

class CPlace;
class CPlaceArray;
class IResourceStore;

// `args`: "--route", FROM, TO. 0 done, 1 an unknown place, 2 misuse.
int PrintRoute(const std::vector<std::string>& args, const IResourceStore& store, std::ostream& out,
               std::ostream& err);
// The place of that name (UTF-8) as above; null when there is none.
const CPlace* FindPlace(const CPlaceArray& places, const std::string& utf8);
