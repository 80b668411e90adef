#pragma once

#include <QString>

#include <memory>

class BoiteMessage;
namespace FichierTexte {
class FichierVerrou;
}

// One program at a time on a program folder: two windows started by mistake,
// or two computers sharing the folder, would otherwise change the same files
// at the same moment. The lock is a file of the folder, taken at start and
// released when this object ends; the system releases it as well when the
// program crashes or is killed, so that a crash never blocks the next start.
class Instance {
public:
    static inline const QString nomFichier = QStringLiteral("RQN_KZT.lock");

    explicit Instance(const QString& dossier);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    // Takes the folder. False, after a message, when another program holds
    // it, or when the lock's name is taken by a link or a special file: the
    // program must end. A folder where no file can be created (read only) is
    // left to the program, which cannot change anything there.
    bool prend(BoiteMessage& messages);

private:
    QString m_dossier;
    std::unique_ptr<FichierTexte::FichierVerrou> m_verrou;
};
