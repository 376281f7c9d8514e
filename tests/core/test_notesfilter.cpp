// The notes panel's rules: which items show for a kind and a text, in
// which order, and the progress line.
#include "notes/NotesFilter.h"

#include <QtTest>

namespace {

CNoteItem Place(const char* name, bool visited, bool favourite, const char* note, int64_t updated) {
    CNoteItem item;
    item.kind = CNoteItem::Kind::Place;
    item.id = std::string("place:") + name;
    item.name = name;
    item.visited = visited;
    item.favourite = favourite;
    item.note = note;
    item.updated = updated;
    return item;
}

CNoteItem Pin(const char* title, const char* note, int64_t updated) {
    CNoteItem item;
    item.id = std::string("pin:") + title;
    item.name = title;
    item.note = note;
    item.updated = updated;
    return item;
}

// In the store's order; by name they are abbaye, Camp, eau, Écluse, Mar,
// Zinc; by date Camp, Mar, Écluse and Zinc (the same millisecond), eau,
// abbaye.
const CNoteItems& Items() {
    static const CNoteItems items = {
        Place("Écluse du Nord", true, false, "", 300),
        Place("abbaye de Vorn", false, true, "Le cœur du moine\nseconde ligne", 100),
        Pin("Camp", "près de l'ÉCLUSE", 500),
        Place("Zinc", true, true, "", 300),
        Place("eau vive", false, false, "à voir", 200),
        Pin("Mar", "ne des bois", 400),
    };
    return items;
}

QStringList Names(const std::vector<int>& rows) {
    QStringList names;
    for (int row : rows) names << QString::fromStdString(Items()[size_t(row)].name);
    return names;
}

QStringList Split(const char* utf8) { return QString::fromUtf8(utf8).split(QLatin1Char('|'), Qt::SkipEmptyParts); }

}  // namespace

Q_DECLARE_METATYPE(NoteOrder)

class TestNotesFilter : public QObject {
    Q_OBJECT
private slots:
    void fold_data();
    void fold();
    void rows_data();
    void rows();
    void progress_data();
    void progress();
    void visitedCountsPlacesOnly();
    void newItemsSortAgain();
};

void TestNotesFilter::fold_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("folded");
    QTest::newRow("ascii case, digits and signs") << QByteArray("Tour-2 b_z") << QByteArray("TOUR-2 B_Z");
    QTest::newRow("accents of both cases") << QByteArray("été ÀÇÏ") << QByteArray("ETE ACI");
    QTest::newRow("ligatures as two letters") << QByteArray("cœur Æther ß") << QByteArray("COEUR AETHER SS");
    QTest::newRow("letters of the 0x80 row") << QByteArray("šŸž") << QByteArray("SYZ");
    QTest::newRow("signs kept") << QByteArray("l’île « 5 € »") << QByteArray("L’ILE « 5 € »");
    QTest::newRow("decomposed accents go") << QByteArray("e\xCC\x81te\xCC\x80") << QByteArray("ETE");
    QTest::newRow("beyond the code page kept") << QByteArray("Ωmega 北") << QByteArray("ΩMEGA 北");
    QTest::newRow("bytes that are no UTF-8") << QByteArray("a\xE9z\xC3") << QByteArray("A\xEF\xBF\xBDZ\xEF\xBF\xBD");
    QTest::newRow("NUL") << QByteArray("a\0b", 3)
                         << QByteArray(
                                "A\xEF\xBF\xBD"
                                "B");
    QTest::newRow("overlong and surrogate") << QByteArray("\xC0\xAF\xED\xA0\x80")
                                            << QByteArray(
                                                   "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
                                                   "\xEF\xBF\xBD");
}

void TestNotesFilter::fold() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, folded);
    QCOMPARE(QByteArray::fromStdString(FoldForSearch(text.toStdString())), folded);
}

void TestNotesFilter::rows_data() {
    QTest::addColumn<unsigned>("kinds");
    QTest::addColumn<QString>("text");
    QTest::addColumn<NoteOrder>("order");
    QTest::addColumn<QStringList>("names");
    const auto byName = NoteOrder::ByName;
    const QString all;
    QTest::newRow("every item by name, case and accents ignored")
        << unsigned(NoteKind::All) << all << byName << Split("abbaye de Vorn|Camp|eau vive|Écluse du Nord|Mar|Zinc");
    QTest::newRow("by date, latest first, a tie by name")
        << unsigned(NoteKind::All) << all << NoteOrder::ByDate
        << Split("Camp|Mar|Écluse du Nord|Zinc|eau vive|abbaye de Vorn");
    QTest::newRow("pins") << unsigned(NoteKind::Pins) << all << byName << Split("Camp|Mar");
    QTest::newRow("visited") << unsigned(NoteKind::Visited) << all << byName << Split("Écluse du Nord|Zinc");
    QTest::newRow("favourites") << unsigned(NoteKind::Favourites) << all << byName << Split("abbaye de Vorn|Zinc");
    QTest::newRow("noted, pins and places")
        << unsigned(NoteKind::Noted) << all << byName << Split("abbaye de Vorn|Camp|eau vive|Mar");
    QTest::newRow("any of two kinds") << unsigned(NoteKind::Pins | NoteKind::Visited) << all << byName
                                      << Split("Camp|Écluse du Nord|Mar|Zinc");
    QTest::newRow("no kind, nothing") << 0u << all << byName << QStringList();
    QTest::newRow("text without accent finds it in names and notes")
        << unsigned(NoteKind::All) << QStringLiteral("ecluse") << byName << Split("Camp|Écluse du Nord");
    QTest::newRow("text in capitals with an accent")
        << unsigned(NoteKind::All) << QString::fromUtf8("ÉCLUSE") << byName << Split("Camp|Écluse du Nord");
    QTest::newRow("oe finds œ") << unsigned(NoteKind::All) << QStringLiteral("coeur") << byName
                                << Split("abbaye de Vorn");
    QTest::newRow("a later line of the note")
        << unsigned(NoteKind::All) << QStringLiteral("SECONDE") << byName << Split("abbaye de Vorn");
    QTest::newRow("never across the name and the note")
        << unsigned(NoteKind::All) << QStringLiteral("rne") << byName << QStringList();
    QTest::newRow("a space is a letter of the text")
        << unsigned(NoteKind::All) << QStringLiteral("a v") << byName << Split("eau vive");
    QTest::newRow("text and kind both apply")
        << unsigned(NoteKind::Visited) << QStringLiteral("vive") << byName << QStringList();
    QTest::newRow("text found nowhere") << unsigned(NoteKind::All) << QStringLiteral("xyz") << byName << QStringList();
}

