// The report of an import beside the log, and the summary shown to the user.

#include "Importation.h"

#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"
#include "core/platform/Horloge.h"

#include <QDateTime>
#include <QDir>

namespace Importation {

namespace {

using FichierTexte::finLigne;

// The text in the log's code page, a character it cannot hold as "?".
QByteArray enCp1252(const QString& texte)
{
    QByteArray octets;
    if (Cp1252::encode1252(texte, &octets))
        return octets;
    QString simple = texte;
    for (QChar& c : simple) {
        if (!Cp1252::estCodable(c))
            c = QLatin1Char('?');
    }
    Cp1252::encode1252(simple, &octets);
    return octets;
}

// The record's text with CR LF line ends.
QString lignesCrLf(QStringView texte)
{
    QString t = texte.toString();
    t.replace(finLigne, QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), finLigne);
    return t;
}

// Appends the record's text with CR LF line ends, in the log's code page, a
// piece at a time: a record cut by the end of a big file may hold most of
// it, and is never copied whole once more.
void ajouteTexte(QByteArray* octets, QStringView texte)
{
    constexpr qsizetype kMorceau = 64 * 1024;
    for (qsizetype i = 0; i < texte.size();) {
        qsizetype n = qMin(kMorceau, texte.size() - i);
        // A CR LF stays one line end.
        if (i + n < texte.size() && texte.at(i + n - 1) == QLatin1Char('\r'))
            ++n;
        *octets += enCp1252(lignesCrLf(texte.sliced(i, n)));
        i += n;
    }
}

QString nombre(qsizetype n, const char* singulier, const char* pluriel)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n > 1 ? pluriel : singulier));
}

} // namespace

QString nomRapport(const QString& indicatif)
{
    return indicatif + QStringLiteral("_KZT_import.txt");
}

Statut ecritRapport(const QString& dossier, const QString& indicatif, const QString& cheminAdi,
                    const Bilan& bilan, const Horloge& horloge)
{
    const QDateTime maintenant = horloge.localMaintenant();
    QByteArray octets = enCp1252(
        QStringLiteral("Importation du fichier %1 dans le log %2, le %3 à %4")
            .arg(Texte::entreGuillemets(QDir::toNativeSeparators(cheminAdi)),
                 Texte::entreGuillemets(StationLog::nomFichier(indicatif)),
                 maintenant.toString(QStringLiteral("dd/MM/yyyy")),
                 maintenant.toString(QStringLiteral("HH:mm"))) +
        finLigne + QStringLiteral("Enregistrements ignorés : %1").arg(bilan.rejets.size()) +
        finLigne + QStringLiteral("QSO adaptés : %1").arg(bilan.adaptes.size()) + finLigne);
    for (const Adapte& a : bilan.adaptes) {
        octets += enCp1252(
            QStringLiteral("Enregistrement %1 adapté : %2").arg(a.numero).arg(a.texte) + finLigne);
    }
    for (const Rejet& r : bilan.rejets) {
        octets += enCp1252(finLigne +
                           QStringLiteral("Enregistrement %1 : %2").arg(r.numero).arg(r.raison) +
                           finLigne);
        ajouteTexte(&octets, r.texte);
        octets += finLigne.data();
    }
    const QDir d(dossier);
    return FichierTexte::remplaceContenu(d.filePath(nomRapport(indicatif)),
                                         d.filePath(StationLog::fichierTravail), octets);
}

QString raisonMoulinDejaContacte(const QString& date, const QString& bande)
{
    return QStringLiteral("moulin déjà contacté dans ce groupe le %1 sur %2").arg(date, bande);
}

QString Bilan::resume() const
{
    if (annule) {
        return QStringLiteral("L'importation du fichier %1 a été arrêtée : rien n'a été importé, "
                              "le log n'a pas été modifié.")
            .arg(Texte::entreGuillemets(fichier));
    }
    if (!statut) {
        return QStringLiteral("L'importation du fichier %1 n'a pas pu se faire :")
                   .arg(Texte::entreGuillemets(fichier)) +
               finLigne + finLigne + statut.message;
    }
    QString texte =
        QStringLiteral("Importation du fichier %1 :").arg(Texte::entreGuillemets(fichier)) +
        finLigne + finLigne + nombre(importes, "QSO importé", "QSO importés") + finLigne;
    if (!adaptes.empty()) {
        texte += nombre(qsizetype(adaptes.size()), "QSO adapté (voir le rapport)",
                        "QSO adaptés (voir le rapport)") +
                 finLigne;
    }
    texte += nombre(doublons, "doublon (QSO déjà dans le log) ignoré",
                    "doublons (QSO déjà dans le log) ignorés") +
             finLigne +
             nombre(qsizetype(rejets.size()), "enregistrement ignoré", "enregistrements ignorés");
    // The reasons, each with its count, in the order they first came.
    QStringList raisons;
    QList<qsizetype> comptes;
    for (const Rejet& r : rejets) {
        const qsizetype i = raisons.indexOf(r.raison);
        if (i >= 0) {
            ++comptes[i];
        } else {
            raisons.append(r.raison);
            comptes.append(1);
        }
    }
    texte += raisons.isEmpty() ? QStringLiteral(".") : QStringLiteral(" :");
    constexpr qsizetype kMontrees = 10;
    for (qsizetype i = 0; i < raisons.size() && i < kMontrees; ++i)
        texte += finLigne + QStringLiteral("   %1 × %2").arg(comptes.at(i)).arg(raisons.at(i));
    if (raisons.size() > kMontrees)
        texte += finLigne + QStringLiteral("   et ") +
                 nombre(raisons.size() - kMontrees, "autre raison", "autres raisons");
    if (tronque) {
        texte += finLigne + finLigne +
                 QStringLiteral("Le fichier se termine au milieu d'un enregistrement : ce dernier "
                                "enregistrement n'est pas importé.");
    }
    if (!rapport.isEmpty() && !rejets.empty()) {
        texte += finLigne + finLigne +
                 QStringLiteral("Les enregistrements ignorés sont décrits dans le fichier %1.")
                     .arg(Texte::entreGuillemets(rapport));
    } else if (!rapport.isEmpty()) {
        texte += finLigne + finLigne +
                 QStringLiteral("Les QSO adaptés sont décrits dans le fichier %1.")
                     .arg(Texte::entreGuillemets(rapport));
    } else if (!statutRapport) {
        texte += finLigne + finLigne +
                 QStringLiteral("Le fichier des enregistrements ignorés n'a pas pu être écrit : %1")
                     .arg(statutRapport.message);
    }
    if (!statutPrenoms) {
        texte += finLigne + finLigne +
                 QStringLiteral("Les prénoms n'ont pas pu être mémorisés : %1")
                     .arg(statutPrenoms.message);
    }
    return texte;
}

} // namespace Importation
