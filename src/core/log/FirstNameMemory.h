#pragma once

#include "core/platform/FichierTexte.h"
#include "core/platform/Statut.h"

#include <QString>
#include <QStringList>

// "Liste_Prenom.txt": for each correspondent, the department and first name
// of the last QSO saved with that callsign. One file for every station. A
// missing file is an empty memory; the first save creates it.
class FirstNameMemory {
public:
    static inline const QString nomFichier = QStringLiteral("Liste_Prenom.txt");

    explicit FirstNameMemory(const QString& dossier);
    QString chemin() const;

    struct Trouve {
        bool trouve = false;
        QString departement; // columns 14-15 as stored, empty when blank
        QString prenom;      // from column 17, in upper case
    };

    // Looks up the callsign (exact, case counts); the last line that matches wins.
    Trouve Cherche_Prenom(const QString& indicatif, Statut* statut = nullptr) const;

    // Every line of the same callsign (first 12 characters) becomes the new
    // line; appended when there is none. Written through "Temporaire.txt".
    Statut Memorise_Prenom(const QString& ligne);
    // The same for many lines in one rewrite, as if each was remembered in
    // turn: of several lines of one callsign the last one stays.
    Statut memorisePrenoms(const QStringList& nouvelles);
    // The same with the lines already in the file's code page, each ended by
    // CR LF (an import of many QSOs keeps them so). The lines of the memory
    // are kept byte for byte, and only where each stands is remembered.
    // refus, when failed, is the reason the lines cannot be written: it is
    // given once the memory could be read, and nothing is written.
    Statut memoriseLignes(const QByteArray& nouvelles, const Statut& refus = Statut::valide());
    // The flush of the folder after the rewrite is left to the caller (see
    // FichierTexte::Synchronisation).
    void synchronisationDossier(FichierTexte::Synchronisation synchronisation)
    {
        m_synchronisation = synchronisation;
    }

    // The first name the log keeps of a name from elsewhere (an ADIF file, an
    // online callbook): control characters as blanks, the letters the log
    // lacks as their base letter, the first word of a whole name (hyphens
    // kept) when it is longer than the field, cut to the field, in upper
    // case. Empty, with *codable false, when the log still cannot hold it.
    static QString prenomDe(const QString& nom, bool* codable = nullptr);

    // callsign padded to 13, department padded to 3, first name.
    static QString formeLigne(const QString& indicatif, const QString& departement,
                              const QString& prenom);

private:
    QString m_dossier;
    FichierTexte::Synchronisation m_synchronisation = FichierTexte::Synchronisation::Immediate;
};
