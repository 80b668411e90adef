#include "ReferenceMoulin.h"

#include "Texte.h"

namespace ReferenceMoulin {

namespace {

using Texte::chiffre;
using Texte::chiffres;
using Texte::debutDeMot;

// The department written at i ("77", "2a", "2A"), as the log stores it;
// empty when it is no department of the award.
QString departementA(QStringView t, qsizetype i)
{
    if (i + 2 > t.size() || !chiffre(t[i]))
        return QString();
    const QString d = t.sliced(i, 2).toString().toLower();
    return departementValide(d) ? d : QString();
}

// Nothing that continues the number after j: no letter, no digit, and no
// decimal point or comma followed by a digit ("14250.5").
bool finDeNombre(QStringView t, qsizetype j)
{
    if (j >= t.size())
        return true;
    if (t[j].isLetterOrNumber())
        return false;
    const bool separateur = t[j] == QLatin1Char('.') || t[j] == QLatin1Char(',');
    return !(separateur && j + 1 < t.size() && chiffre(t[j + 1]));
}

// Nothing that the number at i continues: the mirror of finDeNombre.
bool debutDeNombre(QStringView t, qsizetype i)
{
    if (!debutDeMot(t, i))
        return false;
    if (i == 0)
        return true;
    const bool separateur = t[i - 1] == QLatin1Char('.') || t[i - 1] == QLatin1Char(',');
    return !(separateur && i >= 2 && chiffre(t[i - 2]));
}

bool troisChiffres(QStringView t, qsizetype i)
{
    return i + 3 <= t.size() && chiffre(t[i]) && chiffre(t[i + 1]) && chiffre(t[i + 2]);
}

// The reference written at i as "77121", or also as "77-121" when
// `tiret`; empty when there is none.
QString referenceA(QStringView t, qsizetype i, bool tiret)
{
    const QString d = departementA(t, i);
    if (d.isEmpty())
        return QString();
    if (troisChiffres(t, i + 2) && finDeNombre(t, i + 5))
        return d + t.sliced(i + 2, 3).toString();
    if (tiret && i + 2 < t.size() && t[i + 2] == QLatin1Char('-') && troisChiffres(t, i + 3) &&
        finDeNombre(t, i + 6))
        return d + t.sliced(i + 3, 3).toString();
    return QString();
}

bool motA(QStringView t, qsizetype i, QLatin1StringView mot)
{
    return i + mot.size() <= t.size() &&
           t.sliced(i, mot.size()).compare(mot, Qt::CaseInsensitive) == 0;
}

} // namespace

int numeroDepartement(QByteArrayView departement)
{
    if (departement == "2a" || departement == "2A")
        return numero2A;
    if (departement == "2b" || departement == "2B")
        return numero2B;
    if (departement.isEmpty())
        return -1;
    int n = 0;
    for (const char c : departement) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
        if (n >= numero2A)
            return -1;
    }
    return n;
}

bool departementValide(QStringView departement)
{
    if (departement.size() != 2)
        return false;
    if (departement == QLatin1String("2a") || departement == QLatin1String("2b"))
        return true;
    if (!chiffres(departement))
        return false;
    const int n = departement.toInt();
    // Corsica's numbers follow 95: "96" is no department, nor "20".
    return n >= 1 && n <= 95 && n != 20;
}

bool referenceValide(QStringView reference)
{
    return reference.size() == 5 && departementValide(reference.first(2)) &&
           chiffres(reference.sliced(2));
}

QString lue(QStringView t, bool kzt)
{
    const QLatin1StringView kztMot("kzt");
    bool motCle = kzt;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!debutDeMot(t, i))
            continue;
        if (motA(t, i, kztMot)) {
            qsizetype j = i + 3;
            if (j < t.size() && (t[j] == QLatin1Char(' ') || t[j] == QLatin1Char('-')))
                ++j;
            const QString r = referenceA(t, j, false);
            if (!r.isEmpty())
                return r;
            if (i + 3 == t.size() || !t[i + 3].isLetter())
                motCle = true;
        } else if (motA(t, i, QLatin1StringView("moulin"))) {
            motCle = true;
        }
    }
    if (!motCle)
        return QString();
    for (qsizetype i = 0; i + 5 <= t.size(); ++i) {
        if (!debutDeNombre(t, i))
            continue;
        const QString r = referenceA(t, i, true);
        if (!r.isEmpty())
            return r;
    }
    return QString();
}

} // namespace ReferenceMoulin
