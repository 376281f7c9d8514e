// The main window: the map view, with the bars around it.
#pragma once
#include <QMainWindow>

class CZerimView;

class CMainFrame : public QMainWindow {
public:
    CMainFrame();
    CZerimView* View() const { return m_pView; }

private:
    CZerimView* m_pView = nullptr;
};
