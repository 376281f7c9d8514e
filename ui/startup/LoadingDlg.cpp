#include "startup/LoadingDlg.h"

#include "widgets/DialogUnits.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

// The raised frame is the label's own: a style sheet would cost the start-up
// a style of its own for one border.
CLoadingDlg::CLoadingDlg() : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    const DialogUnits du(font());
    setFixedSize(du.Size(188, 27));
    auto* frame = new QLabel(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    frame->setGeometry(rect());
    auto* label = new QLabel(QStringLiteral("Chargement en cours..."), this);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(du.Rect(7, 7, 174, 13));
}

void CLoadingDlg::ShowNow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    // Let the window system map and paint the notice; input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}
