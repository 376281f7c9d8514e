#include "MainFrame.h"

#include "view/ZerimView.h"

#include "data/ResourceIds.h"
#include "data/StringTable.h"

CMainFrame::CMainFrame() {
    setWindowTitle(QString::fromStdString(LoadString(ResId::IDS_PRODUCT_TITLE)));
    m_pView = new CZerimView(this);
    setCentralWidget(m_pView);
    resize(1024, 768);
}
