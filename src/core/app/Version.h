#pragma once

#include "core/platform/FichierTexte.h"

#include <QString>

// The version of the program, as shown in the caption and stored in the
// settings ("Revision"), and the history of its versions.
namespace Version {

inline const QString Texte = QStringLiteral(" 1.0.2");

inline QString texteHistorique()
{
    const QString fin = FichierTexte::finLigne;
    return QStringLiteral("V1.0.0   le 20/06/2008 creation") + fin +
           QStringLiteral("V1.0.1   le 14/12/2008 Ajout QSL's non reçues") + fin +
           QStringLiteral("V1.0.2   le 03/12/2014 Sauvegarde ADIF utilisant <STATE>, <SIG> et "
                          "<SIG_INFO>") +
           fin;
}

} // namespace Version
