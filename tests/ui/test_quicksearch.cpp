// The one search's field over a map, on a fake engine: the list made again
// as the player types, its group titles and "N autres…", the arrows
// skipping titles, Enter, a click and Escape, and the keyboard given back.
#include "quicksearch/QuickSearch.h"

#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

struct Entry {
    SearchKind kind;
    std::string name, where;
};

// Two places, a character, sixty spells and a name with an escape byte.
std::vector<Entry> Entries() {
    std::vector<Entry> entries{{SearchKind::Place, "Kelwick", "-100000, 100000"},
                               {SearchKind::Place, "Kelwick Ford", "5, 5"},
                               {SearchKind::Place, "Bad\x1bnom", ""},
                               {SearchKind::Character, "Amrel", "Kelwick"}};
    for (int n = 0; n < 60; ++n) entries.push_back({SearchKind::Spell, "Sort " + std::to_string(n), "Feu"});
    return entries;
}

// What a name containing the query, ignoring case, finds: grouped in kind
// order, at most kShownPerKind shown.
SearchResults FakeFind(const std::string& query) {
    SearchResults results;
    const std::vector<Entry> entries = Entries();
    for (size_t index = 0; index < entries.size(); ++index) {
        const Entry& entry = entries[index];
        if (!QString::fromStdString(entry.name).contains(QString::fromStdString(query), Qt::CaseInsensitive)) continue;
        if (results.empty() || results.back().kind != entry.kind) results.push_back({entry.kind, 0, {}});
        SearchGroup& group = results.back();
        ++group.total;
        if (int(group.shown.size()) < kShownPerKind)
            group.shown.push_back({entry.kind, MatchRank::Substring, entry.name, entry.where, int(index)});
    }
    return results;
}

}  // namespace

class TestQuickSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typingRefreshes_data();
    void typingRefreshes();
    void arrowsSkipTitles_data();
    void arrowsSkipTitles();
    void clickOpensAHitOnly();
    void closingGivesTheKeyboardBack_data();
    void closingGivesTheKeyboardBack();
    void liesOverTheTopOfTheMap();

private:
    QStringList Rows() const;
    QString Current() const;
    void Type(const QString& text);

    std::unique_ptr<QWidget> m_window;
    QWidget* m_map = nullptr;
    QLineEdit* m_other = nullptr;
    CQuickSearch* m_search = nullptr;
    int m_finds = 0;
    std::vector<SearchHit> m_opened;
};

void TestQuickSearch::init() {
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_other = new QLineEdit(m_window.get());
    m_map = new QWidget(m_window.get());
    m_map->setFocusPolicy(Qt::StrongFocus);
    m_map->setMinimumSize(800, 600);
    layout->addWidget(m_other);
    layout->addWidget(m_map);
    m_finds = 0;
    m_opened.clear();
    m_search = new CQuickSearch(
        *m_map,
        [this](const std::string& query) {
            ++m_finds;
            return FakeFind(query);
        },
        [this](const SearchHit& hit) { m_opened.push_back(hit); });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_map->setFocus();
    m_search->Open();
}

void TestQuickSearch::cleanup() { m_window.reset(); }

// Every row as shown: a hit's name and where it is, tab-separated.
QStringList TestQuickSearch::Rows() const {
    QStringList rows;
    QTreeWidget* list = m_search->List();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        rows << (row->text(1).isEmpty() ? row->text(0) : row->text(0) + '\t' + row->text(1));
    }
    return rows;
}

QString TestQuickSearch::Current() const {
    const SearchHit* hit = m_search->HitOf(m_search->List()->currentItem());
    return hit ? QString::fromStdString(hit->name) : QString();
}

void TestQuickSearch::Type(const QString& text) {
    m_search->Field()->clear();
    QTest::keyClicks(m_search->Field(), text);
}

void TestQuickSearch::typingRefreshes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("rows");  // the first rows, then the last
    QTest::addColumn<int>("count");         // rows in all; 0: the list hidden
    QTest::newRow("a group, its title counting its hits")
        << "kelw" << QStringList{"Lieux (2)", "Kelwick\t-100000, 100000", "Kelwick Ford\t5, 5"} << 3;
    QTest::newRow("groups in kind order")
        << "e" << QStringList{"Lieux (2)", "Kelwick\t-100000, 100000", "Kelwick Ford\t5, 5", "Personnages (1)",
                              "Amrel\tKelwick"} << 5;
    QTest::newRow("fifty shown, the rest counted") << "sort" << QStringList{"Sorts (60)", "Sort 0\tFeu", "10 autres…"} << 52;
    QTest::newRow("a control byte shown as such") << "bad" << QStringList{"Lieux (1)", "Bad\uFFFDnom"} << 2;
    QTest::newRow("nothing found says so") << "zzz" << QStringList{"Aucun résultat"} << 1;
    QTest::newRow("blanks search nothing") << "  " << QStringList{} << 0;
}

