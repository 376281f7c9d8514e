#include "CommandLine.h"

#include "../data/ResourceStore.h"
#include "../data/Version.h"

#include <algorithm>
#include <cctype>

namespace {

CommandLineOutcome Done(int exitCode) { return {true, exitCode}; }

CommandLineOutcome Fail(std::ostream& err, const std::string& message) {
    err << "zerim: " << message << "\n";
    return Done(1);
}

bool ParseId(const std::string& text, int& id) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    id = std::stoi(text);
    return id <= 0xFFFF;
}

CommandLineOutcome Dump(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
    if (args.size() != 3) return Fail(err, "--dump attend un type et un numéro, par exemple : zerim --dump RCDATA 133");
    const auto type = ResType::Parse(args[1]);
    if (!type) return Fail(err, "type de ressource inconnu : " + args[1]);
    int id = 0;
    if (!ParseId(args[2], id)) return Fail(err, "numéro de ressource invalide : " + args[2]);
    const auto block = FindResource(*type, id);
    if (!block) return Fail(err, "ressource introuvable : " + ResourceKey(*type, id));
    out.write(reinterpret_cast<const char*>(block->data), std::streamsize(block->size));
    out.flush();
    if (!out) return Fail(err, "écriture impossible sur la sortie standard");
    return Done(0);
}

}  // namespace

std::string HelpText() {
    return std::string("Sarvenhal ") + Version::kDotted +
           " : la carte du monde, ses lieux, ses personnages et ses sorts.\n"
           "\n"
           "Utilisation :\n"
           "  zerim                    ouvre la carte\n"
           "  zerim --version          affiche la version\n"
           "  zerim --help             affiche cette aide\n"
           "  zerim --dump TYPE ID     écrit sur la sortie standard les octets de la\n"
           "                           ressource intégrée TYPE ID, tels quels\n"
           "                           (TYPE : RCDATA, HTML, JPG, BITMAP...)\n"
           "\n"
           "Exemple :\n"
           "  zerim --dump RCDATA 133 > lieux.bin\n";
}

CommandLineOutcome RunCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err) {
    if (args.empty()) return {};
    const std::string& mode = args[0];
    if (mode == "--version" && args.size() == 1) {
        out << "zerim " << Version::kDotted << "\n";
        return Done(0);
    }
    if ((mode == "--help" || mode == "-h") && args.size() == 1) {
        out << HelpText();
        return Done(0);
    }
    if (mode == "--dump") return Dump(args, out, err);
    if (mode.size() > 1 && mode[0] == '-')
        return Fail(err, "option inconnue ou mal employée : " + mode + " (voir zerim --help)");
    return {};
}
