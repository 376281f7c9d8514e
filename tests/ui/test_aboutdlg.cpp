// The About box on the offscreen platform: caption, page, size, links.
#include "mainwindow/AboutDlg.h"
#include "widgets/DialogUnits.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "widgets/IEControl.h"

#include <QtTest>

#include "PanelClick.h"

namespace {

const QByteArray kAboutPage =
    "<HTML><BODY><P>Sarvenhal, a map of the Marches.</P>"
    "<P><A href=\"https://example.org/sarvenhal\" target=\"_blank\">Home page</A></P></BODY></HTML>";

}  // namespace

class TestAboutDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void captionSizeAndPage();
    void linkOpensOutside();
    void missingPageLeavesItBlank();
    void runOpensModal();

private:
    CMemoryResourceStore m_store;
};

void TestAboutDlg::init() {
    m_store = CMemoryResourceStore();
    m_store.Add(ResType::Numeric(ResId::RT_HTML), ResId::IDR_ABOUT_PAGE,
                std::vector<unsigned char>(kAboutPage.begin(), kAboutPage.end()));
}

void TestAboutDlg::captionSizeAndPage() {
    CAboutDlg dialog(m_store);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QString("Sarvenhal...."));
    const DialogUnits du(dialog.font());
    QCOMPARE(dialog.size(), du.Size(235, 124));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());  // not resizable
    QCOMPARE(dialog.Panel()->geometry(), dialog.rect());     // fills the dialog
    QVERIFY(dialog.Panel()->toPlainText().contains("Sarvenhal, a map of the Marches."));
    QVERIFY(!dialog.Panel()->Owner());
}

void TestAboutDlg::linkOpensOutside() {
    CAboutDlg dialog(m_store);
    QList<QUrl> opened;
    dialog.Panel()->SetUrlOpener([&](const QUrl& url) { opened << url; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString page = dialog.Panel()->PageSource();
    QVERIFY(ClickText(*dialog.Panel(), "Home page"));
    QCOMPARE(opened, QList<QUrl>{QUrl("https://example.org/sarvenhal")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.Panel()->PageSource(), page);
}

void TestAboutDlg::missingPageLeavesItBlank() {
    const CMemoryResourceStore empty;
    CAboutDlg dialog(empty);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QString("Sarvenhal...."));
    QVERIFY(dialog.Panel()->toPlainText().isEmpty());
}

// Two openings in turn: each a new dialog, closed with Escape.
void TestAboutDlg::runOpensModal() {
    QStringList captions;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                captions << modal->windowTitle();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        RunAboutBox(m_store, nullptr);
    }
    QCOMPARE(captions, (QStringList{"Sarvenhal....", "Sarvenhal...."}));
}

QTEST_MAIN(TestAboutDlg)
#include "test_aboutdlg.moc"
