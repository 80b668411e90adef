#pragma once

#include "core/platform/Statut.h"

#include <QString>

// The program folder: where the logs, their template, the first-name memory
// and the backups live. A program installed by the user in a folder of their
// own (portable: the folder can be copied to another computer as it is) keeps
// them beside the executable. A program installed for every user of the
// computer (the Debian package, in a folder that users cannot write) carries
// a marker file beside the executable; each user's files then live in their
// own data folder, made on the first start with the template and the empty
// first-name memory delivered with the program.
namespace DossierProgramme {

// The marker of an installation for every user of the computer.
QString nomMarque();

// ~/.local/share/RQN_KZT, or RQN_KZT in XDG_DATA_HOME when it is set.
QString dossierDeLUtilisateur();

// The program folder of a program started from `dossierExecutable`, without
// making anything.
QString chemin(const QString& dossierExecutable, const QString& dossierUtilisateur);

struct Resultat {
    QString dossier;
    Statut statut; // failed, with a French message, when the folder cannot be made
};

// The program folder, ready: the user's data folder is made when it is
// missing, and the files delivered with the program that it lacks are copied
// there. A file already there is never replaced.
Resultat prepare(const QString& dossierExecutable, const QString& dossierUtilisateur);

} // namespace DossierProgramme
