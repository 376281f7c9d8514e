// The character finder on the offscreen platform, in front of a real main
// window: the list, choices, Enter, and the links of the page.
#include "JpegMaker.h"
#include "TableBuilder.h"

#include "mainwindow/MainFrame.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "res/QtResourceStore.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "widgets/AutoCombo.h"
#include "finders/NpcSearchDlg.h"
#include "mapview/ZerimView.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QtTest>

#include "MainWindowFixture.h"

#include "PanelClick.h"

namespace {

const char kBlankPage[] =
    "<!-- nothing here -->\r\n<HTML><HEAD><TITLE></TITLE>\r\n<SCRIPT></SCRIPT></HEAD>\r\n"
    "<BODY><FONT face=\"Arial\" size=\"2\"></FONT></BODY></HTML>";

// Records of name, whereabouts and notes; an empty name ends the table and
// the record after it must never show.
template <size_t N>
std::vector<unsigned char> Table(const char (&bytes)[N]) {
    return std::vector<unsigned char>(bytes, bytes + N - 1);
}
const char kCharacters[] =
    "Amrel\0Near Kelwick.\0\0"
    "Brannoc\0In Orvane, by the well.\0Brother of Amrel.\0"
    "Amrel Vey\0Dun-Carrow.\0Keeps a <ledger> & more.\0"
    "Amrelion\0Nowhere known.\0\0"
    "\0"
    "Ghost\0Kelwick\0\0";

const QString kAmrelPage =
    "<FONT face=\"Tahoma\" size=\"3\"><b>Amrel</b><FONT size=2><BR><BR><b>Localisation<BR></b>"
    "Near <a href=\"quil://locidx=0\">Kelwick</a>.<BR></FONT>";

// Counts the paints a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

}  // namespace

class TestNpcDlg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void listInTableOrder();
    void choiceShowsThePage();
    void mouseChoiceInTheList();
    void typingAloneShowsNothing();
    void enter_data();
    void enter();
    void placeLinkHighlightsBehind();
    void characterLinkSwitches();
    void links_data();
    void links();
    void markupInTheDataIsText();
    void missingTableLeavesItEmpty();
    void rebuiltAtEachOpening();
    void runOpensModalOverTheView();
    void placeLinkKeepsThePlaceInSight_data();
    void placeLinkKeepsThePlaceInSight();
    void realDataListsEveryCharacter();

private:
    // Opens the finder on `store`, the test's own without one.
    void OpenDialog(const IResourceStore* store = nullptr);
    QString ShownName() const;
    void TypeAndEnter(const QString& letters);

    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
    std::unique_ptr<CNpcSearchDlg> m_dlg;
};

void TestNpcDlg::initTestCase() {
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE,
                TestJpeg::Solid(3300, 3800, TestJpeg::Rgb{128, 128, 128}));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
                TestTables::PlaceTable({
                    {"Kelwick", 21, 1, -50000, 150000},
                    {"Orvane", 10, 0, 0, 0},
                    {"Dun-Carrow", 29, 5, 60000, 80000},
                }));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_CHARACTERS, Table(kCharacters));
    m_store.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_BLANK_PAGE, Table(kBlankPage));
    QVERIFY(OpenMainWindow(m_store, {900, 700}, m_world, m_app, m_frame));
}

void TestNpcDlg::cleanupTestCase() {
    m_dlg.reset();  // a child of the view
    CloseMainWindow(m_world, m_app, m_frame);
}

void TestNpcDlg::init() {
    CZerimView* view = m_frame->View();
    view->SetDetailLevel(-1);
    view->SetZoom(20);
    view->Places().HighlightOne(m_world->Places()[1]);
    QTRY_COMPARE(QApplication::activeWindow(), m_frame);  // the view gave its window the focus
    OpenDialog();
}

void TestNpcDlg::cleanup() { m_dlg.reset(); }

