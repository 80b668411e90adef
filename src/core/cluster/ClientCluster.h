#pragma once

#include "ReglagesCluster.h"
#include "core/platform/Reprise.h"
#include "core/platform/Statut.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class ConnexionCluster;
class FilDeTravail;

// The connection to a DX cluster node. The socket lives on a worker thread
// of its own (ConnexionCluster): this object, on the windows' thread, only
// sends it orders and receives the lines it read, so that nothing here ever
// waits for the network. Once asked to connect, the connection logs in at the
// node's prompt, sends the start commands, and comes back by itself after a
// loss or a silence of the node, until it is asked to disconnect.
class ClientCluster : public QObject {
    Q_OBJECT
public:
    // How long the connection waits, in ms.
    struct Delais {
        int premier = 5000;    // before the first new try after a loss
        int deuxieme = 15000;  // before the second
        int suivants = 60000;  // before each of the next ones
        int silence = 600000;  // no byte from the node for that long: the connection is lost
        int connexion = 30000; // a connection not made by then has failed
        int invite = 10000;    // no login prompt (or greeting) by then: answered all the same

        DelaisReprise reprise() const { return {premier, deuxieme, suivants}; }
        // The wait before the next try, after that many losses in a row.
        int attente(int echecs) const { return reprise().attente(echecs, 0); }
    };

    explicit ClientCluster(QObject* parent = nullptr);
    ClientCluster(const Delais& delais, QObject* parent);
    ~ClientCluster() override;

    // Connects to the node of these settings (leaving the previous one).
    // Refused at once, with the reason, for settings that cannot reach a node.
    Statut connecte(const ReglagesCluster& reglages);
    void deconnecte();
    // Asked to be connected (connecting, connected, or waiting to try again).
    bool estActif() const { return m_actif; }
    // Logged in and the start commands sent: lines can be sent.
    bool estConnecte() const { return m_connecte; }
    // The status line: the state of the connection, in French.
    const QString& statut() const { return m_statut; }

    // Sends one line to the node (a spot, a command). Refused when not
    // connected, or for a text that is not one line.
    Statut envoie(const QString& ligne);

    // The delays of the next tries (tests shorten them).
    void changeDelais(const Delais& delais);

Q_SIGNALS:
    // The lines the node sent, cleaned (Spot::nettoie), in order: one
    // signal for each read of the socket.
    void lignesRecues(const QList<QByteArray>& lignes);
    void statutChange(const QString& statut);
    void connexionChange(bool connecte);
    // A line of envoie() left for the node (erreur empty), or why it did
    // not, in French: the connection may drop between the order and its
    // sending.
    void envoiTermine(const QString& ligne, const QString& erreur);

private:
    void recoitEtat(bool connecte, const QString& statut);

    ConnexionCluster* m_connexion;
    std::unique_ptr<FilDeTravail> m_fil;
    bool m_actif = false;
    bool m_connecte = false;
    QString m_statut;
};

Q_DECLARE_METATYPE(ClientCluster::Delais)
