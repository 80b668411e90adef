#include "MoulinContacte.h"

#include "RegistreMoulins.h"

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    const QString& groupe, Statut* statut)
{
    return Moulin_Deja_Contacte(cheminLog, reference, groupeNomme(groupe), statut);
}

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    Groupe groupe, Statut* statut)
{
    MoulinContacte resultat;
    const RegistreMoulins::Premier p =
        RegistreMoulins::cherche(cheminLog, reference, groupe, statut);
    if (p.trouve()) {
        resultat.trouve = true;
        resultat.date = p.date;
        resultat.bande = p.bande;
    }
    return resultat;
}
