#include "widgets/IEControl.h"
#include "startup/QtFrench.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QtTest>
#include <QBuffer>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextTable>

#include <random>

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

QByteArray Repeat(const QByteArray& piece, int times) {
    QByteArray bytes;
    bytes.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i) bytes += piece;
    return bytes;
}

// Pixels of the panel's picture that are plainly red.
int RedPixels(CIEControl& panel) {
    const QImage shot = panel.viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    return red;
}

}  // namespace

class TestIEControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void noPageNoBody();
    void bodilessPageTakesCharacterPages_data();
    void bodilessPageTakesCharacterPages();
    void namesAreNotRead_data();
    void namesAreNotRead();
    void embeddedResourcesAreRead();
    void refusedPages_data();
    void refusedPages();
    void refusalWithoutNoticeWriter();
    void namelessTagsAreDropped();
    void longTextWithSpacesIsShown();
    void measureNeverBelowTheEngine();
    void refusedBodyLeavesThePageUsable();
    void replacesTheBody_data();
    void replacesTheBody();
    void eightBitText();
    void links_data();
    void links();
    void linkByKeyboard();
    void ownerShowsAnotherPage();
    void pageMenuInFrenchWithoutInternalAddress();

private:
    void AddPage(int id, const QByteArray& bytes) {
        m_store.Add(ResType::Numeric(ResId::RT_HTML), id,
                    std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }
    CMemoryResourceStore m_store;
    QTemporaryDir m_dir;
    QByteArray m_redPng;  // a red picture, 40 x 200
};

