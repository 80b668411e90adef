#include "ConnexionCluster.h"

#include "Spot.h"
#include "core/platform/ErreurReseau.h"

#include <QTcpSocket>
#include <QTimer>

#include <utility>

namespace {

QByteArrayView finSansBlancs(QByteArrayView v)
{
    while (!v.isEmpty() && v.back() == ' ')
        v.chop(1);
    return v;
}

bool finitPar(QByteArrayView v, QByteArrayView fin)
{
    return v.size() >= fin.size() && v.last(fin.size()).toByteArray().toLower() == fin;
}

// "10 min" or "30 s": a delay as the status line says it.
QString duree(int ms)
{
    if (ms >= 60000 && ms % 60000 == 0)
        return QStringLiteral("%1 min").arg(ms / 60000);
    return QStringLiteral("%1 s").arg(qMax(1, (ms + 500) / 1000));
}

} // namespace

ConnexionCluster::ConnexionCluster(const ClientCluster::Delais& delais)
    : m_delais(delais), m_socket(new QTcpSocket(this)), m_silence(new QTimer(this)),
      m_nouvelEssai(this, [this] { ouvre(); }), m_delaiConnexion(new QTimer(this)),
      m_invite(new QTimer(this))
{
    for (QTimer* t : {m_silence, m_delaiConnexion, m_invite})
        t->setSingleShot(true);
    connect(m_socket, &QTcpSocket::connected, this, &ConnexionCluster::connexionEtablie);
    connect(m_socket, &QTcpSocket::readyRead, this, &ConnexionCluster::lit);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ConnexionCluster::erreur);
    connect(m_socket, &QTcpSocket::disconnected, this,
            [this] { perdue(QStringLiteral("le cluster a fermé la connexion")); });
    connect(m_delaiConnexion, &QTimer::timeout, this,
            [this] { perdue(QStringLiteral("pas de réponse")); });
    connect(m_silence, &QTimer::timeout, this, [this] {
        perdue(QStringLiteral("aucune donnée depuis %1").arg(duree(m_delais.silence)));
    });
    // No prompt, or no greeting after the callsign: the node is answered
    // all the same, as some nodes say nothing before they are spoken to.
    connect(m_invite, &QTimer::timeout, this, [this] {
        if (!m_identifie)
            identifie();
        else if (!m_commandesEnvoyees && m_entendu)
            envoieCommandes();
        else if (!m_commandesEnvoyees)
            Q_EMIT etat(false, QStringLiteral("Cluster %1 : connexion établie, le cluster ne "
                                              "répond pas.")
                                   .arg(adresse()));
    });
    connect(m_socket, &QTcpSocket::bytesWritten, this, &ConnexionCluster::envoisPartis);
}

bool ConnexionCluster::inviteIdentification(QByteArrayView ligne)
{
    const QByteArrayView l = finSansBlancs(ligne);
    return finitPar(l, "login:") || finitPar(l, "call:") || finitPar(l, "callsign:") ||
           finitPar(l, "login");
}

bool ConnexionCluster::inviteCommande(QByteArrayView ligne)
{
    const QByteArrayView l = finSansBlancs(ligne);
    return !l.isEmpty() && l.back() == '>' && !l.contains('<');
}

QString ConnexionCluster::adresse() const
{
    return QStringLiteral("%1:%2").arg(m_reglages.hote).arg(m_reglages.port);
}

void ConnexionCluster::connecte(const ReglagesCluster& reglages)
{
    m_reglages = reglages;
    m_actif = true;
    m_nouvelEssai.retablie();
    ouvre();
}

void ConnexionCluster::deconnecte()
{
    m_actif = false;
    echoueEnvois(QStringLiteral("déconnecté du cluster"));
    ferme();
    Q_EMIT etat(false, QStringLiteral("Déconnecté du cluster."));
}

void ConnexionCluster::arrete()
{
    m_actif = false;
    ferme();
}

void ConnexionCluster::changeDelais(const ClientCluster::Delais& delais)
{
    m_delais = delais;
}

void ConnexionCluster::ferme()
{
    for (QTimer* t : {m_silence, m_delaiConnexion, m_invite})
        t->stop();
    m_nouvelEssai.annule();
    echoueEnvois(QStringLiteral("la connexion au cluster a été fermée"));
    m_ouverte = m_identifie = m_commandesEnvoyees = m_entendu = false;
    // A connection closed here is not a loss to report.
    const bool bloque = m_socket->blockSignals(true);
    m_socket->abort();
    m_socket->blockSignals(bloque);
    m_decoupe.vide();
}

void ConnexionCluster::ouvre()
{
    if (!m_actif)
        return;
    ferme();
    m_ouverte = true;
    Q_EMIT etat(false, QStringLiteral("Connexion au cluster %1…").arg(adresse()));
    m_delaiConnexion->start(m_delais.connexion);
    m_socket->connectToHost(m_reglages.hote, quint16(m_reglages.port));
}