void TestQuickSearch::typingRefreshes() {
    QFETCH(QString, typed);
    QFETCH(QStringList, rows);
    QFETCH(int, count);
    Type(QStringLiteral("x"));  // a list to replace
    Type(typed);
    const QStringList shown = Rows();
    QCOMPARE(shown.size(), count);
    QCOMPARE(m_search->List()->isVisible(), count > 0);
    if (count == 0) return;
    QCOMPARE(shown.mid(0, rows.size() - 1), rows.mid(0, rows.size() - 1));
    QCOMPARE(shown.last(), rows.last());
    // Each letter typed asks again; blanks ask nothing.
    QCOMPARE(m_finds, 1 + int(typed.trimmed().size()));
}

void TestQuickSearch::arrowsSkipTitles_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("chosen");  // then opened by Enter
    QTest::newRow("the first hit at once") << QList<int>{} << "Kelwick";
    QTest::newRow("down") << QList<int>{Qt::Key_Down} << "Kelwick Ford";
    QTest::newRow("down past a title") << QList<int>{Qt::Key_Down, Qt::Key_Down} << "Amrel";
    QTest::newRow("down stops at the last") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << "Amrel";
    QTest::newRow("up past a title") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << "Kelwick Ford";
    QTest::newRow("up stops at the first") << QList<int>{Qt::Key_Up} << "Kelwick";
    QTest::newRow("page down to the last") << QList<int>{Qt::Key_PageDown} << "Amrel";
    QTest::newRow("page up to the first") << QList<int>{Qt::Key_PageDown, Qt::Key_PageUp} << "Kelwick";
}

void TestQuickSearch::arrowsSkipTitles() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, chosen);
    Type(QStringLiteral("e"));
    for (const int key : keys) QTest::keyClick(m_search->Field(), Qt::Key(key));
    QCOMPARE(Current(), chosen);
    QCOMPARE(m_search->Field()->text(), QStringLiteral("e"));  // the keys typed nothing
    QTest::keyClick(m_search->Field(), Qt::Key_Return);
    QCOMPARE(m_opened.size(), size_t(1));
    QCOMPARE(QString::fromStdString(m_opened[0].name), chosen);
    QVERIFY(!m_search->isVisible());
}

// A click on a hit opens it; on a title, nothing, and the field stays.
void TestQuickSearch::clickOpensAHitOnly() {
    Type(QStringLiteral("e"));
    QTreeWidget* list = m_search->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(3)).center());
    QVERIFY(m_opened.empty());
    QVERIFY(m_search->isVisible());
    QVERIFY(m_search->Field()->hasFocus());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(4)).center());
    QCOMPARE(m_opened.size(), size_t(1));
    QCOMPARE(m_opened[0].kind, SearchKind::Character);
    QCOMPARE(m_opened[0].ref, 3);
}

void TestQuickSearch::closingGivesTheKeyboardBack_data() {
    QTest::addColumn<int>("how");  // 0 Escape, 1 Enter, 2 another widget takes the keyboard
    QTest::addColumn<bool>("toTheMap");
    QTest::newRow("Escape") << 0 << true;
    QTest::newRow("Enter") << 1 << true;
    QTest::newRow("another widget") << 2 << false;
}

void TestQuickSearch::closingGivesTheKeyboardBack() {
    QFETCH(int, how);
    QFETCH(bool, toTheMap);
    QVERIFY(m_search->isVisible());
    QVERIFY(m_search->Field()->hasFocus());
    Type(QStringLiteral("kel"));
    if (how == 0) QTest::keyClick(m_search->Field(), Qt::Key_Escape);
    else if (how == 1) QTest::keyClick(m_search->Field(), Qt::Key_Enter);
    else QTest::mouseClick(m_other, Qt::LeftButton);
    QVERIFY(!m_search->isVisible());
    QCOMPARE(m_map->hasFocus(), toTheMap);
    QCOMPARE(m_other->hasFocus(), !toTheMap);
    QCOMPARE(m_opened.size(), size_t(how == 1));
    // Opened again: the last text, selected, ready to be typed over.
    m_search->Open();
    QCOMPARE(m_search->Field()->selectedText(), QStringLiteral("kel"));
}

// Across the top of the map, centred, and within it when the map narrows;
// a long list pasted at once shows its first group's title.
void TestQuickSearch::liesOverTheTopOfTheMap() {
    m_search->Field()->setText(QStringLiteral("sort"));
    QCOMPARE(m_search->List()->visualItemRect(m_search->List()->topLevelItem(0)).top(), 0);
    Type(QStringLiteral("e"));
    const QRect field = m_search->geometry();
    QVERIFY(m_map->rect().contains(field));
    QVERIFY(field.top() < 20);
    QCOMPARE(field.center().x(), m_map->rect().center().x());
    QVERIFY(field.height() > m_search->List()->height());
    m_map->setMinimumSize(300, 200);
    m_window->layout()->activate();
    m_window->resize(300, 260);
    QTRY_COMPARE(m_map->width(), 300);
    QVERIFY(m_map->rect().contains(m_search->geometry()));
}

QTEST_MAIN(TestQuickSearch)
#include "test_quicksearch.moc"
