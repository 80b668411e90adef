// The reading of a spot's comment: its windmill reference and its mode.

#include "Spot.h"

#include "core/exchange/Importation.h"
#include "core/log/Groupe.h"

namespace {

bool chiffre(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool alphanumerique(QChar c)
{
    return c.isLetterOrNumber();
}

// The department written at i ("77", "2a", "2A"), as the log stores it;
// empty when it is no department of the award.
QString departementA(QStringView t, qsizetype i)
{
    if (i + 2 > t.size() || !chiffre(t[i]))
        return QString();
    const QString d = t.sliced(i, 2).toString().toLower();
    return Importation::departementValide(d) ? d : QString();
}

// Nothing that continues the number after j: no letter, no digit, and no
// decimal point or comma followed by a digit ("14250.5").
bool finDeNombre(QStringView t, qsizetype j)
{
    if (j >= t.size())
        return true;
    if (alphanumerique(t[j]))
        return false;
    const bool separateur = t[j] == QLatin1Char('.') || t[j] == QLatin1Char(',');
    return !(separateur && j + 1 < t.size() && chiffre(t[j + 1]));
}

// Nothing that the number at i continues: the mirror of finDeNombre.
bool debutDeNombre(QStringView t, qsizetype i)
{
    if (i == 0)
        return true;
    if (alphanumerique(t[i - 1]))
        return false;
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

bool debutDeMot(QStringView t, qsizetype i)
{
    return i == 0 || !alphanumerique(t[i - 1]);
}

} // namespace

QString Spot::referenceDans(QStringView t)
{
    const QLatin1StringView kzt("kzt");
    bool motCle = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!debutDeMot(t, i))
            continue;
        if (motA(t, i, kzt)) {
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

namespace {

// The radio's mode of a mode word; nullptr for any other word.
const char* modeDuMot(QStringView mot)
{
    static const struct {
        const char* mot;
        const char* radio; // "SSB": the sideband of the frequency
    } modes[] = {{"CW", "CW"},    {"SSB", "SSB"},      {"USB", "USB"},    {"LSB", "LSB"},
                 {"FM", "FM"},    {"FT8", "USB"},      {"FT4", "USB"},    {"RTTY", "USB"},
                 {"PSK", "USB"},  {"PSK31", "USB"},    {"PSK63", "USB"},  {"BPSK31", "USB"},
                 {"JT65", "USB"}, {"JT9", "USB"},      {"JS8", "USB"},    {"MSK144", "USB"},
                 {"Q65", "USB"},  {"FSK441", "USB"},   {"OLIVIA", "USB"}, {"MFSK", "USB"},
                 {"SSTV", "USB"}, {"WSPR", "USB"},     {"DIGI", "USB"},   {"VARA", "USB"},
                 {"HELL", "USB"}, {"CONTESTIA", "USB"}};
    for (const auto& m : modes) {
        if (mot.compare(QLatin1StringView(m.mot), Qt::CaseInsensitive) == 0)
            return m.radio;
    }
    return nullptr;
}

// The radio's mode of the first mode word of the comment; nullptr for none.
const char* premierMode(QStringView t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!debutDeMot(t, i))
            continue;
        qsizetype fin = i;
        while (fin < t.size() && alphanumerique(t[fin]))
            ++fin;
        if (const char* m = modeDuMot(t.sliced(i, fin - i)))
            return m;
        i = fin;
    }
    return nullptr;
}

QString bandeLaterale(qint64 hz)
{
    return hz < 10'000'000 ? QStringLiteral("LSB") : QStringLiteral("USB");
}

} // namespace

QString Spot::modeDans(QStringView t)
{
    const char* m = premierMode(t);
    if (!m)
        return QString();
    const QString radio = QString::fromLatin1(m);
    return radio.endsWith(QLatin1String("SB")) ? QStringLiteral("SSB") : radio;
}

QString Spot::modeRadioDans(QStringView commentaire, qint64 hz)
{
    QString mode;
    if (const char* m = premierMode(commentaire))
        mode = QString::fromLatin1(m);
    else
        mode = modePlan(hz);
    return mode == QLatin1String("SSB") ? bandeLaterale(hz) : mode;
}
