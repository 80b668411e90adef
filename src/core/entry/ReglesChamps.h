#pragma once

#include "core/log/LogLine.h"

#include <QString>

// The rule of each QSO field, as the entry area checks it when Enter is
// pressed and as the ADIF import checks every record: the French message of
// the first rule the text breaks, or the empty text when it meets them all.
namespace ReglesChamps {

QString controleIndicatif(const QString& texte);
QString controlePrenom(const QString& texte);
// The department as it is stored, already in lower case.
QString controleDepartement(const QString& texte);
// The reference, already in lower case, and the department it must start with.
QString controleReference(const QString& texte, const QString& departement);
QString controleDate(const QString& texte);
QString controleHeure(const QString& texte);
// A mode that the log holds in its three characters, or shortens to them
// (ModesLog::court: "RTTY" is "RTY").
QString controleMode(const QString& texte);
QString controleReport(const QString& texte);
QString controleNomMoulin(const QString& texte);

// The name of each field as the messages give it.
namespace Noms {
inline const QString Indicatif = QStringLiteral("Indicatif");
inline const QString Prenom = QStringLiteral("Prénom");
inline const QString Departement = QStringLiteral("Dpt");
inline const QString Reference = QStringLiteral("Ref Moulin");
inline const QString Date = QStringLiteral("Date");
inline const QString Heure = QStringLiteral("Heure UTC");
inline const QString Mode = QStringLiteral("Mode");
inline const QString Bande = QStringLiteral("Bande");
inline const QString RST_Recu = QStringLiteral("RST R");
inline const QString RST_Envoye = QStringLiteral("RST E");
inline const QString Nom_Moulin = QStringLiteral("Nom du Moulin");
} // namespace Noms

// The band is one of the list's labels, exactly.
QString controleBande(const QString& texte);
// The refusal of a band that is not one of the list.
QString messageBandeChoisie(const QString& texte);

// Every rule above on a whole QSO, with the band one of the list, no control
// character in any field and a line that the log can hold (LogLine::forme):
// the message of the first rule broken, empty when the QSO can be stored.
QString controleQso(const LogLine::Champs& champs);

} // namespace ReglesChamps
