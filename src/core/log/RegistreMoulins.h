#pragma once

#include "Groupe.h"
#include "ReferenceMoulin.h"
#include "core/platform/Statut.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <bitset>
#include <vector>

// The windmills of the log: for each band group, the first QSO of each
// windmill reference (in the order the lines are given: the log's, then the
// lines added after it), with its date and band, and the departments
// contacted. Built in one pass over the log; then each question is one
// look-up. The entry's warning, the import's rule and the windmill hunt's
// statuses all ask it, so that they always agree.
//
// A reference is compared as the log stores it, byte for byte (columns
// 35-39, case and blanks count): a text from elsewhere is first brought to
// that form (ReferenceMoulin::lue). A QSO whose band is in no group counts
// for nothing.
class RegistreMoulins {
public:
    RegistreMoulins();

    struct Premier {
        qsizetype ligne = -1; // its place among the lines given, from 0
        QString date;         // JJ/MM/AA as stored (columns 41-48)
        QString bande;        // the band label, without its blanks
        bool trouve() const { return ligne >= 0; }
    };

    // The registre of the log at that path (from its first line to its
    // last). A missing or unreadable log leaves it empty, with the status
    // that says so.
    Statut construit(const QString& cheminLog);
    void vide();
    // The next stored line (without its line end).
    void ajouteLigne(QByteArrayView ligne);
    qsizetype nombreLignes() const { return m_lignes; }
    qsizetype nombreReferences() const { return qsizetype(m_entrees.size()); }

    // The first QSO with this reference (as stored) in the group; none for
    // Aucun or a text that no stored line can hold.
    Premier premier(QStringView reference, Groupe groupe) const;
    // Whether a QSO of the group has the department of that number
    // (ReferenceMoulin::numeroDepartement of the stored department).
    bool departementContacte(Groupe groupe, int numero) const;

    // The first line of the log at that path with this reference in the
    // group, read up to it: what the entry asks for each reference typed.
    static Premier cherche(const QString& cheminLog, QStringView reference, Groupe groupe,
                           Statut* statut = nullptr);

private:
    struct Entree {
        qint32 ligne = -1;
        std::array<char, 8> date{}; // as stored: tailleDate bytes
        qint8 tailleDate = 0;
        qint8 bande = -1; // its place in the band table
    };
    // Where a reference of a group is kept: a reference in the stored form
    // ("77121", "2a003") has a place of its own among all the references a
    // group may hold; any other five bytes (a hand-edited "2A003") a key.
    struct Cle {
        qint64 valeur = -1;
        bool place = false;
        bool valide() const { return valeur >= 0; }
    };
    static Cle cle(QByteArrayView reference, int groupe);
    static Cle cle(QStringView reference, Groupe groupe);
    // The line's place in the band table (-1: a band of no group) and key.
    static Cle cleLigne(QByteArrayView ligne, int* bande);
    static Entree entreeDe(QByteArrayView ligne, qsizetype numero, int bande);
    static Premier premierDe(const Entree& e);
    const Entree* trouve(Cle c) const;

    std::vector<qint32> m_places; // the entry of each place; -1: none
    QHash<qint64, qint32> m_autres;
    std::vector<Entree> m_entrees;
    std::array<std::bitset<ReferenceMoulin::numeros>, 3> m_departements;
    qsizetype m_lignes = 0;
};
