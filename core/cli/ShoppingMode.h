// zerim --shopping SPELL... [--from PLACE]: the fewest vendors who together
// sell the spells and the shortest order to visit them, as tab-separated
// lines. Each stop "number TAB vendor TAB location TAB place (or « lieu
// inconnu ») TAB spells bought there, joined by ', ' TAB leagues from the
// previous stop" ("-" for a vendor whose location names no place), then
// "personne ne vend TAB spell" for each spell nobody sells, "total TAB
// leagues TAB walking time TAB riding time", and "précision TAB the vendors'
// TAB the order's" (exact, or why they are approximate). A spell is named
// as --vendors reads it; a place as --route does. Without a roads table the
// lengths are map units, said once on `err`.
#pragma once
#include <ostream>
#include <string>
#include <vector>

class IResourceStore;

// `args`: "--shopping", the spells, and "--from" PLACE anywhere among them.
// 0 done, 1 an unknown spell, 2 misuse (no spell, an empty name, --from
// without a place or with an unknown one).
int PrintShopping(const std::vector<std::string>& args, const IResourceStore& store, std::ostream& out,
                  std::ostream& err);
