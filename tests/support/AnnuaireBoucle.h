#pragma once

#include "Annuaires.h"

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

// An online callbook on the loopback, speaking HTTP/1.1 and the XML of
// HamQTH (path /xml.php) or QRZ.com (path /xml/current/) as they do: a
// log-in gives a session, a look-up with it a record or "not found". Its
// faults are set by the test: a slow, huge, unreadable or redirected
// answer, a session that expires.
class AnnuaireBoucle : public QObject {
public:
    AnnuaireBoucle()
    {
        m_serveur.listen(QHostAddress::LocalHost, 0);
        connect(&m_serveur, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_serveur.nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                connect(s, &QTcpSocket::readyRead, this, [this, s] { lit(s); });
            }
        });
    }
    QString hamQth() const { return QStringLiteral("http://127.0.0.1:%1/xml.php").arg(port()); }
    QString qrz() const { return QStringLiteral("http://127.0.0.1:%1/xml/current/").arg(port()); }
    quint16 port() const { return m_serveur.serverPort(); }

    QString utilisateur = QStringLiteral("f4kzt");
    QString motDePasse = QStringLiteral("s3cret;&=");
    QHash<QString, QByteArray> prenoms{{"OK7AN", "Petr"}, {"AA7BQ", "FRED L"}};
    enum class Panne { Aucune, Lente, Enorme, Illisible, Redirection };
    Panne panne = Panne::Aucune;
    int lenteurMs = 0;
    bool sessionExpiree = false; // the next look-up finds the session gone
    int connexions = 0;
    int recherches = 0;

private:
    void lit(QTcpSocket* s)
    {
        QByteArray& recu = m_recus[s];
        recu += s->readAll();
        if (!recu.contains("\r\n\r\n"))
            return;
        const QUrl adresse(QString::fromLatin1(recu.split(' ').value(1)));
        m_recus.remove(s);
        const bool qrz = adresse.path() == QLatin1String("/xml/current/");
        // QRZ.com separates its parameters with ";".
        QUrlQuery q;
        if (qrz)
            q.setQueryDelimiters(QLatin1Char('='), QLatin1Char(';'));
        q.setQuery(adresse.query(QUrl::FullyEncoded));
        const auto v = [&q](const char* cle) {
            return q.queryItemValue(QLatin1String(cle), QUrl::FullyDecoded);
        };
        QByteArray corps;
        if (!v(qrz ? "username" : "u").isEmpty()) {
            ++connexions;
            const bool bon =
                v(qrz ? "username" : "u") == utilisateur && v(qrz ? "password" : "p") == motDePasse;
            corps = bon ? (qrz ? Annuaires::qrzSession : Annuaires::hamQthSession)
                        : (qrz ? Annuaires::qrzErreur("Username/password incorrect ")
                               : Annuaires::hamQthErreur("Wrong user name or password"));
        } else {
            ++recherches;
            const QString appel = v("callsign").toUpper();
            if (sessionExpiree) {
                sessionExpiree = false;
                corps = qrz ? Annuaires::qrzErreur("Session Timeout")
                            : Annuaires::hamQthErreur("Session does not exist or expired");
            } else if (!prenoms.contains(appel)) {
                corps = qrz ? Annuaires::qrzErreur("Not found: " + appel.toLatin1())
                            : Annuaires::hamQthErreur("Callsign not found");
            } else {
                corps = qrz ? Annuaires::qrzFiche(appel.toLatin1(), prenoms.value(appel))
                            : Annuaires::hamQthFiche(appel.toLatin1(), prenoms.value(appel),
                                                     prenoms.value(appel) + " Novak");
            }
        }
        QByteArray tete = "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\n";
        switch (panne) {
        case Panne::Enorme:
            corps =
                corps.left(corps.size() - 20) + QByteArray(5 * 1024 * 1024, ' ') + corps.right(20);
            break;
        case Panne::Illisible:
            corps = "<html><body><h1>502 Bad Gateway</h1></body></html>";
            break;
        case Panne::Redirection:
            tete = "HTTP/1.1 302 Found\r\nLocation: http://192.0.2.1/xml.php\r\n";
            break;
        default:
            break;
        }
        const QByteArray reponse = tete + "Content-Length: " + QByteArray::number(corps.size()) +
                                   "\r\nConnection: close\r\n\r\n" + corps;
        QTimer::singleShot(panne == Panne::Lente ? lenteurMs : 0, s, [s, reponse] {
            s->write(reponse);
            s->disconnectFromHost();
        });
    }

    QTcpServer m_serveur;
    QHash<QTcpSocket*, QByteArray> m_recus;
};
