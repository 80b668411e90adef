// The reading of a spot's comment: its windmill reference and its mode.

#include "Spot.h"

#include "core/log/Groupe.h"
#include "core/log/ReferenceMoulin.h"

namespace {

bool alphanumerique(QChar c)
{
    return c.isLetterOrNumber();
}

bool debutDeMot(QStringView t, qsizetype i)
{
    return i == 0 || !alphanumerique(t[i - 1]);
}

} // namespace

QString Spot::referenceDans(QStringView t)
{
    return ReferenceMoulin::lue(t);
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
