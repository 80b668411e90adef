#pragma once

#include <QByteArray>
#include <QString>

// What an online callbook's XML answer says, for the two services the
// program knows: HamQTH (xml.php) and QRZ.com (xml/current). Any bytes may
// come in: an HTML error page, a truncated or malformed document is
// "Illisible", never a first name.
struct ReponseAnnuaire {
    enum class Genre {
        Session,        // a login: the session's id
        Fiche,          // a station's record
        Introuvable,    // no record for that callsign
        SessionExpiree, // log in again, then ask again
        Refuse,         // wrong user name or password
        Erreur,         // another error of the service, in its own words
        Illisible,      // not the service's XML
    };
    Genre genre = Genre::Illisible;
    QString session; // the session's id (HamQTH) or key (QRZ.com), when given
    QString prenom;  // the station's first name as the record gives it
    QString message; // the service's own error text

    static ReponseAnnuaire hamQth(const QByteArray& xml);
    static ReponseAnnuaire qrz(const QByteArray& xml);
};
