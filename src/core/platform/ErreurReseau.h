#pragma once

#include <QAbstractSocket>
#include <QString>

namespace ErreurReseau {

// Why a TCP connection to `hote` failed or dropped, in French, for a status
// line: "connexion refusée", "hôte « x » introuvable"... `distant` names
// the far end in "le cluster a fermé la connexion"; `texteSysteme` (the
// socket's errorString) is quoted for an error without a name of ours.
QString raison(QAbstractSocket::SocketError erreur, const QString& hote, const QString& distant,
               const QString& texteSysteme);

} // namespace ErreurReseau
