#include "widgets/DialogHelpers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

// The Enter that runs a dialog's default action, and the keys that only
// look like it.
class TestDialogHelpers : public QObject {
    Q_OBJECT
private slots:
    void plainEnter_data();
    void plainEnter();
    void warningShowsMarkupAsText();
};

void TestDialogHelpers::plainEnter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("plain");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("Enter without the keypad flag") << int(Qt::Key_Enter) << int(Qt::NoModifier) << true;
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+keypad Enter") << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier)
                                       << false;
    QTest::newRow("Alt+Return") << int(Qt::Key_Return) << int(Qt::AltModifier) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << false;
}

void TestDialogHelpers::plainEnter() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, plain);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(IsPlainEnter(&event), plain);
}

// A file name with an <img> tag in a failure box: shown letter for letter,
// no picture loaded.
void TestDialogHelpers::warningShowsMarkupAsText() {
    const QString text = QStringLiteral("Impossible d'enregistrer « <img src=\"carte.png\"><b>x</b>.png »");
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        shown = box->text();
        format = box->textFormat();
        box->done(0);
    });
    WarnPlainly(nullptr, QStringLiteral("Exporter la vue"), text);
    QCOMPARE(shown, text);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(TestDialogHelpers)
#include "test_dialoghelpers.moc"
