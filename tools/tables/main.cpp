// zerim-tables SOURCES DOSSIER: compiles the text sources of the embedded
// tables into the binary blocks that zerim embeds (or reads with --data).
// Exit codes as zerim's: 0 done, 1 a source or the output failed, 2 bad usage.
#include "TableCompiler.h"
#include "TableOutput.h"

#include "data/Version.h"

#include <iostream>
#include <new>
#include <string>

namespace {

const char kHelp[] =
    "Utilisation : zerim-tables SOURCES DOSSIER\n"
    "  compile places.tsv, characters.tsv (et characters-tail.tsv), effects.tsv,\n"
    "  spells.tsv, vendors.tsv, locations.tsv et roads.tsv (avec scale.tsv) de\n"
    "  SOURCES en DOSSIER/RCDATA_<n>,\n"
    "  que zerim --data DOSSIER lit à la place des tables intégrées ; tout est\n"
    "  écrit ou rien ne change.\n"
    "  zerim-tables --help      affiche cette aide\n"
    "  zerim-tables --version   affiche la version\n"
    "\n"
    "Codes de sortie : 0 succès ; 1 une source fautive (fichier:ligne: raison)\n"
    "ou une écriture impossible ; 2 mauvais usage.\n";

int Misuse(const std::string& message) {
    std::cerr << "zerim-tables: " << message << " (voir zerim-tables --help)\n";
    return 2;
}

int Compile(const std::string& sources, const std::string& outDir) {
    // Every table is compiled before anything is written, and written
    // all together or not at all.
    const auto tables = CompileDirectory(sources);
    std::string error;
    if (WriteTables(outDir, tables, error)) return 0;
    std::cerr << "zerim-tables: " << error << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && (first == "--help" || first == "-h")) return std::cout << kHelp << std::flush ? 0 : 1;
    if (argc == 2 && first == "--version")
        return std::cout << "zerim-tables " << Version::kDotted << std::endl ? 0 : 1;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-' && argv[i][1] != '\0') return Misuse(std::string("option inconnue : ") + argv[i]);
    if (argc != 3) return Misuse("deux dossiers attendus, SOURCES et DOSSIER");
    try {
        return Compile(argv[1], argv[2]);
    } catch (const std::bad_alloc&) {
        std::cerr << "zerim-tables: mémoire insuffisante\n";
    } catch (const std::exception& e) {
        std::cerr << "zerim-tables: " << e.what() << "\n";
    }
    return 1;
}