void TestNpcDlg::OpenDialog(const IResourceStore* store) {
    // Place links go to the map view, as the main window has them go.
    auto showPlace = [this](int index) { m_frame->View()->HighlightOne(m_world->Places()[index]); };
    m_dlg = std::make_unique<CNpcSearchDlg>(store ? *store : m_store, m_world->Places(), showPlace,
                                            m_frame->View());
    // Modal as when the tool bar opens it, without a nested loop.
    m_dlg->setWindowModality(Qt::ApplicationModal);
    m_dlg->show();
    QTRY_COMPARE(QApplication::activeWindow(), m_dlg.get());
    QCOMPARE(QApplication::focusWidget()->window(), m_dlg.get());
}

// The bold name at the head of the page, or "" for the blank page.
QString TestNpcDlg::ShownName() const {
    const QString text = m_dlg->Panel()->toPlainText().trimmed();
    return text.section('\n', 0, 0);
}

void TestNpcDlg::TypeAndEnter(const QString& letters) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClicks(focus, letters);
    QTest::keyClick(focus, Qt::Key_Return);
}

void TestNpcDlg::listInTableOrder() {
    QCOMPARE(m_dlg->windowTitle(), QString("Recherche de NPCs"));
    CAutoCombo* combo = m_dlg->NameCombo();
    // Screen readers name both controls.
    QCOMPARE(combo->accessibleName(), QString("NPCs"));
    QCOMPARE(m_dlg->Panel()->accessibleName(), QString("Page du NPC"));
    QStringList names;
    for (int i = 0; i < combo->count(); ++i) names << combo->itemText(i);
    QCOMPARE(names, (QStringList{"Amrel", "Brannoc", "Amrel Vey", "Amrelion"}));
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), QString());
    QVERIFY(m_dlg->Panel()->PageSource().contains("nothing here"));  // the blank page
    QCOMPARE(ShownName(), QString());
    QVERIFY(combo->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == combo);
}

void TestNpcDlg::choiceShowsThePage() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // a choice with the arrow key
    QCOMPARE(m_dlg->NameCombo()->currentIndex(), 0);
    QVERIFY(m_dlg->Panel()->PageSource().contains(kAmrelPage));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(ShownName(), QString("Brannoc"));
    QVERIFY(m_dlg->Panel()->toPlainText().contains("Commentaires"));
    QVERIFY(!m_dlg->Panel()->PageSource().contains("Amrel</b>"));  // replaced whole
}

void TestNpcDlg::mouseChoiceInTheList() {
    CAutoCombo* combo = m_dlg->NameCombo();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(3, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(ShownName(), QString("Amrelion"));
    QCOMPARE(combo->currentText(), QString("Amrelion"));
}

void TestNpcDlg::typingAloneShowsNothing() {
    QTest::keyClicks(QApplication::focusWidget(), "bra");
    QCOMPARE(m_dlg->NameCombo()->currentText(), QString("Brannoc"));
    QCOMPARE(ShownName(), QString());
}

void TestNpcDlg::enter_data() {
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("editAfter");  // Enter leaves the field alone
    QTest::newRow("full name of the first item shows the first item") << "amrel" << "Amrel" << "Amrel";
    QTest::newRow("a longer name further down") << "amrel v" << "Amrel Vey" << "Amrel Vey";
    QTest::newRow("completed from one letter") << "b" << "Brannoc" << "Brannoc";
    QTest::newRow("any letter case") << "AMRELI" << "Amrelion" << "Amrelion";
    QTest::newRow("begins no name: nothing") << "zz" << "" << "zz";
    QTest::newRow("empty field: nothing") << "" << "" << "";
    QTest::newRow("the tail after the end is not there") << "ghost" << "" << "ghost";
}

void TestNpcDlg::enter() {
    QFETCH(QString, letters);
    TypeAndEnter(letters);
    QTEST(ShownName(), "shown");
    QTEST(m_dlg->NameCombo()->currentText(), "editAfter");
    QVERIFY(m_dlg->isVisible());  // Enter never closes the finder
}

void TestNpcDlg::placeLinkHighlightsBehind() {
    CZerimView* view = m_frame->View();
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    TypeAndEnter("amrel v");
    const QString page = m_dlg->Panel()->PageSource();
    QVERIFY(ClickText(*m_dlg->Panel(), "Dun-Carrow"));
    // The view flew to the place and painted it before the click returned.
    QCOMPARE(view->Places().Highlight().GetSize(), 1);
    QCOMPARE(view->Places().Highlight()[0], m_world->Places()[2]);
    QCOMPARE(view->Zoom(), 125);  // raised to show a place of level 5
    QVERIFY(counter.paints > 0);
    view->viewport()->removeEventFilter(&counter);
    // The finder stays open, in front, on the same page.
    QVERIFY(m_dlg->isVisible());
    QTest::qWait(20);
    QCOMPARE(QApplication::activeWindow(), m_dlg.get());
    QCOMPARE(m_dlg->Panel()->PageSource(), page);
}

void TestNpcDlg::characterLinkSwitches() {
    TypeAndEnter("bran");
    QVERIFY(ClickText(*m_dlg->Panel(), "Amrel"));
    QCOMPARE(m_dlg->NameCombo()->currentIndex(), 0);
    QCOMPARE(m_dlg->NameCombo()->currentText(), QString("Amrel"));
    QVERIFY(m_dlg->Panel()->PageSource().contains(kAmrelPage));
    QCOMPARE(m_frame->View()->Places().Highlight()[0], m_world->Places()[1]);  // map untouched
}

void TestNpcDlg::links_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<int>("item");      // the list's item afterwards (-1: none)
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("highlight");  // the highlighted place afterwards
    QTest::newRow("character") << "quil://npcidx=3" << true << 3 << "Amrelion" << 1;
    QTest::newRow("last place") << "quil://locidx=2" << true << -1 << "" << 2;
    QTest::newRow("place tested before character") << "x/npcidx=1/locidx=0" << true << -1 << "" << 0;
    QTest::newRow("character past the list") << "quil://npcidx=4" << true << -1 << "" << 1;
    QTest::newRow("place past the table") << "quil://locidx=3" << true << -1 << "" << 1;
    QTest::newRow("negative place") << "quil://locidx=-1" << true << -1 << "" << 1;
    QTest::newRow("web address is not ours") << "https://example.org/" << false << -1 << "" << 1;
}

