#include "widgets/IEControl.h"

#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "npc/PageBody.h"
#include "text/Text.h"
#include "widgets/PageDocument.h"

#include <QDesktopServices>
#include <QFile>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextDocument>

#include <memory>

namespace {

bool IsWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// The path in the program's own resources that `name` gives, or nothing.
QString EmbeddedPath(const QUrl& name) {
    if (name.scheme().compare(QLatin1String("qrc"), Qt::CaseInsensitive) == 0)
        return QLatin1Char(':') + name.path();
    // ":/..." makes no valid address, but keeps its path.
    if (name.scheme().isEmpty() && name.path().startsWith(QLatin1String(":/"))) return name.path();
    return {};
}

}  // namespace

CIEControl::CIEControl(QWidget* parent)
    : QTextBrowser(parent),
      m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    // The panel never navigates by itself: every click comes to OnAnchorClicked.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CIEControl::OnAnchorClicked);
}

bool CIEControl::LoadFromResource(const IResourceStore& store, int id) {
    const auto block = store.Find(ResType::Numeric(ResId::RT_HTML), id);
    if (!block) return false;
    m_loaded = true;
    m_template.assign(reinterpret_cast<const char*>(block->data), block->size);
    if (ShowPage(m_template)) return true;
    // The pages written into it later take the minimal page instead.
    m_template = kMinimalPage;
    return false;
}

bool CIEControl::SetBodyHtml(const std::string& html) {
    if (!m_loaded) return false;
    return ShowPage(WithBody(m_template, html));
}

// The page goes to the engine only once it is measured; the engine then
// reads it into a document of its own, checked before it is laid out, and
// that document is the one shown.
bool CIEControl::ShowPage(const std::string& page) {
    std::string prepared;
    PageNesting nesting;
    PageFault fault = PreparePage(page, prepared, nesting, m_limits);
    std::unique_ptr<QTextDocument> document;
    if (fault == PageFault::None) {
        document = ReadPage(FromWin1252(prepared));
        fault = CheckDocument(*document, m_limits);
    }
    if (fault != PageFault::None) {
        const QString blank = QString::fromUtf8(kMinimalPage.data(), int(kMinimalPage.size()));
        ShowDocument(ReadPage(blank), blank);
        if (m_notice) m_notice(QString::fromStdString(DescribePageFault(fault, m_limits)));
        return false;
    }
    ShowDocument(std::move(document), FromWin1252(prepared));
    return true;
}

// A child of the panel, so that what the page names comes through
// loadResource like the panel's own.
std::unique_ptr<QTextDocument> CIEControl::ReadPage(const QString& page) {
    auto document = std::make_unique<QTextDocument>(this);
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(font());
    document->setHtml(page);
    return document;
}

void CIEControl::ShowDocument(std::unique_ptr<QTextDocument> document, const QString& page) {
    // The panel's first document belongs to its text control, which deletes
    // it; those read here are the panel's, deleted later: the page may be
    // changed from inside one of its own link clicks.
    QTextDocument* previous = this->document();
    const bool ours = previous->parent() == this;
    setDocument(document.release());
    if (ours) previous->deleteLater();
    m_page = page;
    verticalScrollBar()->setValue(0);
}

QVariant CIEControl::loadResource(int type, const QUrl& name) {
    const QString path = EmbeddedPath(name);
    if (!path.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) return file.readAll();
    }
    // An empty answer would let the document, and for pictures the picture
    // handler, read the name from disk themselves: a stand-in that is not
    // empty stops both.
    if (type == QTextDocument::ImageResource) {
        QImage nothing(1, 1, QImage::Format_ARGB32);
        nothing.fill(Qt::transparent);
        return nothing;
    }
    return QByteArray(" ");
}

QMenu* CIEControl::CreatePageMenu(const QPoint& pos) {
    QMenu* menu = createStandardContextMenu(pos);
    // The program's own links ("quil://...") mean nothing outside it.
    if (QAction* copyLink = menu->findChild<QAction*>(QStringLiteral("link-copy"))) menu->removeAction(copyLink);
    if (!actions().isEmpty()) {
        QAction* first = menu->actions().value(0);
        menu->insertActions(first, actions());
        menu->insertSeparator(first);
    }
    return menu;
}

void CIEControl::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(CreatePageMenu(event->pos()));
    menu->exec(event->globalPos());
}

void CIEControl::mouseReleaseEvent(QMouseEvent* event) {
    m_activeHref = anchorAt(event->position().toPoint());
    QTextBrowser::mouseReleaseEvent(event);
    m_activeHref.clear();
}

void CIEControl::keyPressEvent(QKeyEvent* event) {
    // A link reached with Tab is the cursor's selection.
    m_activeHref = textCursor().charFormat().anchorHref();
    QTextBrowser::keyPressEvent(event);
    m_activeHref.clear();
}

void CIEControl::OnAnchorClicked(const QUrl& url) {
    const QString href = m_activeHref.isEmpty() ? url.toString() : m_activeHref;
    if (m_pOwner && m_pOwner->OnLinkClicked(href.toStdString())) return;
    if (url.isRelative() && url.path().isEmpty() && url.hasFragment()) {
        scrollToAnchor(url.fragment());  // a jump within the page
        return;
    }
    // Anything else would leave the page; only web addresses may, and they
    // go to the user's browser while the panel keeps its page.
    if (IsWebAddress(url) && m_openUrl) m_openUrl(url);
}
