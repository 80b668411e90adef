#include "Annuaire.h"

#include "ReponseAnnuaire.h"
#include "core/log/FirstNameMemory.h"
#include "core/platform/FilDeTravail.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScopeGuard>
#include <QUrlQuery>

#include <functional>

namespace {

using Genre = ReponseAnnuaire::Genre;

// A failure of the network itself, in French. Qt's own texts may hold the
// address asked, and so the password: they are never shown.
QString echecReseau(QNetworkReply::NetworkError erreur)
{
    switch (erreur) {
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return QStringLiteral("pas de réponse à temps");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("certificat du service refusé (connexion non sûre)");
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("service injoignable (réseau coupé ?)");
    default:
        return QStringLiteral("le service a refusé la demande");
    }
}

} // namespace

// The requests, on the worker thread: the log-in, then the look-ups with the
// session, logged in again once when the session has expired.
class RequetesAnnuaire : public QObject {
    Q_OBJECT
public:
    void configure(const ReglagesAnnuaire& reglages, const QString& motDePasse, int borne)
    {
        m_reglages = reglages;
        m_motDePasse = motDePasse;
        m_borne = borne;
        m_session.clear();
        if (m_reseau)
            m_reseau->clearAccessCache();
    }

    void cherche(int numero, const QString& indicatif)
    {
        if (m_session.isEmpty())
            return connecte(numero, indicatif, false);
        demande(numero, indicatif, false);
    }

Q_SIGNALS:
    void resultat(int numero, const QString& indicatif, int genre, const QString& prenom,
                  const QString& detail);

private:
    ReponseAnnuaire lit(const QByteArray& xml) const
    {
        return m_reglages.service == ReglagesAnnuaire::Service::Qrz ? ReponseAnnuaire::qrz(xml)
                                                                    : ReponseAnnuaire::hamQth(xml);
    }

    void connecte(int numero, const QString& indicatif, bool encore)
    {
        QUrlQuery q;
        const auto valeur = [](const QString& v) {
            return QString::fromLatin1(QUrl::toPercentEncoding(v));
        };
        if (m_reglages.service == ReglagesAnnuaire::Service::Qrz) {
            q.setQueryDelimiters(QLatin1Char('='), QLatin1Char(';'));
            q.addQueryItem(QStringLiteral("username"), valeur(m_reglages.utilisateur));
            q.addQueryItem(QStringLiteral("password"), valeur(m_motDePasse));
            q.addQueryItem(QStringLiteral("agent"), QStringLiteral("RQN_KZT"));
        } else {
            q.addQueryItem(QStringLiteral("u"), valeur(m_reglages.utilisateur));
            q.addQueryItem(QStringLiteral("p"), valeur(m_motDePasse));
        }
        envoie(
            q,
            [this, numero, indicatif, encore](const ReponseAnnuaire& r) {
                if (r.genre == Genre::Session) {
                    m_session = r.session;
                    return demande(numero, indicatif, encore);
                }
                Q_EMIT resultat(numero, indicatif, int(r.genre), QString(), r.message);
            },
            numero, indicatif);
    }

    void demande(int numero, const QString& indicatif, bool encore)
    {
        QUrlQuery q;
        const QString appel = QString::fromLatin1(QUrl::toPercentEncoding(indicatif));
        if (m_reglages.service == ReglagesAnnuaire::Service::Qrz) {
            q.setQueryDelimiters(QLatin1Char('='), QLatin1Char(';'));
            q.addQueryItem(QStringLiteral("s"), m_session);
            q.addQueryItem(QStringLiteral("callsign"), appel);
        } else {
            q.addQueryItem(QStringLiteral("id"), m_session);
            q.addQueryItem(QStringLiteral("callsign"), appel);
            q.addQueryItem(QStringLiteral("prg"), QStringLiteral("RQN_KZT"));
        }
        envoie(
            q,
            [this, numero, indicatif, encore](const ReponseAnnuaire& r) {
                if (!r.session.isEmpty())
                    m_session = r.session;
                if (r.genre == Genre::SessionExpiree && !encore) {
                    m_session.clear();
                    return connecte(numero, indicatif, true);
                }
                Q_EMIT resultat(numero, indicatif, int(r.genre), r.prenom, r.message);
            },
            numero, indicatif);
    }

    // One request; its answer read up to the size bound, a redirection
    // refused, a certificate error never ignored.
    void envoie(const QUrlQuery& requete, std::function<void(const ReponseAnnuaire&)> suite,
                int numero, const QString& indicatif)
    {
        if (!m_reseau)
            m_reseau = new QNetworkAccessManager(this);
        QUrl adresse = m_reglages.adresse();
        adresse.setQuery(requete);
        QNetworkRequest r(adresse);
        r.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::ManualRedirectPolicy);
        r.setTransferTimeout(m_borne);
        r.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("RQN_KZT"));
        QNetworkReply* reponse = m_reseau->get(r);
        auto recu = std::make_shared<QByteArray>();
        auto tropLong = std::make_shared<bool>(false);
        connect(reponse, &QNetworkReply::readyRead, reponse, [reponse, recu, tropLong] {
            *recu += reponse->read(Annuaire::tailleMax + 1 - recu->size());
            if (recu->size() > Annuaire::tailleMax) {
                *tropLong = true;
                reponse->abort();
            }
        });
        connect(reponse, &QNetworkReply::finished, this,
                [this, reponse, recu, tropLong, suite, numero, indicatif] {
                    reponse->deleteLater();
                    if (!*tropLong)
                        *recu += reponse->read(Annuaire::tailleMax + 1 - recu->size());
                    const int http =
                        reponse->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                    QString echec;
                    if (*tropLong || recu->size() > Annuaire::tailleMax)
                        echec = QStringLiteral("réponse trop longue, refusée");
                    else if (http >= 300 && http < 400)
                        echec = QStringLiteral("le service renvoie ailleurs : refusé");
                    else if (reponse->error() != QNetworkReply::NoError)
                        echec = echecReseau(reponse->error());
                    if (!echec.isEmpty())
                        return Q_EMIT resultat(numero, indicatif, int(Genre::Erreur), QString(),
                                               echec);
                    const ReponseAnnuaire r = lit(*recu);
                    if (r.genre == Genre::Illisible)
                        return Q_EMIT resultat(numero, indicatif, int(Genre::Illisible), QString(),
                                               QStringLiteral("réponse illisible"));
                    suite(r);
                });
    }

    ReglagesAnnuaire m_reglages;
    QString m_motDePasse;
    QString m_session;
    int m_borne = Annuaire::borneMs;
    QNetworkAccessManager* m_reseau = nullptr;
};

