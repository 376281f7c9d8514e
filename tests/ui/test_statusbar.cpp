// The status bar shows texts from the data as they are written: a place
// name that looks like markup is shown letter for letter, draws nothing and
// loads nothing.
#include "mainwindow/StatusBar.h"

#include <QtTest>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

class TestStatusBar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void markupShownAsText_data();
    void markupShownAsText();

private:
    QTemporaryDir m_dir;
    QString m_picture;  // a picture on disk that rich text would draw
};

void TestStatusBar::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_picture = m_dir.filePath("tall.png");
    QImage image(40, 200, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(m_picture));
}

void TestStatusBar::markupShownAsText_data() {
    QTest::addColumn<int>("pane");
    QTest::addColumn<QString>("text");
    QTest::newRow("bold name") << 0 << "<b>x</b> (12, -4)";
    QTest::newRow("picture from a local file") << 0 << "<img src=\"" + m_picture + "\"> (1, 2)";
    QTest::newRow("file address") << 0 << "<img src=\"file://" + m_picture + "\">";
    QTest::newRow("table") << 0 << "<table><tr><td>a</td></tr></table> (0, 0)";
    QTest::newRow("entity stays written") << 0 << "Fort &lt;Vell&gt; (3, 3)";
    QTest::newRow("indicator pane") << 1 << "<img src=\"" + m_picture + "\">";
}

void TestStatusBar::markupShownAsText() {
    QFETCH(int, pane);
    QFETCH(QString, text);
    CStatusBar bar;
    bar.resize(1600, 40);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.SetPaneText(pane, text);
    QCOMPARE(bar.PaneText(pane), text);

    QLabel* label = nullptr;
    for (QLabel* child : bar.findChildren<QLabel*>())
        if (child->text() == text) label = child;
    QVERIFY(label);
    // Laid out as the literal characters: as wide as all of them, one line
    // high, no picture.
    const QFontMetrics metrics(label->font());
    QVERIFY2(label->sizeHint().width() >= metrics.horizontalAdvance(text),
             qPrintable(QString::number(label->sizeHint().width())));
    QVERIFY2(label->sizeHint().height() < 3 * metrics.height(),
             qPrintable(QString::number(label->sizeHint().height())));
    QCOMPARE(label->textFormat(), Qt::PlainText);
}

QTEST_MAIN(TestStatusBar)
#include "test_statusbar.moc"
