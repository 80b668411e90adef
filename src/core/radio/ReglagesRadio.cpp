#include "ReglagesRadio.h"

#include "core/platform/Systeme.h"

#include "core/platform/StockReglages.h"

#include <QFileInfo>

namespace {

int nombre(const StockReglages& reglages, const QString& cle, int defaut)
{
    bool valide = false;
    const int n = reglages.lit(ReglagesRadio::section, cle, QString()).trimmed().toInt(&valide);
    return valide ? n : defaut;
}

} // namespace

ReglagesRadio ReglagesRadio::lit(const StockReglages& reglages)
{
    ReglagesRadio r;
    r.modele = qMax(0, nombre(reglages, cleModele, aucuneRadio));
    r.port = reglages.lit(section, clePort, QString()).trimmed();
    r.vitesse = qMax(0, nombre(reglages, cleVitesse, 0));
    r.intervalle =
        qBound(intervalleMin, nombre(reglages, cleIntervalle, intervalleDefaut), intervalleMax);
    const QString liaison = reglages.lit(section, cleLiaison, QString()).trimmed();
    if (liaison.compare(liaisonRigctld, Qt::CaseInsensitive) == 0)
        r.liaison = Liaison::Rigctld;
    else if (liaison.compare(liaisonRigctldLance, Qt::CaseInsensitive) == 0)
        r.liaison = Liaison::RigctldLance;
    r.rigctld = reglages.lit(section, cleRigctld, QString()).trimmed();
    const QString dossier = reglages.lit(section, cleDossierHamlib, QString()).trimmed();
    r.dossierHamlib = dossier.isEmpty() ? defautDossierHamlib() : dossier;
    return r;
}

Statut ReglagesRadio::ecrit(StockReglages& reglages) const
{
    for (const auto& [cle, valeur] :
         {std::pair{cleModele, QString::number(modele)}, std::pair{clePort, port},
          std::pair{cleVitesse, QString::number(vitesse)},
          std::pair{cleIntervalle, QString::number(intervalle)},
          std::pair{cleLiaison, liaison == Liaison::Rigctld        ? liaisonRigctld
                                : liaison == Liaison::RigctldLance ? liaisonRigctldLance
                                                                   : liaisonHamlib},
          std::pair{cleRigctld, rigctld}, std::pair{cleDossierHamlib, dossierHamlib}}) {
        const Statut ecrit = reglages.ecrit(section, cle, valeur);
        if (!ecrit)
            return ecrit;
    }
    return Statut::valide();
}

QString ReglagesRadio::defaut(TypePort type) const
{
    if (liaison == Liaison::Rigctld)
        type = TypePort::Reseau;
    if (!avecRadio() || type == TypePort::Aucun)
        return QString();
    const QString& lieu = adresse();
    if (lieu.isEmpty()) {
        return type == TypePort::Reseau
                   ? QStringLiteral("Indiquez l'adresse de la radio (hôte:port, par exemple "
                                    "localhost:4532).")
                   : QStringLiteral("Indiquez le port de la radio (par exemple %1).")
                         .arg(exemplePortSerie());
    }
    if (type == TypePort::Reseau) {
        const qsizetype deuxPoints = lieu.lastIndexOf(QLatin1Char(':'));
        bool valide = false;
        const int numero = deuxPoints > 0 ? lieu.mid(deuxPoints + 1).toInt(&valide) : 0;
        if (!valide || numero <= 0 || numero > 65535)
            return QStringLiteral("L'adresse « %1 » n'est pas de la forme hôte:port (par exemple "
                                  "localhost:4532).")
                .arg(lieu);
        return QString();
    }
    if (type != TypePort::Serie)
        return QString();
    const QFileInfo infos(lieu);
    if (!infos.exists())
        return QStringLiteral("Le port « %1 » n'existe pas : la radio est-elle branchée ?")
            .arg(lieu);
    if (infos.isDir() || infos.isFile())
        return QStringLiteral("« %1 » n'est pas un port série.").arg(lieu);
    return QString();
}

QString ReglagesRadio::defautDossierHamlib()
{
    return Systeme::dossierHamlib();
}

QString ReglagesRadio::exemplePortSerie()
{
    return Systeme::exemplePortSerie();
}

QStringList ReglagesRadio::portsSerie()
{
    return Systeme::portsSerie();
}
