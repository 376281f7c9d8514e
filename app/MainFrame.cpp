#include "MainFrame.h"

#include "PicturePreview.h"

#include "../data/ResourceIds.h"
#include "../data/StringTable.h"

CMainFrame::CMainFrame() {
    setWindowTitle(QString::fromStdString(LoadString(ResId::IDS_PRODUCT_TITLE)));
    setCentralWidget(new CPicturePreview(this));
    resize(1024, 768);
}