void TestNpcDlg::links() {
    QFETCH(QString, url);
    QFETCH(int, highlight);
    QTEST(m_dlg->OnLinkClicked(url.toStdString()), "handled");
    QTEST(m_dlg->NameCombo()->currentIndex(), "item");
    QTEST(ShownName(), "shown");
    QCOMPARE(m_frame->View()->Places().Highlight()[0], m_world->Places()[highlight]);
}

void TestNpcDlg::markupInTheDataIsText() {
    TypeAndEnter("amrel v");
    QVERIFY(m_dlg->Panel()->toPlainText().contains("Keeps a <ledger> & more."));
}

void TestNpcDlg::missingTableLeavesItEmpty() {
    CMemoryResourceStore bare;
    bare.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_BLANK_PAGE, Table(kBlankPage));
    OpenDialog(&bare);
    QCOMPARE(m_dlg->NameCombo()->count(), 0);
    TypeAndEnter("amrel");
    QCOMPARE(ShownName(), QString());
    QVERIFY(m_dlg->OnLinkClicked("quil://npcidx=0"));  // names nobody now
    QCOMPARE(ShownName(), QString());
}

void TestNpcDlg::rebuiltAtEachOpening() {
    CMemoryResourceStore other;
    other.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_CHARACTERS,
              Table("Selka\0At Orvane.\0\0\0"));
    other.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_BLANK_PAGE, Table(kBlankPage));
    OpenDialog(&other);
    QCOMPARE(m_dlg->NameCombo()->count(), 1);
    TypeAndEnter("s");
    QCOMPARE(ShownName(), QString("Selka"));
    QVERIFY(m_dlg->Panel()->PageSource().contains("<a href=\"quil://locidx=1\">Orvane</a>"));
    OpenDialog();
    QCOMPARE(m_dlg->NameCombo()->count(), 4);
}

