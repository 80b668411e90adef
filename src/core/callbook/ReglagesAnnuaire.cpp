#include "ReglagesAnnuaire.h"

#include "core/platform/StockReglages.h"

#include <QHostAddress>

namespace {

QString texteService(ReglagesAnnuaire::Service s)
{
    switch (s) {
    case ReglagesAnnuaire::Service::HamQth:
        return QStringLiteral("HamQTH");
    case ReglagesAnnuaire::Service::Qrz:
        return QStringLiteral("QRZ");
    case ReglagesAnnuaire::Service::Aucun:
        break;
    }
    return QStringLiteral("Aucun");
}

} // namespace

ReglagesAnnuaire ReglagesAnnuaire::lit(const StockReglages& reglages)
{
    ReglagesAnnuaire r;
    const QString service = reglages.lit(section, cleService, QString()).trimmed();
    if (service.compare(QLatin1String("HamQTH"), Qt::CaseInsensitive) == 0)
        r.service = Service::HamQth;
    else if (service.compare(QLatin1String("QRZ"), Qt::CaseInsensitive) == 0)
        r.service = Service::Qrz;
    r.utilisateur = reglages.lit(section, cleUtilisateur, QString()).trimmed();
    r.adresseHamQth = reglages.lit(section, cleAdresseHamQth, adresseHamQthDefaut).trimmed();
    r.adresseQrz = reglages.lit(section, cleAdresseQrz, adresseQrzDefaut).trimmed();
    return r;
}

Statut ReglagesAnnuaire::ecrit(StockReglages& reglages) const
{
    for (const auto& [cle, valeur] :
         {std::pair{cleService, texteService(service)}, std::pair{cleUtilisateur, utilisateur},
          std::pair{cleAdresseHamQth, adresseHamQth}, std::pair{cleAdresseQrz, adresseQrz}}) {
        const Statut s = reglages.ecrit(section, cle, valeur);
        if (!s)
            return s;
    }
    return Statut::valide();
}

QString ReglagesAnnuaire::nomService() const
{
    return service == Service::Qrz ? QStringLiteral("QRZ.com") : QStringLiteral("HamQTH");
}

QUrl ReglagesAnnuaire::adresse() const
{
    return QUrl(service == Service::Qrz ? adresseQrz : adresseHamQth, QUrl::StrictMode);
}

QString ReglagesAnnuaire::defaut() const
{
    if (service == Service::Aucun)
        return QStringLiteral("aucun annuaire n'est choisi");
    if (utilisateur.isEmpty())
        return QStringLiteral("l'identifiant de %1 manque").arg(nomService());
    const QUrl u = adresse();
    const QString schema = u.scheme().toLower();
    if (!u.isValid() || u.host().isEmpty() ||
        (schema != QLatin1String("https") && schema != QLatin1String("http")))
        return QStringLiteral("l'adresse « %1 » n'est pas celle d'un service web")
            .arg(service == Service::Qrz ? adresseQrz : adresseHamQth);
    if (schema == QLatin1String("http") && !QHostAddress(u.host()).isLoopback() &&
        u.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("l'adresse « %1 » n'est pas chiffrée (https) : refusée hors de cet "
                              "ordinateur")
            .arg(u.toString());
    return QString();
}
