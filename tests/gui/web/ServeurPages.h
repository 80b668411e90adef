#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

// A web server on 127.0.0.1 that answers every request with a small page
// naming the path asked, and keeps the paths.
class ServeurPages : public QTcpServer {
public:
    ServeurPages()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] { reponse(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

    QString site() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    QStringList chemins;

private:
    void reponse(QTcpSocket* s)
    {
        QByteArray& demande = m_enAttente[s];
        demande += s->readAll();
        if (!demande.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> premier = demande.left(demande.indexOf("\r\n")).split(' ');
        const QByteArray chemin = premier.size() > 1 ? premier.at(1) : QByteArray("/");
        m_enAttente.remove(s);
        if (chemin != "/favicon.ico")
            chemins.append(QString::fromLatin1(chemin));
        const QByteArray corps =
            "<html><head><title>" + QString::fromLatin1(chemin).toHtmlEscaped().toLatin1() +
            "</title></head><body><h1>Page " +
            QString::fromLatin1(chemin).toHtmlEscaped().toLatin1() + "</h1></body></html>";
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                 "Content-Length: " +
                 QByteArray::number(corps.size()) + "\r\n\r\n" + corps);
        s->disconnectFromHost();
    }

    QHash<QTcpSocket*, QByteArray> m_enAttente;
};
