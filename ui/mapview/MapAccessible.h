// The map view as assistive technology sees it: an image named "Carte"
// whose description gives the zoom and the place with the keyboard's focus,
// told anew whenever either changes (CZerimView::AnnounceState).
#pragma once

// Makes Qt's accessibility give every map view this interface; once for
// the program, however many views are made.
void InstallMapAccessible();
