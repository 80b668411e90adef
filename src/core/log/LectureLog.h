#pragma once

#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/platform/Statut.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

// The reading of the station log as stored: the award windows, the windmill
// index and the import read it from the first line to the last, and pick
// their fields out of each stored line by column. The log is Windows-1252,
// one byte a character, so a column is a byte offset.
namespace LectureLog {

// Calls visite(ligne) for each line of the log, without its line end.
// Missing when the log does not exist.
Statut parcourir(const QString& cheminLog, const std::function<void(QByteArrayView ligne)>& visite);

// The bytes of the field, as stored; shorter (or empty) when the line is.
QByteArrayView champ(QByteArrayView ligne, LogLine::Colonne colonne);
// The same without the blanks at both ends.
QByteArrayView champSansBlancs(QByteArrayView ligne, LogLine::Colonne colonne);

// The group of the line's band.
Groupe groupeLigne(QByteArrayView ligne);

// True when the QSL card of the QSO has arrived (column 107 is "*").
bool QSL_Recue(QByteArrayView ligne);

} // namespace LectureLog
