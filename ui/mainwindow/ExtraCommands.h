// Commands the window has beyond the menu and tool bar it was given: each
// has a shortcut and a prompt, and sits after the first menus' items or in
// the "Rechercher" menu. Their ids follow the given commands' and are found
// with CMainFrame::Command like theirs.
#pragma once
#include <QKeySequence>
#include <QList>

namespace ExtraCommand {
enum : int {
    ZoomIn = 33001,
    ZoomOut,
    ActualSize,
    FitWindow,
    TopLeft,
    BottomRight,
    FindPlace,
    FindCharacter,
    FindSpell,
    CopyPlaces,
    ExportView,
    PrintView,
    RememberView,
    PlaceCard,
    PrintPreview,
    SearchEverywhere,
    // The player's layer (MyMapCommands).
    Undo,
    Redo,
    MarkVisited,
    MarkFavourite,
    PlaceNote,
    AddPin,
    HideVisited,
    NotesPanel,
    ExportNotes,
    ImportNotes,
    RestoreNotes,
    NotesMenuHere,
    CopyLink,  // "Copier le lien" (MainFrameLinks)
    // Colours every eye tells apart, names that hide nothing (MainFrameLegibility).
    AdaptedColours,
    Declutter,
    // Where the map sits and the overview of it (MainFrameOverview).
    CentredMap,
    OverviewMap,
    // Walking the places from the keyboard (MainFrameKeyboard).
    WalkLeft,
    WalkRight,
    WalkUp,
    WalkDown,
    NextFoundPlace,
    PreviousFoundPlace,
    // The kinds of places (KindCommands).
    KindLegend,
    KindSymbols,
    // Measuring (MainFrameMeasure).
    Measure,
    // Routes (MainFrameRoute).
    Route,
    // Shopping list (ShoppingCommands).
    ShoppingList,
};
}  // namespace ExtraCommand

// The platform's keys for a standard command, or `fallback` where the
// platform has none (Quit has none on some), so the command always has one.
QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback);
