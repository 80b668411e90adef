#include "Instance.h"

#include "core/platform/BoiteMessage.h"
#include "core/platform/FichierTexte.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>

#include <cerrno>

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
    if (m_verrou->erreurDe() == ELOOP) {
        // Something of the lock's name that is no plain file was put in the
        // folder: taking the lock through it would write elsewhere.
        messages.avise(
            QStringLiteral("Le fichier de verrou %1 n'est pas un fichier ordinaire (un lien ou un "
                           "fichier spécial porte ce nom) : RQN_KZT ne l'a pas ouvert. Retirez-le "
                           "du dossier, puis relancez le programme.")
                .arg(FichierTexte::cheminEntreGuillemets(QDir(m_dossier).filePath(nomFichier))));
        return false;
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
