// The keys a line of the log is ordered by: its leading number, and the
// moment of its QSO.

#include "LogLine.h"
#include "StationLog.h"

#include <QDate>

#include <cstring>

namespace {

bool chiffre(char c)
{
    return c >= '0' && c <= '9';
}

int deuxChiffres(const char* p)
{
    if (!chiffre(p[0]) || !chiffre(p[1]))
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

} // namespace

double StationLog::cleNumerique(QByteArrayView ligne)
{
    const QByteArrayView debut = ligne.first(qMin<qsizetype>(5, ligne.size()));
    const qsizetype n = debut.size();
    qsizetype i = 0;
    while (i < n && debut.at(i) == ' ')
        ++i;
    QByteArray nombre;
    if (i < n && (debut.at(i) == '+' || debut.at(i) == '-'))
        nombre += debut.at(i++);
    qsizetype chiffres = 0;
    while (i < n && chiffre(debut.at(i))) {
        nombre += debut.at(i++);
        ++chiffres;
    }
    if (i < n && debut.at(i) == '.') {
        nombre += '.';
        ++i;
        while (i < n && chiffre(debut.at(i))) {
            nombre += debut.at(i++);
            ++chiffres;
        }
    }
    if (chiffres == 0)
        return 0;
    if (i < n &&
        (debut.at(i) == 'E' || debut.at(i) == 'e' || debut.at(i) == 'D' || debut.at(i) == 'd')) {
        qsizetype j = i + 1;
        QByteArray exposant = "e";
        if (j < n && (debut.at(j) == '+' || debut.at(j) == '-'))
            exposant += debut.at(j++);
        const qsizetype premier = j;
        while (j < n && chiffre(debut.at(j)))
            exposant += debut.at(j++);
        if (j > premier)
            nombre += exposant;
    }
    bool valide = false;
    const double valeur = nombre.toDouble(&valide);
    return valide ? valeur : 0;
}

qint64 StationLog::momentQso(QByteArrayView ligne)
{
    const int d = LogLine::Date.debut - 1;
    const int h = LogLine::Heure.debut - 1;
    if (ligne.size() < h + LogLine::Heure.largeur)
        return -1;
    const char* p = ligne.data();
    if (p[d + 2] != '/' || p[d + 5] != '/' || p[h + 2] != ':')
        return -1;
    const int jour = deuxChiffres(p + d);
    const int mois = deuxChiffres(p + d + 3);
    const int an = deuxChiffres(p + d + 6);
    const int heure = deuxChiffres(p + h);
    const int minute = deuxChiffres(p + h + 3);
    if (jour < 0 || mois < 0 || an < 0 || heure < 0 || heure > 23 || minute < 0 || minute > 59)
        return -1;
    const QDate date(LogLine::annee(an), mois, jour);
    if (!date.isValid())
        return -1;
    return date.toJulianDay() * 1440 + heure * 60 + minute;
}

bool StationLog::memeLigne(QByteArrayView a, QByteArrayView b)
{
    qsizetype na = a.size();
    qsizetype nb = b.size();
    while (na > 0 && a.at(na - 1) == ' ')
        --na;
    while (nb > 0 && b.at(nb - 1) == ' ')
        --nb;
    return na == nb && std::memcmp(a.data(), b.data(), size_t(na)) == 0;
}
