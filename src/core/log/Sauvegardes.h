#pragma once

#include "core/platform/Statut.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

class Horloge;

// Copies of the station logs in the folder "Sauvegardes" of the program
// folder: callsign + "_KZT_" + YYYYMMDD + ".log", the log as it was before its
// first change of that day. Each copy is written like the log itself (work
// file, flushed, renamed); the 30 most recent copies of each station are kept.
// A copy made before a restore, on a day that has its copy already, is named
// callsign + "_KZT_" + YYYYMMDD + "_" + HHMMSS + ".log".
class Sauvegardes {
public:
    static inline const QString nomDossier = QStringLiteral("Sauvegardes");
    static constexpr int nombreGardees = 30;

    Sauvegardes(const QString& dossier, const Horloge& horloge);

    QString dossier() const;
    static QString nomDeSauvegarde(const QString& indicatif, const QDate& jour);

    // Today's copy of the log, when there is none yet; content is the log as
    // it stands before the change.
    Statut sauvegardeDuJour(const QString& indicatif, const QByteArray& contenu);
    // A copy of the log as it is now, whatever copies exist (before a restore
    // or an import); named after the time too when the day's copy exists.
    // nom, when given, receives the name of the copy made.
    Statut sauvegardeMaintenant(const QString& indicatif, QString* nom = nullptr);

    // The copies of the station, most recent first (file names).
    QStringList liste(const QString& indicatif) const;

    // What tells a copy from the others, for the one who chooses: its day and
    // time, its number of QSOs ("vide" when it has none) and its file name,
    // e.g. "05/12/2026 à 14:32 — 3 QSO — F1ABC_KZT_20261205.log". The time is
    // the one of the name, or the time the file was last written when that
    // was on the day of the name (a copy moved with the folder may have lost
    // it: the day alone then).
    QString description(const QString& nomSauvegarde) const;

    // Puts the copy back as the station's log, after a copy of the log as it
    // is now. The copy stays in the folder. copieAvant, when given, receives
    // the name of the copy of the log as it was (empty when there was no log),
    // the one to restore to undo this restore.
    Statut restaureSauvegarde(const QString& indicatif, const QString& nomSauvegarde,
                              QString* copieAvant = nullptr);
    // The same for a log kept outside this folder (a second copy on another
    // disk): the file at `chemin`, never a link nor anything but a file.
    Statut restaureFichier(const QString& indicatif, const QString& chemin,
                           QString* copieAvant = nullptr);

    // A log kept elsewhere, as description() shows a copy of this folder:
    // the date given, its number of QSOs and its name.
    static QString descriptionFichier(const QString& chemin, const QDateTime& quand,
                                      const QString& nom);

    // Failed backups not yet shown to the user, each one once per station and
    // day; the list is emptied.
    static QStringList echecsASignaler();

private:
    Statut restaureDepuis(const QString& indicatif, const QString& chemin, QString* copieAvant);
    Statut ecrit(const QString& indicatif, const QString& nom, const QByteArray& contenu);
    void elague(const QString& indicatif, const QString& garde) const;
    void signale(const QString& indicatif, const Statut& echec) const;

    QString m_dossier;
    const Horloge& m_horloge;
};
