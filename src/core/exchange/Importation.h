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
    // What was changed so that the log can hold the QSO, in French, one
    // phrase a field.
    QStringList adaptations;
};

// The QSO of one record:
// - CALL as it is (blanks around it removed, in upper case); QSL_RCVD "Y"
//   or "V" ticks the QSL;
// - QSO_DATE (AAAAMMJJ) and TIME_ON (HHMM or HHMMSS) as JJ/MM/AA and HH:MM;
// - SUBMODE when the log has a short form of it (ModesLog::court), otherwise
//   MODE: USB and LSB are "SSB", RTTY "RTY", PSK31 "PSK"..., another mode of
//   at most 3 characters stays, in upper case; a mode shortened is said in
//   `adaptations`;
// - BAND, or FREQ in MHz without it, one of the bands of the log;
// - SIG "KZT" (any case): SIG_INFO is the windmill reference, in the forms
//   the windmill hunt reads ("77-121", "KZT 77121"); otherwise a SIG that is
//   a reference is the reference, and SIG_INFO the windmill name;
// - the department is the reference's: the station was at the windmill.
// A record is skipped only for its callsign, date, time, mode, band or
// windmill reference. Another field the entry would refuse is adapted, and
// said in `adaptations`: a report absent or refused becomes "59", a NAME
// longer than the field its first word (cut to the field), a character the
// log cannot hold leaves the first name empty and is "?" in the windmill
// name, a line break is a blank, a windmill name is cut to its field.
// Then every rule of a typed QSO.
Qso convertit(const Adif::Enregistrement& enregistrement);

struct Rejet {
    qsizetype numero = 0; // 1-based, in the file
    QString raison;
    QString texte; // the record as the file holds it
};

// A record imported with fields adapted: its adaptations on one line.
struct Adapte {
    qsizetype numero = 0; // 1-based, in the file
    QString texte;
};

struct Bilan {
    Statut statut;   // the file or the log could not be read or written
    QString fichier; // the name of the file imported
    qsizetype enregistrements = 0;
    qsizetype importes = 0;
    qsizetype doublons = 0;
    std::vector<Rejet> rejets; // a cut last record among them
    std::vector<Adapte> adaptes;
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

// Writes the report beside the log: the records adapted, one line each,
// then the records skipped with their reason and their text.
Statut ecritRapport(const QString& dossier, const QString& indicatif, const QString& cheminAdi,
                    const Bilan& bilan, const Horloge& horloge);

// Imports the file into the log of the station in the folder, in one
// rewrite (StationLog::fusionneLignes), remembers the first names of the
// QSOs of the file (new ones and those already in the log) and writes the
// report of the adapted and skipped records beside the log. The clock dates the report
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
