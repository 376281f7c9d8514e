// Draws the map of a view state into any QPainter: the black margins, the
// part of the picture that an exposed rectangle needs, then every visible
// place as a red marker with its name beside it (green when highlighted),
// outlined in a dark halo; or as the player's look asks (MapLook): adapted
// colours with a ring around found places, names placed apart.
// The map view paints through it, and so does everything else that makes a
// picture of the map (the snapshot, the benchmarks), without any widget.
//
// The renderer reads the view state it was given (geometry, visibility and
// highlight, places) at every paint and keeps what is costly to make again:
// each label's measured size and its drawn image, and the picture at the
// current zoom in tiles. Each is made afresh when
// what it shows changes.
//
// On a screen of device pixel ratio above 1 the picture and the labels are
// drawn in device pixels, from copies made at that resolution.
#pragma once
#include "journeys/JourneyLayer.h"
#include "render/KindSymbols.h"
#include "render/NoteGlyphs.h"
#include "render/PlaceItems.h"
#include "render/ZoomedTiles.h"
#include "view/LabelSizes.h"
#include "view/MapLook.h"
#include "view/PlaceOverlay.h"
#include "view/ViewGeometry.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CMapPicture;
class CNotesOnMap;
class QPainter;
struct PictureDraw;

class MapRenderer {
public:
    // Places of level 0 take `font` in bold (weight 700), the others `font`.
    // The geometry, the overlay and the places must outlive the renderer.
    MapRenderer(const ViewGeometry& geometry, const CPlaceOverlay& overlay, const CPlaceArray& places,
                const QFont& font);

    // Whole-picture mode: every paint scales the whole picture to its zoomed
    // place, whatever part of it is exposed. Off by default, and the program
    // leaves it off: it was only ever wanted on one family of old systems,
    // none of which runs this program.
    void SetWholePicture(bool on) { m_wholePicture = on; }
    bool WholePicture() const { return m_wholePicture; }

    // Labels as text: each name is drawn with the painter's own text drawing
    // instead of from its kept image, so it stays sharp under a scale (on a
    // printer) and stays text in a PDF. Off by default: images are faster.
    void SetLabelsAsText(bool on) { m_labelsAsText = on; }

    // The player's layer drawn with the places (none by default): a
    // place's marks over and beside its marker, then the pins with their
    // titles, the found places' labels still over everything. It must
    // outlive the renderer or be unset.
    void SetNotes(const CNotesOnMap* notes) { m_notes = notes; }

    // The place with the keyboard's focus, ringed over everything else while
    // it is shown (none by default). It must outlive the renderer or be unset.
    void SetFocusRing(const CPlace* place) { m_focusRing = place; }

    // The player's journeys drawn over the places and pins, under the focus
    // ring (none by default). They must outlive the renderer or be unset.
    void SetJourneys(const CJourneyLayers* journeys) { m_journeys = journeys; }

    // The player's choices of look (see MapLook); the usual look by default.
    void SetLook(const MapLook& look) { m_look = look; }
    const MapLook& Look() const { return m_look; }

    // Paints `update` (client coordinates) at the device pixel ratio of the
    // painter's device. Without a picture, or with an empty one, only the
    // margins are painted (all of `update`). Returns whether any of the
    // picture was drawn.
    bool Paint(QPainter& painter, const CRect& update, const CMapPicture* picture);
    // Makes ahead of time the label images that a paint of `update` at this
    // device pixel ratio will copy: the start-up does it while the window
    // system maps the window.
    void PrepareLabels(const CRect& update, qreal ratio);

    // Measures every label not measured yet, so that no paint has to (a
    // name is laid out to be measured, a few microseconds a label): the
    // start-up does it once the first map is on screen.
    void MeasureLabels();

    // Makes the images of up to `count` labels not made yet at this ratio,
    // lowest level first (the places a zoom out brings first), so that no
    // zoom step has to make hundreds at once: the view runs it a slice at a
    // time between events once the start-up is over. Stops for good once
    // the label images hold `budgetBytes`. True while labels remain.
    bool MakeLabelsAhead(qreal ratio, int count, size_t budgetBytes);
    // The bytes of the label images kept.
    size_t LabelBytes() const { return m_labelBytes; }

    // The label sizes measured so far, by place index, for the hit test.
    const CLabelSizes& LabelSizes() const { return m_labelSizes; }
    // With labels kept from hiding one another, where each is, by place
    // index, in map coordinates (empty for a label left out or a place not
    // shown), placed for the view as it is now; else null.
    const std::vector<CRect>* PlacedLabels();

private:
    // A label's image cut down to its ink (the rest is transparent and
    // would change no pixel), and where that part sits in the whole label.
    struct LabelImage {
        bool made = false;
        QImage ink;  // null for a name with no ink
        QPoint offset;
    };
    struct LabelImages {
        LabelImage normal;
        LabelImage found[2];  // in the usual colour, in the adapted one
    };
    // One drawing of the player's layer: a glyph, or a pin's title.
    struct NoteDraw {
        CRect rect;
        NoteGlyph glyph = NoteGlyph::Pin;
        PinColour colour = PinColour::Blue;
        const std::string* title = nullptr;  // a pin's title label, else a glyph
    };
    using NoteVisitor = std::function<void(const NoteDraw&)>;

