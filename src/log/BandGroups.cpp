#include "BandGroups.h"

#include "LogLine.h"
#include "Texte.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"

#include <cstring>

QString Groupe_Bande(const QString& bande)
{
    const QString b = Texte::sansBlancs(bande);
    static const QStringList hf = {
        QStringLiteral("1.8 Mhz"), QStringLiteral("3.5 Mhz"), QStringLiteral("7.0 Mhz"),
        QStringLiteral("14 Mhz"),  QStringLiteral("18 Mhz"),  QStringLiteral("21 Mhz"),
        QStringLiteral("24 Mhz"),  QStringLiteral("28 Mhz"),  QStringLiteral("50 Mhz")};
    if (hf.contains(b))
        return QStringLiteral("HF");
    if (b == QLatin1String("144 Mhz"))
        return QStringLiteral("VHF");
    if (b == QLatin1String("432 Mhz"))
        return QStringLiteral("UHF");
    return QString();
}

const QStringList& Groupes_Bande()
{
    static const QStringList groupes = {QStringLiteral("HF"), QStringLiteral("VHF"),
                                        QStringLiteral("UHF")};
    return groupes;
}

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    const QString& groupe, Status* status)
{
    MoulinContacte resultat;
    QByteArray contenu;
    const Status lu = TextFile::readAll(cheminLog, &contenu);
    if (status)
        *status = lu;
    if (!lu || groupe.isEmpty())
        return resultat;

    QByteArray ref;
    if (!Cp1252::encode(reference, &ref) || ref.size() != LogLine::Reference.largeur)
        return resultat;

    const qsizetype debutRef = LogLine::Reference.debut - 1;
    TextFile::forEachLine(contenu, [&](const char* data, qsizetype taille) {
        if (resultat.trouve || taille < debutRef + ref.size())
            return;
        if (std::memcmp(data + debutRef, ref.constData(), size_t(ref.size())) != 0)
            return;
        const QString ligne = Cp1252::decode(data, taille);
        const QString bande = Texte::sansBlancs(LogLine::champ(ligne, LogLine::Bande));
        if (Groupe_Bande(bande) != groupe)
            return;
        resultat.trouve = true;
        resultat.date = LogLine::champ(ligne, LogLine::Date);
        resultat.bande = bande;
    });
    return resultat;
}
