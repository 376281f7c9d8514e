// The auto-completing combo box driven with key events, as a user types.
#include "widgets/AutoCombo.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QAbstractItemView>
#include <QtTest>

namespace {

// One step of typing: a run of letters, or a single special key.
struct Keys {
    QString letters;
    Qt::Key key = Qt::Key_unknown;
};
using KeyList = QList<Keys>;

Keys Text(const char* letters) { return {QString::fromLatin1(letters)}; }
Keys Key(Qt::Key key) { return {{}, key}; }

}  // namespace

Q_DECLARE_METATYPE(KeyList)

class TestAutoCombo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typing_data();
    void typing();
    void typingInsideTheText_data();
    void typingInsideTheText();
    void completionIsSilent();
    void arrowKeyIsAChoice();
    void noQtCompleterAndNoInsertion();
    void emptiedFieldStaysEmpty();
    void listFitsItsEntriesWhenItOpens();

private:
    void Fill(const QStringList& entries);
    void Type(const KeyList& keys);
    QLineEdit& Edit() { return *m_combo->lineEdit(); }

    CAutoCombo* m_combo = nullptr;
};

void TestAutoCombo::init() {
    m_combo = new CAutoCombo();
    m_combo->resize(200, m_combo->sizeHint().height());
    m_combo->show();
    m_combo->activateWindow();
    m_combo->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_combo));
}

void TestAutoCombo::cleanup() {
    delete m_combo;
    m_combo = nullptr;
}

// The list opens wide enough for its longest entry, measured again when
// entries were added since; without the option it keeps the field's width.
void TestAutoCombo::listFitsItsEntriesWhenItOpens() {
    Fill({"Ash", QString(60, QChar('W'))});
    m_combo->showPopup();
    const int plain = m_combo->view()->minimumWidth();
    m_combo->hidePopup();
    QVERIFY(plain < m_combo->view()->sizeHintForColumn(0));
    m_combo->SetListFitsEntries(true);
    m_combo->showPopup();
    QCOMPARE(m_combo->view()->minimumWidth(), m_combo->view()->sizeHintForColumn(0) + 24);
    m_combo->hidePopup();
    m_combo->addItem(QString(90, QChar('W')));
    m_combo->showPopup();
    QCOMPARE(m_combo->view()->minimumWidth(), m_combo->view()->sizeHintForColumn(0) + 24);
    m_combo->hidePopup();
}

// Filled as its owners fill it: the list, and nothing chosen yet.
void TestAutoCombo::Fill(const QStringList& entries) {
    m_combo->addItems(entries);
    m_combo->setCurrentIndex(-1);
}

// Keys go where the application sends them: to the focus widget.
void TestAutoCombo::Type(const KeyList& keys) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    for (const Keys& k : keys) {
        if (k.letters.isEmpty())
            QTest::keyClick(target, k.key);
        else
            QTest::keyClicks(target, k.letters);
    }
}

void TestAutoCombo::typing_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<KeyList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("caret");

    const QStringList abcde{"Abcde"};
    QTest::newRow("one letter completes, entry's case") << abcde << KeyList{Text("a")} << "Abcde" << "bcde" << 5;
    QTest::newRow("next letter replaces the completion") << abcde << KeyList{Text("ab")} << "Abcde" << "cde" << 5;
    QTest::newRow("typed upper case gives the entry's case") << abcde << KeyList{Text("ABC")} << "Abcde" << "de" << 5;
    QTest::newRow("whole entry typed: nothing left to select") << abcde << KeyList{Text("abcde")} << "Abcde" << "" << 5;
    QTest::newRow("backspace removes the completion only")
        << abcde << KeyList{Text("a"), Key(Qt::Key_Backspace)} << "A" << "" << 1;
    QTest::newRow("backspace twice empties")
        << abcde << KeyList{Text("ab"), Key(Qt::Key_Backspace), Key(Qt::Key_Backspace)} << "A" << "" << 1;
    QTest::newRow("a letter after backspace completes again")
        << abcde << KeyList{Text("a"), Key(Qt::Key_Backspace), Text("b")} << "Abcde" << "cde" << 5;
    QTest::newRow("delete removes the completion only")
        << QStringList{"Abcde", "Acz"} << KeyList{Text("ac"), Key(Qt::Key_Delete)} << "Ac" << "" << 2;
    QTest::newRow("no entry begins with it: typed text stays")
        << abcde << KeyList{Text("x")} << "x" << "" << 1;
    QTest::newRow("a match lost on the way")
        << abcde << KeyList{Text("abx")} << "Abx" << "" << 3;
    QTest::newRow("first in list order, not alphabetical")
        << QStringList{"Bravo", "Alpha", "Alder"} << KeyList{Text("al")} << "Alpha" << "pha" << 5;
    QTest::newRow("later entry when the first stops matching")
        << QStringList{"Bravo", "Alpha", "Alder"} << KeyList{Text("ald")} << "Alder" << "er" << 5;
    QTest::newRow("spaces are part of the name")
        << QStringList{"Kel Dara", "Kelwick"} << KeyList{Text("kel ")} << "Kel Dara" << "Dara" << 8;
    QTest::newRow("empty list completes nothing") << QStringList{} << KeyList{Text("ab")} << "ab" << "" << 2;
}