    bool DrawPicture(QPainter& painter, const CMapPicture& picture, const PictureDraw& draw, const CRect& update,
                     qreal ratio);
    bool DrawsFromTiles(const QPainter& painter, const CMapPicture& picture, qreal ratio) const;
    bool DrawTiles(QPainter& painter, const CMapPicture& picture, const CRect& update, qreal ratio);
    CRect WithTiles(const CRect& update, const QRect& tiles, qreal ratio) const;
    qreal DeviceRatio(const QPainter& painter, qreal ratio) const;
    int ItemScale(const QPainter& painter, qreal ratio) const;
    const QImage& MarkerImage(QSize size);
    std::vector<PlaceItem> PlaceItems(const CRect& update, qreal ratio, int scale);
    void DrawPlaces(QPainter& painter, const CRect& update, qreal ratio);
    CRect MarkerExtent(const CRect& marker) const;
    void VisitPlaces(const CRect& update, const std::function<void(int index, const CRect& marker)>& onMarker,
                     const std::function<void(int index, const CRect& label, bool highlighted)>& onLabel,
                     const NoteVisitor& onNote);
    void VisitPlaceMarks(int index, const CRect& marker, const CRect& update, const NoteVisitor& onNote) const;
    void VisitPins(const CRect& update, const NoteVisitor& onNote);
    CSize MeasuredTitle(const std::string& title);
    const LabelImage& MadeTitle(const std::string& title, qreal ratio);
    const QImage& GlyphImage(NoteGlyph glyph, PinColour colour, QSize size);
    void DrawNote(QPainter& painter, const NoteDraw& note, qreal ratio, qreal device);
    void DrawCrowdedPins(QPainter& painter, const CRect& update);
    void DrawFocusRing(QPainter& painter, const CRect& update, qreal ratio);
    const QImage& FocusRingImage(int pixels, qreal ratio);
    const QFont& FontOf(const CPlace& place) const;
    CSize MeasuredLabel(int index, const CPlace& place);
    bool ShownRects(int index, CRect& marker, CRect& label);
    QImage NameCoverage(QSize size, qreal ratio, const QFont& font, const QString& name, QPointF origin);
    LabelImage MadeLabelImage(const QFont& font, const QString& name, CSize size, const QColor& colour, qreal ratio);
    QColor Colour(MapColour role) const;
    QColor LabelColour(bool found) const;
    void VisitFoundRing(const CRect& marker, const CRect& update, const NoteVisitor& onNote) const;
    void PlaceLabelsAnew();
    void UseLabelRatio(qreal ratio);
    const LabelImage& MadeLabel(int index, const CPlace& place, bool highlighted, qreal ratio);
    // `device`: 0 to draw in the painter's own units, else the device
    // pixel ratio of a painter set to draw in device pixels.
    void DrawLabel(QPainter& painter, int index, const CPlace& place, const CRect& label, qreal ratio,
                   qreal device);
    void DrawLabelImage(QPainter& painter, const LabelImage& made, const CRect& label, qreal ratio, qreal device);
    void DrawLabelText(QPainter& painter, const QFont& font, const QString& name, bool highlighted,
                       const CRect& label);

    const ViewGeometry& m_geometry;
    const CPlaceOverlay& m_overlay;
    const CPlaceArray& m_places;
    QFont m_fontNormal, m_fontBold;
    bool m_wholePicture = false;
    bool m_labelsAsText = false;
    CLabelSizes m_labelSizes;
    // A label never changes but for its colour: both renderings are kept,
    // made on first use, for the device pixel ratio they were made at.
    std::vector<LabelImages> m_labelImages;
    qreal m_labelRatio = 0;
    size_t m_labelBytes = 0;
    std::vector<int> m_aheadOrder;  // place indices, lowest level first
    size_t m_aheadNext = 0;         // of m_aheadOrder, the first not looked at yet
    std::vector<quint32> m_nameScratch;  // the pixels of the name being made a label
    QImage m_markerImage;
    QColor m_markerColour;
    const CPlace* m_focusRing = nullptr;
    const CJourneyLayers* m_journeys = nullptr;
    QImage m_ringImage;  // drawn once for the ratio, copied at every frame
    CKindSymbolImages m_symbols;
    const CNotesOnMap* m_notes = nullptr;
    MapLook m_look;
    // The labels placed apart (PlaceLabelsAnew), by place index, and what
    // they were placed for: the zoom, then each place shown as twice its
    // index, plus one when found.
    std::vector<CRect> m_placedLabels;
    std::vector<int> m_placementKey, m_placementScratch;
    // Pins' titles measured, and their images at m_labelRatio, by title.
    std::unordered_map<std::string, CSize> m_titleSizes;
    std::unordered_map<std::string, LabelImage> m_titleImages;
    std::unordered_map<quint64, QImage> m_glyphImages;  // by glyph, colour and size
    int m_widestTitle = 0;          // of the titles measured so far
    std::vector<int> m_pinScratch;  // the pins a paint looks at
    std::vector<int> m_crowdedPins;  // the pins a paint draws as dots
    // The picture at the current zoom and ratio in tiles, for every draw of
    // a large zoomed picture that is not a plain copy.
    CZoomedTiles m_tiles;
};
