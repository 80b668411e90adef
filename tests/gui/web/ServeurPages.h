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
                connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

    QString site() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    QStringList chemins;

private:
    void answer(QTcpSocket* s)
    {
        QByteArray& request = m_enAttente[s];
        request += s->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> first = request.left(request.indexOf("\r\n")).split(' ');
        const QByteArray path = first.size() > 1 ? first.at(1) : QByteArray("/");
        m_enAttente.remove(s);
        if (path != "/favicon.ico")
            chemins.append(QString::fromLatin1(path));
        const QByteArray body =
            "<html><head><title>" + QString::fromLatin1(path).toHtmlEscaped().toLatin1() +
            "</title></head><body><h1>Page " +
            QString::fromLatin1(path).toHtmlEscaped().toLatin1() + "</h1></body></html>";
        s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                 "Content-Length: " +
                 QByteArray::number(body.size()) + "\r\n\r\n" + body);
        s->disconnectFromHost();
    }

    QHash<QTcpSocket*, QByteArray> m_enAttente;
};
