#include "FichierVerrou.h"

#include "Guillemets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <memory>

namespace {

int attenteMs = 30000;

struct Tenu {
    explicit Tenu(const QString& chemin) : fichier(chemin) {}
    FichierTexte::FichierVerrou fichier;
    int profondeur = 0;
};
// The folders whose lock this thread holds, made with the first lock taken
// and deleted with the last one released: a plain pointer, so that nothing of
// it is left for the end of the thread. (A thread-local variable with a
// destructor is destroyed after its storage is freed by MinGW's emulated
// thread-local storage: the heap is damaged at the end of any thread that
// took a lock.)
using Tenus = QHash<QString, Tenu*>;
thread_local Tenus* tTenus = nullptr;

Tenu* tenuDe(const QString& cle)
{
    return tTenus ? tTenus->value(cle) : nullptr;
}

QString cleVerrou(const QString& dossier)
{
    const QFileInfo infos(dossier);
    const QString canonique = infos.canonicalFilePath();
    return canonique.isEmpty() ? infos.absoluteFilePath() : canonique;
}

} // namespace

namespace FichierTexte {

QString cheminEntreGuillemets(const QString& chemin)
{
    return entreGuillemets(QDir::toNativeSeparators(chemin));
}

QString erreurSysteme(int erreur)
{
    switch (erreur) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return QStringLiteral("le disque est plein");
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EROFS:
        return QStringLiteral("le dossier est en lecture seule");
    case ENOENT:
        return QStringLiteral("fichier ou dossier introuvable");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("le fichier est utilisé par un autre programme");
    case EISDIR:
        return QStringLiteral("un dossier porte ce nom");
    case ELOOP:
        return QStringLiteral("un lien ou un fichier spécial porte ce nom, retirez-le du dossier");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie du disque");
    default:
        return QStringLiteral("erreur système %1").arg(erreur);
    }
}

FichierVerrou::FichierVerrou(const QString& chemin) : m_cheminFichier(chemin) {}

FichierVerrou::~FichierVerrou()
{
    deverrouille();
}

VerrouDossier::VerrouDossier(const QString& dossier) : m_cle(cleVerrou(dossier))
{
    if (Tenu* tenu = tenuDe(m_cle)) {
        ++tenu->profondeur;
        return;
    }
    const QString chemin = QDir(dossier).filePath(NomFichierVerrou);
    auto tenu = std::make_unique<Tenu>(chemin);
    if (!tenu->fichier.verrouille(attenteMs)) {
        if (tenu->fichier.erreurDe() == 0) {
            m_statut = Statut::enEchec(
                QStringLiteral("Un autre programme est en train de modifier les fichiers du "
                               "dossier %1 : rien n'a été enregistré. Réessayez dans un instant.")
                    .arg(cheminEntreGuillemets(dossier)));
        } else {
            m_statut = Statut::enEchec(
                QStringLiteral("Impossible de créer le fichier de verrou %1 : %2. Rien n'a été "
                               "enregistré.")
                    .arg(cheminEntreGuillemets(chemin), erreurSysteme(tenu->fichier.erreurDe())));
        }
        m_cle.clear();
        return;
    }
    tenu->profondeur = 1;
    if (!tTenus)
        tTenus = new Tenus;
    tTenus->insert(m_cle, tenu.release());
}

VerrouDossier::~VerrouDossier()
{
    if (m_cle.isEmpty())
        return;
    Tenu* tenu = tenuDe(m_cle);
    if (tenu && --tenu->profondeur == 0) {
        tTenus->remove(m_cle);
        delete tenu;
        if (tTenus->isEmpty()) {
            delete tTenus;
            tTenus = nullptr;
        }
    }
}

void VerrouDossier::changeAttenteMs(int ms)
{
    attenteMs = ms;
}

} // namespace FichierTexte
