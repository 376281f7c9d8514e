// An HTML panel for dialogs: shows a page embedded in the program, can have
// the body of that page replaced by generated HTML, and asks its owner about
// every link before acting on it. Links are never followed inside the panel;
// a web address that the owner does not take opens in the user's browser.
#pragma once
#include <QTextBrowser>
#include <QUrl>

#include <functional>
#include <string>

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

    explicit CIEControl(QWidget* parent = nullptr);

    // Not owned; null leaves every link to the browser opener.
    void SetOwner(IHtmlPanelOwner* owner) { m_pOwner = owner; }
    IHtmlPanelOwner* Owner() const { return m_pOwner; }
    // How web addresses leave the program; the desktop's browser by default.
    void SetUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    // Shows the HTML page resource `id` (8-bit Windows-1252 text). False, and
    // the panel left as it was, when there is no such resource.
    bool LoadFromResource(int id);

    // Replaces the whole content of the loaded page's body with `html`, an
    // 8-bit string. False, nothing changed, when no page is loaded or the
    // page has no body.
    bool SetBodyHtml(const std::string& html);

    // The page as last shown: the loaded page with its body as last set.
    const QString& PageSource() const { return m_page; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnAnchorClicked(const QUrl& url);
    void ShowPage(const QString& page);

    IHtmlPanelOwner* m_pOwner = nullptr;
    UrlOpener m_openUrl;
    QString m_page;  // empty until a page is loaded
    // The address of the link being activated, as the page writes it: the
    // internal links ("quil://npcidx=3") are no valid URL and would reach
    // OnAnchorClicked empty.
    QString m_activeHref;
};
