#pragma once

#include "Lecture.h"
#include "core/log/LogLine.h"
#include "core/platform/Statut.h"

#include <QString>
#include <QStringList>

#include <vector>

class Horloge;
class Progression;

// The import of an ADI file into the log of a station: every record of a
// KZT QSO becomes a stored line, checked as a typed QSO is; the others are
// skipped with their reason.
namespace Importation {

// callsign + "_KZT_import.txt", beside the log: the records skipped.
QString nomRapport(const QString& indicatif);

// What the file dialog offers.
inline const QString Filtre = QStringLiteral("Fichiers ADIF (*.adi *.adif)");

struct Qso {
    LogLine::Champs champs;
    QString raison; // why the record is skipped; empty when it is a QSO to store
};

// The QSO of one record:
// - CALL, NAME, RST_RCVD, RST_SENT as they are (blanks around them removed,
//   the callsign in upper case); QSL_RCVD "Y" or "V" ticks the QSL;
// - QSO_DATE (AAAAMMJJ) and TIME_ON (HHMM or HHMMSS) as JJ/MM/AA and HH:MM;
// - MODE: USB and LSB (as the mode or the SUBMODE) and SSB are "SSB",
//   another mode of at most 3 characters stays, in upper case;
// - BAND, or FREQ in MHz without it, one of the bands of the log;
// - SIG "KZT" (any case): SIG_INFO is the windmill reference; otherwise a SIG
//   that is a reference is the reference, and SIG_INFO the windmill name;
// - STATE when it is a department of the award, otherwise the first two
//   characters of the reference.
// Then every rule of a typed QSO.
Qso convertit(const Adif::Enregistrement& enregistrement);

// A department of the award as stored: "01" to "95" but "20", "2a", "2b".
bool departementValide(QStringView departement);
// A windmill reference as stored: a department, then three digits.
bool referenceValide(QStringView reference);

struct Rejet {
    qsizetype numero = 0; // 1-based, in the file
    QString raison;
    QString texte; // the record as the file holds it
};

struct Bilan {
    Statut statut;   // the file or the log could not be read or written
    QString fichier; // the name of the file imported
    qsizetype enregistrements = 0;
    qsizetype importes = 0;
    qsizetype doublons = 0;
    std::vector<Rejet> rejets; // a cut last record among them
    bool tronque = false;
    bool annule = false;  // stopped by the user: nothing was written
    QString rapport;      // the name of the report file, when written
    Statut statutRapport; // why it could not be written
    Statut statutPrenoms; // why the first names could not be remembered

    // The French summary shown to the user.
    QString resume() const;
};

// The reason a record is skipped for when its windmill is already in the
// log, or earlier in the file, in the same band group: the date (JJ/MM/AA)
// and band of that first QSO, as the log stores them.
QString raisonMoulinDejaContacte(const QString& date, const QString& bande);

// Imports the file into the log of the station in the folder, in one
// rewrite (StationLog::fusionneLignes), remembers the first names of the
// QSOs of the file (new ones and those already in the log) and writes the
// report of the skipped records beside the log. The clock dates the report
// and the copy of the log made before the import.
//
// A record passes the rule of a typed QSO on the award too: a windmill
// already contacted in the band group of its band, in the log or by a
// record before it, is skipped (a QSO already in the log is a duplicate).
//
// The file is read a piece at a time, its records one at a time, so that
// a file of tens of megabytes never stands whole in memory. The progress
// goes to progression, when given (from the thread the import runs in);
// when the user stops it before the log is rewritten, nothing is written.
Bilan importeFichier(const QString& dossier, const QString& indicatif, const QString& cheminAdi,
                     const Horloge& horloge, Progression* progression = nullptr);

} // namespace Importation
