#include "ClientCluster.h"

#include "ConnexionCluster.h"
#include "core/log/Texte.h"

#include <QThread>

ClientCluster::ClientCluster(QObject* parent) : ClientCluster(Delais(), parent) {}

ClientCluster::ClientCluster(const Delais& delais, QObject* parent)
    : QObject(parent), m_fil(new QThread), m_connexion(new ConnexionCluster(delais))
{
    qRegisterMetaType<ReglagesCluster>();
    qRegisterMetaType<ClientCluster::Delais>();
    m_fil->setObjectName(QStringLiteral("Cluster"));
    m_connexion->moveToThread(m_fil);
    connect(m_fil, &QThread::finished, m_connexion, &QObject::deleteLater);
    connect(m_connexion, &ConnexionCluster::lignesRecues, this, &ClientCluster::lignesRecues);
    connect(m_connexion, &ConnexionCluster::etat, this, &ClientCluster::recoitEtat);
    connect(m_connexion, &ConnexionCluster::envoiTermine, this, &ClientCluster::envoiTermine);
    m_fil->start();
}

ClientCluster::~ClientCluster()
{
    QMetaObject::invokeMethod(m_connexion, &ConnexionCluster::arrete, Qt::QueuedConnection);
    m_fil->quit();
    // Nothing on the connection's thread waits for long (the socket never
    // blocks): past that, the thread is left to end with the process.
    if (m_fil->wait(3000))
        delete m_fil;
}

Statut ClientCluster::connecte(const ReglagesCluster& reglages)
{
    const QString defaut = reglages.defaut();
    if (!defaut.isEmpty())
        return Statut::enEchec(defaut);
    m_actif = true;
    m_connecte = false;
    QMetaObject::invokeMethod(m_connexion, "connecte", Qt::QueuedConnection,
                              Q_ARG(ReglagesCluster, reglages));
    return Statut::valide();
}

void ClientCluster::deconnecte()
{
    m_actif = false;
    QMetaObject::invokeMethod(m_connexion, &ConnexionCluster::deconnecte, Qt::QueuedConnection);
}

Statut ClientCluster::envoie(const QString& ligne)
{
    if (!m_connecte)
        return Statut::enEchec(
            QStringLiteral("Le cluster n'est pas connecté : rien n'a été envoyé."));
    if (Texte::premierControle(ligne) >= 0)
        return Statut::enEchec(QStringLiteral("Une ligne envoyée au cluster tient sur une ligne."));
    QMetaObject::invokeMethod(m_connexion, "envoie", Qt::QueuedConnection,
                              Q_ARG(QByteArray, ligne.toUtf8()));
    return Statut::valide();
}

void ClientCluster::changeDelais(const Delais& delais)
{
    QMetaObject::invokeMethod(m_connexion, "changeDelais", Qt::QueuedConnection,
                              Q_ARG(ClientCluster::Delais, delais));
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
