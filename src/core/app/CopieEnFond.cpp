#include "CopieEnFond.h"

#include "Reglages.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/FichierVerrou.h"
#include "core/platform/FilDeTravail.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSemaphore>

namespace {

const QString kFormatDate = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// The local time as the settings keep it: the clock's wall time, compared
// with the clock's, never with the system's time zone.
QDateTime heureMurale(const QDateTime& locale)
{
    return QDateTime(locale.date(), locale.time(), Qt::UTC);
}

} // namespace

// What the worker and the windows' thread share about one copy. The worker
// sets the result, then releases `fini`; `destinataire` is told, unless it
// went in the meantime.
struct CopieEnFond::Etat {
    std::atomic<bool> abandon{false};
    QSemaphore fini;
    Statut resultat = Statut::valide();
    QString nom;
    QString empreinte; // of the logs, as the copy started
    QMutex verrou;
    CopieEnFond* destinataire = nullptr;
};

CopieEnFond::CopieEnFond(const QString& dossierProgramme, StockReglages& reglages,
                         const Horloge& horloge, QObject* parent)
    : QObject(parent), m_dossierProgramme(dossierProgramme), m_reglages(reglages),
      m_horloge(horloge)
{
    const CopieSecurite copie(dossierProgramme, reglages.nomDeFichier());
    m_copieur = [copie](const QString& destination, const QDateTime& moment,
                        const std::atomic<bool>* abandon,
                        QString* nom) { return copie.copie(destination, moment, abandon, nom); };
}

CopieEnFond::~CopieEnFond()
{
    if (m_etat) {
        const QMutexLocker verrou(&m_etat->verrou);
        m_etat->destinataire = nullptr;
    }
    m_fil.reset();
}

QString CopieEnFond::dossier() const
{
    return m_reglages.lit(section, cleDossier, QString());
}

void CopieEnFond::changeDossier(const QString& dossier)
{
    if (dossier != this->dossier())
        m_reglages.ecrit(section, cleDossier, dossier);
}

QString CopieEnFond::derniere() const
{
    const QDateTime quand =
        QDateTime::fromString(m_reglages.lit(section, cleDerniere, QString()), kFormatDate);
    return quand.isValid() ? quand.toString(QStringLiteral("dd/MM/yyyy à HH:mm:ss")) : QString();
}

QString CopieEnFond::resultat() const
{
    return m_reglages.lit(section, cleResultat, QString());
}

// The logs' names, sizes and times of writing: a QSO typed, changed or
// imported changes it.
QString CopieEnFond::empreinte() const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QFileInfoList logs =
        QDir(m_dossierProgramme)
            .entryInfoList({QStringLiteral("*_KZT.log")}, QDir::Files, QDir::Name);
    for (const QFileInfo& log : logs) {
        hash.addData(QStringLiteral("%1|%2|%3\n")
                         .arg(log.fileName())
                         .arg(log.size())
                         .arg(log.lastModified().toMSecsSinceEpoch())
                         .toUtf8());
    }
    return QString::fromLatin1(hash.result().toHex());
}

bool CopieEnFond::lance()
{
    const QString destination = dossier();
    if (m_etat || destination.isEmpty())
        return false;
    if (!m_fil)
        m_fil = std::make_unique<FilDeTravail>(QStringLiteral("Copie de sécurité"), new QObject);
    auto etat = std::make_shared<Etat>();
    etat->empreinte = empreinte();
    etat->destinataire = this;
    m_etat = etat;
    const QDateTime moment = m_horloge.localMaintenant();
    m_fil->ordonne([etat, copieur = m_copieur, destination, moment] {
        QString nom;
        const Statut fait = copieur(destination, moment, &etat->abandon, &nom);
        const QMutexLocker verrou(&etat->verrou);
        etat->resultat = fait;
        etat->nom = nom;
        etat->fini.release();
        if (CopieEnFond* d = etat->destinataire) {
            QMetaObject::invokeMethod(
                d,
                [d, etat] {
                    if (d->m_etat == etat)
                        d->recoit();
                },
                Qt::QueuedConnection);
        }
    });
    return true;
}

void CopieEnFond::recoit()
{
    const std::shared_ptr<Etat> etat = std::move(m_etat);
    etat->fini.acquire();
    Statut fait = Statut::valide();
    QString nom;
    {
        const QMutexLocker verrou(&etat->verrou);
        fait = etat->resultat;
        nom = etat->nom;
    }
    if (fait)
        m_reglages.ecrit(section, cleEmpreinte, etat->empreinte);
    enregistre(fait, nom);
    Q_EMIT terminee(bool(fait), resultat());
}

void CopieEnFond::enregistre(const Statut& fait, const QString& nom)
{
    m_reglages.ecrit(section, cleDerniere, m_horloge.localMaintenant().toString(kFormatDate));
    m_reglages.ecrit(section, cleResultat,
                     fait ? QStringLiteral("Copie réussie : %1 dans %2.")
                                .arg(FichierTexte::cheminEntreGuillemets(nom),
                                     FichierTexte::cheminEntreGuillemets(dossier()))
                          : fait.message);
}

Statut CopieEnFond::copieDeFin(int borne)
{
    if (!m_etat) {
        if (dossier().isEmpty())
            return Statut::valide();
        const QDateTime avant = heureMurale(
            QDateTime::fromString(m_reglages.lit(section, cleDerniere, QString()), kFormatDate));
        const qint64 ecart =
            avant.isValid() ? avant.secsTo(heureMurale(m_horloge.localMaintenant())) : -1;
        if (ecart >= 0 && ecart < intervalleFin &&
            m_reglages.lit(section, cleEmpreinte, QString()) == empreinte())
            return Statut::valide();
        if (!lance())
            return Statut::valide();
    }
    const std::shared_ptr<Etat> etat = m_etat;
    if (etat->fini.tryAcquire(1, borne)) {
        etat->fini.release();
        recoit();
        const QMutexLocker verrou(&etat->verrou);
        return etat->resultat;
    }
    // Cut short between two files; the unfinished subfolder says so, and the
    // next copy removes it.
    etat->abandon = true;
    {
        const QMutexLocker verrou(&etat->verrou);
        etat->destinataire = nullptr;
    }
    m_etat.reset();
    const Statut abandonnee = Statut::enEchec(
        QStringLiteral("Copie de sécurité : la copie n'était pas finie à la fermeture du "
                       "programme ; elle a été abandonnée et reste inachevée dans %1.")
            .arg(FichierTexte::cheminEntreGuillemets(dossier())));
    enregistre(abandonnee, QString());
    m_reglages.ecrit(section, cleInachevee, Reglages::valeurOui);
    return abandonnee;
}

QString CopieEnFond::avisDemarrage()
{
    if (m_reglages.lit(section, cleInachevee, Reglages::valeurNon) != Reglages::valeurOui)
        return {};
    m_reglages.ecrit(section, cleInachevee, Reglages::valeurNon);
    return QStringLiteral("La dernière copie de sécurité, faite à la fermeture du programme le "
                          "%1, n'a pas pu être achevée. Le dossier inachevé sera retiré par la "
                          "prochaine copie ; faites-en une par le menu « Station », « Copie de "
                          "sécurité ».")
        .arg(derniere());
}