void TestIEControl::initTestCase() {
    QVERIFY(m_dir.isValid());
    QImage picture(40, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QBuffer buffer(&m_redPng);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    QFile file(m_dir.filePath("red.png"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(m_redPng) == m_redPng.size());
    file.close();
    QFile css(m_dir.filePath("red.css"));
    QVERIFY(css.open(QIODevice::WriteOnly) && css.write("p { color: #ff0000; background-color: #ff0000; }") > 0);
}

void TestIEControl::init() {
    m_store = CMemoryResourceStore();
    AddPage(kPageId, kBlankPage);
}

void TestIEControl::noPageNoBody() {
    CIEControl panel;
    QVERIFY(!panel.SetBodyHtml("<b>early</b>"));
    QVERIFY(!panel.LoadFromResource(m_store, 999));
    QVERIFY(!panel.SetBodyHtml("<b>early</b>"));
    QVERIFY(panel.toPlainText().isEmpty());
}

// A modder's blank page without a body: shown as it is, and the character
// pages go into a minimal page in its place.
void TestIEControl::bodilessPageTakesCharacterPages_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("no body tag") << QByteArray("<html><p>no body tag</p></html>");
    QTest::newRow("a body in a comment only") << QByteArray("<html><!-- <body> --><p>no body tag</p>");
    QTest::newRow("a body tag cut off") << QByteArray("<p>no body tag</p><body bgcolor=red");
}

void TestIEControl::bodilessPageTakesCharacterPages() {
    QFETCH(QByteArray, page);
    AddPage(kPageId, page);
    CIEControl panel;
    QVERIFY(panel.LoadFromResource(m_store, kPageId));
    QVERIFY(panel.toPlainText().contains("no body tag"));
    QVERIFY(panel.SetBodyHtml("<b>Amrel</b> Near Kelwick."));
    QCOMPARE(panel.toPlainText().trimmed(), QString("Amrel Near Kelwick."));
    QCOMPARE(panel.PageSource(), QString("<html><body><b>Amrel</b> Near Kelwick.</body></html>"));
}

// Whatever a page names, nothing is read from a file or decoded from the
// page: a picture stays undrawn, a style sheet unapplied.
void TestIEControl::namesAreNotRead_data() {
    QTest::addColumn<QString>("body");
    const QString picture = m_dir.filePath("red.png");
    QTest::newRow("the zero device") << "<img src=\"/dev/zero\">";
    QTest::newRow("a local picture") << "<img src=\"" + picture + "\">";
    QTest::newRow("a file address") << "<img src=\"file://" + picture + "\">";
    QTest::newRow("a name in the working folder") << "<img src=\"red.png\">";
    QTest::newRow("a data address")
        << "<img src=\"data:image/png;base64," + QString::fromLatin1(m_redPng.toBase64()) + "\">";
    QTest::newRow("a background picture") << "<table background=\"" + picture +
                                                 "\" width=200 height=200><tr><td>x</td></tr></table>";
    QTest::newRow("a style sheet") << "<link rel=\"stylesheet\" type=\"text/css\" href=\"" +
                                          m_dir.filePath("red.css") + "\"/><p>Text on red</p>";
    QTest::newRow("an imported style sheet")
        << "<style>@import url(\"" + m_dir.filePath("red.css") + "\");</style><p>Text on red</p>";
}

void TestIEControl::namesAreNotRead() {
    QFETCH(QString, body);
    const QString workingFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    AddPage(8, "<html><body>" + body.toLatin1() + " and text</body></html>");
    CIEControl panel;
    panel.resize(300, 300);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(panel.LoadFromResource(m_store, 8));
    QVERIFY(panel.toPlainText().contains("text"));
    const int red = RedPixels(panel);
    const qreal height = panel.document()->size().height();
    QVERIFY(QDir::setCurrent(workingFolder));
    QCOMPARE(red, 0);
    QVERIFY2(height < 150 || body.contains("<table"), qPrintable(QString::number(height)));
}

// The program's own resources are what a page may show.
void TestIEControl::embeddedResourcesAreRead() {
    const QString icon = ":/qt-project.org/styles/commonstyle/images/file-16.png";
    QVERIFY(QFile::exists(icon));
    CIEControl panel;
    for (const QString& name : {icon, "qrc" + icon}) {
        const QVariant data = panel.loadResource(QTextDocument::ImageResource, QUrl(name));
        QImage image;
        QVERIFY2(image.loadFromData(data.toByteArray()), qPrintable(name));
        QCOMPARE(image.size(), QSize(16, 16));
    }
    const QVariant missing = panel.loadResource(QTextDocument::ImageResource, QUrl(":/no/such.png"));
    QCOMPARE(missing.value<QImage>().size(), QSize(1, 1));
}

// Pages the engine cannot lay out in good time, or at all: each is refused
// before it reaches the engine, the blank page is shown, the notice says
// why, and character pages still show afterwards.
void TestIEControl::refusedPages_data() {
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("notice");
    const QByteArray table = "<table border=1><tr><td>";
    QTest::newRow("10,000 tables inside one another")
        << Repeat(table, 10000) << "Page refusée : plus de 8 tableaux imbriqués";
    QTest::newRow("1,000 tables inside one another")
        << Repeat(table, 1000) << "Page refusée : plus de 8 tableaux imbriqués";
    QTest::newRow("10,000 levels")
        << Repeat("<blockquote>", 10000) << "Page refusée : plus de 64 niveaux d'imbrication";
    QTest::newRow("1 Mio and 1 byte")
        << "<html><body>" + QByteArray((1 << 20) + 1 - 26, 'x') + "</body></html>"
        << "Page refusée : plus de 1 Mio";
    QTest::newRow("tables side by side that the engine nests")
        << "<td></tr>" + Repeat("<td></table>", 12) << "Page refusée : plus de 8 tableaux imbriqués";
    QTest::newRow("a short page of wide rows")
        << "<table>" + Repeat("<tr><td colspan=100000>x", 1000)
        << "Page refusée : plus de 50000 cellules de tableau";
    QTest::newRow("a cell padding that overflows the layout")
        << QByteArray("<table cellpadding=30000000><tr><td>x</td></tr></table>")
        << "Page refusée : marges de tableau démesurées";
    QTest::newRow("a word of 300,000 letters")
        << QByteArray(300000, 'x') << "Page refusée : texte trop long sans espace";
    QTest::newRow("a line kept whole by nobr")
        << "<nobr>" + Repeat("wordxyz ", 40000) << "Page refusée : texte trop long sans espace";
    QTest::newRow("a word of 40,000 letters in alternating formats")
        << Repeat("x<b>y</b>", 20000) << "Page refusée : texte trop long sans espace";
    QTest::newRow("many words of 40,000 letters")
        << Repeat(QByteArray(40000, 'x') + ' ', 20) << "Page refusée : texte trop long sans espace";
    QTest::newRow("a cell padding set by a style")
        << QByteArray("<table><tr><td style=\"padding: 20000px\">x")
        << "Page refusée : marges de tableau démesurées";
}

void TestIEControl::refusedPages() {
    QFETCH(QByteArray, page);
    QFETCH(QString, notice);
    AddPage(ResId::IDR_ABOUT_PAGE, page);
    CIEControl panel;
    QStringList notices;
    panel.SetNoticeWriter([&](const QString& text) { notices << text; });
    panel.resize(400, 300);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(!panel.LoadFromResource(m_store, ResId::IDR_ABOUT_PAGE));
    QCOMPARE(notices, QStringList{notice});
    QVERIFY(panel.toPlainText().trimmed().isEmpty());
    QVERIFY(panel.SetBodyHtml("<b>Amrel</b> Near Kelwick."));
    QCOMPARE(panel.toPlainText().trimmed(), QString("Amrel Near Kelwick."));
    QCOMPARE(notices.size(), 1);
}

// A panel tells only the writer its owner gave it (the main window gives its
// status bar, see test_placecardwindow): given none, it looks for no status
// bar above it, tells no one, and goes on.
void TestIEControl::refusalWithoutNoticeWriter() {
    QMainWindow frame;
    auto* bar = new QStatusBar(&frame);
    frame.setStatusBar(bar);
    QDialog dialog(&frame);
    auto* panel = new CIEControl(&dialog);
    AddPage(ResId::IDR_ABOUT_PAGE, Repeat("<div>", 65));
    QVERIFY(!panel->LoadFromResource(m_store, ResId::IDR_ABOUT_PAGE));
    QVERIFY(bar->currentMessage().isEmpty());
    CIEControl alone;
    QVERIFY(!alone.LoadFromResource(m_store, ResId::IDR_ABOUT_PAGE));
    QVERIFY(alone.SetBodyHtml("<b>Bo</b>"));
}

// The engine lists a nameless element again as the element after it: here
// 30,001 cells of one. Such tags show nothing and are dropped.
void TestIEControl::namelessTagsAreDropped() {
    AddPage(8, "<table><tr>" + Repeat("<>", 30000) + "<td>x</td><td>y</td></tr></table>");
    CIEControl panel;
    QVERIFY(panel.LoadFromResource(m_store, 8));
    const QList<QTextFrame*> frames = panel.document()->rootFrame()->childFrames();
    QCOMPARE(frames.size(), 1);
    auto* table = qobject_cast<QTextTable*>(frames.front());
    QVERIFY(table);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(panel.toPlainText().simplified(), QString("x y"));
}

// Text of any length lays out in good time while it has spaces.
void TestIEControl::longTextWithSpacesIsShown() {
    AddPage(8, "<p>" + Repeat("Kelwick ", 100000) + "<p>" + QByteArray(60000, 'x'));
    CIEControl panel;
    QStringList notices;
    panel.SetNoticeWriter([&](const QString& text) { notices << text; });
    QVERIFY(panel.LoadFromResource(m_store, 8));
    QVERIFY(notices.isEmpty());
    QCOMPARE(panel.toPlainText().size(), 100000 * 8 + 1 + 60000);
}

// The measure that decides what reaches the engine follows how the engine
// closes and nests elements: on random markup made of what tables are made
// of, the engine never builds more table frames inside one another, nor
// more cells, than the measure counts.
void TestIEControl::measureNeverBelowTheEngine() {
    const char* const pieces[] = {
        "<table>", "<tr>", "<td>", "<th>", "</td>", "</tr>", "</table>", "<td/>", "<tr/>",
        "<table/>", "<tbody>", "</tbody>", "<thead>", "<caption>", "</caption>", "<p>", "</p>",
        "<li>", "<ul>", "</ul>", "<dl>", "<dt>", "<dd>", "<div>", "</div>", "<b>", "</b>",
        "<head>", "</head>", "<script>", "<td colspan=3>", "<td rowspan=2>", "<t&#97;ble>",
        "<&#116;d>", "</t&#x+0x61;ble>", "<t&eacute;>", "</t&eacute;>", "<>", "< table>",
        "<td a=\"<table>\">", "<!--", "-->", "\"", "x", " ", "<td></tr>", "<p><td/>"};
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        std::string page;
        for (int n = 1 + int(random() % 30); n > 0; --n) page += pieces[random() % std::size(pieces)];
        std::string prepared;
        PageNesting measured;
        PageLimits unlimited;
        unlimited.maxDepth = unlimited.maxTables = 1000;
        PreparePage(page, prepared, measured, unlimited);
        QTextDocument document;
        document.setHtml(QString::fromLatin1(prepared.c_str()));
        int frames = 0;
        long long cells = 0;
        std::vector<std::pair<QTextFrame*, int>> pending{{document.rootFrame(), 0}};
        while (!pending.empty()) {
            auto [frame, depth] = pending.back();
            pending.pop_back();
            if (auto* table = qobject_cast<QTextTable*>(frame)) {
                frames = std::max(frames, ++depth);
                cells += (long long)table->rows() * table->columns();
            }
            for (QTextFrame* child : frame->childFrames()) pending.emplace_back(child, depth);
        }
        QVERIFY2(frames <= measured.tables && cells <= measured.cells, page.c_str());
    }
}

