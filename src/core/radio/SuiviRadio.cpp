#include "SuiviRadio.h"

#include "core/log/Groupe.h"
#include "core/log/LogLine.h"

int SuiviRadio::indexBande(qint64 hz)
{
    const DefinitionBande* b = definitionRadio(hz);
    return b ? int(b - tableBandes.data()) : -1;
}

QString SuiviRadio::modeDuLog(QStringView modeRadio)
{
    static const struct {
        const char* radio;
        const char* log;
    } modes[] = {{"USB", "SSB"},     {"LSB", "SSB"}, {"ECSSUSB", "SSB"},
                 {"ECSSLSB", "SSB"}, {"CW", "CW"},   {"CWR", "CW"},
                 {"FM", "FM"},       {"FMN", "FM"},  {"WFM", "FM"}};
    for (const auto& m : modes) {
        if (modeRadio.compare(QLatin1StringView(m.radio), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(m.log);
    }
    return QString();
}

QString SuiviRadio::texteFrequence(qint64 hz)
{
    // Tenths of kHz, rounded; thousands apart by a blank, a decimal comma.
    const qint64 dixiemes = (hz + 50) / 100;
    QString entier = QString::number(dixiemes / 10);
    for (qsizetype i = entier.size() - 3; i > 0; i -= 3)
        entier.insert(i, QLatin1Char(' '));
    return entier + QLatin1Char(',') + QString::number(dixiemes % 10) + QStringLiteral(" kHz");
}

QString SuiviRadio::texteLecture(qint64 hz, const QString& modeRadio)
{
    QString texte = QStringLiteral("Radio : ") + texteFrequence(hz) + QLatin1Char(' ') + modeRadio;
    if (indexBande(hz) < 0)
        texte += QStringLiteral(", hors des bandes du log");
    return texte;
}

SuiviRadio::Changements SuiviRadio::lecture(qint64 hz, const QString& modeRadio)
{
    Changements c;
    const int bande = indexBande(hz);
    const QString mode = modeDuLog(modeRadio);
    const int indexMode = mode.isEmpty() ? -1 : int(listeModes().indexOf(mode));
    if (bande >= 0 && bande != m_bande)
        c.bande = m_bande = bande;
    if (indexMode >= 0 && indexMode != m_mode)
        c.mode = m_mode = indexMode;
    return c;
}

void SuiviRadio::nonPris(const Changements& changements)
{
    if (changements.bande >= 0)
        m_bande = -1;
    if (changements.mode >= 0)
        m_mode = -1;
}

void SuiviRadio::oublie()
{
    m_bande = m_mode = -1;
}
