// Reading the embedded place table: a run of records (16-bit name length,
// name bytes, 16-bit type, 16-bit level, 32-bit x, 32-bit y, little-endian,
// unaligned) ended by a zero length word.
#pragma once
#include <string>

#include "data/ByteBlock.h"
#include "data/PlaceList.h"

// Appends one place per record, in table order, to `places`. Words are
// zero-extended; a name is cut at its first zero byte while reading moves
// over the whole field. Reading never passes the end of
// the block: a table whose bytes end before the terminator, or whose last
// record would run past the end, keeps its whole records only and returns
// false. Returns true for a complete table.
bool ParsePlaceTable(ByteBlock block, CPlaceList& places);

// The notice for a table cut short: "table des lieux incomplète ; 1 lieu lu",
// "… ; 12 lieux lus".
std::string CutPlaceTableNotice(int placesRead);
