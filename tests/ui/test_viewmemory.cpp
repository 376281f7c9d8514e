// The opt-in remembered view, across two windows as across two runs: with
// the item checked the second window takes the first one's view back; with
// it unchecked, or with damaged settings, the window starts as specified.
#include "JpegMaker.h"
#include "WriteTargets.h"
#include "TableBuilder.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MainFrame.h"
#include "mainwindow/PlaceBar.h"
#include "startup/SettingsFile.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "view/SavedView.h"
#include "mapview/KindLegend.h"
#include "mapview/ZerimView.h"

#include <QDockWidget>
#include <QCheckBox>
#include <QMessageBox>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

class TestViewMemory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void roundTrip_data();
    void roundTrip();
    void damagedSettingsAreIgnored();
    void lookChoicesStay_data();
    void lookChoicesStay();
    void unsavedViewIsSaid_data();
    void unsavedViewIsSaid();
    void overviewIsKept();

private:
    std::unique_ptr<CMainFrame> NewWindow();
    void ExpectStartUp(CMainFrame& frame);

    QTemporaryDir m_dir;
    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
};

void TestViewMemory::initTestCase() {
    QVERIFY(m_dir.isValid());
    QCoreApplication::setOrganizationName(QStringLiteral("ZerimTests"));
    QCoreApplication::setApplicationName(QStringLiteral("ViewMemory"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Solid(3300, 3800, {90, 120, 90}));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
                TestTables::PlaceTable({{"Orvane", 10, 0, 0, 0}}));
    m_world = std::make_unique<CWorld>(m_store);
    m_app = std::make_unique<CZerimApp>(*m_world);
}

void TestViewMemory::init() {
    QFile::remove(SettingsFile::ProgramPath());
    QVERIFY(SettingsFile::ProgramPath().startsWith(m_dir.path()));
}

// As the program starts its window.
std::unique_ptr<CMainFrame> TestViewMemory::NewWindow() {
    auto frame = std::make_unique<CMainFrame>(*m_world, [this] { return m_app->EnsureLoaded(); });
    frame->resize(900, 700);
    frame->show();
    if (!QTest::qWaitForWindowExposed(frame.get())) return nullptr;
    frame->RestoreView();
    return frame;
}

void TestViewMemory::ExpectStartUp(CMainFrame& frame) {
    QCOMPARE(frame.View()->Zoom(), 20);
    QCOMPARE(frame.View()->Geometry().GetScrollOffset(), CPoint({0, 0}));
    QCOMPARE(frame.View()->Geometry().DetailOverride(), -1);
    QVERIFY(frame.ToolBar()->isVisible());
    QVERIFY(frame.Command(ResId::ID_VIEW_STATUS_BAR)->isChecked());
    QVERIFY(frame.View()->Look() == MapLook());
}

void TestViewMemory::roundTrip_data() {
    QTest::addColumn<bool>("remember");
    QTest::newRow("item checked: the view comes back") << true;
    QTest::newRow("item unchecked: the window starts as always") << false;
}

void TestViewMemory::roundTrip() {
    QFETCH(bool, remember);
    auto first = NewWindow();
    QVERIFY(first);
    QAction* item = first->Command(ExtraCommand::RememberView);
    QVERIFY(item && item->isCheckable() && !item->isChecked());  // off by default
    item->setChecked(remember);
    first->View()->SetZoom(150);
    first->View()->CenterOnPicture({1000, 1500});
    first->PlaceBar()->Slider()->setValue(3);
    first->Command(ResId::ID_VIEW_TOOLBAR)->trigger();
    // The legend's box of the regions hides Orvane, a region.
    first->Command(ExtraCommand::KindSymbols)->trigger();
    first->Command(ExtraCommand::KindLegend)->trigger();
    auto* legend = first->findChild<CKindLegend*>();
    QVERIFY(legend && legend->isVisible());
    auto* regions = legend->findChild<QCheckBox*>();
    QVERIFY(regions && regions->isChecked());
    regions->click();
    const std::vector<int32_t> hidden{10};
    QVERIFY(first->View()->Look().hiddenKinds == hidden);
    QVERIFY(!first->View()->Places().IsPlaceVisible(first->View()->PlaceTable()[0]));
    const CPoint scroll = first->View()->Geometry().GetScrollOffset();
    QVERIFY(scroll.x > 0 && scroll.y > 0);
    first->close();
    first.reset();

    auto second = NewWindow();
    QVERIFY(second);
    QCOMPARE(second->Command(ExtraCommand::RememberView)->isChecked(), remember);
    if (!remember) return ExpectStartUp(*second);
    QCOMPARE(second->View()->Zoom(), 150);
    const CPoint again = second->View()->Geometry().GetScrollOffset();
    QVERIFY2(std::abs(again.x - scroll.x) <= 2 && std::abs(again.y - scroll.y) <= 2,
             qPrintable(QString("%1,%2 vs %3,%4").arg(again.x).arg(again.y).arg(scroll.x).arg(scroll.y)));
    QCOMPARE(second->View()->Geometry().DetailOverride(), 3);
    QCOMPARE(second->PlaceBar()->Slider()->value(), 3);
    QVERIFY(!second->ToolBar()->isVisible());
    QVERIFY(!second->Command(ResId::ID_VIEW_TOOLBAR)->isChecked());
    QVERIFY(second->View()->Look().symbols);
    QVERIFY(second->View()->Look().hiddenKinds == hidden);
    QVERIFY(second->findChild<CKindLegend*>()->isVisible());
}

