// Draws the player's journeys (routes, a tour's stops, measured legs) over
// the map, in client coordinates of the view's geometry. Lines are drawn
// with a light halo so that they read on sea, forest and snow alike, in
// Okabe and Ito's blue, which no colour deficiency confuses with the red
// markers or the found names.
#pragma once
#include "journeys/JourneyLayer.h"
#include "view/ViewGeometry.h"

class QFont;
class QPainter;

void DrawJourneys(QPainter& painter, const CJourneyLayers& layers, const ViewGeometry& geometry, const CRect& update,
                  const QFont& font);
