#include "shell/ZerimApp.h"

#include "shell/LoadingDlg.h"
#include "shell/MainFrame.h"
#include "shell/Settings.h"

#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cassert>

namespace {
CZerimApp* g_theApp = nullptr;
}

CZerimApp& App() {
    assert(g_theApp && "the application object exists for the whole run");
    return *g_theApp;
}

CZerimApp::CZerimApp() {
    g_theApp = this;
    // Whole-picture mode was only ever switched on for one family of old
    // systems; no such system exists here, but the mode and its drawing stay.
    g_bWholePicture = false;
}

CZerimApp::~CZerimApp() {
    delete m_pMainWnd;
    DeletePlaces(m_places);
    if (g_theApp == this) g_theApp = nullptr;
}

bool CZerimApp::InitInstance() {
    Settings::Register();
    if (!OpenDocument()) return false;
    QIcon icon;
    for (int size : {16, 32, 48, 256}) icon.addFile(QStringLiteral(":/icons/icon-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    m_pMainWnd = new CMainFrame();
    m_pMainWnd->show();
    return true;
}

// A file named on the command line must open; nothing else of it is used.
bool CZerimApp::OpenDocument() {
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args[0].startsWith('-')) return m_doc.OnNewDocument();
    QString error;
    if (m_doc.OnOpenDocument(args[0], error)) return true;
    // The file name is the user's, shown letter for letter, never as markup.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Zerim"),
                    QStringLiteral("Impossible d'ouvrir %1.\n%2").arg(args[0], error));
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

CMapPicture* CZerimApp::EnsureLoaded() {
    if (m_bLoaded) return &m_picture;
    m_bLoaded = true;  // before loading: a load that finds nothing is not retried
    // The picture decodes on a second thread while the notice comes up and
    // the places are read; the quarter-size first look is waited for here,
    // the full picture arrives later (see CMapPicture).
    m_picture.LoadProgressively(ResId::IDR_MAP_PICTURE, [this] {
        if (m_onPictureSharper) m_onPictureSharper();
    });
    CLoadingDlg notice;
    notice.ShowNow();
    LoadPlaces();
    m_picture.WaitForFirstLook();
    return &m_picture;
}

bool CZerimApp::LoadPlaces() {
    const auto block = FindRcData(ResId::IDR_PLACES);
    if (!block) return false;
    m_bPlacesCut = !ParsePlaceTable(*block, m_places);
    return !m_bPlacesCut;
}

std::vector<std::string> CZerimApp::LoadProblems() const {
    std::vector<std::string> problems;
    const JpegProblem picture = m_picture.Problem();
    if (picture != JpegProblem::None)
        problems.push_back((IsRefusal(picture) ? "carte illisible : " : "carte incomplète : ") +
                           JpegProblemText(picture));
    if (m_bPlacesCut) problems.push_back(CutPlaceTableNotice(m_places.GetSize()));
    return problems;
}
