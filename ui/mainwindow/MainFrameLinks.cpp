// The program's links in the window: showing what a link leads to (from the
// command line, or handed over by a second `zerim LINK` through the socket),
// and "Copier le lien" on what the window, a finder or a card shows.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/LinkServer.h"
#include "mainwindow/StatusBar.h"
#include "render/MapPicture.h"
#include "render/World.h"

#include "data/PlaceArray.h"
#include "links/LinkNames.h"
#include "links/ZerimLink.h"
#include "mapview/ZerimView.h"
#include "npc/SheetPages.h"
#include "quicksearch/QuickSearch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace {
QString Utf8(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

void CMainFrame::OpenLink(const std::string& text) {
    std::string error;
    const auto link = ParseZerimLink(text, error);
    if (!link) {
        m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Lien refusé : ") + Utf8(error));
        return;
    }
    if (link->kind == ZerimLink::Kind::View) return ShowLinkedView({link->x, link->y}, link->zoom);
    const auto target = LinkNames().Resolve(*link, error);
    if (!target) {
        SearchLinkName(Utf8(link->name));
        m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Lien : %1 ; recherche de ce nom").arg(Utf8(error)));
        return;
    }
    const QString said = QString::fromUtf8("Lien : %1 « %2 »").arg(KindNoun(link->kind), Utf8(target->name));
    switch (link->kind) {
    case ZerimLink::Kind::Place:
        ShowLinkedPlace(target->number, link->zoom);
        break;
    // The finders wait for the user: they open once this event is over.
    case ZerimLink::Kind::Character:
        QTimer::singleShot(0, this, [this, ordinal = target->number] { ShowLinkedCharacter(ordinal); });
        break;
    case ZerimLink::Kind::Spell:
        QTimer::singleShot(0, this, [this, id = uint16_t(target->number)] { ShowLinkedSpell(id); });
        break;
    case ZerimLink::Kind::View:
        break;
    }
    m_wndStatusBar->SetPaneText(0, said);
}

// A place is lit and flown to as the place bar does it, then shown at the
// link's zoom if it has one.
void CMainFrame::ShowLinkedPlace(int index, std::optional<int> zoom) {
    ShowPlace(index);
    const CPlace* place = m_world.Places()[index];
    if (zoom && place) ShowLinkedView({place->m_x, place->m_y}, zoom);
}

void CMainFrame::ShowLinkedView(CPoint centre, std::optional<int> zoom) {
    if (zoom) m_pView->SetZoom(*zoom);
    const CMapPicture* picture = m_pView->CurrentPicture();
    if (picture) m_pView->CenterOnPicture(ViewGeometry::WorldToPixels(centre, picture->GetPixelSize()));
}

void CMainFrame::ShowLinkedCharacter(int ordinal) { ShowInSheet({SheetKind::Character, ordinal}, true); }

void CMainFrame::ShowLinkedSpell(uint16_t spellId) { ShowInSheet({SheetKind::Spell, spellId}, true); }

// A name that leads nowhere is looked for in the one search, with the field
// open on it so that the player sees what comes nearest.
void CMainFrame::SearchLinkName(const QString& name) {
    OpenSearchField();
    m_quickSearch->Field()->setText(name);
}

bool CMainFrame::ListenForLinks(const std::string& path, std::string& error) {
    auto* server = new CLinkServer([this](const std::string& text) { OnLinkArrived(text); }, this);
    if (server->Listen(path, error)) return true;
    delete server;
    return false;
}

// The window comes to the front (the window system may refuse it the
// focus), then shows the link once the socket's event is over. An empty
// message is a window that looked whether this one still listens.
void CMainFrame::OnLinkArrived(const std::string& text) {
    if (text.empty()) return;
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    QTimer::singleShot(0, this, [this, text] { OpenLink(text); });
}

// After "Copier les lieux": the hovered place's link, else the one found
// place's, else the view's.
void CMainFrame::AddCopyLinkCommand(QMenu* search) {
    QAction* copy = NewExtraCommand(ExtraCommand::CopyLink, "Copier le l&ien",
                                    "Copie le lien zerim: du lieu survolé ou choisi au clavier, sinon du seul lieu trouvé, sinon de la vue",
                                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)});
    connect(copy, &QAction::triggered, this, &CMainFrame::CopyLink);
    search->addAction(copy);
}

// The character and spell names, read once for every link the window shows
// or copies.
const CLinkNames& CMainFrame::LinkNames() const {
    if (!m_linkNames) m_linkNames = std::make_unique<CLinkNames>(m_world.Store(), m_world.Places());
    return *m_linkNames;
}

std::optional<std::string> CMainFrame::LinkText(ZerimLink::Kind kind, std::optional<int> number) const {
    if (!number) return std::nullopt;
    const auto link = LinkNames().LinkTo(kind, *number);
    if (!link) return std::nullopt;
    return WriteZerimLink(*link);
}

void CMainFrame::CopyLink() {
    if (const int place = PlaceForCard(); place >= 0) return CopyLinkText(LinkText(ZerimLink::Kind::Place, place));
    const ViewGeometry& geometry = m_pView->Geometry();
    ZerimLink view;
    view.kind = ZerimLink::Kind::View;
    const CPoint centre = geometry.MapToWorld(geometry.ClientCentre());
    view.x = centre.x, view.y = centre.y;
    view.zoom = geometry.Zoom();
    CopyLinkText(WriteZerimLink(view));
}

QAction* CMainFrame::NewCopyLinkAction(QWidget* window, std::function<std::optional<std::string>()> linkOf) {
    auto* action = new QAction(QString::fromUtf8("Copier le lien"), window);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    window->addAction(action);
    connect(action, &QAction::triggered, this, [this, linkOf = std::move(linkOf)] { CopyLinkText(linkOf()); });
    return action;
}

void CMainFrame::CopyLinkText(const std::optional<std::string>& link) {
    if (!link) {
        m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Rien à copier : choisissez d'abord un NPC ou un sort"));
        return;
    }
    QGuiApplication::clipboard()->setText(Utf8(*link));
    m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Lien copié : ") + Utf8(*link));
}
