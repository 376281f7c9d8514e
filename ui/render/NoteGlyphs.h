// The small drawings of the player's layer on the map: a check over a
// visited place's marker, a star beside a favourite, a tab under a noted
// place, and a pin's round head in its colour (grey for the mark of a
// place the data no longer has), and the ring around a found place's marker
// when the colours are the adapted ones. Drawn as shapes, so that they stay
// sharp at any scale; the renderer keeps images of them for the screen.
// `adapted`: the colours every eye tells apart (see MapPalette).
#pragma once
#include "notes/NoteItem.h"
#include "data/Geometry.h"
#include "view/MapPalette.h"

#include <QColor>
#include <QRectF>

class QPainter;

enum class NoteGlyph { Visited, Favourite, Noted, Pin, LostPin, FoundRing };

inline QColor ColourFor(MapColour role, bool adapted) {
    const Rgb c = ColourOf(role, adapted);
    return QColor(c.r, c.g, c.b);
}
QColor PinColourOf(PinColour colour, bool adapted);
// The grey of a mark whose place the data no longer has.
QColor LostPinColour(bool adapted);
void DrawNoteGlyph(QPainter& painter, NoteGlyph glyph, PinColour colour, const QRectF& rect, bool adapted);
// Where a place's glyph sits around its 6 x 6 marker, in the same units.
CRect PlaceGlyphRect(NoteGlyph glyph, const CRect& marker);
