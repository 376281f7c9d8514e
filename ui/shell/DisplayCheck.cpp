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

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

void OnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
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

bool DisplayAvailable(std::string& message) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool needsDisplay = !platform || !*platform || std::string(platform).rfind("xcb", 0) == 0;
    if (needsDisplay && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
        message = kNoDisplay;
        return false;
    }
    return true;
}

void InstallFatalHandler() { qInstallMessageHandler(OnQtMessage); }
