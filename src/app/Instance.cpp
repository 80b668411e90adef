#include "Instance.h"

#include "platform/MessageBox.h"

#include <QDir>
#include <QLockFile>
#include <QSysInfo>

Instance::Instance(const QString& dossier)
    : m_dossier(dossier), m_verrou(std::make_unique<QLockFile>(QDir(dossier).filePath(Nom_Fichier)))
{
    // The program holds its lock for hours: its age says nothing. Only a
    // program that no longer runs leaves a lock that may be taken over.
    m_verrou->setStaleLockTime(0);
}

Instance::~Instance() = default;

bool Instance::Prend(MessageBox& messages)
{
    if (m_verrou->tryLock(0))
        return true;
    if (m_verrou->error() != QLockFile::LockFailedError)
        return true;

    qint64 pid = 0;
    QString machine;
    QString programme;
    m_verrou->getLockInfo(&pid, &machine, &programme);
    const QString ou = machine.isEmpty() || machine == QSysInfo::machineHostName()
                           ? QStringLiteral("sur cet ordinateur")
                           : QStringLiteral("sur l'ordinateur « %1 »").arg(machine);
    messages.notice(
        QStringLiteral("RQN_KZT est déjà ouvert %1 sur le dossier « %2 ». Un seul programme à la "
                       "fois peut travailler sur ce dossier : utilisez la fenêtre déjà ouverte.")
            .arg(ou, QDir::toNativeSeparators(m_dossier)) +
        QStringLiteral("\r\n\r\nSi aucun RQN_KZT n'est ouvert, supprimez le fichier « %1 » de ce "
                       "dossier puis relancez le programme.")
            .arg(Nom_Fichier));
    return false;
}
