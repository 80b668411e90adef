#include "DossierProgramme.h"

#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace DossierProgramme {

QString nomMarque()
{
    return QStringLiteral(KZT_MARQUE_SYSTEME);
}

QString dossierDeLUtilisateur()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("RQN_KZT"));
}

QString chemin(const QString& dossierExecutable, const QString& dossierUtilisateur)
{
    if (QFileInfo::exists(QDir(dossierExecutable).filePath(nomMarque())))
        return QDir::cleanPath(dossierUtilisateur);
    return dossierExecutable;
}

Resultat prepare(const QString& dossierExecutable, const QString& dossierUtilisateur)
{
    const QString dossier = chemin(dossierExecutable, dossierUtilisateur);
    if (dossier == dossierExecutable)
        return {dossier, Statut::valide()};

    if (!QDir().mkpath(dossier)) {
        return {dossier, Statut::enEchec(QStringLiteral("Le dossier « %1 » des logs ne peut pas "
                                                        "être créé : RQN_KZT ne peut pas démarrer.")
                                             .arg(QDir::toNativeSeparators(dossier)))};
    }
    // A copy that fails leaves the file missing, as in a folder that lost
    // it: the log creation and the first-name memory say so or do without.
    for (const QString& nom : {StationLog::nomModele, FirstNameMemory::nomFichier}) {
        const QString cible = QDir(dossier).filePath(nom);
        const QString source = QDir(dossierExecutable).filePath(nom);
        if (!QFileInfo::exists(cible) && QFileInfo::exists(source) && QFile::copy(source, cible))
            QFile::setPermissions(cible, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                             QFile::ReadOther);
    }
    return {dossier, Statut::valide()};
}

} // namespace DossierProgramme
