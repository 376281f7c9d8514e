#include "shell/DisplayCheck.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const char kNoDisplay[] =
    "zerim: aucun affichage graphique n'est disponible (DISPLAY n'est pas défini).\n"
    "Lancez zerim dans une session graphique, ou sous xvfb-run ; "
    "les modes sans fenêtre restent utilisables (zerim --help).";

std::string Unreachable(const std::string& display) {
    return "zerim: l'affichage graphique " + display +
           " ne répond pas (aucun serveur X n'y est joignable, ou il refuse la connexion).\n"
           "Vérifiez la variable DISPLAY ou l'option -display, ou lancez zerim sous xvfb-run ; "
           "les modes sans fenêtre restent utilisables (zerim --help).";
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// What Qt's X11 platform says, as a warning, when the server does not answer
// or refuses it; the fatal error that follows would only talk of plugins.
const char kXcbUnreachable[] = "could not connect to display";

void OnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String(kXcbUnreachable))) {
        const QString display = text.mid(int(sizeof kXcbUnreachable)).trimmed();
        std::fprintf(stderr, "%s\n", Unreachable(display.toStdString()).c_str());
        std::fflush(stderr);
        _exit(1);
    }
    const QByteArray local = text.toLocal8Bit();
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", local.constData());
        return;
    }
    std::fprintf(stderr, "zerim: impossible d'ouvrir la fenêtre : %s\n", local.constData());
    std::fflush(stderr);
    _exit(1);
}

}  // namespace

bool DisplayAvailable(const std::optional<std::string>& platform, const std::optional<std::string>& display,
                      std::string& message) {
    const std::string qpa = platform.value_or(Environment("QT_QPA_PLATFORM"));
    if (!qpa.empty() && qpa.rfind("xcb", 0) != 0) return true;  // offscreen, wayland, vnc...
    // Under Wayland with no platform named, Qt may take either; the fatal
    // handler covers what fails there.
    if (qpa.empty() && !Environment("WAYLAND_DISPLAY").empty()) return true;
    if (display && display->empty()) {
        message = "zerim: l'option -display a une valeur vide ; donnez un affichage, par exemple -display :0.";
        return false;
    }
    const std::string x11 = display.value_or(Environment("DISPLAY"));
    if (x11.empty()) {
        message = kNoDisplay;
        return false;
    }
    // Whether the server answers is learnt from Qt's own connection (see
    // OnQtMessage): a second connection here would cost every start-up.
    return true;
}

void InstallFatalHandler() { qInstallMessageHandler(OnQtMessage); }
