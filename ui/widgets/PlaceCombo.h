// A combo box of the world's places, as the place bar and the route window
// hold them: every name, sorted, each item the place it names.
#pragma once
class CPlace;
class CPlaceArray;
class QComboBox;

// Fills `combo` (emptied first) with every place's name, sorted without
// regard to case; equal names keep table order, each item standing for its
// own place. Nothing is chosen afterwards.
void FillWithPlaces(QComboBox& combo, const CPlaceArray& places);
// The place item `index` stands for; null for none.
CPlace* PlaceOfItem(const QComboBox& combo, int index);
// The place the combo's text names: the chosen item when it reads so, else
// the first item of that name, letter case aside (among places sharing a
// name, the first in table order); null when none does.
CPlace* PlaceNamedIn(const QComboBox& combo);
