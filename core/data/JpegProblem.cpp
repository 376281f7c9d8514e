#include "data/JpegProblem.h"

namespace {

struct ProblemText {
    JpegProblem problem;
    const char* text;
};

constexpr ProblemText kTexts[] = {
    {JpegProblem::Empty, "le fichier de la carte est vide"},
    {JpegProblem::NotJpeg, "ce n'est pas un fichier JPEG"},
    {JpegProblem::HeaderOnly, "le fichier s'arrête avant les données de l'image"},
    {JpegProblem::ZeroSize, "l'image a une largeur ou une hauteur nulle"},
    {JpegProblem::TooLarge, "l'image dépasse 16 384 pixels de côté ou 268 millions de pixels"},
    {JpegProblem::Cmyk, "couleurs d'impression (CMJN) non prises en charge"},
    {JpegProblem::Precision, "échantillons de plus de 8 bits non pris en charge"},
    {JpegProblem::Process, "codage JPEG sans perte ou hiérarchique non pris en charge"},
    {JpegProblem::TooManyScans, "JPEG progressif de plus de 500 passes refusé"},
    {JpegProblem::NoMemory, "mémoire insuffisante pour décoder l'image"},
    {JpegProblem::Damaged, "données JPEG endommagées"},
    {JpegProblem::Truncated, "le fichier s'arrête avant la fin de l'image ; la partie manquante est grise"},
    {JpegProblem::Corrupt, "données JPEG endommagées ; une partie de l'image peut être fausse"},
};

// libjpeg-turbo's messages for the refusals that have a reason of their own.
// Anything else is plain damage.
struct MessageProblem {
    const char* start;
    JpegProblem problem;
};

constexpr MessageProblem kErrors[] = {
    {"Not a JPEG file", JpegProblem::NotJpeg},
    {"JPEG datastream contains no image", JpegProblem::HeaderOnly},
    {"missing SOS marker", JpegProblem::HeaderOnly},
    {"Maximum supported image dimension", JpegProblem::TooLarge},
    {"Empty JPEG image", JpegProblem::ZeroSize},
    {"Unsupported JPEG data precision", JpegProblem::Precision},
    {"Unsupported JPEG process", JpegProblem::Process},
    {"Unsupported color conversion", JpegProblem::Cmyk},
    {"Progressive JPEG image has more than", JpegProblem::TooManyScans},
};

// The starts of libjpeg's warning messages: the decoder goes on after them.
constexpr const char* kWarnings[] = {
    "Corrupt JPEG data",  "Premature end of JPEG file", "Inconsistent progression sequence",
    "Invalid SOS parameters for sequential JPEG", "Unknown Adobe color transform", "Warning:",
};

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

bool IsRefusal(JpegProblem problem) {
    return problem != JpegProblem::None && problem != JpegProblem::Truncated && problem != JpegProblem::Corrupt;
}

std::string JpegProblemText(JpegProblem problem) {
    for (const ProblemText& entry : kTexts)
        if (entry.problem == problem) return entry.text;
    return {};
}

// The decoder's messages may carry a prefix (the function's name), so they
// are searched rather than compared.
JpegProblem ClassifyJpegError(const std::string& message) {
    for (const MessageProblem& entry : kErrors)
        if (Contains(message, entry.start)) return entry.problem;
    return JpegProblem::Damaged;
}

bool IsJpegWarningMessage(const std::string& message) {
    for (const char* start : kWarnings)
        if (Contains(message, start)) return true;
    return false;
}

// The file itself ending early, or its picture data ending at a marker
// before the last row: either way the rest of the picture is missing.
JpegProblem ClassifyJpegWarning(const std::string& message) {
    const bool early =
        Contains(message, "Premature end of JPEG file") || Contains(message, "premature end of data segment");
    return early ? JpegProblem::Truncated : JpegProblem::Corrupt;
}
