#include "data/StringTable.h"

#include "data/ResourceIds.h"

namespace {

struct Entry {
    int id;
    const char* text;  // UTF-8
};

constexpr Entry kStrings[] = {
    {ResId::IDR_MAINFRAME, "Zerim\n\nZerim\n\n\nZerim.Document\nZerim Document"},
    {ResId::ID_ZOOM_IN, "Augmente le niveau de zoom"},
    {ResId::ID_ZOOM_OUT, "Diminue le niveau de zoom"},
    {ResId::ID_NPC_SEARCH, "Recherche de NPC"},
    {ResId::ID_SPELL_SEARCH, "Recherche de Sorts"},
    {ResId::AFX_IDS_APP_TITLE, "Zerim"},
    {ResId::AFX_IDS_IDLEMESSAGE, "Prêt"},
    {ResId::ID_APP_ABOUT,
     "Affiche des informations sur le programme, le numéro de version et le copyright\nA propos de"},
    {ResId::ID_APP_EXIT, "Ferme l'application ; propose d'enregistrer les documents\nQuitter"},
    {ResId::ID_INDICATOR_EXT, "EXT"},
    {ResId::ID_INDICATOR_CAPS, "MAJ"},
    {ResId::ID_INDICATOR_NUM, "NUM"},
    {ResId::ID_INDICATOR_SCRL, "DEF"},
    {ResId::ID_INDICATOR_OVR, "ECR"},
    {ResId::ID_INDICATOR_REC, "ENR"},
    {ResId::ID_VIEW_TOOLBAR, "Affiche ou masque la barre d'outils\nBarre d'outils"},
    {ResId::ID_VIEW_STATUS_BAR, "Affiche ou masque la barre d'état\nBarre d'état"},
    {ResId::IDS_PRODUCT_TITLE, "Sarvenhal."},
    {ResId::IDS_ZOOM_SUFFIX, " (Zoom %d%%)"},
};

const Entry* Find(int id) {
    for (const Entry& e : kStrings)
        if (e.id == id) return &e;
    return nullptr;
}

}  // namespace

std::string LoadString(int id) {
    const Entry* e = Find(id);
    return e ? e->text : std::string();
}

bool HasString(int id) { return Find(id) != nullptr; }

std::string PromptOf(int id) {
    const std::string text = LoadString(id);
    return text.substr(0, text.find('\n'));
}
