#include "shell/Snapshot.h"

#include "cli/SafeWrite.h"
#include "shell/ZerimApp.h"

#include "data/PlaceTable.h"
#include "view/ZerimView.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>

namespace {

int Fail(std::ostream& err, const std::string& message) {
    err << "zerim: " << message << "\n";
    return 1;
}

// The view as the window would show it at this client size, after the same
// steps the user would take: zoom, scroll, search, detail level.
QImage Render(const SnapshotOptions& o, std::ostream& err, bool& found) {
    CZerimView view;
    view.resize(o.width, o.height);
    view.show();  // offscreen: makes the size real without any display
    QApplication::processEvents();
    view.SetZoom(o.zoom);
    if (o.centerX) {
        const CPoint map = view.Geometry().WorldToMap({*o.centerX, *o.centerY});
        view.Geometry().CenterOn(map.x, map.y, false);
    }
    found = true;
    if (o.find) {
        view.SearchPlaces(QString::fromStdString(*o.find));
        found = !view.Places().Highlight().IsEmpty();
        if (!found) err << "zerim: aucun lieu ne contient « " << *o.find << " »\n";
    }
    if (o.level) view.SetDetailLevel(*o.level);
    QApplication::processEvents();
    return view.grab().toImage();
}

// A file is replaced whole or not at all; a device or a FIFO gets the bytes
// and stays what it is. False with the reason in `reason`.
bool WritePng(const QImage& image, const std::string& file, std::string& reason) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        reason = "codage PNG impossible";
        return false;
    }
    return WriteFileSafely(file, std::string_view(png.constData(), size_t(png.size())), reason);
}

}  // namespace

int RunSnapshot(const std::vector<std::string>& args, char** argv, std::ostream& err) {
    std::string error;
    const auto options = ParseSnapshotOptions(args, error);
    if (!options) return Fail(err, error);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt sees only the program name: a search text such as "-style" is ours.
    static int qtArgc = 1;
    QApplication qapp(qtArgc, argv);
    CZerimApp app;
    // The full picture, not the quick first look the window starts with.
    app.EnsureLoaded();
    app.m_picture.FinishLoading();
    // Damage is told and what could be read is drawn; a map that could not
    // be decoded at all makes no snapshot.
    for (const std::string& problem : app.LoadProblems()) err << "zerim: " << problem << "\n";
    if (app.MapUnreadable()) return 1;

    bool found = false;
    const QImage image = Render(*options, err, found);
    if (!found) return 1;
    if (image.size() != QSize(options->width, options->height))
        return Fail(err, "la vue n'a pas pris la taille demandée");
    std::string reason;
    if (!WritePng(image, options->file, reason))
        return Fail(err, "écriture impossible : " + options->file + " (" + reason + ")");
    return 0;
}
