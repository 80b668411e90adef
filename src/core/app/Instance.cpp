#include "Instance.h"

#include "core/platform/BoiteMessage.h"
#include "core/platform/FichierTexte.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>

Instance::Instance(const QString& dossier)
    : m_dossier(dossier),
      m_verrou(std::make_unique<FichierTexte::FichierVerrou>(QDir(dossier).filePath(nomFichier)))
{
}

Instance::~Instance() = default;

bool Instance::prend(BoiteMessage& messages)
{
    const QString machine = QSysInfo::machineHostName();
    if (m_verrou->verrouille(0)) {
        // Who holds the folder, for the message of a second start.
        m_verrou->ecritInfo(machine.toUtf8() + '\n' +
                            QByteArray::number(QCoreApplication::applicationPid()) + '\n');
        return true;
    }
    if (m_verrou->erreurDe() != 0)
        return true;

    const QString autre =
        QString::fromUtf8(FichierTexte::FichierVerrou::litInfo(QDir(m_dossier).filePath(nomFichier))
                              .split('\n')
                              .value(0));
    const QString ou = autre.isEmpty() || autre == machine
                           ? QStringLiteral("sur cet ordinateur")
                           : QStringLiteral("sur l'ordinateur « %1 »").arg(autre);
    messages.avise(
        QStringLiteral("RQN_KZT est déjà ouvert %1 sur le dossier « %2 ». Un seul programme à la "
                       "fois peut travailler sur ce dossier : utilisez la fenêtre déjà ouverte.")
            .arg(ou, QDir::toNativeSeparators(m_dossier)));
    return false;
}
