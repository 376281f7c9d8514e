#include "cli/NotesModes.h"

#include "cli/BoundedRead.h"
#include "cli/Failure.h"
#include "cli/SafeWrite.h"
#include "cli/StandardStreams.h"
#include "data/JpegDecoder.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "notes/NoteStore.h"
#include "notes/NotesExchange.h"

#include <sys/stat.h>

#include <set>

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A note on one line: a line break, a tab and a backslash escaped.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') line += "\\n";
        else if (c == '\t') line += "\\t";
        else if (c == '\\') line += "\\\\";
        else if (c != '\r') line += c;
    }
    return line;
}

std::string MarksOf(const CNoteItem& item) {
    if (item.kind == CNoteItem::Kind::Pin) return PinColourName(item.colour);
    std::string marks;
    if (item.visited) marks = "visité";
    if (item.favourite) marks += marks.empty() ? "favori" : ",favori";
    return marks;
}

// The layer as it is stored; an absent file is an empty layer (and is not
// made by a mode that only reads).
CNoteItems ReadLayer(const std::string& path, std::ostream& err, bool& ok) {
    ok = true;
    if (!Exists(path)) return {};
    CNoteStore::Opening opening = CNoteStore::Open(path);
    if (!opening.notice.empty()) Complain(err, opening.notice);
    if (!opening.store) {
        ok = false;
        return {};
    }
    return opening.store->Items();
}

int List(const std::string& path, std::ostream& out, std::ostream& err) {
    bool ok = false;
    const CNoteItems items = ReadLayer(path, err, ok);
    if (!ok) return Fail(err, "vos notes n'ont pas pu être ouvertes : " + path);
    for (const CNoteItem& item : items)
        out << (item.kind == CNoteItem::Kind::Pin ? "épingle" : "lieu") << '\t' << OneLine(item.name) << '\t' << item.x
            << '\t' << item.y << '\t' << MarksOf(item) << '\t' << OneLine(item.note) << '\n';
    return ExitCode::kSuccess;
}

// GeoJSON's coordinates are pixels of the map picture: its size is read
// from its header.
bool GeoJsonOf(const CNoteItems& items, const IResourceStore& store, std::string& text) {
    const auto picture = store.Find(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE);
    JpegInfo info;
    if (!picture || !ReadJpegInfo(*picture, info)) return false;
    text = NotesToGeoJson(InPicturePixels(items, info.width, info.height));
    return true;
}

int Export(const std::string& target, const std::string& path, const IResourceStore& store, std::ostream& out,
           std::ostream& err) {
    bool ok = false;
    const CNoteItems items = ReadLayer(path, err, ok);
    if (!ok) return Fail(err, "vos notes n'ont pas pu être ouvertes : " + path);
    std::string text;
    if (!EndsWith(target, ".geojson")) text = NotesToJson(items, NowMs());
    else if (!GeoJsonOf(items, store, text))
        return Fail(err, "GeoJSON impossible : l'image de la carte est illisible, ses pixels sont inconnus");
    if (target == "-") {
        out << text;
        return ExitCode::kSuccess;
    }
    std::string reason;
    if (!WriteFileSafely(target, text, reason)) return Fail(err, "impossible d'écrire " + target + " : " + reason);
    return ExitCode::kSuccess;
}

int Import(const std::string& source, bool replace, const std::string& path, std::ostream& out, std::ostream& err) {
    const BoundedRead file = ReadFileBounded(source, kNotesFileLimit);
    if (file.status == BoundedReadStatus::TooLarge) return Misuse(err, source + " est trop grand pour des notes");
    if (file.status != BoundedReadStatus::Read) return Misuse(err, "impossible de lire " + source + " : " + file.reason);
    const CNotesReading reading = NotesFromJson(std::string(file.bytes.begin(), file.bytes.end()), NotesWorldBounds());
    if (!reading.ok) return Misuse(err, source + " n'a pas été importé : " + reading.error);
    for (const std::string& line : reading.cleaned) Complain(err, line);
    CNoteStore::Opening opening = CNoteStore::Open(path);
    if (!opening.notice.empty()) Complain(err, opening.notice);
    if (!opening.store || !opening.store->Writable())
        return Fail(err, "vos notes ne peuvent pas être modifiées : " +
                             (opening.store ? opening.store->WhyReadOnly() : path));
    CNoteStore& store = *opening.store;
    std::string error;
    if (replace) {
        if (!store.BackupNow(NowMs(), error)) return Fail(err, "sauvegarde préalable impossible : " + error);
        if (!store.Apply(reading.items, {}, true, error)) return Fail(err, "import impossible : " + error);
        out << "notes remplacées : " << reading.items.size() << " importées\n";
        return ExitCode::kSuccess;
    }
    const CNotesMerge merge = MergeNotes(store.Items(), reading.items);
    store.BackupIfDue(NowMs(), error);
    if (!store.Apply(merge.puts, {}, false, error)) return Fail(err, "import impossible : " + error);
    out << "notes importées : " << merge.added << " ajoutées, " << merge.updated << " mises à jour, " << merge.skipped
        << " ignorées\n";
    return ExitCode::kSuccess;
}

}  // namespace

bool IsNotesMode(const std::vector<std::string>& args) {
    static const std::set<std::string> modes{"--notes-list", "--notes-export", "--notes-import"};
    return !args.empty() && modes.count(args[0]);
}

int RunNotesMode(const std::vector<std::string>& args, const std::string& path, const IResourceStore& store,
                 std::ostream& out, std::ostream& err) {
    const std::string& mode = args[0];
    if (mode == "--notes-list") {
        if (args.size() != 1) return Misuse(err, "--notes-list ne prend aucun argument");
        return List(path, out, err);
    }
    if (mode == "--notes-export") {
        if (args.size() != 2) return Misuse(err, "--notes-export attend un fichier, par exemple : zerim --notes-export notes.json");
        return Export(args[1], path, store, out, err);
    }
    const bool replace = args.size() == 3 && args[2] == "--replace";
    if (args.size() != 2 && !replace)
        return Misuse(err, "--notes-import attend un fichier et peut-être --replace, par exemple : zerim --notes-import notes.json");
    return Import(args[1], replace, path, out, err);
}
