#pragma once

#include "Affichage.h"
#include "NomsFichiers.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Statut.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class Horloge;

// The log of one station: callsign + "_KZT.log" in the program folder, one
// QSO a line. Every change rewrites the whole file through a work file and
// replaces the log in one step, so that the log on disk is at every moment
// complete, either as it was or as it becomes. A failure leaves the log as it
// was and says why, in French. A change holds the lock of the program folder
// from the reading of the log to its replacement, so that two programs
// working on the folder never lose each other's QSOs, and the first change
// of each day is preceded by a copy of the log in "Sauvegardes" (a failed
// copy does not stop the change, see Sauvegardes::echecsASignaler).
class StationLog {
public:
    static inline const QString nomModele = NomsFichiers::modele;
    static inline const QString fichierTravail = NomsFichiers::travail;
    static inline const QString fichierTravailChrono = NomsFichiers::travailChrono;

    // The clock gives the day of the backups; the system's when none is given.
    StationLog(const QString& dossier, const QString& indicatif, const Horloge* horloge = nullptr);

    static QString nomFichier(const QString& indicatif) { return NomsFichiers::log(indicatif); }
    // A station callsign: 1 to 12 characters, each A-Z, 0-9 or "_". No file
    // is named after anything else.
    static bool indicatifValide(const QString& indicatif);
    QString chemin() const;
    const QString& dossier() const { return m_dossier; }
    const QString& indicatif() const { return m_indicatif; }

    // Creates the log of a new station from the template "FXXXX.txt". A file
    // of that name that already exists is never replaced: the result is then
    // Failed and nothing is written.
    static Statut Cree_Log(const QString& dossier, const QString& indicatif);

    struct Lignes {
        Statut statut;                // Missing when the log file does not exist
        Affichage::Journal affichage; // display lines, numbered from 1
        qsizetype total = 0;          // lines in the file
        bool tronque() const { return total > affichage.size(); }
    };
    // Reads the log into display lines: at most Affichage::numeroMaxi of them.
    Lignes Charge_Log() const;
    // The bytes of the log as they are, with the same failures as a change
    // (a missing log is Failed, with a message that says so).
    Statut litOctets(QByteArray* octets) const;

    // The flush of the folder after a change is left to the caller, who
    // renames another file of the folder right after it (see
    // FichierTexte::Synchronisation).
    void synchronisationDossier(FichierTexte::Synchronisation synchronisation)
    {
        m_synchronisation = synchronisation;
    }

    // New line at the place given by its leading number (see Cle).
    Statut Enregistre_QSO(const QString& nouvelle);
    // New line in date and time order, before the first QSO at the same moment or later.
    Statut Insere_QSO_Chrono(const QString& nouvelle);
    // Every line equal to the old one becomes the new one; appended when none is.
    Statut Remplace_QSO(const QString& nouvelle, const QString& ancienne);
    // Every line equal to the given one is removed.
    Statut Supprime_QSO(const QString& ligne);

    struct Fusion {
        qsizetype ajoutees = 0;
        // The given lines left out, by their index in the list given.
        std::vector<qsizetype> doublons;
    };
    // The new lines in date and time order among the QSOs of the log, in one
    // rewrite: each goes before the first QSO of the log at the same moment
    // or later, the new lines of one place in date order and, at the same
    // moment, in the order given. A line that holds a QSO already in the log
    // or given before it (same callsign, date, time and band) is left out.
    // A copy of the log as it is comes first (sauvegardeMaintenant), so
    // that the whole change can be undone; when it fails nothing is written.
    // Nothing is written either when every line is left out. Each line must
    // have a calendar date and a time: otherwise nothing is written.
    Statut fusionneQso(const QStringList& nouvelles, Fusion* fusion);
    // The same with the new lines already in the log's code page, one after
    // the other without line ends, LogLine::Longueur bytes each (an import
    // of a hundred thousand QSOs keeps them so, at one byte a character).
    Statut fusionneLignes(const QByteArray& nouvelles, Fusion* fusion);

    // The key of a QSO for the duplicates: callsign, date, time and band.
    static QByteArray cleQso(QByteArrayView ligne);

    // Number read at the start of the first five characters: blanks skipped,
    // sign, digits, decimal point and exponent (E or D) as far as they go; 0
    // when they do not start with a number.
    static double cleNumerique(QByteArrayView ligne);
    // Minutes of the QSO's date (columns 41-48, JJ/MM/AA, years 50-99 in the
    // 1900s, 00-49 in the 2000s) and time (50-54, HH:MM); -1 when the line
    // holds no calendar date or no valid time.
    static qint64 momentQso(QByteArrayView ligne);
    // Two stored lines hold the same QSO when they differ only by blanks at
    // their end (a line whose padding an editor took off is the same QSO).
    static bool memeLigne(QByteArrayView a, QByteArrayView b);

private:
    // The log as read: its bytes, and each line (without its end) within them.
    struct Contenu {
        QByteArray octets;
        std::vector<QByteArrayView> lignes;
    };
    // The new content: the lines in order, each one followed by CR LF.
    class Ecriture;
    // The log read under the folder's lock, which stays held until the
    // rewrite that follows has ended, so that no other writer comes between.
    struct LectureVerrouillee {
        explicit LectureVerrouillee(const StationLog& log);
        FichierTexte::VerrouDossier verrou;
        Contenu contenu;
        Statut statut;
    };

    Statut lit(Contenu* contenu) const;
    Statut ecrit(const Contenu& avant, const QByteArray& contenu, const QString& travail) const;
    Statut prepare(const QString& nouvelle, QByteArray* octets) const;
    // What every change of a line ends with: the log read under the folder's
    // lock, the new content made from it by `nouveau`, written through the
    // work file `travail`.
    template <typename Nouveau> Statut reecrit(const QString& travail, Nouveau&& nouveau) const;

    QString m_dossier;
    QString m_indicatif;
    const Horloge* m_horloge;
    FichierTexte::Synchronisation m_synchronisation = FichierTexte::Synchronisation::Immediate;
};