void TestNotesFilter::rows() {
    QFETCH(unsigned, kinds);
    QFETCH(QString, text);
    QFETCH(NoteOrder, order);
    QFETCH(QStringList, names);
    CNotesFilter filter;
    filter.SetItems(Items());
    QCOMPARE(Names(filter.Rows(kinds, text.toStdString(), order)), names);
}

void TestNotesFilter::progress_data() {
    QTest::addColumn<int>("visited");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("no place") << 0 << 0 << QString::fromUtf8("Lieux visités : 0 / 0 (0 %)");
    QTest::newRow("a third, rounded down") << 1 << 3 << QString::fromUtf8("Lieux visités : 1 / 3 (33 %)");
    QTest::newRow("two thirds, rounded up") << 2 << 3 << QString::fromUtf8("Lieux visités : 2 / 3 (67 %)");
    QTest::newRow("a half rounds up") << 1 << 200 << QString::fromUtf8("Lieux visités : 1 / 200 (1 %)");
    QTest::newRow("large counts") << 99999 << 100000 << QString::fromUtf8("Lieux visités : 99999 / 100000 (100 %)");
    QTest::newRow("all") << 7 << 7 << QString::fromUtf8("Lieux visités : 7 / 7 (100 %)");
    QTest::newRow("marks of gone places never exceed the total")
        << 9 << 7 << QString::fromUtf8("Lieux visités : 7 / 7 (100 %)");
}

void TestNotesFilter::progress() {
    QFETCH(int, visited);
    QFETCH(int, total);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ProgressText(visited, total)), text);
}

void TestNotesFilter::visitedCountsPlacesOnly() {
    CNoteItems items = Items();
    items.push_back(Pin("Odd", "", 1));
    items.back().visited = true;  // a pin's flag means nothing
    QCOMPARE(VisitedPlaces(items), 2);
}

// The filter keeps its order by name while the names stand, and copies the
// texts it folded before: a rename, a new text, a new date and items moved
// in the list must still show.
void TestNotesFilter::newItemsSortAgain() {
    CNotesFilter filter;
    filter.SetItems(Items());
    QCOMPARE(Names(filter.Rows(NoteKind::All, "", NoteOrder::ByName)).first(), QStringLiteral("abbaye de Vorn"));
    QCOMPARE(Names(filter.Rows(NoteKind::All, "", NoteOrder::ByDate)).first(), QStringLiteral("Camp"));
    CNoteItems edited = Items();
    edited[1].name = "Zut";
    edited[1].updated = 900;
    edited[4].note = "ailleurs";
    filter.SetItems(edited);
    const auto names = [&](NoteOrder order, const char* text = "") {
        QStringList shown;
        for (int row : filter.Rows(NoteKind::All, text, order))
            shown << QString::fromStdString(edited[size_t(row)].name);
        return shown;
    };
    QCOMPARE(names(NoteOrder::ByName), Split("Camp|eau vive|Écluse du Nord|Mar|Zinc|Zut"));
    QCOMPARE(names(NoteOrder::ByDate).first(), QStringLiteral("Zut"));
    QCOMPARE(names(NoteOrder::ByName, "ailleurs"), Split("eau vive"));
    QCOMPARE(names(NoteOrder::ByName, "voir"), QStringList());

    // Every item one place further: their texts are found where they went.
    edited.insert(edited.begin(), Pin("Neuf", "", 1000));
    filter.SetItems(edited);
    QCOMPARE(names(NoteOrder::ByName, "ailleurs"), Split("eau vive"));
    QCOMPARE(names(NoteOrder::ByName, "eclu"), Split("Camp|Écluse du Nord"));
    QCOMPARE(names(NoteOrder::ByName, "neuf"), Split("Neuf"));
    QCOMPARE(names(NoteOrder::ByName).first(), QStringLiteral("Camp"));
}

QTEST_APPLESS_MAIN(TestNotesFilter)
#include "test_notesfilter.moc"
