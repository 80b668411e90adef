#include "ReglagesCluster.h"

#include "core/log/Texte.h"
#include "core/platform/StockReglages.h"

ReglagesCluster ReglagesCluster::lit(const StockReglages& reglages, const QString& indicatifStation)
{
    ReglagesCluster r;
    r.hote = reglages.lit(section, cleHote, QString()).trimmed();
    bool valide = false;
    const int port = reglages.lit(section, clePort, QString()).trimmed().toInt(&valide);
    r.port = valide ? port : portDefaut;
    r.indicatif =
        reglages.lit(section, cleIndicatif, indicatifDeStation(indicatifStation)).trimmed();
    r.commandes = reglages.lit(section, cleCommandes, commandesDefaut);
    return r;
}

Statut ReglagesCluster::ecrit(StockReglages& reglages) const
{
    for (const auto& [cle, valeur] :
         {std::pair{cleHote, hote}, std::pair{clePort, QString::number(port)},
          std::pair{cleIndicatif, indicatif}, std::pair{cleCommandes, commandes}}) {
        const Statut ecrit = reglages.ecrit(section, cle, valeur);
        if (!ecrit)
            return ecrit;
    }
    return Statut::valide();
}

bool ReglagesCluster::auDemarrage(const StockReglages& reglages)
{
    return reglages.lit(section, cleAuDemarrage, QString()).trimmed() == QLatin1String("Oui");
}

Statut ReglagesCluster::changeAuDemarrage(StockReglages& reglages, bool oui)
{
    return reglages.ecrit(section, cleAuDemarrage,
                          oui ? QStringLiteral("Oui") : QStringLiteral("Non"));
}

QString ReglagesCluster::indicatifDeStation(const QString& indicatifStation)
{
    QString i = indicatifStation;
    return i.replace(QLatin1Char('_'), QLatin1Char('/'));
}

QStringList ReglagesCluster::listeCommandes() const
{
    QStringList liste;
    for (const QString& c : commandes.split(QLatin1Char(';'))) {
        const QString propre = c.trimmed();
        if (!propre.isEmpty())
            liste.append(propre);
    }
    return liste;
}

QString ReglagesCluster::defaut() const
{
    if (hote.isEmpty())
        return QStringLiteral("Indiquez l'hôte du cluster (par exemple dxc.example.org).");
    if (hote.contains(QLatin1Char(' ')) || Texte::premierControle(hote) >= 0)
        return QStringLiteral("L'hôte « %1 » n'est pas un nom d'hôte ni une adresse.").arg(hote);
    if (port <= 0 || port > 65535)
        return QStringLiteral("Le port du cluster va de 1 à 65535 (%1 d'habitude).")
            .arg(portDefaut);
    if (indicatif.isEmpty())
        return QStringLiteral("Indiquez l'indicatif à donner au cluster.");
    for (QChar c : indicatif) {
        if (c.unicode() > 0x7F ||
            !(c.isLetterOrNumber() || c == QLatin1Char('/') || c == QLatin1Char('-')))
            return QStringLiteral("L'indicatif « %1 » ne peut être donné au cluster : lettres, "
                                  "chiffres, « / » et « - » seulement.")
                .arg(indicatif);
    }
    if (Texte::premierControle(commandes) >= 0)
        return QStringLiteral("Les commandes du cluster tiennent sur une ligne, séparées par "
                              "« ; ».");
    return QString();
}
