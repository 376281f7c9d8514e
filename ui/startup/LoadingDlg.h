// The small notice shown while the map and the places are loaded.
#pragma once
#include <QDialog>

class CLoadingDlg : public QDialog {
public:
    CLoadingDlg();
    // Shows the notice and paints it at once: nothing else is processed
    // until the load is over.
    void ShowNow();
};
