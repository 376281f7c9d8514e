#include "npc/IEControl.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QtTest>
#include <QTextBlock>

namespace {

// A blank page as the program embeds it: a comment, an empty head, a body
// with an empty FONT element, CR LF line ends.
const char* const kBlankPage =
    "<!-- nothing to see -->\r\n<HTML><HEAD><TITLE></TITLE>\r\n<SCRIPT></SCRIPT></HEAD>\r\n"
    "<BODY><FONT face=\"Arial\" size=\"2\"></FONT></BODY></HTML>";

constexpr int kPageId = 135;

struct RecordingOwner : IHtmlPanelOwner {
    bool accept = false;
    QStringList asked;
    bool OnLinkClicked(const std::string& url) override {
        asked << QString::fromStdString(url);
        return accept;
    }
};

// Clicks the middle of the first occurrence of `text` in the panel.
bool ClickText(CIEControl& panel, const QString& text) {
    QTextCursor found = panel.document()->find(text);
    if (found.isNull()) return false;
    QTextCursor inside(panel.document());
    inside.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    const QPoint at = panel.cursorRect(inside).center();
    QTest::mouseClick(panel.viewport(), Qt::LeftButton, {}, at);
    return true;
}

}  // namespace

class TestIEControl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void noPageNoBody();
    void replacesTheBody_data();
    void replacesTheBody();
    void eightBitText();
    void links_data();
    void links();
    void linkByKeyboard();
    void ownerShowsAnotherPage();

private:
    void AddPage(int id, const QByteArray& bytes) {
        m_store.Add(ResType::Numeric(ResId::RT_HTML), id,
                    std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }
    CMemoryResourceStore m_store;
};

void TestIEControl::init() {
    m_store = CMemoryResourceStore();
    AddPage(kPageId, kBlankPage);
    SetResources(&m_store);
}

void TestIEControl::cleanup() { SetResources(nullptr); }

void TestIEControl::noPageNoBody() {
    CIEControl panel;
    QVERIFY(!panel.SetBodyHtml("<b>early</b>"));
    QVERIFY(!panel.LoadFromResource(999));
    QVERIFY(!panel.SetBodyHtml("<b>early</b>"));
    QVERIFY(panel.toPlainText().isEmpty());
    AddPage(7, "<html><p>no body tag</p></html>");
    QVERIFY(panel.LoadFromResource(7));
    QVERIFY(!panel.SetBodyHtml("<b>new</b>"));
    QVERIFY(panel.toPlainText().contains("no body tag"));
}

void TestIEControl::replacesTheBody_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("kept");  // what must survive from the page
    QTest::newRow("blank page") << QByteArray(kBlankPage) << "<SCRIPT></SCRIPT></HEAD>\r\n<BODY>";
    QTest::newRow("attributes and lower case")
        << QByteArray("<html><body bgcolor=\"#fff\">old text</body></html>")
        << "<body bgcolor=\"#fff\">";
    QTest::newRow("no end tag") << QByteArray("<html><BODY>old text") << "<html><BODY>";
    QTest::newRow("a longer tag name is not the body")
        << QByteArray("<bodyguard>x</bodyguard><body>old text</body>") << "<bodyguard>x</bodyguard>";
}

void TestIEControl::replacesTheBody() {
    QFETCH(QByteArray, page);
    QFETCH(QString, kept);
    AddPage(8, page);
    CIEControl panel;
    QVERIFY(panel.LoadFromResource(8));
    QVERIFY(panel.SetBodyHtml("<b>Amrel</b> first"));
    QVERIFY(panel.SetBodyHtml("<b>Bo</b> second"));
    // Each page replaces the last one whole.
    QVERIFY(panel.toPlainText().trimmed().endsWith("Bo second"));
    QVERIFY(!panel.toPlainText().contains("first"));
    QVERIFY(panel.PageSource().contains(kept));
    QVERIFY(!panel.PageSource().contains("old text"));
    QVERIFY(!panel.PageSource().contains("Arial"));
}

