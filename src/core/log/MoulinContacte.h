#pragma once

#include "Groupe.h"
#include "core/platform/Statut.h"

#include <QString>

// Whether a windmill was already contacted in a band group: what the entry
// asks the log for each reference typed.
struct MoulinContacte {
    bool trouve = false;
    QString date;  // JJ/MM/AA as stored
    QString bande; // the band label, trimmed
};

// The first QSO of the log (file order) with this reference in this group;
// none for Aucun.
MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    Groupe groupe, Statut* statut = nullptr);
// The same with the group by its name.
MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    const QString& groupe, Statut* statut = nullptr);