void TestAutoCombo::typing() {
    QFETCH(QStringList, entries);
    QFETCH(KeyList, keys);
    Fill(entries);
    Type(keys);
    QTEST(Edit().text(), "text");
    QTEST(Edit().selectedText(), "selected");
    QTEST(Edit().cursorPosition(), "caret");
}

void TestAutoCombo::typingInsideTheText_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caretBefore");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");

    // Entries: "Kelwick Hollow", "Orvane".
    QTest::newRow("match: entry shown, caret kept") << "kelwck" << 4 << "i" << "Kelwick Hollow" << 5;
    QTest::newRow("no match: text and caret kept") << "Zq" << 1 << "x" << "Zxq" << 2;
    QTest::newRow("at the start") << "rvane" << 0 << "O" << "Orvane" << 1;
}

void TestAutoCombo::typingInsideTheText() {
    QFETCH(QString, start);
    QFETCH(int, caretBefore);
    QFETCH(QString, letters);
    Fill({"Kelwick Hollow", "Orvane"});
    m_combo->setEditText(start);
    Edit().setCursorPosition(caretBefore);
    Type({Keys{letters}});
    QTEST(Edit().text(), "text");
    QTEST(Edit().cursorPosition(), "caret");
    QVERIFY(!Edit().hasSelectedText());
}

void TestAutoCombo::completionIsSilent() {
    Fill({"Bravo", "Alpha", "Alder"});
    QSignalSpy activated(m_combo, &QComboBox::activated);
    QSignalSpy changed(m_combo, &QComboBox::currentIndexChanged);
    Type({Text("al"), Key(Qt::Key_Backspace), Text("d")});
    QCOMPARE(Edit().text(), QString("Alder"));
    QCOMPARE(activated.count(), 0);
    QCOMPARE(changed.count(), 0);
    // The list follows quietly, so that it opens on the completed entry.
    QCOMPARE(m_combo->currentIndex(), 2);
}

void TestAutoCombo::arrowKeyIsAChoice() {
    Fill({"Bravo", "Alpha", "Alder"});
    QSignalSpy activated(m_combo, &QComboBox::activated);
    m_combo->setCurrentIndex(0);
    Type({Key(Qt::Key_Down)});
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 1);
    QCOMPARE(Edit().text(), QString("Alpha"));
}

void TestAutoCombo::noQtCompleterAndNoInsertion() {
    Fill({"Alpha"});
    QVERIFY(!m_combo->completer());
    Type({Text("zeta"), Key(Qt::Key_Return)});
    QCOMPARE(m_combo->count(), 1);
    QCOMPARE(Edit().text(), QString("zeta"));
}

void TestAutoCombo::emptiedFieldStaysEmpty() {
    Fill({"Alpha"});
    Type({Text("al")});
    QCOMPARE(Edit().text(), QString("Alpha"));
    Edit().selectAll();
    Type({Key(Qt::Key_X)});  // replaced by one letter: completes again
    QCOMPARE(Edit().text(), QString("x"));
    Edit().selectAll();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);  // cut
    QCOMPARE(Edit().text(), QString());
}

QTEST_MAIN(TestAutoCombo)
#include "test_autocombo.moc"
