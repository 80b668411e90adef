#include "ReponseAnnuaire.h"

#include <QHash>
#include <QXmlStreamReader>

namespace {

using Genre = ReponseAnnuaire::Genre;

// The text of the elements the program reads, by their path from the root
// ("session/session_id", "Callsign/fname"), the namespace aside; empty with
// *valide false when the document is not well formed or has another root.
QHash<QString, QString> elements(const QByteArray& xml, QLatin1StringView racine, bool* valide)
{
    QHash<QString, QString> lus;
    QXmlStreamReader lecteur(xml);
    QStringList chemin;
    QString texte;
    *valide = false;
    while (!lecteur.atEnd()) {
        switch (lecteur.readNext()) {
        case QXmlStreamReader::StartElement:
            if (chemin.isEmpty() && lecteur.name() != racine)
                return {};
            chemin.append(lecteur.name().toString());
            texte.clear();
            break;
        case QXmlStreamReader::Characters:
            // A text may come in pieces (entities, CDATA); a record's fields
            // are short.
            if (texte.size() < 4096)
                texte += lecteur.text();
            break;
        case QXmlStreamReader::EndElement:
            if (chemin.size() >= 2) {
                // Only the first of repeated elements counts.
                const QString cle = chemin.mid(1).join(QLatin1Char('/'));
                if (!lus.contains(cle))
                    lus.insert(cle, texte.trimmed());
            }
            if (!chemin.isEmpty())
                chemin.removeLast();
            texte.clear();
            break;
        default:
            break;
        }
    }
    *valide = !lecteur.hasError();
    return *valide ? lus : QHash<QString, QString>();
}

ReponseAnnuaire erreur(Genre genre, const QString& message)
{
    ReponseAnnuaire r;
    r.genre = genre;
    r.message = message;
    return r;
}

} // namespace

ReponseAnnuaire ReponseAnnuaire::hamQth(const QByteArray& xml)
{
    bool valide = false;
    const QHash<QString, QString> lus = elements(xml, QLatin1StringView("HamQTH"), &valide);
    if (!valide)
        return {};
    const QString texteErreur = lus.value(QStringLiteral("session/error"));
    if (!texteErreur.isEmpty()) {
        const QString e = texteErreur.toLower();
        if (e.contains(QLatin1String("not found")))
            return erreur(Genre::Introuvable, texteErreur);
        if (e.contains(QLatin1String("expired")) || e.contains(QLatin1String("does not exist")))
            return erreur(Genre::SessionExpiree, texteErreur);
        if (e.contains(QLatin1String("password")) || e.contains(QLatin1String("user name")))
            return erreur(Genre::Refuse, texteErreur);
        return erreur(Genre::Erreur, texteErreur);
    }
    ReponseAnnuaire r;
    if (lus.contains(QStringLiteral("search/callsign"))) {
        r.genre = Genre::Fiche;
        // The name the station goes by, else the first word of its whole name.
        r.prenom = lus.value(QStringLiteral("search/nick"));
        if (r.prenom.isEmpty())
            r.prenom = lus.value(QStringLiteral("search/adr_name"))
                           .section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        return r;
    }
    r.session = lus.value(QStringLiteral("session/session_id"));
    if (!r.session.isEmpty())
        r.genre = Genre::Session;
    return r;
}

ReponseAnnuaire ReponseAnnuaire::qrz(const QByteArray& xml)
{
    bool valide = false;
    const QHash<QString, QString> lus = elements(xml, QLatin1StringView("QRZDatabase"), &valide);
    if (!valide)
        return {};
    ReponseAnnuaire r;
    r.session = lus.value(QStringLiteral("Session/Key"));
    if (lus.contains(QStringLiteral("Callsign/call"))) {
        r.genre = Genre::Fiche;
        r.prenom = lus.value(QStringLiteral("Callsign/fname"));
        return r;
    }
    const QString texteErreur = lus.value(QStringLiteral("Session/Error"));
    if (!texteErreur.isEmpty()) {
        const QString e = texteErreur.toLower();
        if (e.startsWith(QLatin1String("not found")))
            return erreur(Genre::Introuvable, texteErreur);
        if (e.contains(QLatin1String("timeout")) || e.contains(QLatin1String("invalid session")) ||
            e.contains(QLatin1String("session does not exist")))
            return erreur(Genre::SessionExpiree, texteErreur);
        if (e.contains(QLatin1String("password")) || e.contains(QLatin1String("username")))
            return erreur(Genre::Refuse, texteErreur);
        return erreur(Genre::Erreur, texteErreur);
    }
    if (!r.session.isEmpty())
        r.genre = Genre::Session;
    return r;
}
