// The player's layer as the window edits it: edits, undo and redo as a
// script, checked against the layer and against the store read afresh;
// what the map draws of it (a mark whose place is gone becomes a pin).
#include "notes/MyMap.h"
#include "notes/NotesOnMap.h"

#include "data/PlaceList.h"

#include <QTemporaryDir>
#include <QtTest>

class TestMyMap : public QObject {
    Q_OBJECT
private slots:
    void script_data();
    void script();
    void refusedEditChangesNothing();
    void failedBackupKeepsTheEdit();
    void marksFindTheirPlaces();
};

namespace {
// "id:note" of every item, sorted.
QString Summary(const CNoteItems& items) {
    QStringList parts;
    for (const CNoteItem& item : items) parts << QString::fromStdString(item.id + ":" + item.note);
    parts.sort();
    return parts.join(' ');
}

CNoteItem Pin(const std::string& note) {
    CNoteItem pin;
    pin.kind = CNoteItem::Kind::Pin;
    pin.name = "épingle";
    pin.note = note;
    return pin;
}
}  // namespace

// Steps: "a=x" sets item a's note to x (making it), "-a" deletes it, "*"
// changes a and b at once (one step), "<" undoes, ">" redoes.
void TestMyMap::script_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("items");
    QTest::addColumn<bool>("canUndo");
    QTest::addColumn<bool>("canRedo");
    QTest::newRow("edits") << "a=1 b=2 a=3" << "a:3 b:2" << true << false;
    QTest::newRow("undo an edit gives the item back") << "a=1 a=2 <" << "a:1" << true << true;
    QTest::newRow("undo a making removes it") << "a=1 <" << "" << false << true;
    QTest::newRow("undo a deletion") << "a=1 -a <" << "a:1" << true << true;
    QTest::newRow("redo after undo") << "a=1 a=2 < >" << "a:2" << true << false;
    QTest::newRow("a new edit drops the redo") << "a=1 a=2 < b=5 >" << "a:1 b:5" << true << false;
    QTest::newRow("undo past the start stays") << "a=1 < < <" << "" << false << true;
    QTest::newRow("two items as one step") << "a=1 * <" << "a:1" << true << true;
    QTest::newRow("two items as one step, redone") << "a=1 * < >" << "a:x b:x" << true << false;
}

void TestMyMap::script() {
    QFETCH(QString, steps);
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/notes.sqlite").toStdString();
    CMyMap layer(CNoteStore::Open(path).store);
    std::string error;
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        bool done = true;
        if (step == "<") layer.Undo(error);
        else if (step == ">") layer.Redo(error);
        else if (step == "*")
            done = layer.EditAll({{"a", std::nullopt, Pin("x")}, {"b", std::nullopt, Pin("x")}}, error);
        else if (step.startsWith('-')) done = layer.Edit(step.mid(1).toStdString(), std::nullopt, error);
        else done = layer.Edit(step.section('=', 0, 0).toStdString(), Pin(step.section('=', 1).toStdString()), error);
        QVERIFY2(done, error.c_str());
    }
    QTEST(Summary(layer.Items()), "items");
    QTEST(layer.CanUndo(), "canUndo");
    QTEST(layer.CanRedo(), "canRedo");
    // What the layer shows is what is stored.
    QTEST(Summary(CNoteStore::Open(path).store->Items()), "items");
}

// A layer without a store refuses every edit, and keeps no history of it.
void TestMyMap::refusedEditChangesNothing() {
    std::string error;
    CMyMap layer(nullptr, "pas de fichier");
    QVERIFY(!layer.Edit("b", Pin("2"), error));
    QCOMPARE(error, std::string("pas de fichier"));
    QVERIFY(!layer.CanUndo());
    QVERIFY(layer.Items().empty());
}

// A day's backup that cannot be made (its folder's name taken by a file)
// does not cost the edit; it is said.
void TestMyMap::failedBackupKeepsTheEdit() {
    QTemporaryDir dir;
    QFile(dir.filePath("backups")).open(QIODevice::WriteOnly);
    CMyMap layer(CNoteStore::Open((dir.path() + "/notes.sqlite").toStdString()).store);
    std::string error;
    QVERIFY(layer.Edit("a", Pin("1"), error));
    QVERIFY(layer.Find("a"));
    QVERIFY2(!layer.BackupProblem().empty(), "no problem said");
}

void TestMyMap::marksFindTheirPlaces() {
    CPlaceList list;
    list.Add("Holm", 100, 200, 0, 0);
    list.Add("M\xe9ra", -5, 7, 1, 0);  // Windows-1252, as the tables hold it
    CNoteItem kept, lost;
    kept.kind = lost.kind = CNoteItem::Kind::Place;
    kept.id = PlaceKey("Méra", -5, 7);
    kept.visited = true;
    lost.id = PlaceKey("Holm", 1, 1);  // the place moved since
    lost.name = "Holm";
    lost.note = "ici";
    CNotesOnMap notes;
    notes.Update({kept, lost, Pin("")}, list.Array());
    QVERIFY(notes.MarksOf(1).visited);
    QVERIFY(!notes.MarksOf(0).Any());
    QCOMPARE(notes.PlaceOf(kept.id), 1);
    QCOMPARE(notes.PlaceOf(lost.id), -1);
    QCOMPARE(int(notes.Pins().size()), 2);
    QVERIFY(notes.Pins()[0].lostPlace);
    QCOMPARE(notes.VisitedPlaces(list.Array()), std::vector<const CPlace*>{list.Array()[1]});
}

QTEST_APPLESS_MAIN(TestMyMap)
#include "test_mymap.moc"
