#include "PosteRigctld.h"

#include "ErreurRadio.h"
#include "core/platform/ErreurReseau.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

PosteRigctld::PosteRigctld() = default;

PosteRigctld::~PosteRigctld()
{
    if (m_socket)
        m_socket->abort();
}

int PosteRigctld::ouvre(const ReglagesRadio& reglages, QString* raison)
{
    const QString& adresse = reglages.adresse();
    const qsizetype deuxPoints = adresse.lastIndexOf(QLatin1Char(':'));
    QString hote = adresse.left(deuxPoints);
    // "[::1]:4532": the brackets only set the port apart.
    if (hote.startsWith(QLatin1Char('[')) && hote.endsWith(QLatin1Char(']')))
        hote = hote.mid(1, hote.size() - 2);
    const quint16 port = quint16(adresse.mid(deuxPoints + 1).toUInt());
    m_socket = std::make_unique<QTcpSocket>();
    m_recu.clear();
    m_socket->connectToHost(hote, port);
    if (m_socket->waitForConnected(delai))
        return 0;
    *raison = ErreurReseau::raison(m_socket->error(), hote, QStringLiteral("rigctld"),
                                   m_socket->errorString());
    m_socket.reset();
    return ErreurRadio::EntreeSortie;
}

int PosteRigctld::echange(const QByteArray& commande, int lignes, QByteArrayList* reponse)
{
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
        return ErreurRadio::EntreeSortie;
    // What a previous exchange left (an answer come too late) is not this
    // command's answer.
    m_socket->readAll();
    m_recu.clear();
    m_socket->write(commande + '\n');
    const QDeadlineTimer fin(delai);
    while (m_recu.count('\n') < lignes) {
        if (m_socket->bytesAvailable() == 0 &&
            !m_socket->waitForReadyRead(int(fin.remainingTime())))
            return m_socket->state() == QAbstractSocket::ConnectedState ? ErreurRadio::Delai
                                                                        : ErreurRadio::EntreeSortie;
        m_recu += m_socket->readAll();
        // An error is said in one line, whatever the command.
        if (m_recu.startsWith("RPRT") && m_recu.contains('\n'))
            break;
        if (m_recu.size() > 4096)
            return ErreurRadio::Protocole;
    }
    const QByteArrayList recues = m_recu.split('\n');
    if (recues.first().startsWith("RPRT")) {
        bool nombre = false;
        const int code = recues.first().mid(4).trimmed().toInt(&nombre);
        return !nombre ? ErreurRadio::Protocole : code < 0 ? -code : code;
    }
    if (reponse) {
        for (int i = 0; i < lignes; ++i)
            reponse->append(recues.at(i).trimmed());
    }
    return 0;
}

int PosteRigctld::lit(qint64* hz, QString* mode)
{
    QByteArrayList frequence;
    int code = echange("f", 1, &frequence);
    if (code != 0)
        return code;
    bool nombre = false;
    const double f = frequence.first().toDouble(&nombre);
    if (!nombre || f < 0)
        return ErreurRadio::Protocole;
    QByteArrayList modeLu; // the mode, then the passband
    code = echange("m", 2, &modeLu);
    if (code != 0)
        return code;
    if (modeLu.first().isEmpty())
        return ErreurRadio::Protocole;
    *hz = qint64(f + 0.5);
    *mode = QString::fromLatin1(modeLu.first());
    return 0;
}

int PosteRigctld::regleFrequence(qint64 hz)
{
    return echange("F " + QByteArray::number(hz), 1, nullptr);
}

int PosteRigctld::regleMode(const QString& mode)
{
    // A passband of -1: the radio's own for that mode stays.
    return echange("M " + mode.toLatin1() + " -1", 1, nullptr);
}