Annuaire::Annuaire(QObject* parent)
    : QObject(parent), m_requetes(new RequetesAnnuaire),
      m_fil(std::make_unique<FilDeTravail>(QStringLiteral("Annuaire"), m_requetes))
{
    connect(m_requetes, &RequetesAnnuaire::resultat, this, &Annuaire::recoit, Qt::QueuedConnection);
}

Annuaire::~Annuaire()
{
    disconnect(m_requetes, nullptr, this, nullptr);
}

void Annuaire::configure(const ReglagesAnnuaire& reglages, const QString& motDePasse, int borne)
{
    m_reglages = reglages;
    m_borne = borne;
    m_refuse = false;
    m_enCours.clear();
    m_connus.clear();
    m_dits.clear();
    m_fil->ordonne([r = m_requetes, reglages, motDePasse, borne] {
        r->configure(reglages, motDePasse, borne);
    });
}

bool Annuaire::actif() const
{
    return m_reglages.defaut().isEmpty() && !m_refuse;
}

bool Annuaire::cherche(const QString& indicatif)
{
    if (!actif() || indicatif.isEmpty())
        return false;
    const auto connu = m_connus.constFind(indicatif);
    if (connu != m_connus.constEnd()) {
        if (!connu->isEmpty())
            Q_EMIT prenomTrouve(indicatif, *connu);
        Q_EMIT repondu(indicatif);
        return true;
    }
    Demande d{indicatif, {}, false};
    d.depuis.start();
    const int numero = ++m_numero;
    m_enCours.insert(numero, d);
    m_fil->ordonne([r = m_requetes, numero, indicatif] { r->cherche(numero, indicatif); });
    return true;
}

void Annuaire::teste(const QString& indicatif)
{
    const QString defaut = m_reglages.defaut();
    if (!defaut.isEmpty())
        return Q_EMIT testTermine(false, QStringLiteral("Échec : %1.").arg(defaut));
    m_refuse = false;
    m_connus.remove(indicatif);
    Demande d{indicatif, {}, true};
    d.depuis.start();
    const int numero = ++m_numero;
    m_enCours.insert(numero, d);
    m_fil->ordonne([r = m_requetes, numero, indicatif] { r->cherche(numero, indicatif); });
}

void Annuaire::recoit(int numero, const QString& indicatif, int genre, const QString& prenom,
                      const QString& detail)
{
    const auto demande = m_enCours.constFind(numero);
    if (demande == m_enCours.constEnd())
        return; // asked before the settings changed
    const Demande d = *demande;
    m_enCours.erase(demande);
    const QString nom = m_reglages.nomService();
    const auto g = Genre(genre);
    const QString p = g == Genre::Fiche ? FirstNameMemory::prenomDe(prenom) : QString();
    if (g == Genre::Fiche || g == Genre::Introuvable)
        m_connus.insert(indicatif, p);
    if (g == Genre::Refuse)
        m_refuse = true;
    const auto fin = qScopeGuard([this, indicatif] { Q_EMIT repondu(indicatif); });
    if (d.test) {
        if (g == Genre::Fiche)
            return Q_EMIT testTermine(
                true, QStringLiteral("Connexion réussie à %1 : %2 trouvé%3.")
                          .arg(nom, indicatif,
                               p.isEmpty() ? QString() : QStringLiteral(", prénom %1").arg(p)));
        if (g == Genre::Introuvable)
            return Q_EMIT testTermine(
                true,
                QStringLiteral("Connexion réussie à %1 ; %2 n'y figure pas.").arg(nom, indicatif));
        if (g == Genre::Refuse)
            return Q_EMIT testTermine(
                false,
                QStringLiteral("Échec : identifiant ou mot de passe refusé par %1.").arg(nom));
        return Q_EMIT testTermine(false, QStringLiteral("Échec : %1 (%2).").arg(detail, nom));
    }
    switch (g) {
    case Genre::Fiche:
        // Later than the bound: the operator has gone on without it.
        if (!p.isEmpty() && d.depuis.elapsed() <= m_borne)
            Q_EMIT prenomTrouve(indicatif, p);
        return;
    case Genre::Introuvable:
        return;
    case Genre::Refuse:
        return dit(refus);
    default:
        return dit(QStringLiteral("Annuaire : %1 (%2)").arg(detail, nom));
    }
}

void Annuaire::dit(const QString& texte)
{
    if (m_dits.contains(texte))
        return;
    m_dits.insert(texte);
    Q_EMIT message(texte);
}

#include "Annuaire.moc"
