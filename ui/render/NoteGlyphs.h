// The small drawings of the player's layer on the map: a check over a
// visited place's marker, a star beside a favourite, a tab under a noted
// place, and a pin's round head in its colour (grey for the mark of a
// place the data no longer has). Drawn as shapes, so that they stay sharp
// at any scale; the renderer keeps images of them for the screen.
#pragma once
#include "notes/NoteItem.h"
#include "data/Geometry.h"

#include <QColor>
#include <QRectF>

class QPainter;

enum class NoteGlyph { Visited, Favourite, Noted, Pin, LostPin };

QColor PinColourOf(PinColour colour);
// The grey of a mark whose place the data no longer has.
QColor LostPinColour();
void DrawNoteGlyph(QPainter& painter, NoteGlyph glyph, PinColour colour, const QRectF& rect);
// Where a place's glyph sits around its 6 x 6 marker, in the same units.
CRect PlaceGlyphRect(NoteGlyph glyph, const CRect& marker);
