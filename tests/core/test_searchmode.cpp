// zerim --search without a window, on the small world of the place card
// tests, and the player's notes read for it as they lie: found, and never
// made, changed or repaired.
#include "SmallWorld.h"

#include "cli/SearchMode.h"
#include "notes/NoteStore.h"
#include "notes/NotesLook.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

namespace {

struct Outcome {
    int code;
    QString out, err;
};

Outcome Search(const QString& text, const QString& notesPath) {
    CMemoryResourceStore store;
    SmallWorld::Fill(store);
    std::ostringstream out, err;
    const int code = PrintSearchHits(store, notesPath.toStdString(), text.toStdString(), out, err);
    return {code, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

// Every file of a folder with its size, time and bytes' hash.
QStringList FolderState(const QString& folder) {
    QStringList state;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        state << QString("%1 %2 %3 %4")
                     .arg(info.fileName())
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch())
                     .arg(QString(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex()));
    }
    return state;
}

CNoteItem Pin(const std::string& id, const std::string& title, const std::string& note) {
    CNoteItem pin;
    pin.kind = CNoteItem::Kind::Pin;
    pin.id = id;
    pin.name = title;
    pin.note = note;
    pin.updated = 1;
    return pin;
}

void PutPin(const std::string& path, const CNoteItem& pin) {
    CNoteStore::Opening opening = CNoteStore::Open(path);
    QVERIFY(opening.store);
    std::string error;
    QVERIFY2(opening.store->Put(pin, error), error.c_str());
}

}  // namespace

class TestSearchMode : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void notesFound();
    void noNotesFileMakesNone();
    void notesOfALiveWindow();
    void foreignNotesFile();
};

void TestSearchMode::lines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");  // a part of it
    QTest::newRow("a place, then the vendors found there by location")
        << "kelwick" << 0
        << "lieu\tKelwick\t-100000, 100000\n"
           "marchand\tXan\tKelwick, by the well\nmarchand\tZed & Sons\tKelwick, by the well\n"
        << "";
    QTest::newRow("a character, with the first place their page links to")
        << "cara" << 0 << "personnage\tCara\tKelwick\n" << "";
    QTest::newRow("accents ignored, the spell's name as shown") << "ECLAIR" << 0 << "sort\tÉclair\t\n" << "";
    QTest::newRow("a filter") << "lieu: oska" << 0
                              << "lieu\tOska, Brask Quarter\t100000, 100000\nlieu\toska, brask QUARTER\t-100000, 0\n"
                                 "lieu\tOska, Lower Town\t0, 0\n"
                              << "";
    QTest::newRow("a name with markup, as written") << "perso:jiss" << 0 << "personnage\tBo <Jiss> & \"Q\"\tOska, Brask Quarter\n" << "";
    QTest::newRow("nothing matches") << "atlantis" << 1 << "" << "rien ne correspond à « atlantis »";
    QTest::newRow("an escape sequence is not echoed") << "\x1B]0;x" << 1 << "" << "« \xEF\xBF\xBD]0;x »";
    QTest::newRow("empty") << "" << 2 << "" << "--search attend un texte";
    QTest::newRow("punctuation only") << "?!" << 2 << "" << "--search attend un texte";
    QTest::newRow("a filter alone") << "sort:" << 2 << "" << "--search attend un texte";
}

void TestSearchMode::lines() {
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const Outcome r = Search(text, dir.filePath("notes.sqlite"));
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, out);
    if (err.isEmpty()) QCOMPARE(r.err, QString());
    QVERIFY2(r.err.contains(err), qPrintable(r.err));
}

void TestSearchMode::notesFound() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("notes.sqlite").toStdString();
    PutPin(path, Pin("pin:1", "Trésor caché", "sous le vieux chêne près de Kelwick"));
    const QStringList before = FolderState(dir.path());
    const CNotesLook look = LookAtNotes(path);
    QCOMPARE(QString::fromStdString(look.problem), QString());
    QCOMPARE(int(look.items.size()), 1);
    const Outcome r = Search("chene", dir.filePath("notes.sqlite"));
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QString("note\tTrésor caché\tépingle\n"));
    const Outcome kelwick = Search("kelwick", dir.filePath("notes.sqlite"));
    QVERIFY2(kelwick.out.endsWith("Kelwick, by the well\nnote\tTrésor caché\tépingle\n"), qPrintable(kelwick.out));
    QCOMPARE(FolderState(dir.path()), before);
}

void TestSearchMode::noNotesFileMakesNone() {
    QTemporaryDir dir;
    const QString path = dir.filePath("folder/notes.sqlite");
    const CNotesLook look = LookAtNotes(path.toStdString());
    QVERIFY(look.items.empty());
    QVERIFY(look.problem.empty());
    QCOMPARE(Search("kelwick", path).code, 0);
    QVERIFY(!QFileInfo::exists(dir.filePath("folder")));
}

// A window has the store open and has just written: the look reads what it
// wrote, through its log, and makes no file.
void TestSearchMode::notesOfALiveWindow() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("notes.sqlite").toStdString();
    CNoteStore::Opening window = CNoteStore::Open(path);
    QVERIFY(window.store);
    std::string error;
    QVERIFY(window.store->Put(Pin("pin:1", "Premier", ""), error));
    QVERIFY(window.store->Put(Pin("pin:2", "Second", "au bord du lac"), error));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    const CNotesLook look = LookAtNotes(path);
    QCOMPARE(QString::fromStdString(look.problem), QString());
    QCOMPARE(int(look.items.size()), 2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
    QVERIFY(window.store->Put(Pin("pin:3", "Troisième", ""), error));
    QCOMPARE(int(LookAtNotes(path).items.size()), 3);
}

// A file that is no notes store: said, left as it is, and the world is
// still searched.
void TestSearchMode::foreignNotesFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.sqlite");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a database at all, but long enough");
    file.close();
    const QStringList before = FolderState(dir.path());
    const Outcome r = Search("kelwick", path);
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.startsWith("lieu\tKelwick\t"));
    QVERIFY2(r.err.contains("n'est pas un fichier SQLite"), qPrintable(r.err));
    QCOMPARE(FolderState(dir.path()), before);
}

QTEST_APPLESS_MAIN(TestSearchMode)
#include "test_searchmode.moc"
