#include "mainwindow/ZerimApp.h"

#include "startup/LoadingDlg.h"
#include "mainwindow/MainFrame.h"
#include "startup/ProgramIcon.h"
#include "startup/Settings.h"
#include "startup/StartupClock.h"
#include "startup/WindowRoom.h"
#include "render/World.h"
#include "mapview/ZerimView.h"
#include "widgets/DialogHelpers.h"

#include <QApplication>

CZerimApp::CZerimApp(CWorld& world, std::optional<QString> documentFile)
    : m_world(world), m_documentFile(std::move(documentFile)) {}

bool CZerimApp::InitInstance() {
    Settings::Register();
    if (!OpenDocument()) return false;
    auto frame = std::make_unique<CMainFrame>(m_world, [this] { return EnsureLoaded(); });
    // X11 takes every size of the icon with each new window: the notice and
    // the first frame go without it.
    CMainFrame* shown = frame.get();
    frame->AfterFirstMap([shown] {
        QApplication::setWindowIcon(ProgramIcon());
        KeepFrameOnScreen(*shown);  // framed by now
    });
    MarkStartup("fenêtre principale construite");
    ShowWithinScreen(*frame);
    m_firstFramePages.Prepare(*frame);
    MarkStartup("fenêtre principale montrée");
    frame->RestoreView();
    if (m_link) frame->OpenLink(*m_link);
    // Another window of this display may listen already: links then go to it.
    if (m_linkSocket)
        frame->AfterFirstMap([shown, socket = *m_linkSocket] {
            std::string error;
            shown->ListenForLinks(socket, error);
        });
    // While the window system maps the window, the labels it will show (in
    // the view restored, if one is).
    frame->View()->PrepareLabels();
    MarkStartup("étiquettes prêtes");
    m_pMainWnd = std::move(frame);
    return true;
}

// A file named on the command line must open; nothing else of it is used.
bool CZerimApp::OpenDocument() {
    if (!m_documentFile) return m_doc.OnNewDocument();
    const QString& file = *m_documentFile;
    QString error;
    if (m_doc.OnOpenDocument(file, error)) return true;
    // The file name is the user's, shown letter for letter, never as markup.
    WarnPlainly(nullptr, QStringLiteral("Zerim"), QStringLiteral("Impossible d'ouvrir %1.\n%2").arg(file, error));
    return false;
}

CMapPicture* CZerimApp::EnsureLoaded() {
    if (!m_world.IsLoaded()) {
        std::unique_ptr<CLoadingDlg> notice;
        m_world.Load(
            [&notice] {
                notice = std::make_unique<CLoadingDlg>();
                notice->ShowNow();
                MarkStartup("avis de chargement affiché");
            },
            MarkStartup);
    }  // the notice goes once the load is over
    return &m_world.Picture();
}