// Each choice of look is off at first; checked, it reaches the view at
// once and holds at the next start, whether the view is remembered or not.
void TestViewMemory::lookChoicesStay_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("choice");  // 0: adapted colours, 1: labels apart, 2: centred
    QTest::newRow("Couleurs adaptées") << int(ExtraCommand::AdaptedColours) << 0;
    QTest::newRow("Étiquettes sans chevauchement") << int(ExtraCommand::Declutter) << 1;
    QTest::newRow("Carte centrée") << int(ExtraCommand::CentredMap) << 2;
}

void TestViewMemory::lookChoicesStay() {
    QFETCH(int, command);
    QFETCH(int, choice);
    const auto chosen = [choice](const CMainFrame& frame) {
        const MapLook& look = frame.View()->Look();
        const bool choices[] = {look.adaptedColours, look.declutter, look.centred};
        return choices[choice];
    };
    auto first = NewWindow();
    QVERIFY(first);
    QAction* item = first->Command(command);
    QVERIFY(item && item->isCheckable() && !item->isChecked());
    QVERIFY(!chosen(*first));
    item->trigger();
    QVERIFY(chosen(*first));
    first->close();
    first.reset();

    auto second = NewWindow();
    QVERIFY(second);
    QVERIFY(second->Command(command)->isChecked());
    QVERIFY(chosen(*second));
    second->Command(command)->trigger();
    QVERIFY(!chosen(*second));
}

void TestViewMemory::damagedSettingsAreIgnored() {
    {
        SettingsFile file;
        QSettings& settings = file.Values();
        settings.setValue(SavedViewKey::kRemember, true);
        settings.setValue(SavedViewKey::kWindowGeometry, QByteArray("not a geometry"));
        settings.setValue(SavedViewKey::kWindowState, QByteArray("\x01\x02"));
        settings.setValue(SavedViewKey::kZoom, "99999");
        settings.setValue(SavedViewKey::kCentreX, "-40");
        settings.setValue(SavedViewKey::kCentreY, "12abc");
        settings.setValue(SavedViewKey::kDetail, "17");
        settings.setValue(SavedViewKey::kToolBar, "maybe");
        settings.setValue(SavedViewKey::kStatusBar, QStringList({"a", "b"}));
        QString error;
        QVERIFY2(file.Save(error), qPrintable(error));
    }
    auto frame = NewWindow();
    QVERIFY(frame);
    QVERIFY(frame->Command(ExtraCommand::RememberView)->isChecked());
    ExpectStartUp(*frame);
}

// The settings cannot be written: closing says why the view was not kept,
// in a box that shows the path as text.
void TestViewMemory::unsavedViewIsSaid_data() {
    QTest::addColumn<bool>("folderIsAFile");  // else the config folder takes no new entry
    QTest::addColumn<QString>("cause");
    QTest::newRow("the settings' folder is a file") << true << "n'est pas un dossier";
    QTest::newRow("a read-only config folder") << false << "permission refusée";
}

void TestViewMemory::unsavedViewIsSaid() {
    QFETCH(bool, folderIsAFile);
    QFETCH(QString, cause);
    auto frame = NewWindow();
    QVERIFY(frame);
    frame->Command(ExtraCommand::RememberView)->setChecked(true);
    const QString folder = QFileInfo(SettingsFile::ProgramPath()).path();
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    if (folderIsAFile) QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // Root writes through permissions, not through the immutable flag.
    const bool readOnly = !folderIsAFile && (geteuid() == 0 ? WriteTargets::SetImmutable(m_dir.path(), true)
                                                             : QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (!folderIsAFile && !readOnly) QSKIP("cannot make the folder read-only here");
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            format = box->textFormat();
            box->done(0);
        }
    });
    closer.start(20);
    frame->close();
    if (readOnly && geteuid() == 0) WriteTargets::SetImmutable(m_dir.path(), false);
    if (readOnly) QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::remove(folder);
    QVERIFY2(shown.contains(SettingsFile::ProgramPath()) && shown.contains(cause), qPrintable(shown));
    QCOMPARE(format, Qt::PlainText);
}

// Off at first; once checked, the next window starts with the overview
// shown, whether the view is remembered or not.
void TestViewMemory::overviewIsKept() {
    const auto overviewOf = [](CMainFrame& frame) {
        return frame.findChild<QDockWidget*>(QStringLiteral("OverviewMap"));
    };
    auto first = NewWindow();
    QVERIFY(first);
    QVERIFY(!first->Command(ExtraCommand::OverviewMap)->isChecked());
    QVERIFY(!overviewOf(*first)->isVisible());
    first->Command(ExtraCommand::OverviewMap)->trigger();
    QVERIFY(overviewOf(*first)->isVisible());
    first->close();
    first.reset();

    auto second = NewWindow();
    QVERIFY(second);
    QVERIFY(second->Command(ExtraCommand::OverviewMap)->isChecked());
    QVERIFY(overviewOf(*second)->isVisible());
}

QTEST_MAIN(TestViewMemory)
#include "test_viewmemory.moc"
