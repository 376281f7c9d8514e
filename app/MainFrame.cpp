#include "MainFrame.h"

#include "ZerimApp.h"

#include "view/ZerimView.h"

#include "data/ResourceIds.h"
#include "data/StringTable.h"

CMainFrame::CMainFrame() {
    setWindowTitle(QString::fromStdString(LoadString(ResId::IDS_PRODUCT_TITLE)));
    m_pView = new CZerimView(this);
    setCentralWidget(m_pView);
    resize(1024, 768);
    // The data is loaded while the window is being built, behind the loading
    // notice, and before anything that lists places is created. Loading here
    // rather than in the view's first resize keeps the notice's own event
    // processing out of the middle of showing the window.
    App().EnsureLoaded();
}
