#include "HorlogeLue.h"

#include "core/platform/Horloge.h"

namespace {

bool estChiffre(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int deuxChiffresA(const QString& texte, int at)
{
    return (texte.at(at).unicode() - '0') * 10 + (texte.at(at + 1).unicode() - '0');
}

QString heuresMinutesSecondes(const QTime& t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

QString date(const QDateTime& t)
{
    return t.date().toString(QStringLiteral("dd/MM/yy"));
}

} // namespace

QString Date_Utc(const Horloge& horloge)
{
    return date(horloge.utcMaintenant());
}

QString Heure_Utc(const Horloge& horloge)
{
    return heuresMinutesSecondes(horloge.utcMaintenant().time());
}

QString Heure_Locale(const Horloge& horloge)
{
    return heuresMinutesSecondes(horloge.localMaintenant().time());
}

HorlogeLue litHorloge(const Horloge& horloge)
{
    const QDateTime utc = horloge.utcMaintenant();
    return {date(utc), heuresMinutesSecondes(utc.time()),
            heuresMinutesSecondes(horloge.heureLocale(utc).time())};
}

int Verifie_Date(const QString& texte)
{
    if (texte.size() != 8)
        return 1;
    for (int i : {0, 1, 3, 4, 6, 7}) {
        if (!estChiffre(texte.at(i)))
            return 1;
    }
    if (texte.at(2) != QLatin1Char('/') || texte.at(5) != QLatin1Char('/'))
        return 1;
    if (deuxChiffresA(texte, 0) > 31 || deuxChiffresA(texte, 3) > 12)
        return 1;
    return 0;
}

int Verifie_Heure(const QString& texte)
{
    if (texte.size() != 5)
        return 1;
    for (int i : {0, 1, 3, 4}) {
        if (!estChiffre(texte.at(i)))
            return 1;
    }
    if (texte.at(2) != QLatin1Char(':'))
        return 1;
    if (deuxChiffresA(texte, 0) > 23 || deuxChiffresA(texte, 3) > 59)
        return 1;
    return 0;
}
