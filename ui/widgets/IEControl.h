// An HTML panel for dialogs: shows a page embedded in the program, can have
// the body of that page replaced by generated HTML, and asks its owner about
// every link before acting on it. Links are never followed inside the panel;
// a web address that the owner does not take opens in the user's browser.
//
// Pages may come from outside the program (--data), so the panel reads
// nothing that a page names but the program's own embedded resources, and
// refuses, before its engine sees it, a page too large, too deep or with
// too many tables or cells (see PageBounds): it then shows a blank page and
// says why through the notice writer its owner gave it.
#pragma once
#include "npc/PageBounds.h"

#include <QTextBrowser>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>

class QMenu;

class IResourceStore;

// The dialog that handles the internal links of its panel.
class IHtmlPanelOwner {
public:
    virtual ~IHtmlPanelOwner() = default;
    // `url` is the link's address as the page writes it (UTF-8). True when
    // the link was handled and must go no further.
    virtual bool OnLinkClicked(const std::string& url) = 0;
};

class CIEControl : public QTextBrowser {
    Q_OBJECT
public:
    using UrlOpener = std::function<void(const QUrl&)>;
    using NoticeWriter = std::function<void(const QString&)>;

    explicit CIEControl(QWidget* parent = nullptr);

    // Not owned; null leaves every link to the browser opener.
    void SetOwner(IHtmlPanelOwner* owner) { m_pOwner = owner; }
    IHtmlPanelOwner* Owner() const { return m_pOwner; }
    // How web addresses leave the program; the desktop's browser by default.
    void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // Where the panel says why it refused a page (the main window gives its
    // status bar); without one the panel tells no one and goes on.
    void SetNoticeWriter(NoticeWriter writer) { m_notice = std::move(writer); }
    void SetLimits(const PageLimits& limits) { m_limits = limits; }

    // Shows the HTML page resource `id` of `store` (8-bit Windows-1252
    // text). False, and the panel left as it was, when there is no such
    // resource; false too when the page is refused, and the blank page shown
    // in its place.
    bool LoadFromResource(const IResourceStore& store, int id);

    // Replaces the whole content of the loaded page's body with `html`, an
    // 8-bit string; a page without a body gives way to a minimal page. False,
    // nothing changed, when no page is loaded; false, the blank page shown,
    // when the page made is refused.
    bool SetBodyHtml(const std::string& html);

    // The page as last shown: the loaded page with its body as last set,
    // without the tags its engine could not be trusted with.
    const QString& PageSource() const { return m_page; }

    // Only the program's embedded resources (":/..." or "qrc:/..."); any
    // other name gets an empty stand-in, so that nothing is read from a
    // file or the network.
    QVariant loadResource(int type, const QUrl& name) override;

    // The panel's context menu at `pos` (the viewport's coordinates): the
    // commands its owner added to it (its actions), then Qt's, without the
    // item that would copy a link's internal address.
    QMenu* CreatePageMenu(const QPoint& pos);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnAnchorClicked(const QUrl& url);
    bool ShowPage(const std::string& page);
    std::unique_ptr<QTextDocument> ReadPage(const QString& page);
    void ShowDocument(std::unique_ptr<QTextDocument> document, const QString& page);

    IHtmlPanelOwner* m_pOwner = nullptr;
    UrlOpener m_openUrl;
    NoticeWriter m_notice;
    PageLimits m_limits;
    bool m_loaded = false;   // a page resource was found
    std::string m_template;  // the page whose body SetBodyHtml replaces (8-bit)
    QString m_page;          // empty until a page is shown
    // The address of the link being activated, as the page writes it: the
    // internal links ("quil://npcidx=3") are no valid URL and would reach
    // OnAnchorClicked empty.
    QString m_activeHref;
};
