// Links in the window: a second, real `zerim LINK` hands its link to this
// window through the socket and ends, and the window shows it; "Copier le
// lien" copies what the window shows, and the copied view leads back to it.
#include "JpegMaker.h"
#include "MainWindowFixture.h"
#include "SmallWorld.h"

#include "finders/PlaceCardDlg.h"
#include "npc/SheetPages.h"
#include "quicksearch/QuickSearch.h"
#include "links/LinkSocket.h"
#include "mainwindow/ExtraCommands.h"
#include "mainwindow/PlaceBar.h"
#include "mainwindow/StatusBar.h"
#include "mapview/ZerimView.h"
#include "widgets/AutoCombo.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

class TestLinkWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void handedOver_data();
    void handedOver();
    void characterLinkOpensItsPage();
    void copiesTheLink_data();
    void copiesTheLink();
    void placeCardCopiesItsLink();

private:
    // Runs `zerim LINK` as a second process; its exit code (-1: it did not
    // end within ten seconds, as it would had it opened a window).
    int HandOver(const QString& link);
    QString Pane0() const { return m_frame->StatusBar()->PaneText(0); }
    QString Highlighted() const;
    CPoint CentreInWorld() const;

    QTemporaryDir m_runtime;
    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestLinkWindow::initTestCase() {
    SmallWorld::Fill(m_store);
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    QVERIFY(OpenMainWindow(m_store, {800, 600}, m_world, m_app, m_frame));
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());  // for the second process
    DisplayNames names;
    names.qpaPlatform = "offscreen";
    std::string error;
    const auto socket = LinkSocketPath(m_runtime.path().toLocal8Bit().constData(), DisplayKey(names), error);
    QVERIFY2(socket, error.c_str());
    QVERIFY2(m_frame->ListenForLinks(*socket, error), error.c_str());
}

void TestLinkWindow::cleanupTestCase() { CloseMainWindow(m_world, m_app, m_frame); }

void TestLinkWindow::init() {
    m_frame->View()->SearchPlaces(QString());  // nothing lit
    m_frame->View()->SetZoom(20);
    m_frame->StatusBar()->SetPaneText(0, QString());
}

int TestLinkWindow::HandOver(const QString& link) {
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    QSignalSpy ended(&second, &QProcess::finished);
    second.start(ZERIM_EXE, {link});
    // The window answers from this event loop: wait while running it.
    if (!ended.wait(10000)) {
        second.kill();
        second.waitForFinished();
        return -1;
    }
    return second.exitCode();
}

QString TestLinkWindow::Highlighted() const {
    const CPlaceArray& lit = m_frame->View()->Places().Highlight();
    return lit.GetSize() == 1 && lit[0] ? QString::fromStdString(lit[0]->m_strName) : QString();
}

CPoint TestLinkWindow::CentreInWorld() const {
    const ViewGeometry& geometry = m_frame->View()->Geometry();
    return geometry.MapToWorld(geometry.ClientCentre());
}

void TestLinkWindow::handedOver_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("lit");  // the one place lit, if any
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QString>("said");
    QTest::newRow("place, by its exact case, at a zoom")
        << "zerim:place/oska%2C%20brask%20QUARTER?zoom=200" << "oska, brask QUARTER" << 200
        << "Lien : lieu « oska, brask QUARTER »";
    QTest::newRow("place as the place bar flies to it") << "zerim:place/ro-dal" << "Ro-Dal" << 50 << "Lien : lieu";
    QTest::newRow("view") << "zerim:view?x=100000&y=0&zoom=75" << "" << 75 << "";
    QTest::newRow("unknown name, in the one search")
        << "zerim:place/Harrow" << "" << 20 << "Lien : aucun lieu ne s'appelle « Harrow » ; recherche de ce nom";
    QTest::newRow("unknown kind") << "zerim:dragon/x" << "" << 20 << "Lien refusé : genre de lien inconnu : « dragon »";
}

