#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

// A DX cluster node on a free loopback port, speaking as real nodes do: the
// login prompt without a line end ("login: " as DXSpider asks, or "Please
// enter your call: " as other nodes do), a greeting and a command prompt
// without a line end once the callsign is given, the history of the last
// spots for "sh/dx", and whatever the test sends, byte for byte. It can drop
// its connections, go silent, stop and start again on the same port.
class NoeudCluster {
public:
    enum class Invite { Login, Indicatif, Aucune };

    static inline const QByteArray inviteLogin = "login: ";
    static inline const QByteArray inviteIndicatif = "Please enter your call: ";

    explicit NoeudCluster(Invite invite = Invite::Login) : m_invite(invite)
    {
        // The answer to "sh/dx": the history form, the newest first.
        historique = {
            "14250.0  F4XYZ        7-Dec-2026 1359Z KZT 78001 moulin de Saint-Cyr <F5ABC>",
            "  7020.5  DL1ABC/P     7-Dec-2026 1352Z cq contest                   <DL2XYZ-12>",
        };
    }
    ~NoeudCluster() { arrete(); }

    // Listens on 127.0.0.1, on that port (0: a free one, then kept for the
    // next starts).
    bool demarre(quint16 port = 0)
    {
        m_serveur = std::make_unique<QTcpServer>();
        if (!m_serveur->listen(QHostAddress::LocalHost, port ? port : m_port))
            return false;
        m_port = m_serveur->serverPort();
        QObject::connect(m_serveur.get(), &QTcpServer::newConnection, [this] { accepte(); });
        return true;
    }

    // The node goes down: no more listening, every connection dropped.
    void arrete()
    {
        coupe();
        m_serveur.reset();
    }

    // Every connection dropped; the node goes on listening.
    void coupe()
    {
        for (Client& c : m_clients) {
            if (c.socket)
                c.socket->abort();
        }
        m_clients.clear();
    }

    // The connections open now say nothing more, and ignore what they get:
    // the link stays up, silent.
    void tait()
    {
        for (Client& c : m_clients)
            c.muet = true;
    }

    quint16 port() const { return m_port; }
    int connexions() const { return m_connexions; }
    // The callsigns given at the prompt, and the lines received after it.
    const QStringList& indicatifs() const { return m_indicatifs; }
    const QStringList& commandes() const { return m_commandes; }

    // Sends the bytes as they are to every logged-in connection.
    void envoie(const QByteArray& octets)
    {
        for (Client& c : m_clients) {
            if (c.socket && c.identifie && !c.muet) {
                c.socket->write(octets);
                c.socket->flush();
            }
        }
    }
    // The bytes in two writes, the second one a moment after the first, so
    // that the other side reads them apart.
    void envoieEnDeux(const QByteArray& octets, qsizetype coupure)
    {
        envoie(octets.first(coupure));
        QTest::qWait(60);
        envoie(octets.sliced(coupure));
    }

    QList<QByteArray> historique;
    static inline const QByteArray nom = "KZT-1";

private:
    struct Client {
        QPointer<QTcpSocket> socket;
        QByteArray tampon;
        QString indicatif;
        bool identifie = false;
        bool muet = false;
    };

    QByteArray invite(const QString& indicatif) const
    {
        return indicatif.toLatin1() + " de " + nom + "  7-Dec-2026 1359Z dxspider >";
    }

    void accepte()
    {
        while (QTcpSocket* s = m_serveur->nextPendingConnection()) {
            ++m_connexions;
            m_clients.append(Client{s, {}, {}, false, false});
            QObject::connect(s, &QTcpSocket::readyRead, [this, s] { lit(s); });
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            if (m_invite == Invite::Login)
                s->write(inviteLogin);
            else if (m_invite == Invite::Indicatif)
                s->write(inviteIndicatif);
        }
    }

    void lit(QTcpSocket* s)
    {
        Client* c = nullptr;
        for (Client& k : m_clients) {
            if (k.socket == s)
                c = &k;
        }
        if (!c)
            return;
        if (c->muet) {
            s->readAll();
            return;
        }
        c->tampon += s->readAll();
        for (qsizetype fin; (fin = c->tampon.indexOf('\n')) >= 0;) {
            QByteArray ligne = c->tampon.first(fin);
            c->tampon.remove(0, fin + 1);
            if (ligne.endsWith('\r'))
                ligne.chop(1);
            repond(*c, QString::fromUtf8(ligne));
        }
    }

    void repond(Client& c, const QString& ligne)
    {
        if (!c.identifie) {
            c.identifie = true;
            c.indicatif = ligne.trimmed();
            m_indicatifs.append(c.indicatif);
            c.socket->write("Hello " + c.indicatif.toLatin1() + ", this is " + nom +
                            " in Paris\r\nrunning DXSpider V1.55 build 0.260\r\n"
                            "Cluster: 12 nodes, 3 local / 345 total users  Max users 700  "
                            "Uptime 3 12:34\r\n" +
                            invite(c.indicatif));
            return;
        }
        m_commandes.append(ligne);
        QByteArray reponse = "\r\n";
        if (ligne.startsWith(QStringLiteral("sh/dx"), Qt::CaseInsensitive)) {
            for (const QByteArray& h : historique)
                reponse += h + "\r\n";
        } else if (ligne.startsWith(QStringLiteral("DX "), Qt::CaseInsensitive)) {
            // A spot sent: the node sends it back to everyone.
            const QStringList mots = ligne.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (mots.size() >= 3)
                reponse += QStringLiteral("DX de %1:     %2  %3  %4  1400Z\r\n")
                               .arg(c.indicatif, mots.at(1), mots.at(2),
                                    mots.mid(3).join(QLatin1Char(' ')))
                               .toLatin1();
        }
        c.socket->write(reponse + invite(c.indicatif));
    }

    Invite m_invite;
    std::unique_ptr<QTcpServer> m_serveur;
    quint16 m_port = 0;
    QList<Client> m_clients;
    int m_connexions = 0;
    QStringList m_indicatifs;
    QStringList m_commandes;
};
