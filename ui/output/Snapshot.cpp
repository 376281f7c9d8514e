#include "output/Snapshot.h"

#include "cli/Failure.h"
#include "cli/SafeWrite.h"
#include "cli/StandardStreams.h"
#include "cli/SystemReason.h"
#include "data/PlaceKinds.h"
#include "data/ShownText.h"
#include "render/MapRenderer.h"
#include "notes/NoteStore.h"
#include "notes/NotesOnMap.h"
#include "render/World.h"
#include "view/FixedPictureHost.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The steps the user would take in the window, in its order: zoom, centre,
// search, detail level. False when a search found nothing.
bool TakeSteps(const SnapshotOptions& o, const CPlaceArray& places, ViewGeometry& geometry,
               CPlaceOverlay& overlay, std::ostream& err) {
    geometry.SetZoom(o.zoom);
    if (o.centerX) {
        const CPoint map = geometry.WorldToMap({*o.centerX, *o.centerY});
        geometry.CenterOn(map.x, map.y, false);
    }
    bool found = true;
    if (o.find) {
        found = overlay.SearchPlaces(places, *o.find);
        if (!found) Complain(err, "aucun lieu ne contient « " + ShownText(*o.find) + " »");
    }
    if (o.level) geometry.SetDetailOverride(*o.level);
    return found;
}

std::vector<std::string> WritableFormats() {
    std::vector<std::string> formats;
    for (const QByteArray& format : QImageWriter::supportedImageFormats()) formats.push_back(format.toStdString());
    return formats;
}

bool WriteToStandardOutput(const QByteArray& bytes, std::string& reason) {
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
        std::fflush(stdout) == 0)
        return true;
    reason = StandardOutputWasClosed() ? "la sortie standard est fermée (>&-)" : SystemReason(errno);
    return false;
}

// A file is replaced whole or not at all; a device or a FIFO gets the bytes
// and stays what it is; "-" is standard output. False with the reason in
// `reason`.
bool WriteImage(const QImage& image, const std::string& file, const std::string& format, std::string& reason) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format.c_str())) {
        reason = "codage " + format + " impossible";
        return false;
    }
    if (file == "-") return WriteToStandardOutput(bytes, reason);
    return WriteFileSafely(file, std::string_view(bytes.constData(), size_t(bytes.size())), reason);
}

}  // namespace

QImage RenderSnapshot(const SnapshotOptions& o, const CPlaceArray& places, const CMapPicture& picture,
                      std::ostream& err, bool& found, const CNotesOnMap* notes) {
    CFixedPictureHost host(picture.GetPixelSize());
    ViewGeometry geometry(host);
    MapLook look = o.look;
    if (o.shownKinds) look.hiddenKinds = KindsHiddenBeside(places, *o.shownKinds);
    CPlaceOverlay overlay(geometry, host);
    overlay.SetHiddenKinds(look.hiddenKinds);
    // No scroll bars: the whole image is map area.
    geometry.Resize({o.width, o.height}, 0);
    geometry.SetCentred(o.look.centred);
    found = TakeSteps(o, places, geometry, overlay, err);

    QImage image(o.width, o.height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    MapRenderer renderer(geometry, overlay, places, QGuiApplication::font());
    renderer.SetNotes(notes);
    renderer.SetLook(look);
    renderer.Paint(painter, {0, 0, o.width, o.height}, &picture);
    return image;
}

namespace {

// The player's layer as the window shows it, when there is one: the
// snapshot reads it and never makes it.
CNotesOnMap PlayersLayer(const CPlaceArray& places, std::ostream& err) {
    CNotesOnMap notes;
    const std::string path = NotesDatabasePath();
    if (!QFileInfo::exists(QFile::decodeName(path.c_str()))) return notes;
    CNoteStore::Opening opening = CNoteStore::Open(path);
    if (!opening.notice.empty()) Complain(err, opening.notice);
    if (opening.store) notes.Update(opening.store->Items(), places);
    return notes;
}

// Qt's own notes (no runtime folder set, a font not found...) are kept, and
// told only when the snapshot fails: a command that succeeds says nothing.
std::vector<std::string> g_heldQtMessages;

void HoldQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "zerim: %s\n", text.toLocal8Bit().constData());
        std::_Exit(1);
    }
    g_heldQtMessages.push_back(text.toStdString());
}

int MakeSnapshot(const IResourceStore& store, const std::vector<std::string>& args, char** argv,
                 std::ostream& err);

}  // namespace

int RunSnapshot(const IResourceStore& store, const std::vector<std::string>& args, char** argv,
                std::ostream& err) {
    const QtMessageHandler previous = qInstallMessageHandler(HoldQtMessage);
    const int code = MakeSnapshot(store, args, argv, err);
    qInstallMessageHandler(previous);
    if (code != 0)
        for (const std::string& message : g_heldQtMessages) err << message << '\n';
    g_heldQtMessages.clear();
    return code;
}

namespace {

int MakeSnapshot(const IResourceStore& store, const std::vector<std::string>& args, char** argv,
                 std::ostream& err) {
    std::string error;
    const auto options = ParseSnapshotOptions(args, error);
    if (!options) return Misuse(err, error);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt sees only the program name: a search text such as "-style" is ours.
    static int qtArgc = 1;
    QApplication qapp(qtArgc, argv);  // the fonts are the window's
    const auto format = SnapshotFormat(options->file, WritableFormats(), error);
    if (!format) return Misuse(err, error);
    CWorld world(store);
    world.Load(nullptr);
    // The full picture, not the quick first look the window starts with.
    world.Picture().FinishLoading();
    // Damage is told and what could be read is drawn; a map that could not
    // be decoded at all makes no snapshot.
    for (const std::string& problem : world.LoadProblems()) Complain(err, problem);
    if (world.MapUnreadable()) return 1;

    bool found = false;
    const CNotesOnMap notes = PlayersLayer(world.Places(), err);
    const QImage image = RenderSnapshot(*options, world.Places(), world.Picture(), err, found, &notes);
    if (!found) return 1;
    if (image.size() != QSize(options->width, options->height))
        return Fail(err, "la vue n'a pas pris la taille demandée");
    std::string reason;
    if (!WriteImage(image, options->file, *format, reason))
        return Fail(err, "écriture impossible : " + options->file + " (" + reason + ")");
    return 0;
}

}  // namespace
