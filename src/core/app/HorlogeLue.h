#pragma once

#include <QString>

class Horloge;

// The clock texts of the main window and the checks of typed dates and times.

QString Date_Utc(const Horloge& horloge);     // JJ/MM/AA, the UTC date
QString Heure_Utc(const Horloge& horloge);    // hh:mm:ss, UTC
QString Heure_Locale(const Horloge& horloge); // hh:mm:ss, local time

// The three texts of one tick of the main window's clock, from one reading of
// the clock: across midnight the date is that of the times shown.
struct HorlogeLue {
    QString dateUtc;     // JJ/MM/AA
    QString heureUtc;    // hh:mm:ss
    QString heureLocale; // hh:mm:ss
};
HorlogeLue litHorloge(const Horloge& horloge);

// 0 when the text is a date JJ/MM/AA (day at most 31, month at most 12), 1
// otherwise. Day 00, month 00 and 31/02 pass: the check is on the form only.
int Verifie_Date(const QString& texte);
// 0 when the text is a time HH:MM (hour at most 23, minute at most 59), 1 otherwise.
int Verifie_Heure(const QString& texte);
