// Keeping a place just shown on the map in sight of the user: the finders
// move aside when their window hides the place's marker.
#pragma once
#include <QRect>

#include <functional>
#include <optional>

class QWidget;

// Where the marker of the place with this index is on screen (global
// coordinates), given by the main window; nothing when the map does not
// show it.
using MarkerLocator = std::function<std::optional<QRect>(int placeIndex)>;

// Moves the top-level `window` to the nearest position on its screen that
// uncovers `marker` (with a small margin) and keeps it whole on that screen;
// leaves it where it is when it does not cover the marker or nothing fits.
void MoveAsideOf(QWidget* window, const QRect& marker);

// The same for the place `placeIndex`, when `locate` knows where it is.
void KeepPlaceInSight(QWidget* window, const MarkerLocator& locate, int placeIndex);
