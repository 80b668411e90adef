#include "ReglesChamps.h"

#include "core/app/HorlogeLue.h"
#include "core/log/Groupe.h"
#include "core/log/ModesLog.h"
#include "core/log/Texte.h"

namespace ReglesChamps {

QString controleIndicatif(const QString& texte)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez un indicatif");
    if (texte.size() > 12)
        return QStringLiteral("12 caracteres maxi pour l'indicatif");
    return QString();
}

QString controlePrenom(const QString& texte)
{
    if (texte.size() > 15)
        return QStringLiteral("15 caracteres maxi pour le Prenom");
    return QString();
}

QString controleDepartement(const QString& texte)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez un Departement");
    if (texte.size() > 2)
        return QStringLiteral("2 caracteres maxi pour le Departement");
    return QString();
}

QString controleReference(const QString& texte, const QString& departement)
{
    if (texte.size() != 5)
        return QStringLiteral("5 caracteres pour la reference ex: 77121");
    if (texte.left(2) != departement)
        return QStringLiteral("Attention la référence ne correspond pas au N° du département");
    return QString();
}

QString controleDate(const QString& texte)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez une date");
    if (Verifie_Date(texte) != 0)
        return QStringLiteral("Le format de la date doit etre JJ/MM/AA");
    return QString();
}

QString controleHeure(const QString& texte)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez une Heure");
    if (Verifie_Heure(texte) != 0)
        return QStringLiteral("Le format de l'heure doit etre HH:MM");
    return QString();
}

QString controleMode(const QString& texte)
{
    // A mode of blanks would be stored as no mode at all.
    if (Texte::sansBlancs(texte).isEmpty())
        return QStringLiteral("Entrez un Mode");
    if (texte.size() > 6)
        return QStringLiteral("6 caracteres maxi pour le Mode");
    if (ModesLog::court(texte).isEmpty())
        return QStringLiteral("Le mode %1 ne tient pas dans le log.")
            .arg(Texte::entreGuillemets(Texte::sansBlancs(texte)));
    return QString();
}

QString controleBande(const QString& texte)
{
    if (Texte::sansBlancs(texte).isEmpty())
        return QStringLiteral("Entrez une QRG");
    if (texte.size() > 7)
        return QStringLiteral("7 caracteres maxi pour la QRG");
    if (!definitionDe(texte))
        return messageBandeChoisie(texte);
    return QString();
}

QString messageBandeChoisie(const QString& texte)
{
    return QStringLiteral("Le champ « Bande » contient « %1 », qui n'est pas une bande de la "
                          "liste : choisissez une bande de la liste (par exemple « 14 Mhz »).")
        .arg(texte);
}

QString controleReport(const QString& texte)
{
    if (texte.isEmpty())
        return QStringLiteral("Entrez un Report");
    if (texte.size() > 3)
        return QStringLiteral("3 caracteres maxi pour le Report");
    const char16_t premier = texte.at(0).unicode();
    if (premier < '0' || premier > '5')
        return QStringLiteral("R (de RST)doit etre compris entre 0 et 5");
    return QString();
}

QString controleNomMoulin(const QString& texte)
{
    if (texte.size() > 30)
        return QStringLiteral("30 caracteres maxi pour le nom du Chateau");
    return QString();
}

QString controleQso(const LogLine::Champs& c)
{
    const struct {
        const QString& nom;
        const QString& texte;
    } champs[] = {
        {Noms::Indicatif, c.indicatif},
        {Noms::Prenom, c.prenom},
        {Noms::Departement, c.departement},
        {Noms::Reference, c.reference},
        {Noms::Date, c.date},
        {Noms::Heure, c.heure},
        {Noms::Mode, c.mode},
        {Noms::Bande, c.bande},
        {Noms::RST_Recu, c.rstRecu},
        {Noms::RST_Envoye, c.rstEnvoye},
        {Noms::Nom_Moulin, c.nomMoulin},
    };
    for (const auto& champ : champs) {
        const QString message = Texte::messageControle(champ.nom, champ.texte);
        if (!message.isEmpty())
            return message;
    }
    for (const QString& message :
         {controleIndicatif(c.indicatif), controlePrenom(c.prenom),
          controleDepartement(c.departement), controleReference(c.reference, c.departement),
          controleDate(c.date), controleHeure(c.heure), controleMode(c.mode),
          controleBande(c.bande), controleReport(c.rstRecu), controleReport(c.rstEnvoye),
          controleNomMoulin(c.nomMoulin)}) {
        if (!message.isEmpty())
            return message;
    }
    return LogLine::forme(c).erreur;
}

} // namespace ReglesChamps
