// The main window. For now it holds the picture preview; the tool bar, the
// place bar, the status bar and the menu join it with the map view.
#pragma once
#include <QMainWindow>

class CMainFrame : public QMainWindow {
public:
    CMainFrame();
};
