#include "Sauvegardes.h"

#include "NomsFichiers.h"
#include "Texte.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>

namespace {

QMutex gVerrou;
QStringList gEchecs;
QSet<QString> gSignales;

QRegularExpression motif(const QString& indicatif)
{
    return QRegularExpression(QStringLiteral("^%1_KZT_\\d{8}(_\\d{6})?\\.log$")
                                  .arg(QRegularExpression::escape(indicatif)));
}

// A copy for the one who chooses: when, how many QSOs, which file.
QString decrit(const QString& chemin, const QString& quand, const QString& nom)
{
    qsizetype lignes = 0;
    const Statut lu =
        FichierTexte::litChaqueLigne(chemin, [&lignes](const char*, qsizetype) { ++lignes; });
    const QString contenu = !lu           ? QStringLiteral("illisible")
                            : lignes == 0 ? QStringLiteral("vide")
                                          : QStringLiteral("%1 QSO").arg(lignes);
    QStringList parties;
    if (!quand.isEmpty())
        parties << quand;
    parties << contenu << nom;
    return parties.join(QStringLiteral(" — "));
}

// The day and, when there is one, the time of a copy's name.
const QRegularExpression& dateDuNom()
{
    static const QRegularExpression date(QStringLiteral("_KZT_(\\d{8})(?:_(\\d{6}))?\\.log$"));
    return date;
}

} // namespace

Sauvegardes::Sauvegardes(const QString& dossier, const Horloge& horloge)
    : m_dossier(dossier), m_horloge(horloge)
{
}

QString Sauvegardes::dossier() const
{
    return QDir(m_dossier).filePath(nomDossier);
}

QString Sauvegardes::nomDeSauvegarde(const QString& indicatif, const QDate& jour)
{
    return indicatif + QStringLiteral("_KZT_") + jour.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral(".log");
}

Statut Sauvegardes::sauvegardeDuJour(const QString& indicatif, const QByteArray& contenu)
{
    const QString nom = nomDeSauvegarde(indicatif, m_horloge.localMaintenant().date());
    if (QFileInfo::exists(QDir(dossier()).filePath(nom)))
        return Statut::valide();
    const Statut s = ecrit(indicatif, nom, contenu);
    if (!s)
        signale(indicatif, s);
    return s;
}

Statut Sauvegardes::sauvegardeMaintenant(const QString& indicatif, QString* nomFait)
{
    QByteArray contenu;
    const Statut lu =
        FichierTexte::litTout(QDir(m_dossier).filePath(NomsFichiers::log(indicatif)), &contenu);
    if (!lu) {
        return Statut::enEchec(
            QStringLiteral("La sauvegarde du log n'a pas pu être faite : %1").arg(lu.message));
    }
    // The day's copy holds the log as it was before the day's first change:
    // it stays, and this one is named after the time too.
    const QDateTime maintenant = m_horloge.localMaintenant();
    QString nom = nomDeSauvegarde(indicatif, maintenant.date());
    if (QFileInfo::exists(QDir(dossier()).filePath(nom)))
        nom.insert(nom.size() - 4, maintenant.toString(QStringLiteral("_HHmmss")));
    const Statut s = ecrit(indicatif, nom, contenu);
    if (s && nomFait)
        *nomFait = nom;
    return s;
}

Statut Sauvegardes::ecrit(const QString& indicatif, const QString& nom, const QByteArray& contenu)
{
    QDir racine(m_dossier);
    if (!QFileInfo(dossier()).isDir() && !racine.mkdir(nomDossier)) {
        return Statut::enEchec(
            QStringLiteral("La sauvegarde du log %1 n'a pas pu être faite : le dossier %2 ne "
                           "peut pas être créé dans %3.")
                .arg(Texte::entreGuillemets(NomsFichiers::log(indicatif)),
                     Texte::entreGuillemets(nomDossier),
                     Texte::entreGuillemets(QDir::toNativeSeparators(m_dossier))));
    }
    const QDir d(dossier());
    const Statut s =
        FichierTexte::remplaceContenu(d.filePath(nom), d.filePath(NomsFichiers::travail), contenu);
    if (!s) {
        return Statut::enEchec(
            QStringLiteral("La sauvegarde du log %1 n'a pas pu être faite : %2")
                .arg(Texte::entreGuillemets(NomsFichiers::log(indicatif)), s.message));
    }
    elague(indicatif, nom);
    return s;
}

QStringList Sauvegardes::liste(const QString& indicatif) const
{
    QStringList noms = QDir(dossier()).entryList(QDir::Files, QDir::Name | QDir::Reversed);
    const QRegularExpression m = motif(indicatif);
    noms.removeIf([&m](const QString& n) { return !m.match(n).hasMatch(); });
    return noms;
}

