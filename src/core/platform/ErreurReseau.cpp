#include "ErreurReseau.h"

QString ErreurReseau::raison(QAbstractSocket::SocketError erreur, const QString& hote,
                             const QString& distant, const QString& texteSysteme)
{
    switch (erreur) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("connexion refusée");
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("%1 a fermé la connexion").arg(distant);
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("hôte « %1 » introuvable").arg(hote);
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("pas de réponse");
    case QAbstractSocket::NetworkError:
        return QStringLiteral("réseau inaccessible");
    default:
        return QStringLiteral("erreur de réseau (%1)").arg(texteSysteme);
    }
}
