#include "FichierTexte.h"

#include "Cp1252.h"
#include "FichierSysteme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

using FichierTexte::systeme::creeExclusif;
using FichierTexte::systeme::creeTravail;
using FichierTexte::systeme::marqueLectureSeule;

QString entreGuillemets(const QString& chemin)
{
    return FichierTexte::cheminEntreGuillemets(chemin);
}

FichierTexte::OperationsFichier gOperationsSysteme;
std::atomic<FichierTexte::OperationsFichier*> gOperations{&gOperationsSysteme};

FichierTexte::OperationsFichier& operations()
{
    return *gOperations.load();
}

QString nonConfirme(const QString& chemin, int erreur)
{
    return QStringLiteral("Le fichier %1 a été écrit, mais le disque n'a pas confirmé son "
                          "enregistrement : %2. Vérifiez-le avant de recommencer.")
        .arg(entreGuillemets(chemin), FichierTexte::erreurSysteme(erreur));
}

// Index of the first CR or LF of the line; -1 when it holds none.
qsizetype finDeLigneDans(const QString& ligne)
{
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        if (ligne.at(i) == QLatin1Char('\r') || ligne.at(i) == QLatin1Char('\n'))
            return i;
    }
    return -1;
}

} // namespace

namespace FichierTexte {

int OperationsFichier::ecrit(QFile& fichier, const QByteArray& octets)
{
    errno = 0;
    if (fichier.write(octets) == octets.size() && fichier.flush())
        return 0;
    return errno ? errno : EIO;
}

OperationsFichier* changeOperationsFichier(OperationsFichier* suivant)
{
    OperationsFichier* precedent = gOperations.exchange(suivant ? suivant : &gOperationsSysteme);
    return precedent == &gOperationsSysteme ? nullptr : precedent;
}

// A line ends at CR LF, at LF alone or at CR alone (old Mac files).
void pourChaqueLigne(const char* donnees, qsizetype taille,
                     const std::function<void(const char* donnees, qsizetype taille)>& visite)
{
    parcourtLignes(donnees, taille, visite);
}

void pourChaqueLigne(const QByteArray& contenu,
                     const std::function<void(const char* donnees, qsizetype taille)>& visite)
{
    pourChaqueLigne(contenu.constData(), contenu.size(), visite);
}

Statut ouvreEnLecture(const QString& chemin, QFile* fichier)
{
    fichier->setFileName(chemin);
    if (!fichier->exists())
        return Statut::manquant(
            QStringLiteral("Le fichier %1 est introuvable.").arg(entreGuillemets(chemin)));
    errno = 0;
    if (QFileInfo(chemin).isDir() || !fichier->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        const int erreur = QFileInfo(chemin).isDir() ? EISDIR : errno;
        return Statut::enEchec(
            QStringLiteral("Impossible d'ouvrir le fichier %1 : %2.")
                .arg(entreGuillemets(chemin), erreurSysteme(erreur ? erreur : EIO)));
    }
    return Statut::valide();
}

Statut lectureRatee(const QString& chemin)
{
    const int erreur = errno;
    return Statut::enEchec(QStringLiteral("Impossible de lire le fichier %1 : %2.")
                               .arg(entreGuillemets(chemin), erreurSysteme(erreur ? erreur : EIO)));
}

Statut pourChaqueBloc(QFile& fichier, const QString& chemin,
                      const std::function<void(qint64, const char*, qsizetype)>& visite)
{
    // Each block is cut after its last LF: the lines before the cut end
    // there as they do in the whole file, and the rest goes with the next
    // block.
    constexpr qsizetype kBloc = 1024 * 1024;
    QByteArray bloc;
    qint64 position = fichier.pos(); // of the first byte of bloc in the file
    for (;;) {
        const qsizetype garde = bloc.size();
        bloc.resize(garde + kBloc);
        errno = 0;
        const qint64 lu = fichier.read(bloc.data() + garde, kBloc);
        if (lu < 0)
            return lectureRatee(chemin);
        bloc.resize(garde + lu);
        const qsizetype lf = lu > 0 ? bloc.lastIndexOf('\n') : -1;
        if (lu > 0 && lf < 0)
            continue;
        const qsizetype cut = lf >= 0 ? lf + 1 : bloc.size();
        if (cut > 0)
            visite(position, bloc.constData(), cut);
        position += cut;
        bloc.remove(0, cut);
        if (lu == 0)
            return Statut::valide();
    }
}

Statut litChaqueLigne(const QString& chemin,
                      const std::function<void(const char* donnees, qsizetype taille)>& visite)
{
    QFile fichier;
    const Statut ouvert = ouvreEnLecture(chemin, &fichier);
    if (!ouvert)
        return ouvert;
    return pourChaqueBloc(fichier, chemin,
                          [&visite](qint64, const char* donnees, qsizetype taille) {
                              parcourtLignes(donnees, taille, visite);
                          });
}

Statut litTout(const QString& chemin, QByteArray* contenu)
{
    QFile fichier;
    const Statut ouvert = ouvreEnLecture(chemin, &fichier);
    if (!ouvert)
        return ouvert;
    errno = 0;
    QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
        return lectureRatee(chemin);
    *contenu = std::move(octets);
    return Statut::valide();
}

namespace {

template <typename TypeLigne, typename Fabrication>
Statut litChaque(const QString& chemin, QList<TypeLigne>* lignes, Fabrication fabrique)
{
    QByteArray contenu;
    const Statut statut = litTout(chemin, &contenu);
    if (!statut)
        return statut;
    lignes->clear();
    pourChaqueLigne(contenu, [&](const char* donnees, qsizetype taille) {
        lignes->append(fabrique(donnees, taille));
    });
    return statut;
}

} // namespace

Statut litTexte(const QString& chemin, QStringList* lignes)
{
    return litChaque(chemin, lignes, [](const char* donnees, qsizetype taille) {
        return Cp1252::decode1252(donnees, taille);
    });
}

Statut remplace(const QString& cible, const QString& fichierTravail,
                const QList<QByteArray>& lignes, Synchronisation synchronisation)
{
    qsizetype total = 0;
    for (const QByteArray& ligne : lignes)
        total += ligne.size() + finLigne.size();
    QByteArray contenu;
    contenu.reserve(total);
    for (const QByteArray& ligne : lignes) {
        contenu.append(ligne);
        contenu.append(finLigne.data(), finLigne.size());
    }
    return remplaceContenu(cible, fichierTravail, contenu, synchronisation);
}

Statut remplaceContenu(const QString& cible, const QString& fichierTravail,
                       const QByteArray& contenu, Synchronisation synchronisation)
{
    if (marqueLectureSeule(cible)) {
        return Statut::enEchec(
            QStringLiteral("Le fichier %1 est protégé en écriture (lecture seule) : il n'a pas été "
                           "modifié. Retirez cette protection pour pouvoir l'enregistrer.")
                .arg(entreGuillemets(cible)));
    }

    const VerrouDossier lock(QFileInfo(fichierTravail).absolutePath());
    if (!lock)
        return lock.statut();

    // Anyone who may write into the folder may have left something under
    // the work file's name: a link opened as it stands would have the new
    // content written into the file it points to. The work file is made new.
    QFile travail(fichierTravail);
    const int erreurCreation = creeTravail(fichierTravail, &travail);
    if (erreurCreation != 0) {
        return Statut::enEchec(QStringLiteral("Impossible de créer le fichier de travail %1 : %2. "
                                              "%3 n'a pas été modifié.")
                                   .arg(entreGuillemets(fichierTravail),
                                        erreurSysteme(erreurCreation), entreGuillemets(cible)));
    }
    // Keep the access rights of the file being replaced.
    if (QFileInfo::exists(cible))
        QFile::setPermissions(fichierTravail, QFile::permissions(cible));

    int erreurEcriture = operations().ecrit(travail, contenu);
    if (erreurEcriture == 0)
        erreurEcriture = operations().synchronise(travail);
    travail.close();
    if (erreurEcriture == 0 && travail.error() != QFileDevice::NoError)
        erreurEcriture = EIO;
    if (erreurEcriture != 0) {
        QFile::remove(fichierTravail);
        return Statut::enEchec(
            QStringLiteral(
                "Impossible d'écrire le fichier de travail %1 : %2. %3 n'a pas été modifié.")
                .arg(entreGuillemets(fichierTravail), erreurSysteme(erreurEcriture),
                     entreGuillemets(cible)));
    }

    const int erreurRenommage = operations().renomme(fichierTravail, cible);
    if (erreurRenommage != 0) {
        QFile::remove(fichierTravail);
        return Statut::enEchec(
            QStringLiteral("Impossible de remplacer le fichier %1 : %2. Il n'a pas été modifié.")
                .arg(entreGuillemets(cible), erreurSysteme(erreurRenommage)));
    }
    return synchronisation == Synchronisation::Immediate ? synchroniseDossierDe(cible)
                                                         : Statut::valide();
}

Statut synchroniseDossierDe(const QString& cible)
{
    const int erreurSynchro = operations().synchroniseDossier(QFileInfo(cible).absolutePath());
    if (erreurSynchro != 0)
        return Statut::enEchec(nonConfirme(cible, erreurSynchro));
    return Statut::valide();
}

Statut remplaceTexte(const QString& cible, const QString& fichierTravail, const QStringList& lignes,
                     Synchronisation synchronisation)
{
    QList<QByteArray> code;
    code.reserve(lignes.size());
    for (qsizetype n = 0; n < lignes.size(); ++n) {
        QByteArray octets;
        // A line end within a line would make two lines of it in the file.
        qsizetype mauvais = finDeLigneDans(lignes.at(n));
        if (mauvais >= 0 || !Cp1252::encode1252(lignes.at(n), &octets, &mauvais)) {
            return Statut::enEchec(
                QStringLiteral("Le caractère %1 ne peut pas être enregistré dans le fichier %2. "
                               "Rien n'a été écrit.")
                    .arg(Cp1252::decrit(lignes.at(n), mauvais), entreGuillemets(cible)));
        }
        code.append(octets);
    }
    return remplace(cible, fichierTravail, code, synchronisation);
}

Statut creeNouveau(const QString& chemin, const QByteArray& contenu)
{
    // Created only when nothing of that name exists, not even a link.
    QFile fichier(chemin);
    const int erreurCreation = creeExclusif(chemin, &fichier);
    if (erreurCreation != 0) {
        return Statut::enEchec(QStringLiteral("Impossible de créer le fichier %1 : %2.")
                                   .arg(entreGuillemets(chemin),
                                        erreurCreation == EEXIST ? QStringLiteral("il existe déjà")
                                                                 : erreurSysteme(erreurCreation)));
    }
    int erreur = operations().ecrit(fichier, contenu);
    if (erreur == 0)
        erreur = operations().synchronise(fichier);
    fichier.close();
    if (erreur == 0 && fichier.error() != QFileDevice::NoError)
        erreur = EIO;
    if (erreur != 0) {
        QFile::remove(chemin);
        return Statut::enEchec(QStringLiteral("Impossible d'écrire le fichier %1 : %2.")
                                   .arg(entreGuillemets(chemin), erreurSysteme(erreur)));
    }
    return synchroniseDossierDe(chemin);
}

} // namespace FichierTexte
