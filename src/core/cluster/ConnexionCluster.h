#pragma once

#include "ClientCluster.h"
#include "DecoupeLignes.h"

#include <QAbstractSocket>
#include <QObject>
#include <QStringList>

class QTcpSocket;
class QTimer;

// The node's side of ClientCluster, living on its worker thread: the only
// code that touches the socket. Its slots are called through queued
// connections.
class ConnexionCluster : public QObject {
    Q_OBJECT
public:
    explicit ConnexionCluster(const ClientCluster::Delais& delais);

    // A node's prompt for the callsign: "login:", "Please enter your call:".
    static bool inviteIdentification(QByteArrayView ligne);
    // A node's command prompt, left without a line end: "... dxspider >".
    static bool inviteCommande(QByteArrayView ligne);

public Q_SLOTS:
    void connecte(const ReglagesCluster& reglages);
    void deconnecte();
    void envoie(const QByteArray& ligne);
    void changeDelais(const ClientCluster::Delais& delais);
    // Closes the connection, before the thread ends.
    void arrete();

Q_SIGNALS:
    void lignesRecues(const QList<QByteArray>& lignes);
    // connecte: logged in, the start commands sent.
    void etat(bool connecte, const QString& statut);
    // A line given to envoie(): handed to the system (erreur empty), or why
    // it did not leave, in French.
    void envoiTermine(const QString& ligne, const QString& erreur);

private:
    void ouvre();
    void connexionEtablie();
    void lit();
    void erreur(QAbstractSocket::SocketError erreur);
    // The connection was lost: closed, and tried again after the delay due.
    void perdue(const QString& raison);
    void identifie();
    void envoieCommandes();
    void ecrit(const QString& ligne);
    void envoisPartis();
    void echoueEnvois(const QString& raison);
    void ferme();
    QString adresse() const;

    ClientCluster::Delais m_delais;
    ReglagesCluster m_reglages;
    QTcpSocket* m_socket;
    QTimer* m_silence;
    Reprise m_nouvelEssai;
    QTimer* m_delaiConnexion;
    QTimer* m_invite;
    DecoupeLignes m_decoupe;
    bool m_actif = false;   // asked to be connected
    bool m_ouverte = false; // a connection is being made or is up
    bool m_identifie = false;
    bool m_commandesEnvoyees = false;
    bool m_entendu = false; // the node sent something since the connection
    QStringList m_envois;   // lines given to envoie(), not handed to the system yet
};