// A body too large for the page: the blank page in its place, and the
// loaded page still takes the next, smaller body.
void TestIEControl::refusedBodyLeavesThePageUsable() {
    CIEControl panel;
    QStringList notices;
    panel.SetNoticeWriter([&](const QString& text) { notices << text; });
    QVERIFY(panel.LoadFromResource(m_store, kPageId));
    QVERIFY(!panel.SetBodyHtml(std::string(1 << 20, 'x')));
    QCOMPARE(notices, QStringList{"Page refusée : plus de 1 Mio"});
    QVERIFY(panel.toPlainText().trimmed().isEmpty());
    QVERIFY(panel.SetBodyHtml("<b>Bo</b>"));
    QVERIFY(panel.PageSource().contains("<SCRIPT></SCRIPT></HEAD>"));
    QCOMPARE(panel.toPlainText().trimmed(), QString("Bo"));
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
    QVERIFY(panel.LoadFromResource(m_store, 8));
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
    QVERIFY(panel.LoadFromResource(m_store, 9));
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
    QVERIFY(panel.LoadFromResource(m_store, kPageId));
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
    QVERIFY(panel.LoadFromResource(m_store, kPageId));
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
    QVERIFY(panel.LoadFromResource(m_store, kPageId));
    QVERIFY(panel.SetBodyHtml("Ask <a href=\"quil://npcidx=4\">Ilsa Marrow</a>."));
    QVERIFY(ClickText(panel, "Ilsa Marrow"));
    QCOMPARE(panel.toPlainText().trimmed(), QString("Page of quil://npcidx=4"));
    QVERIFY(ClickText(panel, "Page of"));  // plain text: nothing happens
    QCOMPARE(panel.toPlainText().trimmed(), QString("Page of quil://npcidx=4"));
}

