#include "cli/CommandLine.h"

#include "cli/DataDirStore.h"
#include "cli/DataModes.h"
#include "cli/Failure.h"
#include "cli/LinkCommand.h"
#include "cli/LinkModes.h"
#include "cli/NotesModes.h"
#include "cli/RouteMode.h"
#include "cli/SearchMode.h"
#include "cli/ShoppingMode.h"
#include "notes/NoteStore.h"
#include "cli/StandardStreams.h"
#include "cli/WindowArguments.h"

#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/Version.h"
#include "data/WholeNumber.h"

#include <algorithm>

namespace {

CommandLineOutcome Done(int exitCode) { return {true, exitCode}; }

CommandLineOutcome Failed(std::ostream& err, const std::string& message) { return Done(Fail(err, message)); }

CommandLineOutcome Misused(std::ostream& err, const std::string& message) { return Done(Misuse(err, message)); }

// Every mode that prints ends here: output that never reached its file (on
// a full disk, say) is a failure, whatever the mode found.
CommandLineOutcome Flushed(std::ostream& out, std::ostream& err, int exitCode) {
    out.flush();
    if (!out) return Failed(err, StandardOutputFailure());
    return Done(exitCode);
}

// A resource id: 1 to 5 digits, at most 65535.
bool ParseId(const std::string& text, int& id) {
    const auto number = ParseWholeNumber(text, Minus::Refused, 5);
    if (!number || *number > 0xFFFF) return false;
    id = int(*number);
    return true;
}

// A number, a standard type, or a named type the program embeds.
bool IsProgramType(const ResType& type) {
    const std::string name = type.Name();
    const bool named = type == ResType::Named(name);
    return !named || name == ResId::RT_JPG || name == ResId::RT_FIRSTLOOK;
}

CommandLineOutcome Dump(const std::vector<std::string>& args, const IResourceStore& store,
                        std::ostream& out, std::ostream& err) {
    if (args.size() != 3) return Misused(err, "--dump attend un type et un numéro, par exemple : zerim --dump RCDATA 133");
    const auto type = ResType::Parse(args[1]);
    if (!type || !IsProgramType(*type))
        return Misused(err, "type de ressource inconnu : " + args[1] + " (RCDATA, HTML, JPG, BITMAP... ou un numéro)");
    int id = 0;
    if (!ParseId(args[2], id)) return Misused(err, "numéro de ressource invalide : " + args[2]);
    const auto block = store.Find(*type, id);
    if (!block) return Failed(err, "ressource introuvable : " + ResourceKey(*type, id));
    out.write(reinterpret_cast<const char*>(block->data), std::streamsize(block->size));
    return Flushed(out, err, 0);
}

// The one search, with the player's notes where the window keeps them.
int PrintSearch(const IResourceStore& store, const std::string& text, std::ostream& out, std::ostream& err) {
    return PrintSearchHits(store, NotesDatabasePath(), text, out, err);
}

// The modes that take exactly one text.
using TextMode = int (*)(const IResourceStore&, const std::string&, std::ostream&, std::ostream&);

struct NamedTextMode {
    const char* option;
    TextMode run;
    const char* example;
};

constexpr NamedTextMode kTextModes[] = {
    {"--find", PrintFoundPlaces, "zerim --find holm"},
    {"--page", PrintCharacterPage, "zerim --page '#0'"},
    {"--vendors", PrintSpellVendors, "zerim --vendors 'Trait de foudre'"},
    {"--who", PrintWhoIsAt, "zerim --who Tessanta"},
    {"--list", PrintTableNames, "zerim --list places"},
    {"--search", PrintSearch, "zerim --search 'trait foudre'"},
};

CommandLineOutcome RunTextMode(const NamedTextMode& mode, const std::vector<std::string>& args,
                               const IResourceStore& store, std::ostream& out, std::ostream& err) {
    if (args.size() != 2)
        return Misused(err, std::string(mode.option) + " attend un seul texte, par exemple : " + mode.example);
    const int code = mode.run(store, args[1], out, err);
    return Flushed(out, err, code);
}

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h"; }

// "--help" with other words: which words, so that the user knows what was
// not done. Empty when help is not asked for beside anything.
std::string HelpBesideAMode(const std::vector<std::string>& args) {
    const auto help = std::find_if(args.begin(), args.end(), IsHelp);
    if (help == args.end() || args.size() == 1) return {};
    const auto mode = std::find_if(args.begin(), args.end(), [](const std::string& word) {
        return !IsHelp(word) && word.rfind("--", 0) == 0 && word.size() > 2;
    });
    const std::string other = mode != args.end() ? *mode : "un fichier ou une option de la fenêtre";
    return *help + " et " + other + " ne vont pas ensemble : zerim " + *help + " seul montre l'aide";
}

}  // namespace