QString Sauvegardes::description(const QString& nomSauvegarde) const
{
    const QString chemin = QDir(dossier()).filePath(nomSauvegarde);
    QString quand;
    const QRegularExpressionMatch m = dateDuNom().match(nomSauvegarde);
    const QDate jour =
        m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
    QTime heure = m.hasMatch() && m.capturedLength(2) > 0
                      ? QTime::fromString(m.captured(2), QStringLiteral("HHmmss"))
                      : QTime();
    if (jour.isValid()) {
        if (!heure.isValid()) {
            const QDateTime ecrite = QFileInfo(chemin).lastModified();
            if (ecrite.date() == jour)
                heure = ecrite.time();
        }
        quand = jour.toString(QStringLiteral("dd/MM/yyyy"));
        if (heure.isValid())
            quand += QStringLiteral(" à ") + heure.toString(QStringLiteral("HH:mm"));
    }

    return decrit(chemin, quand, nomSauvegarde);
}

QString Sauvegardes::descriptionFichier(const QString& chemin, const QDateTime& quand,
                                        const QString& nom)
{
    return decrit(
        chemin, quand.isValid() ? quand.toString(QStringLiteral("dd/MM/yyyy à HH:mm")) : QString(),
        nom);
}

// The copy just made is kept whatever its date (a clock set in the past). A
// copy that cannot be removed stays; the next backup tries again.
void Sauvegardes::elague(const QString& indicatif, const QString& garde) const
{
    QStringList noms = liste(indicatif);
    noms.removeOne(garde);
    const QDir d(dossier());
    for (qsizetype i = nombreGardees - 1; i < noms.size(); ++i)
        QFile::remove(d.filePath(noms.at(i)));
}

Statut Sauvegardes::restaureSauvegarde(const QString& indicatif, const QString& nomSauvegarde,
                                       QString* copieAvant)
{
    if (copieAvant)
        copieAvant->clear();
    if (!motif(indicatif).match(nomSauvegarde).hasMatch()) {
        return Statut::enEchec(QStringLiteral("%1 n'est pas une sauvegarde du log %2.")
                                   .arg(Texte::entreGuillemets(nomSauvegarde),
                                        Texte::entreGuillemets(NomsFichiers::log(indicatif))));
    }
    return restaureDepuis(indicatif, QDir(dossier()).filePath(nomSauvegarde), copieAvant);
}

Statut Sauvegardes::restaureFichier(const QString& indicatif, const QString& chemin,
                                    QString* copieAvant)
{
    if (copieAvant)
        copieAvant->clear();
    const QFileInfo fichier(chemin);
    if (fichier.isSymLink() || (fichier.exists() && !fichier.isFile())) {
        return Statut::enEchec(QStringLiteral("%1 n'est pas un fichier ; le log n'a pas été "
                                              "remplacé.")
                                   .arg(Texte::entreGuillemets(QDir::toNativeSeparators(chemin))));
    }
    return restaureDepuis(indicatif, chemin, copieAvant);
}

Statut Sauvegardes::restaureDepuis(const QString& indicatif, const QString& chemin,
                                   QString* copieAvant)
{
    const FichierTexte::VerrouDossier verrou(m_dossier);
    if (!verrou)
        return verrou.statut();
    QByteArray copie;
    const Statut lu = FichierTexte::litTout(chemin, &copie);
    if (!lu)
        return lu;
    // A log that is gone has nothing to keep.
    const bool present = QFileInfo::exists(QDir(m_dossier).filePath(NomsFichiers::log(indicatif)));
    const Statut avant = present ? sauvegardeMaintenant(indicatif, copieAvant) : Statut::valide();
    if (!avant) {
        return Statut::enEchec(avant.message +
                               QStringLiteral(" Le log n'a pas été remplacé par la sauvegarde."));
    }
    return FichierTexte::remplaceContenu(QDir(m_dossier).filePath(NomsFichiers::log(indicatif)),
                                         QDir(m_dossier).filePath(NomsFichiers::travail), copie);
}

void Sauvegardes::signale(const QString& indicatif, const Statut& echec) const
{
    const QString cle = QDir(m_dossier).absolutePath() + QLatin1Char('|') + indicatif +
                        QLatin1Char('|') + m_horloge.localMaintenant().date().toString(Qt::ISODate);
    const QMutexLocker verrou(&gVerrou);
    if (gSignales.contains(cle))
        return;
    gSignales.insert(cle);
    gEchecs.append(echec.message +
                   QStringLiteral(" La modification du log est bien enregistrée ; la sauvegarde "
                                  "sera tentée de nouveau à la prochaine modification."));
}

QStringList Sauvegardes::echecsASignaler()
{
    const QMutexLocker verrou(&gVerrou);
    QStringList echecs;
    echecs.swap(gEchecs);
    return echecs;
}
