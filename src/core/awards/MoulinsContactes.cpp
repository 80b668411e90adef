#include "MoulinsContactes.h"

#include "core/app/Version.h"
#include "core/log/LectureLog.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <QDir>

#include <algorithm>

namespace MoulinsContactes {

namespace {

const QString kTitre = QStringLiteral(" Liste alphanumerique des Moulins contactés bande ");
const QString kEnteteFichier =
    QStringLiteral("   N°   Ref        Nom du Moulin                Date    Indicatif    QSL");
const QString kEnteteImpression =
    QStringLiteral("        N°  Ref         Nom du Moulin               Date   Indicatif     QSL");
const QString kAvis = QStringLiteral("Liste établie par RQN_KZT  Révision") + Version::Texte;

struct PieceListe {
    int colonne; // 0-based in the list line
    LogLine::Colonne stockee;
};

constexpr PieceListe kPieces[] = {
    {colonneReference, LogLine::Reference},
    {colonneNom, LogLine::Nom_Moulin},
    {colonneDate, LogLine::Date},
    {colonneIndicatif, LogLine::Indicatif},
    {colonneQsl, LogLine::QSL},
};

// The list line of a stored line; a field missing from a short line stays blank.
QString ligneListe(QByteArrayView stockee)
{
    QString ligne(longueurLigne, QLatin1Char(' '));
    QChar* sortie = ligne.data();
    for (const PieceListe& p : kPieces) {
        const QByteArrayView champ = LectureLog::champ(stockee, p.stockee);
        Cp1252::decodeDans(champ.data(), champ.size(), sortie + p.colonne);
    }
    return ligne;
}

QString dateCourte(const QDate& jour)
{
    return jour.toString(QStringLiteral("dd/MM/yyyy"));
}

// The running number, right-aligned in five characters; a wider number
// widens the field rather than lose digits.
QString numero(qsizetype n)
{
    return QString::number(n).rightJustified(5, QLatin1Char(' '));
}

} // namespace

QString ligneDeListe(const QString& ligneLog)
{
    QByteArray octets;
    Cp1252::encode1252(ligneLog, &octets);
    return ligneListe(octets);
}

Statut construit(const QString& cheminLog, const QString& groupe, Liste* liste)
{
    *liste = Liste();
    const Groupe choisi = groupeNomme(groupe);
    const Statut lu = LectureLog::parcourir(cheminLog, [&](QByteArrayView stockee) {
        const Groupe g = LectureLog::groupeLigne(stockee);
        if (g == Groupe::Aucun || g != choisi)
            return;
        liste->lignes.append(ligneListe(stockee));
        ++liste->contactes;
        if (LectureLog::QSL_Recue(stockee))
            ++liste->confirmes;
    });
    // The order of the whole line text, character by character: reference,
    // then name, then the date as written, then callsign.
    std::sort(liste->lignes.begin(), liste->lignes.end());
    return lu;
}

QString nomFichier(const QString& indicatif, const QString& groupe, const QDate& jour)
{
    const QString date = dateCourte(jour);
    return indicatif + QStringLiteral("_Liste_Moulins_Bande_") + groupe + QLatin1Char('_') +
           date.left(2) + QLatin1Char('_') + date.mid(3, 2) + QLatin1Char('_') + date.right(2) +
           QStringLiteral(".txt");
}

QStringList lignesFichier(const QString& indicatif, const QString& groupe, const QDate& jour,
                          const QStringList& lignes)
{
    QStringList sortie;
    sortie.reserve(lignes.size() + 7);
    sortie << QLatin1Char(' ') + indicatif + kTitre + groupe + QStringLiteral(" au ") +
                  dateCourte(jour)
           << QString() << kEnteteFichier << QString();
    for (qsizetype i = 0; i < lignes.size(); ++i)
        sortie << numero(i + 1) + QLatin1Char(' ') + lignes.at(i);
    sortie << QString() << QString(24, QLatin1Char(' ')) + kAvis;
    return sortie;
}

QStringList lignesImpression(const QString& indicatif, const QString& groupe, const QDate& jour,
                             const QStringList& lignes)
{
    QStringList sortie;
    sortie.reserve(lignes.size() + 8);
    sortie << QString(5, QLatin1Char(' ')) + indicatif + kTitre + groupe + QStringLiteral(" au ") +
                  dateCourte(jour)
           << QString() << kEnteteImpression << QString();
    for (qsizetype i = 0; i < lignes.size(); ++i)
        sortie << QString(4, QLatin1Char(' ')) + numero(i + 1) + QLatin1Char(' ') + lignes.at(i);
    sortie << QString() << QString() << QString(21, QLatin1Char(' ')) + kAvis;
    return sortie;
}

Statut enregistre(const QString& dossier, const QString& indicatif, const QString& groupe,
                  const QDate& jour, const QStringList& lignes, QString* nom)
{
    *nom = nomFichier(indicatif, groupe, jour);
    const QDir d(dossier);
    const Statut ecrit =
        FichierTexte::remplaceTexte(d.filePath(*nom), d.filePath(StationLog::fichierTravail),
                                    lignesFichier(indicatif, groupe, jour, lignes));
    if (!ecrit) {
        return Statut::enEchec(
            QStringLiteral("La liste n'a pas pu être enregistrée sous le nom : ") + *nom +
            FichierTexte::finLigne + FichierTexte::finLigne + ecrit.message);
    }
    return ecrit;
}

} // namespace MoulinsContactes
