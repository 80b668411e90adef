#include "ErreurRadio.h"

#include <cstdlib>

bool ErreurRadio::estRefus(int code)
{
    switch (std::abs(code)) {
    case Invalide:
    case NonFait:
    case Rejetee:
    case Tronquee:
    case NonDisponible:
    case VfoNonCible:
    case Argument:
    case Vfo:
    case Domaine:
    case Perimee:
        return true;
    default:
        return false;
    }
}

QString ErreurRadio::raison(int code)
{
    switch (std::abs(code)) {
    case Delai:
        return QStringLiteral("pas de réponse");
    case EntreeSortie:
        return QStringLiteral("erreur de communication avec la radio");
    case Configuration:
        return QStringLiteral("réglages refusés par hamlib");
    case Memoire:
        return QStringLiteral("mémoire insuffisante");
    case Protocole:
        return QStringLiteral("réponse incomprise de la radio");
    case Eteinte:
        return QStringLiteral("radio éteinte");
    case Bus:
    case BusOccupe:
        return QStringLiteral("erreur sur le bus de la radio");
    case Invalide:
    case Argument:
        return QStringLiteral("valeur refusée");
    case NonFait:
    case NonDisponible:
    case Perimee:
        return QStringLiteral("commande non disponible sur ce modèle");
    case Rejetee:
        return QStringLiteral("commande rejetée par la radio");
    case VfoNonCible:
    case Vfo:
        return QStringLiteral("VFO non disponible");
    case Domaine:
        return QStringLiteral("valeur hors des limites de la radio");
    default:
        return QStringLiteral("erreur %1 de la radio").arg(std::abs(code));
    }
}
