#pragma once

#include "core/log/Groupe.h"
#include "core/log/RegistreMoulins.h"
#include "core/platform/Statut.h"

#include <QByteArrayView>
#include <QString>

// The windmill hunt's statuses of the spots, from the windmills of the log
// (RegistreMoulins, built in one pass over the log file): a spot is marked
// by two look-ups, never by reading the log.
class IndexMoulins {
public:
    // What a spot is for the award.
    enum class Etat {
        SansMoulin,         // the spot gives no windmill
        NouveauMoulin,      // never contacted in the group of its band
        NouveauDepartement, // the same, and no QSO of its department in that group
        DejaContacte,       // contacted in the group of its band
        HorsGroupe          // its band counts for no group (10 MHz, or no band of the log)
    };
    struct Marque {
        Etat etat = Etat::SansMoulin;
        QString texte;                          // the status as the window shows it
        const DefinitionBande* bande = nullptr; // the band of the frequency, if any
    };

    // The empty index: every windmill is new.
    IndexMoulins();

    // The index of the log at that path. A missing log gives the empty
    // index with its Missing status; an unreadable one the empty index too.
    Statut construit(const QString& cheminLog);
    void vide();
    // One stored line of the log, after those already taken.
    void ajouteLigne(QByteArrayView ligne);

    // The mark of a windmill reference (as the log stores it, "77121",
    // "2a003", see ReferenceMoulin::lue; empty for a spot without one)
    // spotted at that frequency. A reference the log holds in another form
    // (a hand-edited "2A003") is not that windmill, as for the entry.
    Marque marque(const QString& reference, qint64 hz) const;

    // A spot the operator still needs: a new windmill or a new department.
    static bool aContacter(Etat etat)
    {
        return etat == Etat::NouveauMoulin || etat == Etat::NouveauDepartement;
    }
    // "Nouveau moulin", "Nouveau département", "Déjà contacté", "Hors groupe";
    // empty for a spot without a windmill.
    static QString nom(Etat etat);

    qsizetype nombreReferences() const { return m_registre.nombreReferences(); }

private:
    RegistreMoulins m_registre;
};