void TestNpcDlg::runOpensModalOverTheView() {
    m_dlg.reset();
    QString caption;
    int items = -1;
    bool closedByEscape = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        caption = modal->windowTitle();
        auto* combo = modal->findChild<CAutoCombo*>();
        if (!combo) return;
        items = combo->count();
        // A place link of the finder the window opened lights the place.
        qobject_cast<CNpcSearchDlg*>(modal)->OnLinkClicked("quil://locidx=2");
        QTest::keyClick(combo, Qt::Key_Escape);  // from the name field, as a user would
        closedByEscape = !modal->isVisible();
        if (!closedByEscape) modal->close();
    });
    m_frame->Command(ResId::ID_NPC_SEARCH)->trigger();  // as the tool bar button does
    QCOMPARE(caption, QString("Recherche de NPCs"));
    QCOMPARE(items, 4);
    QCOMPARE(m_frame->View()->Places().Highlight().GetSize(), 1);
    QCOMPARE(m_frame->View()->Places().Highlight()[0], m_world->Places()[2]);
    QVERIFY(closedByEscape);
}

// Where the view draws the marker of place `index`, in screen coordinates.
static QRect MarkerOnScreen(CZerimView* view, CPlace* place) {
    CRect marker, label;
    view->Places().GetPlaceRects(*place, {}, marker, label);
    return {view->viewport()->mapToGlobal(QPoint(marker.left, marker.top)), QSize(marker.Width(), marker.Height())};
}

void TestNpcDlg::placeLinkKeepsThePlaceInSight_data() {
    QTest::addColumn<bool>("overThePlace");
    QTest::newRow("over the place: moves off it") << true;
    QTest::newRow("beside the place: stays") << false;
}

// Through the window's own command, as the user opens the finder: a place
// link whose place shows under the finder moves the finder aside.
void TestNpcDlg::placeLinkKeepsThePlaceInSight() {
    QFETCH(bool, overThePlace);
    m_dlg.reset();
    QRect before, after, marker, screen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CNpcSearchDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        // The place will show in the middle of the map.
        QWidget* viewport = m_frame->View()->viewport();
        const QPoint middle = viewport->mapToGlobal(viewport->rect().center());
        const QSize size = dialog->frameGeometry().size();
        dialog->move(overThePlace ? middle - QPoint(size.width() / 2, size.height() / 2)
                                  : middle + QPoint(40, 40));
        before = dialog->frameGeometry();
        dialog->OnLinkClicked("quil://locidx=2");
        marker = MarkerOnScreen(m_frame->View(), m_world->Places()[2]);
        after = dialog->frameGeometry();
        screen = dialog->screen()->availableGeometry();
        dialog->close();
    });
    m_frame->Command(ResId::ID_NPC_SEARCH)->trigger();
    QCOMPARE(m_frame->View()->Places().Highlight()[0], m_world->Places()[2]);
    QVERIFY(!marker.isEmpty());
    QCOMPARE(before.intersects(marker), overThePlace);
    QVERIFY(!after.intersects(marker.adjusted(-8, -8, 8, 8)));
    QCOMPARE(after.size(), before.size());
    if (overThePlace) QVERIFY(screen.contains(after));
    else QCOMPARE(after, before);
}

// The first column of a data source, header row left out.
static QStringList NamesIn(const QString& file) {
    QFile source(QStringLiteral(ZERIM_SOURCE_DIR "/res/") + file);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList names;
    source.readLine();
    while (!source.atEnd()) {
        const QString line = QString::fromUtf8(source.readLine()).chopped(1);
        if (!line.isEmpty()) names << line.section('\t', 0, 0);
    }
    return names;
}

// The program's own table: every character in the order of its source, and
// none of the records kept after the end marker.
void TestNpcDlg::realDataListsEveryCharacter() {
    CQtResourceStore embedded;
    const bool present = FindRcData(embedded, ResId::IDR_CHARACTERS).has_value();
    if (present) OpenDialog(&embedded);
    if (!present) QSKIP("the build embeds no character table");
    const QStringList expected = NamesIn(QStringLiteral("characters.tsv"));
    QVERIFY(expected.size() > 1000);
    QStringList listed;
    for (int i = 0; i < m_dlg->NameCombo()->count(); ++i) listed << m_dlg->NameCombo()->itemText(i);
    QCOMPARE(listed, expected);
    for (const QString& ghost : NamesIn(QStringLiteral("characters-tail.tsv")))
        QVERIFY2(!listed.contains(ghost), qPrintable(ghost));
}

QTEST_MAIN(TestNpcDlg)
#include "test_npcdlg.moc"
