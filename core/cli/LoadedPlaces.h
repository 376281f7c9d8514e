// The place table as the window reads it, for the modes without a window.
#pragma once
#include "data/PlaceList.h"

#include <ostream>

class IResourceStore;

class LoadedPlaces {
public:
    // A table cut short gives the places before the cut, and a word on
    // `err`; a missing table gives none, and a word too.
    LoadedPlaces(const IResourceStore& store, std::ostream& err);
    const CPlaceArray& Places() const { return m_places; }

private:
    CPlaceList m_places;
};
