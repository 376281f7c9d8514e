#include "cli/SystemReason.h"

#include <cerrno>
#include <cstring>

std::string SystemReason(int error) {
    switch (error) {
    case ENOSPC: return "disque plein";
    case EDQUOT: return "quota de disque dépassé";
    case EFBIG: return "fichier trop grand pour ce disque ou pour la limite de taille";
    case EACCES:
    case EPERM: return "permission refusée";
    case EROFS: return "disque en lecture seule";
    case ENOENT: return "le fichier ou son dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "c'est un dossier";
    case ENAMETOOLONG: return "nom trop long";
    case ELOOP: return "trop de liens symboliques";
    case ENXIO: return "aucun programme ne lit à l'autre bout";
    case EPIPE: return "le programme qui lisait s'est arrêté";
    case ETIMEDOUT: return "le programme qui lit ne lit plus";
    case EIO: return "erreur d'entrée-sortie";
    case EBADF: return "fichier fermé";
    case EMFILE:
    case ENFILE: return "trop de fichiers ouverts";
    default: return std::strerror(error);
    }
}
