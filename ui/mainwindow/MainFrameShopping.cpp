// The shopping list in the main window: its toggle at the end of
// "Affichage", its commands given the window's status bar and view.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ShoppingCommands.h"
#include "mainwindow/StatusBar.h"

void CMainFrame::AddShoppingCommands(QMenu* view) {
    CShoppingCommands::Host host;
    host.window = this;
    host.view = m_pView;
    host.world = &m_world;
    host.newCommand = [this](int id, const char* text, const char* prompt, const QList<QKeySequence>& keys) {
        return NewExtraCommand(id, text, prompt, keys);
    };
    host.say = [this](const QString& text) { m_wndStatusBar->SetPaneText(0, text); };
    m_shopping = new CShoppingCommands(std::move(host));
    m_shopping->AddViewCommand(view);
    // The panel, if it was open at the last close, once the map is on screen.
    AfterFirstMap([this] { m_shopping->ShowPanelIfKept(); });
}
