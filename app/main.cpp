// zerim: the map viewer. Window-less modes first, then the window.
#include "cli/CommandLine.h"
#include "cli/DataDirStore.h"
#include "cli/Failure.h"
#include "cli/SessionBus.h"
#include "cli/StandardStreams.h"
#include "cli/WindowArguments.h"
#include "data/ShownText.h"
#include "links/LinkSocket.h"
#include "links/ZerimLink.h"
#include "output/Snapshot.h"
#include "res/QtResourceStore.h"
#include "startup/DisplayCheck.h"
#include "startup/FontPreload.h"
#include "startup/QtFrench.h"
#include "startup/QuickStyle.h"
#include "startup/StartupClock.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <new>

namespace {

// What QApplication is given: the program's name and Qt's own options only,
// so that a file name is never taken for one of them.
class QtArguments {
public:
    QtArguments(const char* program, const std::vector<std::string>& options) : m_words(options) {
        m_words.insert(m_words.begin(), program);
        for (std::string& word : m_words) m_argv.push_back(word.data());
        m_argv.push_back(nullptr);
        m_argc = int(m_words.size());
    }
    int& Argc() { return m_argc; }
    char** Argv() { return m_argv.data(); }

private:
    std::vector<std::string> m_words;
    std::vector<char*> m_argv;
    int m_argc = 0;
};

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The socket the windows of this user on this display share for links;
// nothing when the runtime folder is not safe for one: each window is then
// on its own.
std::optional<std::string> LinkSocket(const WindowArguments& window) {
    const DisplayNames names{window.platform, window.display, Environment("QT_QPA_PLATFORM"),
                             Environment("DISPLAY"), Environment("WAYLAND_DISPLAY")};
    std::string why;
    return LinkSocketPath(std::getenv("XDG_RUNTIME_DIR"), DisplayKey(names), why);
}

// A bad link is said on the standard error, for scripts and for a session
// where no window opens; the window that gets it says it too.
void SayIfBad(const std::string& link) {
    std::string error;
    if (!ParseZerimLink(link, error)) Complain(std::cerr, "lien refusé : " + error);
}

// Gives the link to the window already open, before anything of a window is
// built here; true when it took it.
bool HandedOver(const std::string& link, const std::optional<std::string>& socket) {
    if (!socket) return false;
    switch (HandLinkOver(*socket, link)) {
    case HandOver::Delivered: return true;
    case HandOver::NoAnswer: Complain(std::cerr, "la fenêtre ouverte ne répond pas ; une autre s'ouvre"); break;
    case HandOver::NoWindow: break;
    }
    return false;
}

// The window, with the world read from `resources`.
int RunWindow(const IResourceStore& resources, const char* program, const WindowArguments& window) {
    if (window.link) SayIfBad(*window.link);
    std::string message;
    if (!DisplayAvailable(window.platform, window.display, message)) {
        std::cerr << message << "\n";
        return ExitCode::kNotFound;
    }
    const std::optional<std::string> socket = LinkSocket(window);
    if (window.link && HandedOver(*window.link, socket)) return ExitCode::kSuccess;
    InstallFatalHandler();
    RefuseHopelessBusLaunch();  // before any thread: it sets the environment
    // The picture's first look and the fonts are read on threads of their
    // own while Qt connects to the display.
    CWorld world(resources);
    world.StartPicture(/*holdFullDecode=*/true);
    CFontPreload fonts;
    QtArguments qtArgs(program, window.qtOptions);
    QApplication qapp(qtArgs.Argc(), qtArgs.Argv());
    MarkStartup("QApplication prête");
    UseQuickStyle();
    InstallQtFrench();
    fonts.FillFontDatabase();
    // The desktop entry's id: the window is matched to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.sarvenhal_guild.zerim"));
    std::optional<QString> file;
    if (window.file) file = QString::fromLocal8Bit(window.file->c_str());
    CZerimApp app(world, file);
    app.SetLinks(window.link, socket);
    const bool opened = app.InitInstance();
    fonts.Wait();
    if (!opened) return ExitCode::kUsage;  // the named file does not open
    return qapp.exec();
}

// The composition root: the store (the embedded data, with a --data folder
// laid over it), then the world built from it, then the application object
// that shows it. Every mode reads the same store.
int RunZerim(int argc, char** argv) {
    const CQtResourceStore embedded;
    CDataDirStore resources(embedded);

    std::vector<std::string> args(argv + 1, argv + argc);
    if (!ApplyDataOption(args, resources, std::cerr)) return ExitCode::kUsage;
    if (IsSnapshotRequest(args)) return RunSnapshot(resources, args, argv, std::cerr);
    const CommandLineOutcome outcome = RunCommandLine(args, resources, std::cout, std::cerr);
    if (outcome.handled) return outcome.exitCode;

    std::string error;
    const auto window = ParseWindowArguments(args, error);
    if (!window) return Misuse(std::cerr, error);  // RunCommandLine refuses these first
    for (const std::string& extra : window->extraFiles)
        Complain(std::cerr, "un seul fichier s'ouvre ; ignoré : " + ShownText(extra));
    return RunWindow(resources, argv[0], *window);
}

}  // namespace

int main(int argc, char** argv) {
    MarkStartup("main");
    HoldClosedStandardStreams();  // before anything opens a file
    // Data from a --data folder is bounded, yet memory can still run out
    // (a huge picture, a small machine): end with a message, not an abort.
    try {
        return RunZerim(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("zerim: mémoire insuffisante, le programme s'arrête\n", stderr);
        return 1;
    }
}
