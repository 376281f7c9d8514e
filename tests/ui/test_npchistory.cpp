// The character finder's history: the characters shown, and Back and Forward
// through them by keys, mouse buttons and the page's context menu, the list
// following.
#include "data/PlaceList.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "finders/NpcSearchDlg.h"
#include "widgets/AutoCombo.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include "PanelClick.h"

namespace {

template <size_t N>
std::vector<unsigned char> Table(const char (&bytes)[N]) {
    return std::vector<unsigned char>(bytes, bytes + N - 1);
}
const char kBlankPage[] = "<HTML><BODY></BODY></HTML>";
// Each page links to the next character by name.
const char kCharacters[] =
    "Amrel\0Seen with Brannoc.\0\0"
    "Brannoc\0Works for Amrel.\0Knows Corwen.\0"
    "Corwen\0Knows Dalla.\0\0"
    "Dalla\0Nowhere known.\0\0"
    "\0";

}  // namespace

class TestNpcHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { m_dlg.reset(); }
    void steps_data();
    void steps();
    void panelMenuOffersBackAndForward();

private:
    void Run(const QString& step);
    void Pick(int item);
    void Enter(const QString& text);
    QString ShownName() const;
    QMenu* OpenPanelMenu();

    CMemoryResourceStore m_store;
    CPlaceList m_places;  // none: place links lead nowhere here
    std::unique_ptr<CNpcSearchDlg> m_dlg;
};

void TestNpcHistory::initTestCase() {
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_CHARACTERS, Table(kCharacters));
    m_store.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_BLANK_PAGE, Table(kBlankPage));
}

void TestNpcHistory::init() {
    m_dlg = std::make_unique<CNpcSearchDlg>(m_store, m_places, nullptr);
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
    m_dlg->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), m_dlg.get());
}

QString TestNpcHistory::ShownName() const {
    return m_dlg->Panel()->toPlainText().trimmed().section('\n', 0, 0);
}

// A choice with the mouse in the dropped list.
void TestNpcHistory::Pick(int item) {
    CAutoCombo* combo = m_dlg->NameCombo();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(item, 0)).center());
    QTRY_VERIFY(!list->isVisible());
}

void TestNpcHistory::Enter(const QString& text) {
    QLineEdit* edit = m_dlg->NameCombo()->lineEdit();
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// "pick:N", "enter:TEXT", "link:NAME", "page" (focus on the page), "<" and
// ">" (Alt+Left, Alt+Right where the focus is), "mb" and "mf" (the mouse's
// back and forward buttons over the page).
void TestNpcHistory::Run(const QString& step) {
    const QString arg = step.section(':', 1);
    if (step.startsWith("pick:")) Pick(arg.toInt());
    else if (step.startsWith("enter:")) Enter(arg);
    else if (step.startsWith("link:")) QVERIFY(ClickText(*m_dlg->Panel(), arg));
    else if (step == "page") m_dlg->Panel()->setFocus();
    else if (step == "<") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::AltModifier);
    else if (step == ">") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
    else if (step == "mb" || step == "mf")
        QTest::mousePress(m_dlg->Panel()->viewport(), step == "mb" ? Qt::BackButton : Qt::ForwardButton);
    else QFAIL(qPrintable("unknown step " + step));
}

void TestNpcHistory::steps_data() {
    QTest::addColumn<QString>("steps");  // separated by "|"
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("field");  // the list's text: the shown name after a move
    QTest::addColumn<bool>("canBack");
    QTest::addColumn<bool>("canForward");
    QTest::newRow("nothing shown: nowhere to go") << "<|>" << "" << "" << false << false;
    QTest::newRow("back after a character link") << "enter:bran|link:Amrel|<" << "Brannoc" << "Brannoc" << false << true;
    QTest::newRow("forward after back") << "enter:bran|link:Amrel|<|>" << "Amrel" << "Amrel" << true << false;
    QTest::newRow("a new page after going back drops the forward part")
        << "enter:bran|link:Corwen|link:Dalla|<|<|pick:0|>" << "Amrel" << "Amrel" << true << false;
    QTest::newRow("back over list choices") << "pick:3|pick:1|pick:2|<|<" << "Dalla" << "Dalla" << false << true;
    QTest::newRow("back replaces a typed text") << "enter:bran|link:Amrel|enter:zz|<" << "Brannoc" << "Brannoc" << false << true;
    QTest::newRow("Enter on a text that begins no name adds nothing")
        << "enter:bran|enter:zz|<" << "Brannoc" << "zz" << false << false;
    QTest::newRow("the same character twice is one step") << "enter:bran|enter:brannoc|<" << "Brannoc" << "Brannoc" << false << false;
    QTest::newRow("keys with the focus on the page") << "enter:bran|link:Amrel|page|<|>|<" << "Brannoc" << "Brannoc" << false << true;
    QTest::newRow("mouse buttons over the page") << "enter:bran|link:Corwen|link:Dalla|mb|mb|mf" << "Corwen" << "Corwen" << true << true;
}

void TestNpcHistory::steps() {
    QFETCH(QString, steps);
    for (const QString& step : steps.split('|')) {
        Run(step);
        if (QTest::currentTestFailed()) return;
    }
    QTEST(ShownName(), "shown");
    QTEST(m_dlg->NameCombo()->currentText(), "field");
    QTEST(m_dlg->BackAction()->isEnabled(), "canBack");
    QTEST(m_dlg->ForwardAction()->isEnabled(), "canForward");
    QVERIFY(m_dlg->isVisible());
}

QMenu* TestNpcHistory::OpenPanelMenu() {
    QWidget* viewport = m_dlg->Panel()->viewport();
    const QPoint at(10, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// The history's items head the page's own menu, enabled only when they can
// move, and move as the keys do.
void TestNpcHistory::panelMenuOffersBackAndForward() {
    const auto items = [](QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text() + (action->isEnabled() ? "" : " (off)");
        return texts.mid(0, 2);
    };
    QMenu* menu = OpenPanelMenu();
    QVERIFY(menu);
    QCOMPARE(items(menu), (QStringList{QString::fromUtf8("Précédent (off)"), "Suivant (off)"}));
    QVERIFY(menu->actions().size() > 3);  // copying and the rest stay
    menu->close();
    Enter("bran");
    QVERIFY(ClickText(*m_dlg->Panel(), "Amrel"));
    menu = OpenPanelMenu();
    QCOMPARE(items(menu), (QStringList{QString::fromUtf8("Précédent"), "Suivant (off)"}));
    menu->actions().value(0)->trigger();
    menu->close();
    QCOMPARE(ShownName(), QString("Brannoc"));
    menu = OpenPanelMenu();
    QCOMPARE(items(menu), (QStringList{QString::fromUtf8("Précédent (off)"), "Suivant"}));
    menu->actions().value(1)->trigger();
    menu->close();
    QCOMPARE(ShownName(), QString("Amrel"));
    QCOMPARE(m_dlg->NameCombo()->currentText(), QString("Amrel"));
}

QTEST_MAIN(TestNpcHistory)
#include "test_npchistory.moc"