void TestIEControl::eightBitText() {
    AddPage(9, "<html><body>Caf\xE9</body></html>");
    CIEControl panel;
    QVERIFY(panel.LoadFromResource(9));
    QCOMPARE(panel.toPlainText(), QString::fromUtf8("Caf\u00E9"));
    QVERIFY(panel.SetBodyHtml("Gar\xE7on"));
    QCOMPARE(panel.toPlainText(), QString::fromUtf8("Gar\u00E7on"));
}

void TestIEControl::links_data() {
    QTest::addColumn<int>("owner");  // 0 none, 1 declines, 2 accepts
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("opened");
    QTest::newRow("owner takes an internal link") << 2 << "quil://npcidx=1" << true << false;
    QTest::newRow("owner takes a web link") << 2 << "https://example.org/" << true << false;
    QTest::newRow("declined web link opens outside") << 1 << "https://example.org/" << true << true;
    QTest::newRow("declined internal link goes nowhere") << 1 << "quil://locidx=3" << true << false;
    QTest::newRow("no owner: web link opens outside") << 0 << "http://example.org/a" << false << true;
    QTest::newRow("no owner: mail link opens outside") << 0 << "mailto:a@example.org" << false << true;
    QTest::newRow("no owner: file link goes nowhere") << 0 << "file:///etc/passwd" << false << false;
}

void TestIEControl::links() {
    QFETCH(int, owner);
    QFETCH(QString, href);
    QFETCH(bool, asked);
    QFETCH(bool, opened);
    CIEControl panel;
    RecordingOwner recorder;
    recorder.accept = owner == 2;
    if (owner) panel.SetOwner(&recorder);
    QList<QUrl> openedUrls;
    panel.SetUrlOpener([&](const QUrl& url) { openedUrls << url; });
    panel.resize(400, 300);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(panel.LoadFromResource(kPageId));
    const std::string body = "Go to <a href=\"" + href.toStdString() + "\">Tharn Gate</a> now.";
    QVERIFY(panel.SetBodyHtml(body));
    const QString before = panel.PageSource();

    QVERIFY(ClickText(panel, "Tharn Gate"));

    QCOMPARE(recorder.asked, asked ? QStringList{href} : QStringList{});
    QCOMPARE(openedUrls, opened ? QList<QUrl>{QUrl(href)} : QList<QUrl>{});
    QCOMPARE(panel.PageSource(), before);  // the panel stays on its page
    QVERIFY(panel.toPlainText().contains("Go to Tharn Gate now."));
}

// Tab selects the link, Enter activates it: the owner sees the same address.
void TestIEControl::linkByKeyboard() {
    CIEControl panel;
    RecordingOwner recorder;
    recorder.accept = true;
    panel.SetOwner(&recorder);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(panel.LoadFromResource(kPageId));
    QVERIFY(panel.SetBodyHtml("See <a href=\"quil://locidx=12\">Tharn</a>."));
    panel.setFocus();
    QTest::keyClick(&panel, Qt::Key_Tab);
    QTest::keyClick(&panel, Qt::Key_Return);
    QCOMPARE(recorder.asked, QStringList{"quil://locidx=12"});
}

// A character link makes the owner show another page from inside the click.
void TestIEControl::ownerShowsAnotherPage() {
    struct PageTurner : IHtmlPanelOwner {
        CIEControl* panel = nullptr;
        bool OnLinkClicked(const std::string& url) override {
            return panel->SetBodyHtml("<b>Page of</b> " + url);
        }
    } owner;
    CIEControl panel;
    owner.panel = &panel;
    panel.SetOwner(&owner);
    panel.resize(400, 300);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(panel.LoadFromResource(kPageId));
    QVERIFY(panel.SetBodyHtml("Ask <a href=\"quil://npcidx=4\">Ilsa Marrow</a>."));
    QVERIFY(ClickText(panel, "Ilsa Marrow"));
    QCOMPARE(panel.toPlainText().trimmed(), QString("Page of quil://npcidx=4"));
    QVERIFY(ClickText(panel, "Page of"));  // plain text: nothing happens
    QCOMPARE(panel.toPlainText().trimmed(), QString("Page of quil://npcidx=4"));
}

QTEST_MAIN(TestIEControl)
#include "test_npc_iecontrol.moc"