bool ApplyDataOption(std::vector<std::string>& args, CDataDirStore& store, std::ostream& err) {
    std::vector<std::string> rest;
    std::vector<std::string> dirs;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--data") {
            rest.push_back(args[i]);
        } else if (i + 1 < args.size() && !args[i + 1].empty()) {
            dirs.push_back(args[++i]);
        } else {
            Complain(err, "--data attend un dossier, par exemple : zerim --data mon-monde --find holm");
            return false;
        }
    }
    if (dirs.size() > 1) {
        Complain(err, "--data est donné deux fois");
        return false;
    }
    args = std::move(rest);
    if (dirs.empty()) return true;
    std::string error;
    if (!store.LoadDirectory(dirs[0], error)) {
        Complain(err, error);
        return false;
    }
    // Not an error (the embedded data serve), but most likely not meant.
    if (store.Count() == 0)
        Complain(err, "aucun fichier TYPE_ID dans " + dirs[0] + " ; les données intégrées servent");
    return true;
}

std::string HelpText() {
    return std::string("Sarvenhal ") + Version::kDotted +
           " : la carte du monde, ses lieux, ses NPCs et ses sorts.\n"
           "\n"
           "Utilisation :\n"
           "  zerim [OPTIONS DE QT] [LIEN] [--] [FICHIER]\n"
           "                           ouvre la carte ; FICHIER, s'il est donné, doit\n"
           "                           pouvoir être ouvert (sinon zerim le dit et\n"
           "                           s'arrête) ; les options standard de Qt sont\n"
           "                           admises : -style fusion, -platform offscreen,\n"
           "                           -geometry 800x600+0+0, -reverse... ; LIEN\n"
           "                           (zerim:...) ouvre la carte là où il mène, dans\n"
           "                           la fenêtre déjà ouverte s'il y en a une\n"
           "  zerim --version          affiche la version\n"
           "  zerim --help             affiche cette aide\n"
           "  zerim --dump TYPE ID     écrit sur la sortie standard les octets de la\n"
           "                           ressource intégrée TYPE ID, tels quels\n"
           "                           (TYPE : RCDATA, HTML, JPG, BITMAP...)\n"
           "  zerim --find TEXTE       les lieux dont le nom contient TEXTE (sans\n"
           "                           égard à la casse), dans l'ordre de la table :\n"
           "                           nom, x, y et niveau, séparés par des tabulations\n"
           "  zerim --page NOM         la page HTML du NPC NOM (sans égard à\n"
           "  zerim --page '#N'        la casse) ou du NPC numéro N (depuis 0)\n"
           "  zerim --vendors SORT     les vendeurs qui vendent SORT : vendeur,\n"
           "                           localisation ; SORT est le nom exact, sinon le\n"
           "                           premier sort au même nom aux majuscules et aux\n"
           "                           accents près\n"
           "  zerim --who LIEU         qui trouver à LIEU (nom entier, sans égard à la\n"
           "                           casse), comme sa fiche : « npc NOM » pour\n"
           "                           chaque NPC dont la page y mène, puis\n"
           "                           « vendeur NOM LOCALISATION » pour chaque\n"
           "                           vendeur qui s'y tient, séparés par des tabulations\n"
           "  zerim --link GENRE NOM   le lien zerim: du lieu, du NPC ou du sort NOM\n"
           "                           (GENRE : place, character ou spell ; nom exact,\n"
           "                           sinon sans égard à la casse) ; voir Liens\n"
           "  zerim --list TABLE       chaque nom de TABLE (places, characters, spells,\n"
           "                           effects ou vendors), un par ligne, dans l'ordre\n"
           "  zerim --list kinds       chaque type de lieu présent : code, clé, nom et\n"
           "                           nombre de lieux, séparés par des tabulations\n"
           "  zerim --search TEXTE     la recherche unique : lieux, NPCs, sorts, effets,\n"
           "                           marchands (par nom et par localisation) et vos\n"
           "                           notes dont le nom répond à TEXTE, sans égard à la\n"
           "                           casse ni aux accents, les mots dans n'importe quel\n"
           "                           ordre, chacun le début d'un mot du nom, une faute\n"
           "                           de frappe pardonnée dans les mots de 5 lettres ou\n"
           "                           plus ; un par ligne : genre, nom, où (position,\n"
           "                           lieu, effet, nombre de sorts, localisation),\n"
           "                           séparés par des tabulations ; classés : nom exact,\n"
           "                           début du nom, débuts de mots, morceaux de mots,\n"
           "                           une faute ; puis lieux, NPCs, sorts, effets,\n"
           "                           marchands, notes ; puis par ordre alphabétique.\n"
           "                           Filtres en tête de TEXTE : lieu:, perso:, sort:,\n"
           "                           effet:, marchand:, note: (ce genre seul) ;\n"
           "                           type:CLÉ les lieux de ce type (type:port holm ;\n"
           "                           clés : zerim --list kinds)\n"
           "  zerim --route DE A       le chemin de DE à A par les routes : une ligne\n"
           "                           par étape (de, à, rang de route ou hors route,\n"
           "                           lieues), puis le total (lieues, à pied, à\n"
           "                           cheval), séparés par des tabulations ; un lieu\n"
           "                           est le premier de ce nom exact, sinon sans égard\n"
           "                           à la casse ; sans table des routes, la ligne\n"
           "                           droite en unités de la carte\n"
           "  zerim --shopping SORT... [--from LIEU]\n"
           "                           où acheter ces sorts : le moins de marchands\n"
           "                           possible, dans l'ordre du trajet le plus court\n"
           "                           par les routes depuis LIEU (sinon depuis le\n"
           "                           premier) ; une ligne par arrêt (numéro,\n"
           "                           marchand, localisation, lieu ou « lieu\n"
           "                           inconnu », sorts, lieues depuis l'arrêt\n"
           "                           précédent), puis les sorts que personne ne\n"
           "                           vend, le total et la précision (exact jusqu'à\n"
           "                           30 sorts et 10 arrêts), séparés par des\n"
           "                           tabulations\n"
           "  zerim --notes-list       vos notes, une par ligne : lieu ou épingle, nom,\n"
           "                           x, y, marques (visité, favori) ou couleur, note\n"
           "                           (sauts de ligne écrits \\n), séparés par des\n"
           "                           tabulations\n"
           "  zerim --notes-export FICHIER\n"
           "                           enregistre vos notes en JSON dans FICHIER (en\n"
           "                           GeoJSON s'il finit par .geojson ; - : la sortie\n"
           "                           standard)\n"
           "  zerim --notes-import FICHIER [--replace]\n"
           "                           ajoute à vos notes celles de FICHIER (JSON), la\n"
           "                           modification la plus récente de chacune\n"
           "                           l'emportant ; avec --replace, les remplace après\n"
           "                           une sauvegarde\n"
           "  zerim --snapshot IMAGE [--size LxH] [--zoom Z] [--center X,Y]\n"
           "                           [--find TEXTE] [--level N] [--centred]\n"
           "                           enregistre dans IMAGE ce que montre la carte dans\n"
           "                           une fenêtre de LxH (1024x768), au zoom Z (20),\n"
           "                           centrée sur X,Y (coordonnées du monde ; sinon\n"
           "                           le coin haut gauche), après la recherche TEXTE\n"
           "                           et au niveau de détail N (0 à 5) ; sans écran ;\n"
           "                           le format suit l'extension de IMAGE (.png, .jpg,\n"
           "                           .jpeg, .bmp, .webp si Qt sait l'écrire) ; avec\n"
           "                           IMAGE = -, du PNG sur la sortie standard\n"
           "                           [--palette adapted|usual] [--declutter]\n"
           "                           avec --palette adapted, les couleurs que chacun\n"
           "                           distingue et un anneau autour des lieux trouvés\n"
           "                           (Affichage > Couleurs adaptées) ; avec\n"
           "                           --declutter, des noms qui ne se cachent pas\n"
           "                           (Affichage > Étiquettes sans chevauchement)\n"
           "                           --centred : une carte plus petite que l'image y\n"
           "                           est centrée sur un fond gris (Carte centrée)\n"
           "    --symbols              un symbole par type de lieu au lieu des carrés\n"
           "    --kinds CLÉ,CLÉ        seuls les lieux de ces types (voir --list kinds)\n"
           "                           et les lieux trouvés\n"
           "\n"
           "Option :\n"
           "  --data DOSSIER           chaque fichier TYPE_ID de DOSSIER (RCDATA_133,\n"
           "                           JPG_131...) remplace la ressource intégrée, pour\n"
           "                           la fenêtre et pour chaque mode ; zerim-tables\n"
           "                           SOURCES DOSSIER compile les tables texte\n"
           "\n"
           "Liens :\n"
           "  zerim:place/NOM[?zoom=N] un lieu (au zoom N, en %, de 10 à 1600)\n"
           "  zerim:place/NOM?nth=K    le K-ième lieu (depuis 1) de ce nom exact\n"
           "  zerim:character/NOM      la page d'un NPC\n"
           "  zerim:spell/NOM          un sort et ses vendeurs\n"
           "  zerim:view?x=X&y=Y[&zoom=N]\n"
           "                           la vue centrée sur X,Y (coordonnées du monde)\n"
           "                           NOM est en UTF-8, chaque octet hors A-Z a-z 0-9\n"
           "                           - . _ ~ écrit %XX ; un nom inconnu est cherché\n"
           "                           dans la carte\n"
           "\n"
           "Dans la fenêtre :\n"
           "  Ctrl++, + du pavé        zoom avant ; Ctrl+-, - du pavé : zoom arrière\n"
           "  Ctrl+0                   taille réelle (100 %)\n"
           "  Ctrl+9                   toute la carte dans la fenêtre\n"
           "  Début, Fin               coin haut gauche, coin bas droit de la carte\n"
           "  Ctrl+F                   champ des lieux (Entrée y lance la recherche)\n"
           "  Ctrl+Maj+N, Ctrl+Maj+S   recherche de NPCs, de sorts\n"
           "  Ctrl+I                   fiche du lieu survolé, sinon du seul lieu trouvé\n"
           "  Ctrl+C                   copie le lieu survolé, sinon les lieux trouvés\n"
           "                           (nom, x, y séparés par des tabulations)\n"
           "  Ctrl+Maj+C               copie le lien du lieu survolé, sinon du seul\n"
           "                           lieu trouvé, sinon de la vue ; dans les\n"
           "                           chercheurs et la fiche, de ce qu'ils montrent\n"
           "  Ctrl+E                   enregistre la vue dans une image PNG ou JPEG\n"
           "  Ctrl+P                   imprime la vue (ou l'écrit en PDF)\n"
           "  Ctrl+Q                   quitte\n"
           "  clic gauche, clic droit  zoom avant, arrière autour du point cliqué ;\n"
           "                           glisser : zoom sur le rectangle\n"
           "  molette                  une ligne vers le haut ou le bas ; avec Maj, ou\n"
           "                           molette horizontale : vers la gauche ou la droite\n"
           "  Ctrl+molette             zoom autour du pointeur\n"
           "  bouton du milieu         glisser déplace la carte\n"
           "  Ctrl+M, Ctrl+D           marque le lieu survolé (sinon le seul lieu trouvé)\n"
           "                           comme visité, comme favori ; F2 : sa note\n"
           "  Ctrl+Maj+E               pose une épingle sous le pointeur\n"
           "  Ctrl+Z, Ctrl+Maj+Z       annule, rétablit la dernière modification des notes\n"
           "  Ctrl+H                   masque les lieux visités ; F9 : panneau des notes\n"
           "  Ctrl+Maj+A               couleurs adaptées à toutes les visions\n"
           "  Ctrl+Maj+L               étiquettes sans chevauchement\n"
           "  Ctrl+Maj+V               vue d'ensemble : toute la carte, le cadre de la vue\n"
           "  Menu, Maj+F10,           menu des notes au pointeur (épingle, lieu)\n"
           "  Ctrl+clic droit\n"
           "  Ctrl+glisser une épingle la déplace\n"
           "\n"
           "Exemples :\n"
           "  zerim --dump RCDATA 133 > lieux.bin\n"
           "  zerim --find holm\n"
           "  zerim --page '#0' > npc.html\n"
           "  zerim --vendors 'Trait de foudre'\n"
           "  zerim --who Tessanta\n"
           "  zerim --list spells\n"
           "  zerim --search 'trait foudre'\n"
           "  zerim --search 'lieu: holm'\n"
           "  zerim --link spell 'Trait de foudre'\n"
           "  zerim --route Tessanta Dar-Bekesh\n"
           "  zerim --shopping 'Griffe de bile' 'Songe du bateleur' --from Tessanta\n"
           "  zerim 'zerim:place/Tessanta?zoom=100'\n"
           "  zerim --notes-export mes-notes.json\n"
           "  zerim --snapshot carte.png --size 800x600 --zoom 50 --find holm\n"
           "  zerim-tables res/ mon-monde/ && zerim --data mon-monde/\n"
           "\n"
           "Codes de sortie (message sur la sortie d'erreur sauf pour 0) :\n"
           "  0  succès\n"
           "  1  rien trouvé ou nom inconnu (lieu, NPC, sort, ressource),\n"
           "     données endommagées, écriture impossible, pas d'affichage graphique\n"
           "  2  mauvais usage (option inconnue, valeur invalide, argument manquant)\n"
           "     ou entrée illisible (dossier --data, FICHIER qui ne s'ouvre pas)\n";
}

