#include "CopieSecurite.h"

#include "FirstNameMemory.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/FichierVerrou.h"

#include <QFile>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kDebut = QStringLiteral("Copie de sécurité : ");

QString chemin(const QString& c)
{
    return FichierTexte::cheminEntreGuillemets(c);
}

// A subfolder of the chosen folder that is one of ours: a real folder, never
// a link, named as a copy (finished or not).
QStringList sousDossiers(const QString& destination, const QString& suffixe)
{
    static const QRegularExpression nom(QStringLiteral("^RQN_KZT_\\d{8}_\\d{6}(_\\d+)?$"));
    QStringList trouves;
    const QFileInfoList entrees =
        QDir(destination).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& e : entrees) {
        QString n = e.fileName();
        if (!n.endsWith(suffixe) || e.isSymLink())
            continue;
        n.chop(suffixe.size());
        if (nom.match(n).hasMatch())
            trouves.append(e.fileName());
    }
    std::sort(trouves.begin(), trouves.end(), std::greater<>());
    return trouves;
}

// Removes a subfolder of ours; a link of that name would be removed as a
// link, never what it leads to.
void retire(const QString& destination, const QString& nom)
{
    const QString c = QDir(destination).filePath(nom);
    if (QFileInfo(c).isSymLink())
        QFile::remove(c);
    else
        QDir(c).removeRecursively();
}

} // namespace

CopieSecurite::CopieSecurite(const QString& dossierProgramme, const QString& fichierReglages)
    : m_dossierProgramme(dossierProgramme), m_fichierReglages(fichierReglages)
{
}

QStringList CopieSecurite::sources() const
{
    QStringList liste;
    const QDir dossier(m_dossierProgramme);
    const QFileInfoList logs =
        dossier.entryInfoList({QStringLiteral("*_KZT.log")}, QDir::Files, QDir::Name);
    for (const QFileInfo& log : logs) {
        if (!log.isSymLink())
            liste.append(log.absoluteFilePath());
    }
    const QFileInfo prenoms(dossier.filePath(FirstNameMemory::nomFichier));
    if (prenoms.isFile() && !prenoms.isSymLink())
        liste.append(prenoms.absoluteFilePath());
    if (QFileInfo(m_fichierReglages).isFile())
        liste.append(m_fichierReglages);
    return liste;
}

QStringList CopieSecurite::copies(const QString& destination)
{
    return sousDossiers(destination, QString());
}

QStringList CopieSecurite::inacheves(const QString& destination)
{
    return sousDossiers(destination, suffixePartiel);
}

QDateTime CopieSecurite::dateDe(const QString& nomCopie)
{
    return QDateTime::fromString(nomCopie.mid(prefixe.size(), 15),
                                 QStringLiteral("yyyyMMdd_HHmmss"));
}

Statut CopieSecurite::copie(const QString& destination, const QDateTime& moment,
                            const std::atomic<bool>* abandon, QString* nomCopie) const
{
    const QFileInfo cible(destination);
    if (destination.isEmpty() || !cible.exists())
        return Statut::enEchec(kDebut + QStringLiteral("le dossier %1 est introuvable (clé ou "
                                                       "disque débranché ?). Aucune copie "
                                                       "n'a été faite.")
                                            .arg(chemin(destination)));
    if (!cible.isDir())
        return Statut::enEchec(kDebut + QStringLiteral("%1 n'est pas un dossier. Aucune copie "
                                                       "n'a été faite.")
                                            .arg(chemin(destination)));
    // What a copy cut short left: it never counts, and goes.
    for (const QString& reste : inacheves(destination))
        retire(destination, reste);

    QDir dossier(destination);
    QString nom = prefixe + moment.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    for (int n = 2; dossier.exists(nom) || dossier.exists(nom + suffixePartiel); ++n)
        nom = prefixe + moment.toString(QStringLiteral("yyyyMMdd_HHmmss")) +
              QStringLiteral("_%1").arg(n);
    const QString partiel = nom + suffixePartiel;
    if (!dossier.mkdir(partiel))
        return Statut::enEchec(kDebut + QStringLiteral("impossible de créer un dossier dans %1 "
                                                       "(disque plein ou écriture refusée ?). "
                                                       "Aucune copie n'a été faite.")
                                            .arg(chemin(destination)));
    const QDir travail(dossier.filePath(partiel));
    for (const QString& source : sources()) {
        if (abandon && abandon->load())
            return Statut::enEchec(kDebut + QStringLiteral("copie interrompue ; le dossier %1 "
                                                           "est resté inachevé.")
                                                .arg(chemin(travail.path())));
        QByteArray contenu;
        const Statut lu = FichierTexte::litTout(source, &contenu);
        if (!lu)
            return Statut::enEchec(kDebut + lu.message);
        const QString copieFichier = travail.filePath(QFileInfo(source).fileName());
        const Statut ecrit = FichierTexte::creeNouveau(copieFichier, contenu);
        if (!ecrit)
            return Statut::enEchec(kDebut + ecrit.message);
        // Read back from the medium: a stick that lies about what it wrote
        // leaves no copy that looks complete.
        QByteArray relu;
        if (!FichierTexte::litTout(copieFichier, &relu) || relu != contenu)
            return Statut::enEchec(kDebut + QStringLiteral("la copie de %1 relue ne correspond "
                                                           "pas au fichier ; le dossier %2 "
                                                           "est resté inachevé.")
                                                .arg(chemin(source), chemin(travail.path())));
    }
    if (!dossier.rename(partiel, nom))
        return Statut::enEchec(kDebut + QStringLiteral("le dossier %1 n'a pas pu prendre son "
                                                       "nom ; il est resté inachevé.")
                                            .arg(chemin(travail.path())));
    FichierTexte::synchroniseDossierDe(dossier.filePath(nom));
    if (nomCopie)
        *nomCopie = nom;
    // The oldest go once this one is complete.
    const QStringList completes = copies(destination);
    for (qsizetype i = nombreGardees; i < completes.size(); ++i)
        retire(destination, completes.at(i));
    return Statut::valide();
}
