#pragma once

#include "core/platform/Statut.h"

#include <QMetaType>
#include <QString>
#include <QUrl>

class StockReglages;

// The online callbook, as the section "Annuaire" of the settings gives it:
// the service, the operator's user name there, and the services' addresses
// (the real ones unless told: tests and an operator behind a proxy point
// elsewhere). The password is never in the settings: the system's keychain
// keeps it.
struct ReglagesAnnuaire {
    static inline const QString section = QStringLiteral("Annuaire");
    static inline const QString cleService = QStringLiteral("Service");
    static inline const QString cleUtilisateur = QStringLiteral("Utilisateur");
    static inline const QString cleAdresseHamQth = QStringLiteral("AdresseHamQTH");
    static inline const QString cleAdresseQrz = QStringLiteral("AdresseQRZ");
    static inline const QString adresseHamQthDefaut =
        QStringLiteral("https://www.hamqth.com/xml.php");
    static inline const QString adresseQrzDefaut =
        QStringLiteral("https://xmldata.qrz.com/xml/current/");

    enum class Service { Aucun, HamQth, Qrz };
    Service service = Service::Aucun;
    QString utilisateur;
    QString adresseHamQth = adresseHamQthDefaut;
    QString adresseQrz = adresseQrzDefaut;

    static ReglagesAnnuaire lit(const StockReglages& reglages);
    Statut ecrit(StockReglages& reglages) const;

    // "HamQTH" or "QRZ.com", as the status line names it.
    QString nomService() const;
    // The address of the chosen service.
    QUrl adresse() const;
    // Why the chosen service cannot be asked with these settings, in French;
    // empty when it can. Only https goes out of the computer; plain http is
    // taken on the loopback alone.
    QString defaut() const;

    bool operator==(const ReglagesAnnuaire&) const = default;
};

Q_DECLARE_METATYPE(ReglagesAnnuaire)
