// zerim: the map viewer. Window-less modes first, then the window.
#include "cli/CommandLine.h"
#include "cli/DataDirStore.h"
#include "shell/DisplayCheck.h"
#include "shell/QtResourceStore.h"
#include "shell/Snapshot.h"
#include "shell/World.h"
#include "shell/ZerimApp.h"

#include <QApplication>

#include <cstdio>
#include <iostream>
#include <new>

namespace {

// The composition root: the store (the embedded data, with a --data folder
// laid over it), then the world built from it, then the application object
// that shows it. Every mode reads the same store.
int RunZerim(int argc, char** argv) {
    const CQtResourceStore embedded;
    CDataDirStore resources(embedded);

    std::vector<std::string> args(argv + 1, argv + argc);
    if (!ApplyDataOption(args, resources, std::cerr)) return 1;
    if (IsSnapshotRequest(args)) return RunSnapshot(resources, args, argv, std::cerr);
    const CommandLineOutcome outcome = RunCommandLine(args, resources, std::cout, std::cerr);
    if (outcome.handled) return outcome.exitCode;

    std::string message;
    if (!DisplayAvailable(message)) {
        std::cerr << message << "\n";
        return 1;
    }
    InstallFatalHandler();
    QApplication qapp(argc, argv);
    // The desktop entry's id: the window is matched to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.sarvenhal_guild.zerim"));
    CWorld world(resources);
    CZerimApp app(world);
    if (!app.InitInstance()) return 1;
    return qapp.exec();
}

}  // namespace

int main(int argc, char** argv) {
    // Data from a --data folder is bounded, yet memory can still run out
    // (a huge picture, a small machine): end with a message, not an abort.
    try {
        return RunZerim(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("zerim: mémoire insuffisante, le programme s'arrête\n", stderr);
        return 1;
    }
}
