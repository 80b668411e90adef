#pragma once

#include "core/platform/Statut.h"

#include <QByteArray>
#include <QString>

class BoiteMessage;

// The export of a station log in the ADI form of ADIF: a free header ended
// by <eoh>, then one record a QSO.
namespace Adif {

// The record of one stored line: twelve fields and <eor>, no line end.
// Values are trimmed; letters that ADI text cannot hold are written as their
// plain ASCII letters (É as E, Œ as OE), and the length counts what is
// written.
QString ADIF_SP(const QString& Poubelle);

// ADI text is ASCII: accented letters lose their accents, ligatures are
// spelt out, typographic quotes and dashes become their plain forms, and any
// other character outside ASCII becomes "?". ASCII text is left as it is.
QString enAscii(const QString& texte);

// The ADIF band of a band label of the log; empty for an unknown label.
QString bandeAdif(const QString& libelle);

// callsign + "_KZT.adi"
QString nomFichier(const QString& indicatif);

// The whole export of a log's bytes: the six header lines, then a record for
// every line of the log, each line ended by CR LF.
QByteArray exportationAdif(const QString& indicatif, const QByteArray& log);

// Reads the log of the station in the folder and writes the export beside it
// through a work file, so that the export file is either the previous one or
// the new one, whole. The log is only read.
Statut exporte(const QString& dossier, const QString& indicatif);

// The menu command: exports, then tells the user where the file went or why
// nothing was written.
void Mnu_ADIF_Click(const QString& dossier, const QString& indicatif, BoiteMessage& messages);

} // namespace Adif
