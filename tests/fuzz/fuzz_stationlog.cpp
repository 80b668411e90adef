// The four rewrites of a station log. Whatever the log and the line given,
// the rewrite keeps every old line as it was and in its order, adds the new
// line once (or, for a deletion, removes exactly the lines equal to the one
// given), keeps every line at 107 characters when they all were, and leaves
// no work file behind. A refused line leaves the log as it was.
//
// Input: one byte of choices, then pieces cut at LF: the new line, the old
// line (edit and deletion), then the lines of the log.

#include "Aleatoire.h"

#include "core/log/LogLine.h"
#include "core/log/StationLog.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace {

enum Operation { Enregistre, Insere, Remplace, Supprime };

// The text of a line given to the store: the bytes as Windows-1252, cut or
// padded to 107 characters unless asked otherwise; a character the log cannot
// hold put in when asked.
QString texte(const QByteArray& octets, bool brut, bool etranger)
{
    QString t =
        Cp1252::decode1252(brut ? octets : Aleatoire::aLaLongueur(octets, LogLine::Longueur));
    if (etranger && !t.isEmpty())
        t[t.size() / 2] = QChar(0x0416);
    return t;
}

bool finDeLigne(const QString& t)
{
    return t.contains(QLatin1Char('\r')) || t.contains(QLatin1Char('\n'));
}

// The stored line the store makes of a valid text; empty when it must refuse it.
QByteArray valide(const QString& t)
{
    QByteArray octets;
    if (t.size() != LogLine::Longueur || finDeLigne(t) || !Cp1252::encode1252(t, &octets))
        return {};
    return octets;
}

// The old lines with the new one before the first line that `avant` picks,
// or at the end when it picks none.
QList<QByteArray> insere(QList<QByteArray> lignes, const QByteArray& nouvelle,
                         const std::function<bool(const QByteArray&)>& avant)
{
    qsizetype k = 0;
    while (k < lignes.size() && !avant(lignes.at(k)))
        ++k;
    lignes.insert(k, nouvelle);
    return lignes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < 1)
        return 0;
    const uint8_t choix = donnees[0];
    const Operation operation = Operation(choix & 3);
    const bool lf = choix & 4;
    const bool finale = !(choix & 8);
    const bool lignesBrutes = choix & 16;
    const bool nouvelleBrute = choix & 32;
    const bool etrangere = choix & 64;
    const bool ancienneCopiee = choix & 128;

    const QList<QByteArray> pieces = Aleatoire::morceaux(donnees + 1, taille - 1);
    const QByteArray brutNouvelle = pieces.value(0);
    const QByteArray brutAncienne = pieces.value(1);
    QList<QByteArray> avant;
    for (qsizetype i = 2; i < pieces.size() && avant.size() < 40; ++i) {
        const QByteArray l = Aleatoire::sansFinDeLigne(pieces.at(i));
        avant.append(lignesBrutes ? l : Aleatoire::aLaLongueur(l, LogLine::Longueur));
    }
    // A log with no end on its last line, and an empty last line, read alike:
    // only a log whose last line is not empty may leave that end out.
    const bool sansFin = !finale && !avant.isEmpty() && !avant.last().isEmpty();
    const QByteArray fichier = Aleatoire::contenu(avant, lf, !sansFin);

    const QString nouvelle = texte(brutNouvelle, nouvelleBrute, etrangere);
    // The old line of an edit is most often one of the log, its end blanks
    // taken off or not.
    QString ancienne = QString::fromUtf8(brutAncienne);
    if (ancienneCopiee && !avant.isEmpty()) {
        const QByteArray l = avant.at(brutAncienne.size() % avant.size());
        ancienne = Cp1252::decode1252(brutAncienne.size() % 2 ? l.trimmed() : l);
    }

    const QString dossier = Aleatoire::dossier();
    StationLog log(dossier, QStringLiteral("F1FUZ"));
    Aleatoire::ecrit(log.chemin(), fichier);

    Statut statut;
    switch (operation) {
    case Enregistre:
        statut = log.Enregistre_QSO(nouvelle);
        break;
    case Insere:
        statut = log.Insere_QSO_Chrono(nouvelle);
        break;
    case Remplace:
        statut = log.Remplace_QSO(nouvelle, ancienne);
        break;
    case Supprime:
        statut = log.Supprime_QSO(ancienne);
        break;
    }
    const QByteArray resultat = Aleatoire::lit(log.chemin());
    const QList<QByteArray> apres = Aleatoire::lignes(resultat);
    FUZZ_CHECK(!QFile::exists(QDir(dossier).filePath(StationLog::fichierTravail)));
    FUZZ_CHECK(!QFile::exists(QDir(dossier).filePath(StationLog::fichierTravailChrono)));

    const QByteArray ligne = valide(nouvelle);
    bool refusee = operation != Supprime && ligne.isEmpty();
    if (operation == Insere && !refusee && StationLog::momentQso(ligne) < 0)
        refusee = true;
    if (refusee) {
        FUZZ_CHECK(!statut.estOk() && !statut.message.isEmpty());
        FUZZ_CHECK(resultat == fichier);
        return 0;
    }
    FUZZ_CHECK(statut.estOk());

    // Every line 107 characters, as long as they all were.
    bool toutes = true;
    for (const QByteArray& l : avant)
        toutes = toutes && l.size() == LogLine::Longueur;
    if (toutes) {
        for (const QByteArray& l : apres)
            FUZZ_CHECK(l.size() == LogLine::Longueur);
    }

    QByteArray vieille;
    const bool lisible = Cp1252::encode1252(ancienne, &vieille);
    switch (operation) {
    case Enregistre: {
        // Before the first line of a greater leading number.
        const double cle = StationLog::cleNumerique(ligne);
        FUZZ_CHECK(apres == insere(avant, ligne, [cle](const QByteArray& l) {
                       return cle < StationLog::cleNumerique(l);
                   }));
        break;
    }
    case Insere: {
        // Before the first QSO at the same moment or later.
        const qint64 moment = StationLog::momentQso(ligne);
        FUZZ_CHECK(apres == insere(avant, ligne, [moment](const QByteArray& l) {
                       return StationLog::momentQso(l) >= moment;
                   }));
        break;
    }
    case Remplace: {
        QList<QByteArray> attendu;
        bool remplacee = false;
        for (const QByteArray& l : avant) {
            const bool meme = lisible && StationLog::memeLigne(l, vieille);
            attendu.append(meme ? ligne : l);
            remplacee = remplacee || meme;
        }
        if (!remplacee)
            attendu.append(ligne);
        FUZZ_CHECK(apres == attendu);
        break;
    }
    case Supprime: {
        QList<QByteArray> attendu;
        for (const QByteArray& l : avant) {
            if (!lisible || !StationLog::memeLigne(l, vieille))
                attendu.append(l);
        }
        FUZZ_CHECK(apres == attendu);
        break;
    }
    }
    return 0;
}
