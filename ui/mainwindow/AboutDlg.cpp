#include "mainwindow/AboutDlg.h"

#include "widgets/DialogHelpers.h"
#include "widgets/DialogUnits.h"
#include "data/ResourceIds.h"
#include "data/StringTable.h"
#include "widgets/IEControl.h"

CAboutDlg::CAboutDlg(const IResourceStore& store, QWidget* parent, CIEControl::NoticeWriter notice)
    : QDialog(parent, kDialogFlags) {
    // The product title already ends in a dot: the caption ends in four.
    setWindowTitle(QString::fromStdString(LoadString(ResId::IDS_PRODUCT_TITLE)) +
                   QStringLiteral("..."));
    const DialogUnits du(font());
    setFixedSize(du.Size(235, 124));
    m_html = new CIEControl(this);
    m_html->setObjectName(QStringLiteral("aboutPanel"));
    m_html->setGeometry(rect());
    m_html->setFrameShape(QFrame::NoFrame);
    m_html->SetNoticeWriter(std::move(notice));
    m_html->LoadFromResource(store, ResId::IDR_ABOUT_PAGE);  // a blank panel without it
}

void RunAboutBox(const IResourceStore& store, QWidget* parent, CIEControl::NoticeWriter notice) {
    CAboutDlg dialog(store, parent, std::move(notice));
    dialog.exec();
}
