#include "ClientCluster.h"

#include "ConnexionCluster.h"
#include "core/log/Texte.h"
#include "core/platform/FilDeTravail.h"

ClientCluster::ClientCluster(QObject* parent) : ClientCluster(Delais(), parent) {}

ClientCluster::ClientCluster(const Delais& delais, QObject* parent)
    : QObject(parent), m_connexion(new ConnexionCluster(delais))
{
    qRegisterMetaType<ReglagesCluster>();
    qRegisterMetaType<ClientCluster::Delais>();
    connect(m_connexion, &ConnexionCluster::lignesRecues, this, &ClientCluster::lignesRecues);
    connect(m_connexion, &ConnexionCluster::etat, this, &ClientCluster::recoitEtat);
    connect(m_connexion, &ConnexionCluster::envoiTermine, this, &ClientCluster::envoiTermine);
    m_fil = std::make_unique<FilDeTravail>(QStringLiteral("Cluster"), m_connexion);
}

ClientCluster::~ClientCluster()
{
    m_fil->arrete([c = m_connexion] { c->arrete(); });
}

Statut ClientCluster::connecte(const ReglagesCluster& reglages)
{
    const QString defaut = reglages.defaut();
    if (!defaut.isEmpty())
        return Statut::enEchec(defaut);
    m_actif = true;
    m_connecte = false;
    m_fil->ordonne([c = m_connexion, reglages] { c->connecte(reglages); });
    return Statut::valide();
}

void ClientCluster::deconnecte()
{
    m_actif = false;
    m_fil->ordonne([c = m_connexion] { c->deconnecte(); });
}

Statut ClientCluster::envoie(const QString& ligne)
{
    if (!m_connecte)
        return Statut::enEchec(
            QStringLiteral("Le cluster n'est pas connecté : rien n'a été envoyé."));
    if (Texte::premierControle(ligne) >= 0)
        return Statut::enEchec(QStringLiteral("Une ligne envoyée au cluster tient sur une ligne."));
    m_fil->ordonne([c = m_connexion, octets = ligne.toUtf8()] { c->envoie(octets); });
    return Statut::valide();
}

void ClientCluster::changeDelais(const Delais& delais)
{
    m_fil->ordonne([c = m_connexion, delais] { c->changeDelais(delais); });
}

void ClientCluster::recoitEtat(bool connecte, const QString& statut)
{
    // Orders given since: a state of the connection left behind.
    if (!m_actif && connecte)
        return;
    if (connecte != m_connecte) {
        m_connecte = connecte;
        Q_EMIT connexionChange(connecte);
    }
    if (statut != m_statut) {
        m_statut = statut;
        Q_EMIT statutChange(m_statut);
    }
}
