// zerim: the map viewer. Window-less modes first, then the window.
#include "cli/CommandLine.h"
#include "cli/DataDirStore.h"
#include "cli/Failure.h"
#include "cli/SessionBus.h"
#include "cli/StandardStreams.h"
#include "cli/WindowArguments.h"
#include "data/ShownText.h"
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

// The window, with the world read from `resources`.
int RunWindow(const IResourceStore& resources, const char* program, const WindowArguments& window) {
    std::string message;
    if (!DisplayAvailable(window.platform, window.display, message)) {
        std::cerr << message << "\n";
        return ExitCode::kNotFound;
    }
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