void ConnexionCluster::connexionEtablie()
{
    m_delaiConnexion->stop();
    // The system's keep-alive finds a dead link even when the node has
    // nothing to say.
    m_socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_silence->start(m_delais.silence);
    m_invite->start(m_delais.invite);
    // Connected only once the node has spoken: a port that takes the
    // connection and never answers is no node.
    Q_EMIT etat(
        false,
        QStringLiteral("Cluster %1 : connexion établie, en attente de l'invite…").arg(adresse()));
}

void ConnexionCluster::erreur(QAbstractSocket::SocketError e)
{
    perdue(ErreurReseau::raison(e, m_reglages.hote, QStringLiteral("le cluster"),
                                m_socket->errorString()));
}

void ConnexionCluster::perdue(const QString& raison)
{
    if (!m_ouverte)
        return;
    echoueEnvois(raison);
    ferme();
    if (!m_actif)
        return;
    const int attente = m_nouvelEssai.perte(m_delais.reprise());
    Q_EMIT etat(false, QStringLiteral("Cluster %1 : %2. Nouvel essai dans %3.")
                           .arg(adresse(), raison, duree(attente)));
}

void ConnexionCluster::lit()
{
    m_silence->start(m_delais.silence);
    const QByteArray octets = m_socket->readAll();
    QList<QByteArray> lignes;
    m_decoupe.ajoute(octets, &lignes);
    QList<QByteArray> propres;
    propres.reserve(lignes.size());
    for (const QByteArray& l : std::as_const(lignes)) {
        const QByteArray propre = Spot::nettoie(l);
        m_entendu = m_entendu || !finSansBlancs(propre).isEmpty();
        if (!m_identifie && inviteIdentification(propre)) {
            identifie();
            continue;
        }
        // The node's greeting: the commands can go.
        if (m_identifie && !m_commandesEnvoyees && !finSansBlancs(propre).isEmpty() &&
            QString::fromLatin1(propre).trimmed().compare(m_reglages.indicatif,
                                                          Qt::CaseInsensitive) != 0)
            envoieCommandes();
        propres.append(propre);
    }
    // A prompt waits without a line end for its answer.
    const QByteArray partiel = Spot::nettoie(m_decoupe.partiel());
    m_entendu = m_entendu || !finSansBlancs(partiel).isEmpty();
    if (!m_identifie && inviteIdentification(partiel)) {
        m_decoupe.videPartiel();
        identifie();
    } else if (m_identifie && !m_commandesEnvoyees && inviteCommande(partiel)) {
        m_decoupe.videPartiel();
        envoieCommandes();
    }
    if (!propres.isEmpty())
        Q_EMIT lignesRecues(propres);
}

void ConnexionCluster::identifie()
{
    m_identifie = true;
    ecrit(m_reglages.indicatif);
    m_invite->start(m_delais.invite);
    Q_EMIT etat(false, QStringLiteral("Cluster %1 : connexion établie, identification sous %2…")
                           .arg(adresse(), m_reglages.indicatif));
}

void ConnexionCluster::envoieCommandes()
{
    m_commandesEnvoyees = true;
    m_invite->stop();
    for (const QString& c : m_reglages.listeCommandes())
        ecrit(c);
    // A full login: the next loss starts the delays again from the first.
    m_nouvelEssai.retablie();
    Q_EMIT etat(true, QStringLiteral("Connecté au cluster %1 sous l'indicatif %2.")
                          .arg(adresse(), m_reglages.indicatif));
}

void ConnexionCluster::envoie(const QByteArray& ligne)
{
    // The window believed the connection up; it may have dropped since.
    if (!m_commandesEnvoyees || m_socket->state() != QAbstractSocket::ConnectedState) {
        Q_EMIT envoiTermine(QString::fromUtf8(ligne),
                            QStringLiteral("le cluster n'est pas connecté"));
        return;
    }
    if (m_socket->write(ligne + "\r\n") < 0) {
        Q_EMIT envoiTermine(QString::fromUtf8(ligne), m_socket->errorString());
        return;
    }
    m_envois.append(QString::fromUtf8(ligne));
    m_socket->flush();
    envoisPartis();
}

void ConnexionCluster::envoisPartis()
{
    // Handed to the system whole: what was waiting has left.
    if (m_envois.isEmpty() || m_socket->bytesToWrite() > 0)
        return;
    const QStringList partis = std::exchange(m_envois, {});
    for (const QString& l : partis)
        Q_EMIT envoiTermine(l, QString());
}

void ConnexionCluster::echoueEnvois(const QString& raison)
{
    const QStringList perdus = std::exchange(m_envois, {});
    for (const QString& l : perdus)
        Q_EMIT envoiTermine(l, raison);
}

void ConnexionCluster::ecrit(const QString& ligne)
{
    m_socket->write(ligne.toUtf8() + "\r\n");
}
