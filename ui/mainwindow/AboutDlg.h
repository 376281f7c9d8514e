// The About box: the program's credits page, embedded in the executable,
// filling a small fixed dialog. Its links open in the user's browser while
// the box stays open.
#pragma once
#include "widgets/IEControl.h"

#include <QDialog>

class IResourceStore;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // The page comes from `store`; `notice` is where the panel says why it
    // refused it.
    explicit CAboutDlg(const IResourceStore& store, QWidget* parent = nullptr,
                       CIEControl::NoticeWriter notice = {});

    CIEControl* Panel() const { return m_html; }

private:
    CIEControl* m_html = nullptr;  // no owner: every link leaves the program
};

// Opens the About box over `parent` and waits until the user closes it.
void RunAboutBox(const IResourceStore& store, QWidget* parent, CIEControl::NoticeWriter notice = {});
