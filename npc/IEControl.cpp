#include "IEControl.h"

#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/Win1252.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

QString FromAnsi(std::string_view text) {
    return QString::fromStdString(Win1252ToUtf8(text));
}

// Where the content of the page's body begins and ends, or nothing when the
// page has no body tag. A missing end tag lets the body run to the end.
struct BodySpan {
    qsizetype begin = -1, end = -1;
};

BodySpan FindBody(const QString& page) {
    qsizetype at = 0;
    while ((at = page.indexOf(QLatin1String("<body"), at, Qt::CaseInsensitive)) >= 0) {
        const qsizetype after = at + 5;
        // "<bodyx" is another tag; only "<body>" and "<body ...>" open the body.
        if (after < page.size() && (page[after] == '>' || page[after].isSpace())) break;
        at = after;
    }
    if (at < 0) return {};
    const qsizetype close = page.indexOf('>', at);
    if (close < 0) return {};
    BodySpan span{close + 1, page.size()};
    const qsizetype end = page.indexOf(QLatin1String("</body"), span.begin, Qt::CaseInsensitive);
    if (end >= 0) span.end = end;
    return span;
}

bool IsWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

}  // namespace

CIEControl::CIEControl(QWidget* parent)
    : QTextBrowser(parent), m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    // The panel never navigates by itself: every click comes to OnAnchorClicked.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CIEControl::OnAnchorClicked);
}

bool CIEControl::LoadFromResource(int id) {
    const auto block = FindResource(ResType::Numeric(ResId::RT_HTML), id);
    if (!block) return false;
    ShowPage(FromAnsi(std::string_view(reinterpret_cast<const char*>(block->data), block->size)));
    return true;
}

bool CIEControl::SetBodyHtml(const std::string& html) {
    if (m_page.isEmpty()) return false;
    const BodySpan body = FindBody(m_page);
    if (body.begin < 0) return false;
    ShowPage(m_page.left(body.begin) + FromAnsi(html) + m_page.mid(body.end));
    return true;
}

void CIEControl::ShowPage(const QString& page) {
    m_page = page;
    setHtml(page);
    verticalScrollBar()->setValue(0);
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
