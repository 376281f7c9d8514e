#include "startup/DisplayCheck.h"

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

// The socket Qt's Wayland platform connects to: WAYLAND_DISPLAY, a name in
// XDG_RUNTIME_DIR unless it is a path, "wayland-0" by default.
std::string WaylandSocket() {
    std::string name = Environment("WAYLAND_DISPLAY");
    if (name.empty()) name = "wayland-0";
    if (name[0] == '/') return name;
    const std::string folder = Environment("XDG_RUNTIME_DIR");
    return folder.empty() ? name : folder + "/" + name;
}

std::string WaylandUnreachable() {
    return "zerim: l'affichage Wayland " + WaylandSocket() +
           " ne répond pas (aucun compositeur n'écoute sur cette socket).\n"
           "Vérifiez les variables WAYLAND_DISPLAY et XDG_RUNTIME_DIR ; "
           "les modes sans fenêtre restent utilisables (zerim --help).";
}

// What Qt's Wayland platform says when the compositor does not answer; Qt
// may then fall back to X, and what follows tells whether it could.
const char kWaylandUnreachable[] = "Failed to create wl_display";
bool g_waylandFailed = false;

[[noreturn]] void EndWith(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    _exit(1);
}

// Whether X was only a fallback after Wayland failed, with no X display named.
bool OnlyWaylandWasMeant() { return g_waylandFailed && Environment("DISPLAY").empty(); }

// What Qt's X11 platform says, as a warning, when the server does not answer
// or refuses it; the fatal error that follows would only talk of plugins.
const char kXcbUnreachable[] = "could not connect to display";

void OnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.startsWith(QLatin1String(kWaylandUnreachable))) {
        g_waylandFailed = true;  // said once it is known whether X takes over
        return;
    }
    if (g_waylandFailed && text.startsWith(QLatin1String("Could not load the Qt platform plugin"))) return;
    // A platform without a nicety (the offscreen one keeps no size hints):
    // nothing the user could act on.
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support"))) return;
    if (type == QtWarningMsg && text.startsWith(QLatin1String(kXcbUnreachable))) {
        if (OnlyWaylandWasMeant()) EndWith(WaylandUnreachable());
        EndWith(Unreachable(text.mid(int(sizeof kXcbUnreachable)).trimmed().toStdString()));
    }
    const QByteArray local = text.toLocal8Bit();
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", local.constData());
        return;
    }
    if (g_waylandFailed) EndWith(WaylandUnreachable());
    EndWith("zerim: impossible d'ouvrir la fenêtre : " + std::string(local.constData()));
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
