#include "MoulinContacte.h"

#include "LogLine.h"
#include "Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <cstring>

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    const QString& groupe, Statut* statut)
{
    return Moulin_Deja_Contacte(cheminLog, reference, groupeNomme(groupe), statut);
}

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    Groupe groupe, Statut* statut)
{
    MoulinContacte resultat;
    QByteArray contenu;
    const Statut lu = FichierTexte::litTout(cheminLog, &contenu);
    if (statut)
        *statut = lu;
    if (!lu || groupe == Groupe::Aucun)
        return resultat;

    QByteArray referenceDonnee;
    if (!Cp1252::encode1252(reference, &referenceDonnee) ||
        referenceDonnee.size() != LogLine::Reference.largeur)
        return resultat;

    const qsizetype debutRef = LogLine::Reference.debut - 1;
    FichierTexte::pourChaqueLigne(contenu, [&](const char* donnees, qsizetype taille) {
        if (resultat.trouve || taille < debutRef + referenceDonnee.size())
            return;
        if (std::memcmp(donnees + debutRef, referenceDonnee.constData(),
                        size_t(referenceDonnee.size())) != 0)
            return;
        const QString ligne = Cp1252::decode1252(donnees, taille);
        const QString bande = Texte::sansBlancs(LogLine::champ(ligne, LogLine::Bande));
        if (groupeDe(bande) != groupe)
            return;
        resultat.trouve = true;
        resultat.date = LogLine::champ(ligne, LogLine::Date);
        resultat.bande = bande;
    });
    return resultat;
}
