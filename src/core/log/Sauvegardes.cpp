#include "Sauvegardes.h"

#include "NomsFichiers.h"
#include "core/platform/Clock.h"
#include "core/platform/TextFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>

namespace {

QMutex gMutex;
QStringList gEchecs;
QSet<QString> gSignales;

QString quoted(const QString& nom)
{
    return QStringLiteral("« %1 »").arg(nom);
}

QRegularExpression motif(const QString& indicatif)
{
    return QRegularExpression(QStringLiteral("^%1_KZT_\\d{8}(_\\d{6})?\\.log$")
                                  .arg(QRegularExpression::escape(indicatif)));
}

} // namespace

Sauvegardes::Sauvegardes(const QString& dossier, const Clock& horloge)
    : m_dossier(dossier), m_horloge(horloge)
{
}

QString Sauvegardes::dossier() const
{
    return QDir(m_dossier).filePath(Nom_Dossier);
}

QString Sauvegardes::Nom_Sauvegarde(const QString& indicatif, const QDate& jour)
{
    return indicatif + QStringLiteral("_KZT_") + jour.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral(".log");
}

Status Sauvegardes::Sauvegarde_Du_Jour(const QString& indicatif, const QByteArray& contenu)
{
    const QString nom = Nom_Sauvegarde(indicatif, m_horloge.localNow().date());
    if (QFileInfo::exists(QDir(dossier()).filePath(nom)))
        return Status::ok();
    const Status s = ecrit(indicatif, nom, contenu);
    if (!s)
        signale(indicatif, s);
    return s;
}

Status Sauvegardes::Sauvegarde_Maintenant(const QString& indicatif)
{
    QByteArray contenu;
    const Status lu =
        TextFile::readAll(QDir(m_dossier).filePath(NomsFichiers::log(indicatif)), &contenu);
    if (!lu) {
        return Status::failed(
            QStringLiteral("La sauvegarde du log n'a pas pu être faite : %1").arg(lu.message));
    }
    // The day's copy holds the log as it was before the day's first change:
    // it stays, and this one is named after the time too.
    const QDateTime maintenant = m_horloge.localNow();
    QString nom = Nom_Sauvegarde(indicatif, maintenant.date());
    if (QFileInfo::exists(QDir(dossier()).filePath(nom)))
        nom.insert(nom.size() - 4, maintenant.toString(QStringLiteral("_HHmmss")));
    return ecrit(indicatif, nom, contenu);
}

Status Sauvegardes::ecrit(const QString& indicatif, const QString& nom, const QByteArray& contenu)
{
    QDir racine(m_dossier);
    if (!QFileInfo(dossier()).isDir() && !racine.mkdir(Nom_Dossier)) {
        return Status::failed(
            QStringLiteral("La sauvegarde du log %1 n'a pas pu être faite : le dossier %2 ne "
                           "peut pas être créé dans %3.")
                .arg(quoted(NomsFichiers::log(indicatif)), quoted(Nom_Dossier),
                     quoted(QDir::toNativeSeparators(m_dossier))));
    }
    const QDir d(dossier());
    const Status s =
        TextFile::replaceContent(d.filePath(nom), d.filePath(NomsFichiers::travail), contenu);
    if (!s) {
        return Status::failed(QStringLiteral("La sauvegarde du log %1 n'a pas pu être faite : %2")
                                  .arg(quoted(NomsFichiers::log(indicatif)), s.message));
    }
    elague(indicatif, nom);
    return s;
}

QStringList Sauvegardes::Liste(const QString& indicatif) const
{
    QStringList noms = QDir(dossier()).entryList(QDir::Files, QDir::Name | QDir::Reversed);
    const QRegularExpression m = motif(indicatif);
    noms.removeIf([&m](const QString& n) { return !m.match(n).hasMatch(); });
    return noms;
}

// The copy just made is kept whatever its date (a clock set in the past). A
// copy that cannot be removed stays; the next backup tries again.
void Sauvegardes::elague(const QString& indicatif, const QString& garde) const
{
    QStringList noms = Liste(indicatif);
    noms.removeOne(garde);
    const QDir d(dossier());
    for (qsizetype i = Nombre_Gardees - 1; i < noms.size(); ++i)
        QFile::remove(d.filePath(noms.at(i)));
}

Status Sauvegardes::Restaure(const QString& indicatif, const QString& nomSauvegarde)
{
    if (!motif(indicatif).match(nomSauvegarde).hasMatch()) {
        return Status::failed(
            QStringLiteral("%1 n'est pas une sauvegarde du log %2.")
                .arg(quoted(nomSauvegarde), quoted(NomsFichiers::log(indicatif))));
    }
    const TextFile::FolderLock verrou(m_dossier);
    if (!verrou)
        return verrou.status();
    QByteArray copie;
    const Status lu = TextFile::readAll(QDir(dossier()).filePath(nomSauvegarde), &copie);
    if (!lu)
        return lu;
    // A log that is gone has nothing to keep.
    const bool present = QFileInfo::exists(QDir(m_dossier).filePath(NomsFichiers::log(indicatif)));
    const Status avant = present ? Sauvegarde_Maintenant(indicatif) : Status::ok();
    if (!avant) {
        return Status::failed(avant.message +
                              QStringLiteral(" Le log n'a pas été remplacé par la sauvegarde."));
    }
    return TextFile::replaceContent(QDir(m_dossier).filePath(NomsFichiers::log(indicatif)),
                                    QDir(m_dossier).filePath(NomsFichiers::travail), copie);
}

void Sauvegardes::signale(const QString& indicatif, const Status& echec) const
{
    const QString cle = QDir(m_dossier).absolutePath() + QLatin1Char('|') + indicatif +
                        QLatin1Char('|') + m_horloge.localNow().date().toString(Qt::ISODate);
    const QMutexLocker verrou(&gMutex);
    if (gSignales.contains(cle))
        return;
    gSignales.insert(cle);
    gEchecs.append(echec.message +
                   QStringLiteral(" La modification du log est bien enregistrée ; la sauvegarde "
                                  "sera tentée de nouveau à la prochaine modification."));
}

QStringList Sauvegardes::Echecs_A_Signaler()
{
    const QMutexLocker verrou(&gMutex);
    QStringList echecs;
    echecs.swap(gEchecs);
    return echecs;
}
