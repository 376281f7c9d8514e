// The application object: the data every window shares (the place table and
// the map picture, loaded once on first demand) and start-up.
#pragma once
#include "render/MapPicture.h"
#include "data/PlaceArray.h"
#include "shell/ZerimDoc.h"

#include <functional>
#include <string>
#include <vector>

class QMainWindow;
class QStatusBar;
class QWidget;

class CZerimApp {
public:
    CZerimApp();
    ~CZerimApp();
    CZerimApp(const CZerimApp&) = delete;
    CZerimApp& operator=(const CZerimApp&) = delete;

    // Creates and shows the main window; false ends the process.
    bool InitInstance();

    // The map picture, after loading picture and places on the first call
    // (behind the loading notice). The picture may be empty.
    CMapPicture* EnsureLoaded();
    // Fills m_places from the place table; false when it is missing or cut short.
    bool LoadPlaces();
    // What went wrong while loading, one French phrase each, in lower case
    // (as after "zerim: "): the map picture refused or cut short, the place
    // table cut short. Empty when all went well, and when a resource is
    // simply absent, which leaves its feature empty as ever.
    std::vector<std::string> LoadProblems() const;
    // Whether the map picture was there but could not be decoded at all.
    bool MapUnreadable() const { return IsRefusal(m_picture.Problem()); }

    bool m_bLoaded = false;       // set when loading starts; never cleared
    CMapPicture m_picture;
    CPlaceArray m_places;         // owns its places, in table order
    QStatusBar* m_pStatusBar = nullptr;  // borrowed from the main window
    QWidget* m_pPlaceBar = nullptr;      // borrowed from the main window
    // Runs when the full picture has arrived after a quick first look.
    std::function<void()> m_onPictureSharper;

private:
    bool OpenDocument();

    bool m_bPlacesCut = false;  // the place table ended inside a record

    CZerimDoc m_doc;  // holds nothing
    QMainWindow* m_pMainWnd = nullptr;
};

// The one application object of the process.
CZerimApp& App();