void TestLinkWindow::handedOver() {
    QFETCH(QString, link);
    QFETCH(QString, lit);
    QFETCH(int, zoom);
    QFETCH(QString, said);
    QCOMPARE(HandOver(link), 0);
    QTRY_VERIFY2(Pane0().contains(said) && m_frame->View()->Zoom() == zoom && Highlighted() == lit,
                 qPrintable(Pane0() + " / zoom " + QString::number(m_frame->View()->Zoom()) + " / " + Highlighted()));
    CQuickSearch* search = m_frame->QuickSearch();
    const bool searched = search->isVisible() && search->Field()->text() == "Harrow";
    QCOMPARE(searched, link.endsWith("Harrow"));
    if (searched) {
        QTRY_VERIFY(search->List()->findItems("Quen Harrow", Qt::MatchExactly, 0).size() == 1);
        search->Close();
    }
    if (link.startsWith("zerim:view")) {
        const CPoint centre = CentreInWorld();
        QVERIFY2(std::abs(centre.x - 100000) < 400 && std::abs(centre.y) < 400,
                 qPrintable(QString("%1,%2").arg(centre.x).arg(centre.y)));
    }
}

// A character's link shows its page in the sheet, whose link copied leads
// back to it.
void TestLinkWindow::characterLinkOpensItsPage() {
    QCOMPARE(HandOver("zerim:character/CARA"), 0);
    QTRY_VERIFY(m_frame->Sheet() && m_frame->Sheet()->isVisible());
    QVERIFY(m_frame->Sheet()->Subject() == (SheetSubject{SheetKind::Character, 2}));
    m_frame->Sheet()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame->Sheet()));
    QTest::keyClick(m_frame->Sheet()->Panel(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("zerim:character/Cara"));
    m_frame->Sheet()->hide();
}

void TestLinkWindow::copiesTheLink_data() {
    QTest::addColumn<QString>("search");  // the place bar's search first
    QTest::addColumn<bool>("fromField");  // the keys typed in the place field, its text selected
    QTest::addColumn<QString>("copied");  // "view": the view's link
    QTest::newRow("the one place found") << "Quen" << false << "zerim:place/Quen%20Harrow";
    QTest::newRow("from the place field") << "Quen" << true << "zerim:place/Quen%20Harrow";
    QTest::newRow("several found: the view") << "oska" << false << "view";
    QTest::newRow("none found: the view") << "" << false << "view";
}

void TestLinkWindow::copiesTheLink() {
    QFETCH(QString, search);
    QFETCH(bool, fromField);
    QFETCH(QString, copied);
    QLineEdit* field = m_frame->PlaceBar()->Combo()->lineEdit();
    m_frame->View()->SetZoom(150);
    m_frame->View()->SearchPlaces(search);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    QTest::mouseMove(m_frame->View()->viewport(), QPoint(2, 2));  // on no place
    QTRY_VERIFY(!m_frame->View()->HoveredPlace());
    QWidget* target = m_frame->View();
    if (fromField) {
        target = m_frame->PlaceBar()->Combo();
        target->setFocus();
        field->setText(search);
        field->selectAll();
    }
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QString link = QGuiApplication::clipboard()->text();
    QCOMPARE(Pane0(), "Lien copié : " + link);
    if (copied != "view") {
        QCOMPARE(link, copied);
        return;
    }
    const int zoom = m_frame->View()->Zoom();
    QVERIFY2(link.startsWith("zerim:view?x=") && link.endsWith(QString("&zoom=%1").arg(zoom)), qPrintable(link));
    // The view's link leads back to the same view.
    const CPoint before = CentreInWorld();
    m_frame->View()->SetZoom(20);
    m_frame->OpenLink(link.toStdString());
    QCOMPARE(m_frame->View()->Zoom(), zoom);
    const CPoint after = CentreInWorld();
    QVERIFY2(std::abs(after.x - before.x) < 100 && std::abs(after.y - before.y) < 100,
             qPrintable(QString("%1,%2 / %3,%4").arg(before.x).arg(before.y).arg(after.x).arg(after.y)));
}

// The card's page menu has the command first; it copies the card's place.
void TestLinkWindow::placeCardCopiesItsLink() {
    m_frame->View()->SearchPlaces("Quen");
    m_frame->Command(ExtraCommand::PlaceCard)->trigger();
    const QList<CPlaceCardDlg*> cards = m_frame->findChildren<CPlaceCardDlg*>();
    QCOMPARE(cards.size(), 1);
    std::unique_ptr<QMenu> menu(cards[0]->Panel()->CreatePageMenu({0, 0}));
    QAction* first = menu->actions().value(0);
    QCOMPARE(first->text(), QString("Copier le lien"));
    m_frame->View()->SearchPlaces("oska");  // what the map shows does not count
    first->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("zerim:place/Quen%20Harrow"));
    cards[0]->close();
}

QTEST_MAIN(TestLinkWindow)
#include "test_linkwindow.moc"