CommandLineOutcome RunCommandLine(const std::vector<std::string>& args, const IResourceStore& store,
                                  std::ostream& out, std::ostream& err) {
    if (args.empty()) return {};
    const std::string& mode = args[0];
    if (mode == "--version" && args.size() == 1) {
        out << "zerim " << Version::kDotted << "\n";
        return Flushed(out, err, 0);
    }
    if ((mode == "--help" || mode == "-h") && args.size() == 1) {
        out << HelpText();
        return Flushed(out, err, 0);
    }
    if (const std::string clash = HelpBesideAMode(args); !clash.empty()) return Misused(err, clash);
    if (mode == "--dump") return Dump(args, store, out, err);
    if (mode == "--link") return Flushed(out, err, PrintLinkOf(args, store, out, err));
    if (mode == "--route") return Flushed(out, err, PrintRoute(args, store, out, err));
    if (mode == "--shopping") return Flushed(out, err, PrintShopping(args, store, out, err));
    if (IsNotesMode(args)) return Flushed(out, err, RunNotesMode(args, NotesDatabasePath(), store, out, err));
    for (const NamedTextMode& textMode : kTextModes)
        if (mode == textMode.option) return RunTextMode(textMode, args, store, out, err);
    // Anything else opens the window, with Qt's options and a file.
    std::string error;
    if (!ParseWindowArguments(args, error)) return Misused(err, error);
    return {};
}