// The menu on a link: Qt's own items in French, and no item that would copy
// the program's internal address.
void TestIEControl::pageMenuInFrenchWithoutInternalAddress() {
    QVERIFY(InstallQtFrench());
    CIEControl panel;
    panel.resize(400, 300);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(panel.LoadFromResource(m_store, kPageId));
    QVERIFY(panel.SetBodyHtml("Ask <a href=\"quil://npcidx=4\">Ilsa Marrow</a>."));
    QTextCursor link = panel.document()->find("Ilsa");
    QTextCursor inside(panel.document());
    inside.setPosition(link.selectionStart() + 1);
    const QPoint onLink = panel.cursorRect(inside).center();
    QCOMPARE(panel.anchorAt(onLink), QString("quil://npcidx=4"));
    std::unique_ptr<QMenu> menu(panel.CreatePageMenu(onLink));
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) texts << action->text().remove('&').section('\t', 0, 0);
    QVERIFY2(texts.contains("Copier") && texts.contains(QString::fromUtf8("Tout sélectionner")),
             qPrintable(texts.join('|')));
    QVERIFY(!menu->findChild<QAction*>("link-copy") || !menu->actions().contains(menu->findChild<QAction*>("link-copy")));
    QMessageBox box(QMessageBox::Warning, "t", "x", QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QString("Annuler"));
}

QTEST_MAIN(TestIEControl)
#include "test_npc_iecontrol.moc"
