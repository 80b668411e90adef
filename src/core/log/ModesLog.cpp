#include "ModesLog.h"

#include "LogLine.h"
#include "Texte.h"

namespace ModesLog {

namespace {

struct Mot {
    const char* mot;
    Genre genre;
    const char* court; // the log's form when it is not the word itself
};

constexpr Mot kMots[] = {
    {"CW", Genre::CW, nullptr},          {"SSB", Genre::Phonie, nullptr},
    {"USB", Genre::Phonie, "SSB"},       {"LSB", Genre::Phonie, "SSB"},
    {"FM", Genre::FM, nullptr},          {"FT8", Genre::Donnees, nullptr},
    {"FT4", Genre::Donnees, nullptr},    {"RTTY", Genre::Donnees, "RTY"},
    {"RTY", Genre::Donnees, nullptr},    {"PSK", Genre::Donnees, nullptr},
    {"PSK31", Genre::Donnees, "PSK"},    {"PSK63", Genre::Donnees, "PSK"},
    {"PSK125", Genre::Donnees, "PSK"},   {"BPSK31", Genre::Donnees, "PSK"},
    {"BPSK63", Genre::Donnees, "PSK"},   {"QPSK31", Genre::Donnees, "PSK"},
    {"JT65", Genre::Donnees, nullptr},   {"JT9", Genre::Donnees, nullptr},
    {"JS8", Genre::Donnees, nullptr},    {"MSK144", Genre::Donnees, nullptr},
    {"Q65", Genre::Donnees, nullptr},    {"FSK441", Genre::Donnees, nullptr},
    {"OLIVIA", Genre::Donnees, nullptr}, {"MFSK", Genre::Donnees, nullptr},
    {"SSTV", Genre::Donnees, nullptr},   {"WSPR", Genre::Donnees, nullptr},
    {"DIGI", Genre::Donnees, nullptr},   {"VARA", Genre::Donnees, nullptr},
    {"HELL", Genre::Donnees, nullptr},   {"CONTESTIA", Genre::Donnees, nullptr},
};

const Mot* motDe(QStringView mot)
{
    // Every word of every spot's comment comes here: the length first.
    if (mot.size() < 2 || mot.size() > 9)
        return nullptr;
    for (const Mot& m : kMots) {
        const QLatin1StringView nom(m.mot);
        if (nom.size() == mot.size() && mot.compare(nom, Qt::CaseInsensitive) == 0)
            return &m;
    }
    return nullptr;
}

} // namespace

QString court(QStringView mode)
{
    const QStringView m = Texte::sansBlancs(mode);
    if (const Mot* connu = motDe(m); connu && connu->court)
        return QLatin1StringView(connu->court).toString();
    if (m.isEmpty() || m.size() > LogLine::Mode.largeur)
        return QString();
    return Texte::majusculesTapees(m.toString());
}

Genre genre(QStringView mot)
{
    const Mot* m = motDe(mot);
    return m ? m->genre : Genre::Inconnu;
}

QString bandeLaterale(qint64 hz)
{
    return hz < 10'000'000 ? QStringLiteral("LSB") : QStringLiteral("USB");
}

QString modeRadio(QStringView mode, qint64 hz)
{
    const QString m = mode.toString().toUpper();
    if (m == QLatin1String("USB") || m == QLatin1String("LSB") ||
        m == prefixeDonnees + QLatin1String("USB") || m == prefixeDonnees + QLatin1String("LSB"))
        return m;
    switch (genre(m)) {
    case Genre::Phonie:
        return bandeLaterale(hz);
    case Genre::CW:
        return QStringLiteral("CW");
    case Genre::FM:
        return QStringLiteral("FM");
    case Genre::Donnees:
        return prefixeDonnees + QLatin1String("USB");
    case Genre::Inconnu:
        break;
    }
    return QString();
}

} // namespace ModesLog
