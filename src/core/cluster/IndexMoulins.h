#pragma once

#include "core/log/Groupe.h"
#include "core/platform/Statut.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <array>
#include <bitset>

// What the log of the station holds for the windmill hunt: for each band
// group, the first QSO (file order) of each windmill reference, with its date
// and band, and the departments contacted. Built in one pass over the log
// file; a spot is then marked by two look-ups, never by reading the log.
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
    // "2a003"; empty for a spot without one) spotted at that frequency.
    Marque marque(const QString& reference, qint64 hz) const;

    // A spot the operator still needs: a new windmill or a new department.
    static bool aContacter(Etat etat)
    {
        return etat == Etat::NouveauMoulin || etat == Etat::NouveauDepartement;
    }
    // "Nouveau moulin", "Nouveau département", "Déjà contacté", "Hors groupe";
    // empty for a spot without a windmill.
    static QString nom(Etat etat);

    qsizetype nombreReferences() const { return m_premiers.size(); }

private:
    // The first QSO of a reference in a group: its date as stored and its
    // band's place in the band table.
    struct Premier {
        std::array<char, 8> date{};
        qint8 bande = -1;
    };

    static int indexGroupe(Groupe groupe);
    // The key of a reference in a group; -1 when the text is no reference.
    static int cle(int groupe, QByteArrayView reference);

    QHash<int, Premier> m_premiers;
    std::array<std::bitset<100>, 3> m_departements;
};
